// What the command server asks of the panels around it: the slew panel's
// switches, the focus panel's speeds, the location panel and the
// configuration panel's model list. Implemented above, wired once by the
// program object when it makes the network panel.
#pragma once

#include <string>

class server_panels {
public:
    // ---- the slew panel ----
    virtual void change_panel(bool on) = 0;
    virtual void enable_connect_group(bool enabled) = 0;
    // Its disconnect action, run when the network is switched on.
    virtual void disconnect_from_scope() = 0;

    // ---- the focus panel ----
    virtual int focus_speeds() const = 0;

    // ---- the location panel ----
    // now is the local date and time as a day count from 30 December 1899.
    virtual bool set_location(double latitude, double longitude, double time_zone, double now) = 0;
    virtual int time_zone() const = 0;
    // The site: degrees, north positive; degrees, west positive.
    virtual double latitude() const = 0;
    virtual double longitude() const = 0;

    // ---- the configuration panel's model list ----
    // The chosen entry (-1 for none) and its text.
    virtual int model_index() const = 0;
    virtual std::string model_text() const = 0;

protected:
    ~server_panels() = default;
};
