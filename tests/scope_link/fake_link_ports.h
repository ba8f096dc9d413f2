// One fake in place of everything above the scope link: it collects every
// status message and records what the panels were asked.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scope_link/link_ports.h"

struct fake_link_ports final : link_status, link_panels {
    std::vector<std::string> messages;
    std::vector<std::string> headers;
    int failures_marked = 0;
    int positions_shown = 0;
    int search_stops = 0;
    std::vector<int> focus_timers;
    std::string name;
    focus_limits limits;
    // Runs as each message is collected (a status log that logs itself).
    std::function<void(const std::string&)> on_message;
    // Runs as the search poll is stopped (the watchdog, a disconnect).
    std::function<void()> on_search_stop;

    bool logged(const std::string& text) const {
        for (const auto& m : messages)
            if (m == text) return true;
        return false;
    }

    void update_status_log_check(const std::string& text) override {
        messages.push_back(text);
        if (on_message) on_message(text);
    }
    void update_status_log_header(const std::string& header) override { headers.push_back(header); }
    void update_status_log_failed() override { ++failures_marked; }
    void show_position() override { ++positions_shown; }
    void stop_search_timer() override {
        ++search_stops;
        if (on_search_stop) on_search_stop();
    }
    std::string scope_name() const override { return name; }
    focus_limits focus_settings() const override { return limits; }
    void enable_focus_timer(int run_time) override { focus_timers.push_back(run_time); }
};
