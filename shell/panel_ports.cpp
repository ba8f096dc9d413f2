#include "shell/panel_ports.h"

#include "shell/program.h"

// The information panel is not built yet: nothing shows the position.
void panel_ports::show_position() {}

// The search panel is not built yet: it has no poll to stop.
void panel_ports::stop_search_timer() {}

// The slew panel is not built yet: the scope has no name of its own.
std::string panel_ports::scope_name() const { return {}; }

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

// The slew panel is not built yet: it has no buttons to switch.
void panel_ports::change_panel(bool) {}

void panel_ports::enable_connect_group(bool) {}

// The slew panel's disconnect action, as that panel will send it.
void panel_ports::disconnect_from_scope() { program_.network->processor.send_message_check("disconnect"); }

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
