// The slew panel's window: its controls with their captions, places and
// ranges, the hooks of its handlers, creation and its settings.
#include "panels/orb_server_control.h"

#include <cmath>

#include "settings/settings_file.h"
#include "text/number_text.h"

namespace {

constexpr const char* control_section = "control";

void place_label(forms::label& label, const char* caption, forms::rect bounds, bool bold = false) {
    label.set_caption(caption);
    label.set_bounds(bounds);
    if (bold) label.set_font_bold(true);
}

void place_spin(forms::up_down& spin, forms::edit& edit, forms::rect edit_bounds, int max, bool wraps) {
    edit.set_text("0");
    edit.set_bounds(edit_bounds);
    spin.set_bounds({edit_bounds.left + edit_bounds.width, edit_bounds.top, 13, edit_bounds.height});
    spin.set_associate(&edit);
    spin.set_range(0, max);
    spin.set_wraps(wraps);
}

} // namespace

Tscope_control::Tscope_control(forms::toolkit& kit, panel_host& host, const panel_peers& peers,
                               tscope_object& scope_object)
    : panel_window(kit, host, {"scope_control", "ORB Slew control", "control", "Control", 312, 304}),
      peers_(peers),
      scope_object_(scope_object) {
    build_window();
    // formcreate
    flip_buttons(false);
    can_slew = true;
    window_track.set_range(0, 50);
    hook_handlers();
    load_settings();
    slew_busy = false;
}

void Tscope_control::build_window() {
    slew_group.set_caption("Move ");
    slew_group.set_bounds({8, 8, 144, 140});
    const struct {
        forms::glyph_button& button;
        const char* glyph;
        forms::rect bounds;
    } arrows[] = {{north_button, "ARROW_UP", {56, 20, 25, 25}},
                  {east_button, "ARROW_LEFT", {24, 50, 25, 25}},
                  {stop_button, "STOP", {56, 50, 25, 25}},
                  {west_button, "ARROW_RIGHT", {88, 50, 25, 25}},
                  {south_button, "ARROW_DOWN", {56, 80, 25, 25}}};
    for (const auto& a : arrows) {
        a.button.set_glyph(a.glyph);
        a.button.set_bounds(a.bounds);
    }
    place_label(north_label, "N", {86, 26, 10, 13}, true);
    place_label(south_label, "S", {86, 86, 10, 13}, true);
    place_label(east_label, "E", {12, 56, 10, 13}, true);
    place_label(west_label, "W", {118, 56, 12, 13}, true);
    locked_check.set_caption("Lock");
    locked_check.set_bounds({8, 114, 56, 17});
    locked_check.set_checked(true);
    window_move_button.set_caption("%");
    window_move_button.set_group_index(1);
    window_move_button.set_bounds({88, 112, 23, 22});
    window_move_button.set_down(true);
    degree_move_button.set_caption("\"");
    degree_move_button.set_group_index(1);
    degree_move_button.set_bounds({112, 112, 23, 22});

    move_window_group.set_caption("Move by window");
    move_window_group.set_bounds({160, 8, 144, 68});
    window_track.set_bounds({8, 16, 128, 22});
    place_label(window_label, "Percentage of window", {6, 44, 104, 13});
    degrees_edit.set_text("80");
    degrees_edit.set_bounds({110, 40, 28, 21});

    move_units_group.set_caption("Move by units");
    move_units_group.set_bounds({160, 80, 144, 68});
    place_label(move_degrees_label, "Degrees", {8, 16, 40, 13});
    place_label(move_minutes_label, "Minutes", {54, 16, 40, 13});
    place_label(move_seconds_label, "Seconds", {100, 16, 40, 13});
    place_spin(move_degrees_up_down, move_degrees_edit, {8, 34, 26, 21}, 359, true);
    place_spin(move_minutes_up_down, move_minutes_edit, {54, 34, 26, 21}, 59, true);
    place_spin(move_seconds_up_down, move_seconds_edit, {100, 34, 26, 21}, 59, true);

    goto_group.set_caption("Goto");
    goto_group.set_bounds({8, 152, 296, 96});
    place_label(hours_label, "Hours", {48, 14, 40, 13});
    place_label(ra_minutes_label, "Minutes", {104, 14, 40, 13});
    place_label(ra_seconds_label, "Seconds", {160, 14, 40, 13});
    place_label(ra_label, "RA", {8, 32, 30, 13});
    place_spin(ra_hours_up_down, ra_hours_edit, {48, 28, 36, 21}, 23, false);
    place_spin(ra_minutes_up_down, ra_minutes_edit, {104, 28, 36, 21}, 59, false);
    place_spin(ra_seconds_up_down, ra_seconds_edit, {160, 28, 36, 21}, 59, false);
    place_label(degrees_label, "Degrees", {48, 52, 40, 13});
    place_label(dec_minutes_label, "Minutes", {104, 52, 40, 13});
    place_label(dec_seconds_label, "Seconds", {160, 52, 40, 13});
    place_label(dec_label, "DEC", {8, 70, 30, 13});
    place_spin(dec_degrees_up_down, dec_degrees_edit, {48, 66, 36, 21}, 89, false);
    place_spin(dec_minutes_up_down, dec_minutes_edit, {104, 66, 36, 21}, 59, false);
    place_spin(dec_seconds_up_down, dec_seconds_edit, {160, 66, 36, 21}, 59, false);
    goto_button.set_caption("Goto");
    goto_button.set_bounds({224, 26, 64, 25});
    refresh_button.set_caption("Update");
    refresh_button.set_bounds({224, 62, 64, 25});

    connect_group.set_caption("Connect");
    connect_group.set_bounds({8, 252, 296, 48});
    connect_button.set_caption("Connect");
    connect_button.set_bounds({8, 16, 75, 25});
    led_display.set_bounds({112, 18, 72, 21});
    led_display.set_read_only(true);
    led_display.set_enabled(false);
    led_display.set_colour(forms::colours::red);
    disconnect_button.set_caption("Disconnect");
    disconnect_button.set_bounds({213, 16, 75, 25});
}

void Tscope_control::hook_handlers() {
    north_button.on_click = [this] { north_button_down(); };
    south_button.on_click = [this] { south_button_down(); };
    east_button.on_click = [this] { east_button_down(); };
    west_button.on_click = [this] { west_button_down(); };
    stop_button.on_click = [this] { stop_button_down(); };
    north_label.on_click = [this] { north_labelClick(); };
    south_label.on_click = [this] { south_labelClick(); };
    east_label.on_click = [this] { east_labelClick(); };
    west_label.on_click = [this] { west_labelClick(); };
    window_move_button.on_click = [this] { window_move_buttonClick(); };
    degree_move_button.on_click = [this] { degree_move_buttonClick(); };
    window_track.on_change = [this] { window_trackChange(); };
    degrees_edit.on_key_enter = [this] { degrees_editKeyPress(); };
    goto_button.on_click = [this] { goto_buttonClick(); };
    refresh_button.on_click = [this] { goto_buttonClick(); };
    connect_button.on_click = [this] { connect_to_scope_click(); };
    disconnect_button.on_click = [this] { disconnect_from_scope_click(); };

    for (forms::edit* e : {&move_degrees_edit, &move_minutes_edit, &move_seconds_edit}) {
        e->on_key_enter = [this] { update_edit_boxes(); };
        e->on_click = [this] { update_edit_boxes(); };
        e->on_enter = [this] { update_edit_boxes(); };
        e->on_exit = [this] { update_edit_boxes(); };
    }
    move_minutes_up_down.on_changing = [this] { guarded(move_minutes_changing_, &Tscope_control::update_edit_boxes); };
    move_seconds_up_down.on_changing = [this] { guarded(move_seconds_changing_, &Tscope_control::update_edit_boxes); };
    // After an arrow has stepped a value, the stored angle follows what the
    // edits show, so the next move is the one the user sees.
    for (forms::up_down* s : {&move_degrees_up_down, &move_minutes_up_down, &move_seconds_up_down})
        s->on_click = [this] { guarded(move_degrees_changing_, &Tscope_control::update_edit_boxes); };

    for (forms::edit* e : {&ra_hours_edit, &ra_minutes_edit, &ra_seconds_edit})
        e->on_key_enter = [this] { update_ra_edit_boxes(); };
    for (forms::edit* e : {&dec_degrees_edit, &dec_minutes_edit, &dec_seconds_edit})
        e->on_key_enter = [this] { update_dec_edit_boxes(); };
    ra_hours_up_down.on_changing = [this] { guarded(ra_hours_changing_, &Tscope_control::update_ra_edit_boxes); };
    ra_minutes_up_down.on_changing = [this] { guarded(ra_minutes_changing_, &Tscope_control::update_ra_edit_boxes); };
    ra_seconds_up_down.on_changing = [this] { guarded(ra_seconds_changing_, &Tscope_control::update_ra_edit_boxes); };
    dec_degrees_up_down.on_changing = [this] { guarded(dec_degrees_changing_, &Tscope_control::update_dec_edit_boxes); };
    dec_minutes_up_down.on_changing = [this] { guarded(dec_minutes_changing_, &Tscope_control::update_dec_edit_boxes); };
    dec_seconds_up_down.on_changing = [this] { guarded(dec_seconds_changing_, &Tscope_control::update_dec_edit_boxes); };
}

void Tscope_control::guarded(bool& guard, void (Tscope_control::*body)()) {
    if (guard) return;
    guard = true;
    try {
        (this->*body)();
    } catch (...) {
        guard = false;
        throw;
    }
    guard = false;
}

void Tscope_control::load_own_settings(const ini_file& file) {
    move_method = file.read_integer(control_section, "move_method", 0);
    window_percent = file.read_float(control_section, "window_percent", 80);
    move_degrees = file.read_float(control_section, "move_degrees", 0);
    move_minutes = file.read_float(control_section, "move_minutes", 0);
    move_seconds = file.read_float(control_section, "move_seconds", 1);
    // The track holds half the percentage; its handler sets it back to twice the position.
    window_track.set_position(int(std::trunc(window_percent)) / 2);
    degrees_edit.set_text(format_general_number(window_percent));
    update_degrees();
    move_degrees_edit.set_text(format_general_number(move_degrees));
    move_minutes_edit.set_text(format_general_number(move_minutes));
    move_seconds_edit.set_text(format_general_number(move_seconds));
    set_move_spins();
    if (move_method == 0)
        window_move_button.set_down(true);
    else
        degree_move_button.set_down(true);
    swap_north_south = file.read_bool(control_section, "swap_north_south", false);
    swap_east_west = file.read_bool(control_section, "swap_east_west", false);
    can_goto = file.read_bool(control_section, "can_goto", false);
    can_sync = file.read_bool(control_section, "can_sync", false);
    north_label.set_caption(swap_north_south ? "S" : "N");
    south_label.set_caption(swap_north_south ? "N" : "S");
    east_label.set_caption(swap_east_west ? "W" : "E");
    west_label.set_caption(swap_east_west ? "E" : "W");
    locked_check.set_checked(true);
}

void Tscope_control::save_own_settings(ini_file& file) {
    file.write_integer(control_section, "move_method", move_method);
    file.write_float(control_section, "window_percent", window_percent);
    file.write_float(control_section, "move_degrees", move_degrees);
    file.write_float(control_section, "move_minutes", move_minutes);
    file.write_float(control_section, "move_seconds", move_seconds);
    file.write_bool(control_section, "swap_north_south", swap_north_south);
    file.write_bool(control_section, "swap_east_west", swap_east_west);
    file.write_bool(control_section, "can_goto", can_goto);
    file.write_bool(control_section, "can_sync", can_sync);
}
