#include "shell/panel_ports.h"

#include "shell/program.h"

void panel_ports::show_position() { program_.info->show_info(); }

// A poll that a disconnect or a reply that never came cuts short ends as
// a stopped scope would end it.
void panel_ports::stop_search_timer() {
    if (program_.search->search_timer.enabled()) program_.search->disable_timer();
}

std::string panel_ports::scope_name() const { return program_.control->scope_name; }

focus_limits panel_ports::focus_settings() const {
    const Tscope_focus& focus = *program_.focus;
    return {focus.focus_speeds, focus.min_timeout, focus.max_timeout};
}

// Whoever sent the focus command, a panel or a remote client, the panel's
// timer ends the run.
void panel_ports::enable_focus_timer(int run_time) {
    program_.focus->timeout = run_time;
    program_.focus->enable_focus_timer();
}

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

int panel_ports::focus_speeds() const { return program_.focus->focus_speeds; }

bool panel_ports::set_location(double latitude, double longitude, double time_zone, double now) {
    return program_.observer->set_location(latitude, longitude, time_zone, now);
}

int panel_ports::time_zone() const { return program_.observer->time_zone; }

double panel_ports::latitude() const { return program_.observer->latitude; }

double panel_ports::longitude() const { return program_.observer->longitude; }

// The configuration panel's model list: the entry chosen (-1 when the
// text is none of them) and the text it shows.
int panel_ports::model_index() const { return program_.config->model_list.item_index(); }

std::string panel_ports::model_text() const { return program_.config->model_list.text(); }
