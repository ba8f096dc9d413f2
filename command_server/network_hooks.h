// What the network panel asks of the scope link and of the panels made
// around it. The program wires each hook once its side exists; an empty hook
// does the least harmful thing (noted at each).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "scope_link/orb_server_object.h"

struct network_hooks {
    // ---- the scope link ----
    // Runs one operation; result receives its new object. Empty: "fail".
    std::function<std::string(std::string_view operation, tscope_object& result)> tell;
    // Whether the link is connected. Empty: false.
    std::function<bool()> connected;
    // The link's log file: every status-log line, and a new file begun.
    std::function<void(const std::string& line)> write_log;
    std::function<void(const std::string& name)> init_log_file;
    // The link's IO-message switch and its file-logging state.
    std::function<bool()> io_logging;
    std::function<void(bool on)> set_io_logging;
    std::function<bool()> file_logging;
    // Whether status-log lines are appended to the log file: the Disk button.
    std::function<void(bool on)> set_log_to_file;

    // ---- the panels ----
    // The slew panel: change_panel, its connect group, and its disconnect
    // action (run when the network is switched on).
    std::function<void(bool on)> change_panel;
    std::function<void(bool enabled)> enable_connect_group;
    std::function<void()> disconnect_from_scope;
    // The focus panel's number of speeds. Empty: 2.
    std::function<int()> focus_speeds;
    // The location panel. Empty set_location: true; empty time_zone: 0.
    std::function<bool(double latitude, double longitude, double time_zone, double now)> set_location;
    std::function<int()> time_zone;
    // The configuration panel's model list: the chosen entry (-1 for none)
    // and its text. Empty: taken from the configuration settings' scope type.
    std::function<int()> model_index;
    std::function<std::string()> model_text;
};
