// The moon panel: laid out for slewing to the moon later; no behaviour yet
// beyond the panel conventions, and no keys of its own.
#pragma once

#include "forms/forms.h"
#include "panel_base/panel_window.h"

class Tscope_moon : public panel_window {
public:
    Tscope_moon(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_moon", "ORB Moon panel", "moon", "", 248, 248}) {
        moon_panel.set_fills_parent(true);
        moon_group.set_fills_parent(true);
        moon_group.set_caption("Moon Group");
        moon_shape.set_type(forms::shape_type::circle);
        moon_shape.set_colour(forms::colours::silver);
        moon_shape.set_bounds({32, 32, 185, 185});
        load_settings();
    }

    forms::panel moon_panel{"moon_panel", this};
    forms::group_box moon_group{"moon_group", &moon_panel};
    forms::shape moon_shape{"moon_shape", &moon_group};
};
