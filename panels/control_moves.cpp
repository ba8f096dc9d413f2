// The slew panel's moves: the four slew buttons under either method, the
// goto, the edit boxes of the angles with their spins, the window
// percentage, the direction labels and the choice of method.
#include "panels/orb_server_control.h"

#include <cmath>

#include "command_server/command_processor.h"
#include "panels/part_normalisation.h"
#include "scope_link/orb_server_object.h"
#include "text/integer_text.h"
#include "text/number_text.h"

namespace {

// Goto reads whole numbers; anything else counts as 0.
int whole_number_or_zero(const std::string& text) {
    return read_integer(text, {.blanks_around = true}).value_or(0);
}

double number_or(const std::string& text, double fallback) {
    double value = 0;
    return parse_general_number(text, value) ? value : fallback;
}

int whole_part(double value) {
    const double t = std::trunc(value);
    if (!(t > -2147483648.0 && t < 2147483648.0)) return t < 0 ? -2147483647 - 1 : 2147483647;
    return int(t);
}

} // namespace

void Tscope_control::north_button_down() { slew(direction::north); }
void Tscope_control::south_button_down() { slew(direction::south); }
void Tscope_control::east_button_down() { slew(direction::east); }
void Tscope_control::west_button_down() { slew(direction::west); }

void Tscope_control::slew(direction which) {
    if (slew_busy) return;
    slew_busy = true;
    static constexpr const char* names[] = {"north", "south", "east", "west"};
    const std::string name = names[int(which)];
    write_status_log(name + " - begin");
    if (move_method == 0) {
        std::string command;
        switch (which) {
        case direction::north: command = north_label.caption() == "N" ? "move_screen_up" : "move_screen_down"; break;
        case direction::south: command = south_label.caption() == "S" ? "move_screen_down" : "move_screen_up"; break;
        case direction::east: command = west_label.caption() == "W" ? "move_screen_left" : "move_screen_right"; break;
        case direction::west: command = east_label.caption() == "E" ? "move_screen_right" : "move_screen_left"; break;
        }
        peers_.processor().send_message_check(command);
    } else if (move_degrees + move_minutes + move_seconds > 0) {
        static constexpr const char* words[] = {"up", "down", "right", "left"};
        move_distance(words[int(which)]);
    } else {
        slew_busy = false;
    }
    write_status_log(name + " - end");
}

void Tscope_control::move_distance(const std::string& direction_word) {
    const double distance = move_degrees + (move_minutes + move_seconds / 60) / 60;
    peers_.processor().send_message_check("move_" + direction_word + "(distance=" +
                                          format_general_number(distance) + ")");
}

void Tscope_control::go_to() {
    const double ra = whole_number_or_zero(ra_hours_edit.text()) + whole_number_or_zero(ra_minutes_edit.text()) / 60.0 +
                      whole_number_or_zero(ra_seconds_edit.text()) / 3600.0;
    const double dec = whole_number_or_zero(dec_degrees_edit.text()) +
                       whole_number_or_zero(dec_minutes_edit.text()) / 60.0 +
                       whole_number_or_zero(dec_seconds_edit.text()) / 3600.0;
    scope_object_.ra = ra;
    scope_object_.dec = dec;
    peers_.processor().send_message_check("goto(ra=" + format_general_number(ra) + ",dec=" +
                                          format_general_number(dec) + ")");
}

namespace {

// Reads, normalises and writes back one row of three edits with their spins.
void update_row(forms::edit& units, forms::edit& minutes, forms::edit& seconds, forms::up_down& units_spin,
                forms::up_down& minutes_spin, forms::up_down& seconds_spin, double limit) {
    angle_parts p{number_or(units.text(), 0), number_or(minutes.text(), 0), number_or(seconds.text(), 0)};
    p = normalise_parts(p, limit);
    units.set_text(format_general_number(p.units));
    minutes.set_text(format_general_number(p.minutes));
    seconds.set_text(format_general_number(p.seconds));
    units_spin.set_position(whole_part(p.units));
    minutes_spin.set_position(whole_part(p.minutes));
    seconds_spin.set_position(whole_part(p.seconds));
}

} // namespace

void Tscope_control::update_ra_edit_boxes() {
    update_row(ra_hours_edit, ra_minutes_edit, ra_seconds_edit, ra_hours_up_down, ra_minutes_up_down,
               ra_seconds_up_down, 24);
}

void Tscope_control::update_dec_edit_boxes() {
    update_row(dec_degrees_edit, dec_minutes_edit, dec_seconds_edit, dec_degrees_up_down, dec_minutes_up_down,
               dec_seconds_up_down, 90);
}

void Tscope_control::update_degrees() {
    const angle_parts p = normalise_parts({move_degrees, move_minutes, move_seconds}, 360);
    move_degrees = p.units;
    move_minutes = p.minutes;
    move_seconds = p.seconds;
}

void Tscope_control::update_edit_boxes() {
    move_degrees = number_or(move_degrees_edit.text(), move_degrees);
    move_minutes = number_or(move_minutes_edit.text(), move_minutes);
    move_seconds = number_or(move_seconds_edit.text(), move_seconds);
    update_degrees();
    move_degrees_edit.set_text(format_general_number(move_degrees));
    move_minutes_edit.set_text(format_general_number(move_minutes));
    move_seconds_edit.set_text(format_general_number(move_seconds));
    set_move_spins();
}

// The spins show the whole parts; their handlers stay out meanwhile, or they
// would read those whole numbers back and drop the stored fractions.
void Tscope_control::set_move_spins() {
    bool* guards[] = {&move_degrees_changing_, &move_minutes_changing_, &move_seconds_changing_};
    bool before[3];
    for (int i = 0; i < 3; ++i) {
        before[i] = *guards[i];
        *guards[i] = true;
    }
    move_degrees_up_down.set_position(whole_part(move_degrees));
    move_minutes_up_down.set_position(whole_part(move_minutes));
    move_seconds_up_down.set_position(whole_part(move_seconds));
    for (int i = 0; i < 3; ++i) *guards[i] = before[i];
}

void Tscope_control::window_trackChange() {
    window_percent = 2.0 * window_track.position();
    degrees_edit.set_text(format_general_number(window_percent));
}

void Tscope_control::degrees_editKeyPress() {
    const double value = number_or(degrees_edit.text(), 0.5);
    if (value < 0 || value > 100) return;
    window_percent = value;
    window_track.set_position(whole_part(value) / 2);
}

// ---- the direction labels ----

namespace {

// A click on a label showing its own letter swaps the pair; otherwise it
// puts the pair back.
void swap_pair(const forms::label& clicked, const char* own, forms::label& first, forms::label& second,
               const char* first_letter, const char* second_letter, bool& swapped) {
    swapped = clicked.caption() == own;
    first.set_caption(swapped ? second_letter : first_letter);
    second.set_caption(swapped ? first_letter : second_letter);
}

} // namespace

void Tscope_control::north_labelClick() {
    if (!locked_check.checked()) swap_pair(north_label, "N", north_label, south_label, "N", "S", swap_north_south);
}

void Tscope_control::south_labelClick() {
    if (!locked_check.checked()) swap_pair(south_label, "S", north_label, south_label, "N", "S", swap_north_south);
}

void Tscope_control::east_labelClick() {
    if (!locked_check.checked()) swap_pair(east_label, "E", east_label, west_label, "E", "W", swap_east_west);
}

void Tscope_control::west_labelClick() {
    if (!locked_check.checked()) swap_pair(west_label, "W", east_label, west_label, "E", "W", swap_east_west);
}

// ---- the move method ----

void Tscope_control::change_window_method() {
    for (forms::control* c : std::initializer_list<forms::control*>{
             &move_units_group, &move_degrees_edit, &move_minutes_edit, &move_seconds_edit, &move_degrees_up_down,
             &move_minutes_up_down, &move_seconds_up_down, &move_degrees_label, &move_minutes_label,
             &move_seconds_label})
        c->set_enabled(false);
    window_track.set_enabled(true);
    degrees_edit.set_enabled(true);
    move_window_group.set_enabled(true);
    move_method = 0;
    window_move_button.set_down(true);
}

void Tscope_control::change_degree_method() {
    move_window_group.set_enabled(false);
    window_track.set_enabled(false);
    degrees_edit.set_enabled(false);
    for (forms::control* c : std::initializer_list<forms::control*>{
             &move_degrees_edit, &move_minutes_edit, &move_seconds_edit, &move_degrees_up_down,
             &move_minutes_up_down, &move_seconds_up_down, &move_degrees_label, &move_minutes_label,
             &move_seconds_label, &move_units_group})
        c->set_enabled(true);
    move_method = 1;
    degree_move_button.set_down(true);
}
