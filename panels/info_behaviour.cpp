// The information panel's behaviour: reading the scope's name and
// capabilities into the panels that use them, reading and showing the
// position with the altitude guard, and the refresh timer.
#include "panels/orb_server_info.h"

#include "command_server/command_processor.h"
#include "panels/orb_server_control.h"
#include "scope_link/orb_server_object.h"
#include "scope_link/serial_link.h"
#include "settings/configuration_settings.h"
#include "text/integer_text.h"

// Each step must succeed for the next to run; what the steps before a
// failing one stored stays stored.
bool Tscope_info::read_capabilities(std::string& name) {
    command_processor& processor = peers_.processor();
    Tscope_control& control = peers_.control();
    if (!processor.get_string("name", name)) return false;
    if (!processor.get_boolean("can_goto", control.can_goto)) return false;
    if (!processor.get_boolean("can_sync", control.can_sync)) return false;
    if (!processor.get_boolean("can_slew", control.can_slew)) return false;
    if (!processor.get_boolean("can_focus", can_focus)) return false;
    if (can_focus) {
        std::int32_t speeds = focus_speeds;
        if (!processor.get_integer("focus_speeds", speeds)) return false;
        focus_speeds = speeds;
    }
    return processor.get_boolean("can_track", can_track);
}

void Tscope_info::get_info() {
    if (peers_.processor().send_message_check("get_info") == command_processor::success)
        take_capabilities();
    else
        peers_.control().scope_name = "unknown scope";
}

void Tscope_info::take_capabilities() {
    std::string name;
    Tscope_control& control = peers_.control();
    if (read_capabilities(name))
        control.scope_name = name.substr(0, Tscope_control::scope_name_length);
    else
        control.scope_name = "unknown scope";
}

void Tscope_info::get_ra_dec() {
    command_processor& processor = peers_.processor();
    if (processor.send_message_check("get_ra_dec") != command_processor::success) return;
    if (processor.get_float("ra", scope_object_.ra)) processor.get_float("dec", scope_object_.dec);
}

void Tscope_info::get_az_alt() {
    command_processor& processor = peers_.processor();
    if (processor.send_message_check("get_az_alt") != command_processor::success) return;
    if (processor.get_float("alt", scope_object_.alt)) processor.get_float("az", scope_object_.az);
}

void Tscope_info::show_info() {
    hms ra;
    dms dec, az;
    ams alt;
    scope_object_.current_ra(ra, settings_);
    scope_object_.current_dec(dec, settings_);
    scope_object_.current_az(az, settings_);
    scope_object_.current_alt(alt, settings_);
    const auto write = [](forms::edit& edit, std::int32_t value) { edit.set_text(std::to_string(value)); };
    write(ra_hours_edit, ra.units);
    write(ra_minutes_edit, ra.minutes);
    write(ra_seconds_edit, ra.seconds);
    write(dec_degrees_edit, dec.units);
    write(dec_minutes_edit, dec.minutes);
    write(dec_seconds_edit, dec.seconds);
    write(az_degrees_edit, az.units);
    write(az_minutes_edit, az.minutes);
    write(az_seconds_edit, az.seconds);
    write(alt_degrees_edit, alt.units);
    // Below the horizon or beyond the zenith: stop, and show it in red.
    if (alt.units < 0 || alt.units > 90) {
        peers_.control().stop_scope();
        alt_degrees_edit.set_colour(forms::colours::red);
    } else {
        alt_degrees_edit.set_colour(forms::colour::theme());
    }
    write(alt_minutes_edit, alt.minutes);
    write(alt_seconds_edit, alt.seconds);
}

void Tscope_info::get_ra_dec_buttonClick() {
    get_ra_dec();
    show_info();
}

void Tscope_info::get_alt_az_buttonClick() {
    get_az_alt();
    show_info();
}

void Tscope_info::get_all_buttonClick() {
    get_ra_dec();
    get_az_alt();
    show_info();
}

void Tscope_info::timer_buttonClick() {
    if (controller_timer.enabled()) {
        controller_timer.stop();
        timer_button.set_caption("Start");
    } else {
        timer_button.set_caption("Stop");
        controller_timer.start();
    }
}

void Tscope_info::controller_timerTimer() {
    if (link_.waiting() || !settings_.scope_enabled) return;
    get_info();
    show_info();
}

// The rate is also the timer's interval, so the box does what it says.
void Tscope_info::refresh_rate_editChange() {
    refresh_rate = read_integer(refresh_rate_edit.text(), {.blanks_around = true}).value_or(0);
    if (refresh_rate < shortest_refresh) {
        refresh_rate = shortest_refresh;
        refresh_rate_edit.set_text(std::to_string(shortest_refresh));
    }
    controller_timer.set_interval(refresh_rate);
}
