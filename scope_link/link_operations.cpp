// Connecting and disconnecting the scope: the port check, opening the link
// and reading the scope's position into scope_object.
#include "scope_link/scope_operations.h"

#include "settings/configuration_settings.h"

bool scope_operations::connect_to_scope() {
    update_status_log("connect_to_scope >>");
    if (!scope_enabled()) {
        ports_.panels().show_position();
        connected_ = true;
        return true;
    }
    const serial_settings lists = lists_.current_serial_settings();
    const std::string port = trim_port_text(lists.port);
    if (!is_known_port_text(port)) {
        update_status_log("Invalid communication port : " + port);
        return false;
    }
    if (link_.linked) disconnect_from_scope();
    if (!link_.open(lists)) {
        update_status_log("Port " + port + " cannot be opened!");
        connected_ = false;
        return false;
    }
    link_.linked = true;
    connected_ = true;
    if (tell("get_ra_dec", scope_object_).starts_with("ok")) {
        ports_.panels().show_position();
        return true;
    }
    connected_ = false;
    return false;
}

bool scope_operations::disconnect_from_scope() {
    if (scope_enabled()) {
        link_.close();
        link_.linked = false;
    }
    connected_ = false;
    ports_.panels().stop_search_timer();
    return true;
}

void scope_operations::kill() {
    if (!link_.linked) return;
    disconnect_from_scope();
    link_.linked = false;
}
