// The sun panel: laid out for slewing to the sun later; no behaviour yet
// beyond the panel conventions, and no keys of its own.
#pragma once

#include "forms/forms.h"
#include "panel_base/panel_window.h"

class Tscope_sun : public panel_window {
public:
    Tscope_sun(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_sun", "ORB Sun panel", "sun", "", 249, 249}) {
        sun_panel.set_fills_parent(true);
        sun_group.set_fills_parent(true);
        sun_group.set_caption("Sun Group");
        sun_shape.set_type(forms::shape_type::circle);
        sun_shape.set_colour(forms::colours::yellow);
        sun_shape.set_bounds({32, 32, 185, 185});
        load_settings();
    }

    forms::panel sun_panel{"sun_panel", this};
    forms::group_box sun_group{"sun_group", &sun_panel};
    forms::shape sun_shape{"sun_shape", &sun_group};
};
