#include "shell/orb_server_catalogs.h"

Tscope_catalogs::Tscope_catalogs(forms::toolkit& kit, panel_host& host)
    : panel_window(kit, host, {"scope_catalogs", "ORB Catalogs panel", "catalogs", "", 248, 200}) {
    catalogs_panel.set_fills_parent(true);
    catalogs_group.set_caption("Catalogs Group");
    catalogs_group.set_bounds({4, 4, 240, 77});
    catalog_label.set_caption("Catalog");
    catalog_label.set_font_bold(true);
    catalog_label.set_bounds({12, 22, 50, 13});
    ComboBox1.set_editable(false);
    ComboBox1.set_items({"Messier", "Caldwell", "NGC"});
    ComboBox1.set_item_index(0);
    ComboBox1.set_bounds({72, 18, 121, 21});
    number_label.set_caption("Number");
    number_label.set_font_bold(true);
    number_label.set_bounds({12, 50, 50, 13});
    Edit1.set_bounds({72, 46, 121, 21});

    item_group.set_caption("Item Group");
    item_group.set_bounds({4, 84, 240, 112});
    const forms::rect headings[] = {{8, 18, 46, 13}, {54, 18, 56, 13}, {110, 18, 68, 13}, {176, 18, 62, 13}};
    forms::label* labels[] = {&visible_label, &ra_label, &Label1, &Label2};
    const char* captions[] = {"Visible", "Right Asc", "Declination", "Magnitude"};
    for (int i = 0; i < 4; ++i) {
        labels[i]->set_caption(captions[i]);
        labels[i]->set_font_bold(true);
        labels[i]->set_bounds(headings[i]);
    }
    visible_edit.set_colour(forms::colours::red);
    visible_edit.set_bounds({12, 34, 33, 21});
    ra_edit.set_bounds({54, 34, 52, 21});
    dec_edit.set_bounds({110, 34, 60, 21});
    magnitude_edit.set_bounds({176, 34, 56, 21});
    goto_button.set_caption("GOTO");
    goto_button.set_font({"", 14, true});
    goto_button.set_bounds({12, 62, 221, 41});
    load_settings();
}
