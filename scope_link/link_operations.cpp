// Connecting and disconnecting the scope: the port check, opening the link
// and reading the scope's position into scope_object.
#include "scope_link/orb_server_comms.h"

#include "shell/configuration_settings.h"

bool Tscope_comms::connect_to_scope() {
    update_status_log("connect_to_scope >>");
    if (!scope_enabled()) {
        if (hooks.show_position) hooks.show_position();
        connected_ = true;
        return true;
    }
    const std::string port = trim_port_text(port_edit.text());
    if (!is_known_port_text(port)) {
        update_status_log("Invalid communication port : " + port);
        return false;
    }
    if (linked_) disconnect_from_scope();
    if (!open()) {
        update_status_log("Port " + port + " cannot be opened!");
        connected_ = false;
        return false;
    }
    linked_ = true;
    connected_ = true;
    if (tell("get_ra_dec", scope_object_).starts_with("ok")) {
        if (hooks.show_position) hooks.show_position();
        return true;
    }
    connected_ = false;
    return false;
}

bool Tscope_comms::disconnect_from_scope() {
    if (scope_enabled()) {
        close();
        linked_ = false;
    }
    connected_ = false;
    if (hooks.stop_search_timer) hooks.stop_search_timer();
    return true;
}

void Tscope_comms::kill() {
    if (!linked_) return;
    disconnect_from_scope();
    linked_ = false;
}
