// The catalogs panel: laid out for going to a catalogue object later; none
// of its controls has behaviour yet, and it has no keys of its own.
#pragma once

#include "forms/forms.h"
#include "panel_base/panel_window.h"

class Tscope_catalogs : public panel_window {
public:
    Tscope_catalogs(forms::toolkit& kit, panel_host& host);

    forms::panel catalogs_panel{"catalogs_panel", this};
    forms::group_box catalogs_group{"catalogs_group", &catalogs_panel};
    forms::label catalog_label{"catalog_label", &catalogs_group};
    forms::combo_box ComboBox1{"ComboBox1", &catalogs_group};
    forms::label number_label{"number_label", &catalogs_group};
    forms::edit Edit1{"Edit1", &catalogs_group};
    forms::group_box item_group{"item_group", &catalogs_panel};
    forms::label visible_label{"visible_label", &item_group};
    forms::label ra_label{"ra_label", &item_group};
    forms::label Label1{"Label1", &item_group};
    forms::label Label2{"Label2", &item_group};
    forms::edit visible_edit{"visible_edit", &item_group};
    forms::edit ra_edit{"ra_edit", &item_group};
    forms::edit dec_edit{"dec_edit", &item_group};
    forms::edit magnitude_edit{"magnitude_edit", &item_group};
    forms::button goto_button{"goto_button", &item_group};
};
