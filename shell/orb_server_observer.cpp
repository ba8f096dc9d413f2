// The location panel's window, its settings, and the confirmation of a row
// of degrees, minutes and seconds.
#include "shell/orb_server_observer.h"

#include <algorithm>
#include <cmath>

#include "settings/settings_file.h"
#include "text/integer_text.h"
#include "text/number_text.h"

namespace {

constexpr const char* observer_section = "observer";

panel_description observer_description() {
    panel_description d;
    d.form_name = "scope_observer";
    d.caption = "ORB Location panel";
    d.section = observer_section;
    d.help_keyword = "Location";
    d.client_width = 257;
    d.client_height = 121;
    return d;
}

std::int32_t integer_or_zero(const std::string& text) {
    const std::optional<std::int32_t> read = read_integer(text);
    return read ? *read : 0;
}

} // namespace

Tscope_observer::Tscope_observer(forms::toolkit& kit, panel_host& host)
    : panel_window(kit, host, observer_description()),
      latitude_row_{{&latitude_degrees_edit, &latitude_minutes_edit, &latitude_seconds_edit},
                    {&latitude_degrees_up_down, &latitude_minutes_up_down, &latitude_seconds_up_down},
                    &latitude_working_, 90, &latitude},
      longitude_row_{{&longitude_degrees_edit, &longitude_minutes_edit, &longitude_seconds_edit},
                     {&longitude_degrees_up_down, &longitude_minutes_up_down, &longitude_seconds_up_down},
                     &longitude_working_, 360, &longitude} {
    build_window();
    time_zone = integer_or_zero(time_zone_edit.text());
    load_settings();
}

void Tscope_observer::build_window() {
    observer_panel.set_fills_parent(true);
    observatory_group.set_fills_parent(true);
    observatory_group.set_caption("Observatory ");

    const int columns[3] = {88, 144, 200};
    forms::label* headings[3] = {&move_degrees_label, &move_minutes_label, &move_seconds_label};
    const char* heading_texts[3] = {"Degrees", "Minutes", "Seconds"};
    for (int i = 0; i < 3; ++i) {
        headings[i]->set_caption(heading_texts[i]);
        headings[i]->set_font_bold(true);
        headings[i]->set_bounds({columns[i], 8, 56, 13});
    }
    latitude_label.set_caption("Latitude : ");
    latitude_label.set_bounds({8, 28, 76, 13});
    longitude_label.set_caption("Longitude :\n(negative east \nof Greenwich)");
    longitude_label.set_bounds({8, 48, 78, 39});
    time_zone_label.set_caption("Time Zone UT+");
    time_zone_label.set_bounds({8, 96, 78, 13});
    hours_label.set_caption("Hours");
    hours_label.set_bounds({148, 96, 40, 13});

    const auto place = [](forms::edit& box, forms::up_down& spin, int left, int top, int min, int max) {
        box.set_bounds({left, top, 41, 21});
        box.set_text("0");
        spin.set_bounds({left + 41, top, 15, 21});
        spin.set_range(min, max);
        spin.set_wraps(true);
        spin.set_associate(&box);
    };
    const int ranges[2][3][2] = {{{-90, 90}, {-1, 60}, {-1, 60}}, {{-1, 360}, {-1, 60}, {-1, 60}}};
    row* rows[2] = {&latitude_row_, &longitude_row_};
    const int tops[2] = {24, 48};
    for (int r = 0; r < 2; ++r)
        for (int i = 0; i < 3; ++i)
            place(*rows[r]->edits[i], *rows[r]->up_downs[i], columns[i], tops[r], ranges[r][i][0],
                  ranges[r][i][1]);
    place(time_zone_edit, time_zone_up_down, columns[0], 92, -1, 360);

    hook(latitude_row_);
    hook(longitude_row_);
    time_zone_edit.on_change = [this] { time_zone_editChange(); };
    time_zone_up_down.on_click = [this] { time_zone_up_downClick(); };
}

// Enter in a box confirms its row; an up-down confirms it as it is about to
// change, so the field holds what the boxes showed before the click.
void Tscope_observer::hook(row& r) {
    const int first_guard = &r == &latitude_row_ ? 0 : 3;
    for (int i = 0; i < 3; ++i) {
        r.edits[i]->on_key_enter = [this, &r] { confirm(r); };
        r.up_downs[i]->on_changing = [this, &r, guard = first_guard + i] {
            if (guards_[guard]) return;
            guards_[guard] = true;
            confirm(r);
            guards_[guard] = false;
        };
    }
}

void Tscope_observer::latitude_edit_boxes() { confirm(latitude_row_); }

void Tscope_observer::longitude_edit_boxes() { confirm(longitude_row_); }

void Tscope_observer::confirm(row& r) {
    double* parts[3] = {&r.working->units, &r.working->minutes, &r.working->seconds};
    for (int i = 0; i < 3; ++i) {
        double value = 0;
        if (parse_general_number(r.edits[i]->text(), value)) *parts[i] = value;
    }
    *r.working = normalise_parts(*r.working, r.limit);
    *r.field = angle_value(*r.working);

    // The row's up-downs are moved to the new whole numbers without
    // confirming the row again; each box then shows its value in full.
    const int first_guard = &r == &latitude_row_ ? 0 : 3;
    bool held[3];
    for (int i = 0; i < 3; ++i) {
        held[i] = guards_[first_guard + i];
        guards_[first_guard + i] = true;
    }
    for (int i = 0; i < 3; ++i) {
        // Any typed number fits: the up-down keeps to its range anyway.
        const double whole = std::clamp(std::trunc(*parts[i]), -1e9, 1e9);
        r.up_downs[i]->set_position(int(whole));
        r.edits[i]->set_text(format_general_number(*parts[i]));
    }
    for (int i = 0; i < 3; ++i) guards_[first_guard + i] = held[i];
}

void Tscope_observer::time_zone_editChange() { time_zone = integer_or_zero(time_zone_edit.text()); }

void Tscope_observer::time_zone_up_downClick() {
    if (guards_[6]) return;
    guards_[6] = true;
    time_zone = integer_or_zero(time_zone_edit.text());
    guards_[6] = false;
}

bool Tscope_observer::set_location(double, double, double, double) { return true; }

void Tscope_observer::load_own_settings(const ini_file& file) {
    longitude = file.read_float(observer_section, "longitude", 4.0);
    latitude = file.read_float(observer_section, "latitude", 51.0);
}

void Tscope_observer::save_own_settings(ini_file& file) {
    file.write_float(observer_section, "longitude", longitude);
    file.write_float(observer_section, "latitude", latitude);
}
