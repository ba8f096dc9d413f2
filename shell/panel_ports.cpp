#include "shell/panel_ports.h"

#include "shell/program.h"

void panel_ports::show_position() { program_.info->show_info(); }

// A poll that a disconnect or a reply that never came cuts short ends as
// a stopped scope would end it.
void panel_ports::stop_search_timer() {
    if (program_.search->search_timer.enabled()) program_.search->disable_timer();
}

std::string panel_ports::scope_name() const { return program_.control->scope_name; }

// The focus panel is not built yet: its initial speeds and limits.
focus_limits panel_ports::focus_settings() const { return {}; }

void panel_ports::enable_focus_timer(int) {}

void panel_ports::change_panel(bool on) { program_.control->change_panel(on); }

void panel_ports::enable_connect_group(bool enabled) { program_.control->connect_group.set_enabled(enabled); }

void panel_ports::disconnect_from_scope() { program_.control->disconnect_from_scope(); }

std::string panel_ports::north_label() const { return program_.control->north_label.caption(); }

std::string panel_ports::west_label() const { return program_.control->west_label.caption(); }

std::string panel_ports::east_label() const { return program_.control->east_label.caption(); }

bool panel_ports::slew_busy() const { return program_.control->slew_busy; }

void panel_ports::clear_slew_busy() { program_.control->slew_busy = false; }

search_window panel_ports::read_search_edits() { return program_.search->read_search_edits(); }

double panel_ports::seconds_in_pixel() const { return program_.search->seconds_in_pixel; }

void panel_ports::enable_timer() { program_.search->enable_timer(); }

void panel_ports::disable_timer() { program_.search->disable_timer(); }

void panel_ports::stop_search_poll() { program_.search->search_timer.stop(); }

void panel_ports::show_search_glyphs(const std::string& clock, const std::string& anti) {
    program_.search->clock_button.set_glyph(clock);
    program_.search->counter_button.set_glyph(anti);
}

// The focus panel is not built yet: its initial speed count.
int panel_ports::focus_speeds() const { return focus_settings().focus_speeds; }

// The location panel is not built yet: every site is taken, in time zone 0.
bool panel_ports::set_location(double, double, double, double) { return true; }

int panel_ports::time_zone() const { return 0; }

// The configuration panel's model list follows its settings' model.
int panel_ports::model_index() const {
    switch (program_.config->settings.scope_type) {
    case configuration_settings::lx200: return 0;
    case configuration_settings::autostar: return 1;
    default: return -1;
    }
}

std::string panel_ports::model_text() const {
    switch (model_index()) {
    case 0: return "LX200";
    case 1: return "AutoStar";
    default: return {};
    }
}
