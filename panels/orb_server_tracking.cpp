// The tracking panel's window, its settings and its four buttons.
#include "panels/orb_server_tracking.h"

#include "command_server/command_processor.h"
#include "settings/settings_file.h"
#include "text/number_text.h"

namespace {

constexpr const char* tracking_section = "tracking";
constexpr double tracking_step = 0.1; // hertz

panel_description tracking_description() {
    panel_description d;
    d.form_name = "scope_tracking";
    d.caption = "ORB Tracking control";
    d.section = tracking_section;
    d.help_keyword = "Tracking";
    d.client_width = 221;
    d.client_height = 197;
    return d;
}

} // namespace

Tscope_tracking::Tscope_tracking(forms::toolkit& kit, panel_host& host)
    : panel_window(kit, host, tracking_description()) {
    build_window();
    default_tracking_rate = tracking_rate = 60;
    default_lunar_tracking_rate = 57.9;
    tracks_by = 0.1;
    can_track = false;
    show_rate();
    flip_buttons(false);
    load_settings();
}

void Tscope_tracking::build_window() {
    // The caption as the panel has always shown it.
    change_tracking_group.set_caption("Chagnge Tracking by 0.1 hertz");
    change_tracking_group.set_bounds({8, 8, 205, 73});
    decrease_tracking_button.set_glyph("STEP_DOWN");
    decrease_tracking_button.set_bounds({12, 26, 33, 33});
    tracking_edit.set_bounds({56, 32, 93, 21});
    increase_tracking_button.set_glyph("STEP_UP");
    increase_tracking_button.set_hint("Increase Tracking");
    increase_tracking_button.set_bounds({160, 26, 33, 33});

    preset_defaults_group.set_caption("Preset Defaults");
    preset_defaults_group.set_bounds({8, 92, 205, 97});
    lunar_tracking_button.set_caption("Lunar");
    lunar_tracking_button.set_hint("Set to Lunar tracking");
    lunar_tracking_button.set_bounds({12, 24, 75, 25});
    lunar_tracking_label.set_caption("Set to Lunar tracking");
    lunar_tracking_label.set_bounds({96, 30, 104, 13});
    default_tracking_button.set_caption("Reset");
    default_tracking_button.set_hint("Reset to defaults");
    default_tracking_button.set_bounds({12, 60, 75, 25});
    default_tracking_label.set_caption("Reset to Defaults");
    default_tracking_label.set_bounds({96, 66, 104, 13});

    decrease_tracking_button.on_click = [this] { decrease_tracking_buttonClick(); };
    increase_tracking_button.on_click = [this] { increase_tracking_buttonClick(); };
    lunar_tracking_button.on_click = [this] { lunar_tracking_buttonClick(); };
    default_tracking_button.on_click = [this] { default_tracking_buttonClick(); };
    tracking_edit.on_change = [this] { tracking_editChange(); };
}

void Tscope_tracking::flip_buttons(bool on) {
    change_tracking_group.set_enabled(on);
    preset_defaults_group.set_enabled(on);
}

void Tscope_tracking::show_rate() { tracking_edit.set_text(format_general_number(tracking_rate)); }

bool Tscope_tracking::send(const char* command, bool& sent) {
    sent = network->local_control;
    return sent && network->send_message_check(command) == command_processor::success;
}

void Tscope_tracking::decrease_tracking_buttonClick() {
    bool sent = false;
    if (!send("decrease_tracking", sent)) return;
    tracking_rate -= tracking_step;
    show_rate();
}

void Tscope_tracking::increase_tracking_buttonClick() {
    bool sent = false;
    if (!send("increase_tracking", sent)) return;
    tracking_rate += tracking_step;
    show_rate();
}

void Tscope_tracking::lunar_tracking_buttonClick() {
    bool sent = false;
    send("lunar_tracking", sent);
    if (!sent) return;
    tracking_rate = default_lunar_tracking_rate;
    show_rate();
}

void Tscope_tracking::default_tracking_buttonClick() {
    bool sent = false;
    send("default_tracking", sent);
    if (!sent) return;
    tracking_rate = default_tracking_rate;
    show_rate();
}

// Typing is undone at once: the box shows the rate the panel believes is set.
void Tscope_tracking::tracking_editChange() { show_rate(); }

// The rate shown stays 60 at every start, whatever the stored default.
void Tscope_tracking::load_own_settings(const ini_file& file) {
    tracks_by = file.read_float(tracking_section, "tracks_by", 0.1);
    default_tracking_rate = file.read_float(tracking_section, "default_tracking_rate", 60);
    default_lunar_tracking_rate = file.read_float(tracking_section, "default_lunar_tracking_rate", 57.9);
}

void Tscope_tracking::save_own_settings(ini_file& file) {
    file.write_float(tracking_section, "default_tracking_rate", default_tracking_rate);
    file.write_float(tracking_section, "default_lunar_tracking_rate", default_lunar_tracking_rate);
    file.write_float(tracking_section, "tracks_by", tracks_by);
}
