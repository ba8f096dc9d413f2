#include "shell/panel_ports.h"

#include "shell/program.h"

// The information panel is not built yet: nothing shows the position.
void panel_ports::show_position() {}

// The search panel is not built yet: it has no poll to stop.
void panel_ports::stop_search_timer() {}

// The slew panel is not built yet: the scope has no name of its own.
std::string panel_ports::scope_name() const { return {}; }

// The focus panel is not built yet: its initial speeds and limits.
focus_limits panel_ports::focus_settings() const { return {}; }

void panel_ports::enable_focus_timer(int) {}

// The slew panel is not built yet: it has no buttons to switch.
void panel_ports::change_panel(bool) {}

void panel_ports::enable_connect_group(bool) {}

// The slew panel's disconnect action, as that panel will send it.
void panel_ports::disconnect_from_scope() { program_.network->processor.send_message_check("disconnect"); }

int panel_ports::focus_speeds() const { return focus_settings().focus_speeds; }

// The location panel is not built yet: every site is taken, in time zone 0.
bool panel_ports::set_location(double, double, double, double) { return true; }

int panel_ports::time_zone() const { return 0; }

// The location panel's site as it reads a fresh server.ini.
double panel_ports::latitude() const { return 51.0; }

double panel_ports::longitude() const { return 4.0; }

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
