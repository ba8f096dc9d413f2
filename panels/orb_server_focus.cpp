// The focus panel's window, its settings, its buttons and edits, and the
// stop timer that ends every focus run.
#include "panels/orb_server_focus.h"

#include <algorithm>

#include "command_server/command_processor.h"
#include "panels/speed_group.h"
#include "settings/configuration_settings.h"
#include "settings/settings_file.h"
#include "text/integer_text.h"

namespace {

constexpr const char* focus_section = "focus";

panel_description focus_description() {
    panel_description d;
    d.form_name = "scope_focus";
    d.caption = "ORB Focus control";
    d.section = focus_section;
    d.help_keyword = "Focus";
    d.client_width = 227;
    d.client_height = 169;
    return d;
}

int integer_or(const std::string& text, int fallback) {
    const std::optional<std::int32_t> read = read_integer(text);
    return read ? *read : fallback;
}

} // namespace

Tscope_focus::Tscope_focus(forms::toolkit& kit, panel_host& host, const configuration_settings& settings)
    : panel_window(kit, host, focus_description()), settings_(settings) {
    build_window();
    focus_speed = 1;
    can_focus = false;
    flip_buttons(false);
    load_settings();
}

void Tscope_focus::build_window() {
    speed_label.set_caption("Focus Speed");
    speed_label.set_bounds({8, 0, 80, 13});
    speed_box.set_bounds({8, 14, 113, 153});
    first_speed_button.set_caption("1");
    first_speed_button.set_bounds({0, 0, 113, 76});
    first_speed_button.set_group_index(1);
    first_speed_button.on_click = [this] { speed_button_click(); };

    focus_minus_button.set_glyph("FOCUS_MINUS");
    focus_minus_button.set_bounds({130, 14, 28, 28});
    focus_minus_button.on_click = [this] { focus_minus_buttonClick(); };
    stop_button.set_glyph("STOP");
    stop_button.set_bounds({162, 14, 28, 28});
    stop_button.on_click = [this] { stop_buttonClick(); };
    focus_plus_button.set_glyph("FOCUS_PLUS");
    focus_plus_button.set_bounds({194, 14, 28, 28});
    focus_plus_button.on_click = [this] { focus_plus_buttonClick(); };

    timeout_duration_label.set_caption("Timeout");
    timeout_duration_label.set_bounds({130, 52, 60, 13});
    timeout_duration_edit.set_bounds({130, 66, 49, 21});
    timeout_duration_edit.set_text("500");
    millisecond_label.set_caption("Msecs");
    millisecond_label.set_bounds({184, 70, 38, 13});
    max_timeout_label.set_caption("Max Timeout");
    max_timeout_label.set_bounds({130, 92, 80, 13});
    max_timeout_edit.set_bounds({130, 106, 49, 21});
    max_timeout_edit.set_text("1500");
    min_timeout_label.set_caption("Min Timeout");
    min_timeout_label.set_bounds({130, 130, 80, 13});
    min_timeout_edit.set_bounds({130, 144, 49, 21});
    min_timeout_edit.set_text("500");

    // Hooked once the initial texts stand, so that they run nothing.
    timeout_duration_edit.on_change = [this] { timeout_duration_editChange(); };
    max_timeout_edit.on_change = [this] { max_timeout_editChange(); };
    min_timeout_edit.on_change = [this] { min_timeout_editChange(); };
    focus_timer.on_timer = [this] { focus_timerTimer(); };
}

void Tscope_focus::flip_buttons(bool on) {
    for (forms::control* c : std::initializer_list<forms::control*>{
             &millisecond_label, &focus_minus_button, &focus_plus_button, &timeout_duration_edit,
             &speed_label, &speed_box, &first_speed_button, &stop_button})
        c->set_enabled(on);
}

void Tscope_focus::enable_focus_timer() {
    // A run time of 0 or less stops the focuser at once rather than never:
    // a timer of 0 ms would not tick at all.
    focus_timer.stop();
    focus_timer.set_interval(std::max(timeout, 1));
    focus_timer.start();
}

std::uint8_t Tscope_focus::send_message_check(const std::string& command) {
    return network->send_message_check(command);
}

void Tscope_focus::rebuild_speed_buttons() {
    update_speed_group(speed_box, speed_chain_, can_focus, [this] { speed_button_click(); }, focus_speeds,
                       start_focus_speed);
}

void Tscope_focus::focus_button(const char* direction) {
    if (settings_.scope_type != configuration_settings::lx200 &&
        settings_.scope_type != configuration_settings::autostar)
        return;
    send_message_check("focus(speed=" + std::to_string(focus_speed) + ",dir=" + direction +
                       ",timeout=" + std::to_string(timeout) + ")");
}

void Tscope_focus::focus_minus_buttonClick() { focus_button("-"); }

void Tscope_focus::focus_plus_buttonClick() { focus_button("+"); }

void Tscope_focus::stop_buttonClick() {
    send_message_check("stop_focus");
    focus_timer.stop();
}

// The end of a run the scope was already given: it passes the gate even if
// the client that started the run has given control back meanwhile.
void Tscope_focus::focus_timerTimer() {
    focus_timer.stop();
    if (network->send_safety_stop("stop_focus") == command_processor::success) return;
    network->update_status_log_check("Unable to stop focus");
    enable_focus_timer();
}

void Tscope_focus::speed_button_click() { focus_speed = set_slew_speed(speed_box); }

void Tscope_focus::timeout_duration_editChange() {
    timeout = integer_or(timeout_duration_edit.text(), 500);
    if (timeout < min_timeout || timeout > max_timeout) {
        timeout = 500;
        timeout_duration_edit.set_text("500");
    }
}

void Tscope_focus::max_timeout_editChange() {
    max_timeout = integer_or(max_timeout_edit.text(), -1);
    if (max_timeout < 0 || max_timeout > 1500) {
        max_timeout = 1500;
        max_timeout_edit.set_text("1500");
    }
}

void Tscope_focus::min_timeout_editChange() {
    min_timeout = integer_or(min_timeout_edit.text(), -1);
    if (min_timeout < 10) {
        min_timeout = 10;
        min_timeout_edit.set_text("10");
    }
}

// The keys are read in their order in the file, but the limits are settled
// before the stored run time is checked against them, so that a run time
// within the stored limits survives a restart.
void Tscope_focus::load_own_settings(const ini_file& file) {
    can_focus = file.read_bool(focus_section, "can_focus", false);
    const int stored_timeout = file.read_integer(focus_section, "timeout", 500);
    start_focus_speed = file.read_integer(focus_section, "start_focus_speed", 1);
    focus_speeds = file.read_integer(focus_section, "focus_speeds", 2);
    if (focus_speeds < 2 || focus_speeds > 9) focus_speeds = 2;
    min_timeout = file.read_integer(focus_section, "min", 10);
    max_timeout = file.read_integer(focus_section, "max", 1500);
    timeout = stored_timeout;
    timeout_duration_edit.set_text(std::to_string(stored_timeout));
}

void Tscope_focus::save_own_settings(ini_file& file) {
    file.write_bool(focus_section, "can_focus", can_focus);
    file.write_integer(focus_section, "timeout", timeout);
    file.write_integer(focus_section, "start_focus_speed", start_focus_speed);
    file.write_integer(focus_section, "focus_speeds", focus_speeds);
    file.write_integer(focus_section, "min", min_timeout);
    file.write_integer(focus_section, "max", max_timeout);
}

void Tscope_focus::form_shown() { rebuild_speed_buttons(); }
