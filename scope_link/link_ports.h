// What the scope link asks of the layers above it: the program's status log,
// and the panels that show or follow what the link does. Each is a small
// interface implemented up there and wired once by the program object; the
// link reaches both through link_ports, which also holds the IO switch.
#pragma once

#include <string>

#include "panel_base/wired_port.h"

// The focus panel's speed count and run-time limits, as a focus command needs them.
struct focus_limits {
    int focus_speeds = 2;
    int min_timeout = 10;   // ms
    int max_timeout = 1500; // ms
};

// The status log of the network panel, with the command processor's mark
// of a failed request.
class link_status {
public:
    virtual void update_status_log_check(const std::string& text) = 0;
    virtual void update_status_log_header(const std::string& name) = 0;
    // Logs the failure and marks the request in hand as failed.
    virtual void update_status_log_failed() = 0;

protected:
    ~link_status() = default;
};

// The panels the link refreshes or stops, and whose settings it reads.
class link_panels {
public:
    // The information panel shows scope_object.
    virtual void show_position() = 0;
    // The search panel stops its poll if it is running.
    virtual void stop_search_timer() = 0;
    // The slew panel's name of the scope; empty when it has none.
    virtual std::string scope_name() const = 0;
    // The focus panel's speeds and run-time limits.
    virtual focus_limits focus_settings() const = 0;
    // The focus panel stores the run time as its timeout and starts its stop timer.
    virtual void enable_focus_timer(int run_time) = 0;

protected:
    ~link_panels() = default;
};

class link_ports {
public:
    // Once, by the program object, when the panels above exist. The link
    // calls nothing up there before; a call made all the same is a wiring
    // mistake and raises rather than doing nothing.
    void wire(link_status& status, link_panels& panels) {
        status_.wire(status);
        panels_.wire(panels);
    }

    link_status& status() const { return status_.get(); }
    link_panels& panels() const { return panels_.get(); }

    // An IO message: shown only while the network panel's IO switch is on.
    void update_status_log(const std::string& text) const {
        if (io_logging) status().update_status_log_check(text);
    }

    // The network panel's IO-message switch.
    bool io_logging = false;

private:
    wired_port<link_status> status_{"the scope link's status log"};
    wired_port<link_panels> panels_{"the scope link's panels"};
};
