// The planets panel: laid out for slewing to a planet later. Of its
// controls only the refresh poll behaves: "Refresh every" enables "Now",
// which switches polling on and off (its caption says which); polling does
// nothing yet, starts off at every start and is not saved.
#pragma once

#include "forms/forms.h"
#include "panel_base/panel_window.h"

class Tscope_planets : public panel_window {
public:
    static constexpr int planet_count = 8;

    Tscope_planets(forms::toolkit& kit, panel_host& host);

    // One row of the planets group, its controls owned by the group.
    struct planet_row {
        forms::button* button = nullptr;
        forms::edit* led = nullptr; // the visibility indicator
        forms::edit* ra_edit = nullptr;
        forms::edit* dec_edit = nullptr;
    };

    forms::panel planets_panel{"planets_panel", this};
    forms::group_box planets_group{"planets_group", &planets_panel};
    forms::label slew_label{"slew_label", &planets_group};
    forms::label visible_label{"visible_label", &planets_group};
    forms::label ra_label{"ra_label", &planets_group};
    forms::label dec_label{"dec_label", &planets_group};
    // Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto.
    planet_row planets[planet_count];
    forms::group_box poll_group{"poll_group", &planets_panel};
    forms::check_box refresh_check{"refresh_check", &poll_group};
    forms::edit msecs_edit{"msecs_edit", &poll_group};
    forms::label seconds_label{"seconds_label", &poll_group};
    forms::button now_button{"now_button", &poll_group};
    forms::button refresh_button{"refresh_button", &poll_group};

    void enable_refresh_timer();
    void disable_refresh_timer();
    void refresh_checkClick();
    void now_buttonClick();

    bool polling() const { return polling_; }

private:
    void build_window();

    bool polling_ = false;
};
