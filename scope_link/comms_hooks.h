// What the scope link asks of the panels around it (status log, information
// display, search poll, focus stop timer, the slew panel's scope name). The
// program wires each hook once its panel exists; an empty hook does nothing.
#pragma once

#include <functional>
#include <string>

// The focus panel's speed count and run-time limits, as a focus command needs them.
struct focus_limits {
    int focus_speeds = 2;
    int min_timeout = 10;   // ms
    int max_timeout = 1500; // ms
};

struct comms_hooks {
    // The network panel's status log.
    std::function<void(const std::string& text)> update_status_log_check;
    std::function<void(const std::string& name)> update_status_log_header;
    std::function<void()> update_status_log_failed;
    // The information panel shows scope_object.
    std::function<void()> show_position;
    // The search panel stops its poll if it is running.
    std::function<void()> stop_search_timer;
    // The slew panel's name of the scope; empty hook: "unknown scope".
    std::function<std::string()> scope_name;
    // The focus panel's settings; empty hook: its defaults.
    std::function<focus_limits()> focus_settings;
    // The focus panel stores the run time as its timeout and starts its stop timer.
    std::function<void(int run_time)> enable_focus_timer;
};
