#include "shell/orb_server_planets.h"

#include <string>

namespace {

struct planet_names {
    const char* caption;
    const char* stem;   // of the button and the indicator
    const char* coords; // of the coordinate boxes
};

constexpr planet_names names[Tscope_planets::planet_count] = {
    {"Mercury", "mercury", "merc"}, {"Venus", "venus", "venus"},  {"Mars", "mars", "mars"},
    {"Jupiter", "jupiter", "jup"},  {"Saturn", "saturn", "sat"},  {"Uranus", "uranus", "uranus"},
    {"Neptune", "neptune", "nep"},  {"Pluto", "pluto", "pluto"},
};

} // namespace

Tscope_planets::Tscope_planets(forms::toolkit& kit, panel_host& host)
    : panel_window(kit, host, {"scope_planets", "ORB Planets panel", "planets", "", 304, 337}) {
    build_window();
    disable_refresh_timer();
    msecs_edit.set_enabled(false);
    load_settings();
}

void Tscope_planets::build_window() {
    planets_panel.set_fills_parent(true);
    planets_group.set_caption("Planets Group");
    planets_group.set_bounds({0, 0, 304, 249});
    const forms::rect headings[] = {{12, 18, 60, 13}, {96, 18, 44, 13}, {146, 18, 70, 13}, {222, 18, 76, 13}};
    forms::label* labels[] = {&slew_label, &visible_label, &ra_label, &dec_label};
    const char* captions[] = {"Slew To:", "Visible", "Right Asc", "Declination"};
    for (int i = 0; i < 4; ++i) {
        labels[i]->set_caption(captions[i]);
        labels[i]->set_font_bold(true);
        labels[i]->set_bounds(headings[i]);
    }
    for (int i = 0; i < planet_count; ++i) {
        const planet_names& n = names[i];
        const int top = 36 + 24 * i;
        planet_row& row = planets[i];
        row.button = &planets_group.make_child<forms::button>(std::string(n.stem) + "_button");
        row.button->set_caption(n.caption);
        row.button->set_font_bold(true);
        row.button->set_bounds({12, top, 75, 21});
        row.led = &planets_group.make_child<forms::edit>(std::string(n.stem) + "_led");
        row.led->set_colour(forms::colours::red);
        row.led->set_bounds({104, top + 3, 17, 15});
        row.ra_edit = &planets_group.make_child<forms::edit>(std::string(n.coords) + "_ra_edit");
        row.ra_edit->set_bounds({146, top, 70, 21});
        row.dec_edit = &planets_group.make_child<forms::edit>(std::string(n.coords) + "_dec_edit");
        row.dec_edit->set_bounds({222, top, 74, 21});
    }

    poll_group.set_caption("Refresh Poll");
    poll_group.set_bounds({0, 249, 304, 88});
    refresh_check.set_caption("Refresh every");
    refresh_check.set_bounds({12, 22, 92, 17});
    msecs_edit.set_text("5");
    msecs_edit.set_bounds({108, 20, 33, 21});
    seconds_label.set_caption("Seconds");
    seconds_label.set_font_bold(true);
    seconds_label.set_bounds({148, 24, 56, 13});
    now_button.set_caption("Now");
    now_button.set_bounds({216, 18, 75, 25});
    refresh_button.set_caption("Refresh Now");
    refresh_button.set_bounds({12, 52, 279, 25});

    refresh_check.on_click = [this] { refresh_checkClick(); };
    now_button.on_click = [this] { now_buttonClick(); };
    // "Refresh every" starts cleared, and with it "Now".
    now_button.set_enabled(false);
}

void Tscope_planets::disable_refresh_timer() {
    polling_ = false;
    now_button.set_caption("Now");
}

void Tscope_planets::enable_refresh_timer() {
    polling_ = true;
    now_button.set_caption("Stop");
}

void Tscope_planets::refresh_checkClick() {
    const bool ticked = refresh_check.checked();
    if (!ticked) disable_refresh_timer();
    now_button.set_enabled(ticked);
    msecs_edit.set_enabled(ticked);
}

void Tscope_planets::now_buttonClick() {
    if (!refresh_check.checked() || polling_)
        disable_refresh_timer();
    else
        enable_refresh_timer();
}
