// What the command server asks of the panels around it: the slew panel's
// switches, labels and busy flag, the search panel's window and poll, the
// focus panel's speeds, the location panel and the configuration panel's
// model list. Implemented above, wired once by the program object when it
// makes the network panel.
#pragma once

#include <cstdint>
#include <string>

// The search panel's camera window as a reset of the search takes it.
struct search_window {
    std::int32_t width = 320;  // pixels
    std::int32_t height = 240; // pixels
    double width_part = 20;    // percent of overlap between neighbouring fields
    double height_part = 20;
};

class server_panels {
public:
    // ---- the slew panel ----
    virtual void change_panel(bool on) = 0;
    virtual void enable_connect_group(bool enabled) = 0;
    // Its disconnect action, run when the network is switched on.
    virtual void disconnect_from_scope() = 0;
    // The direction labels as they show now: "N" or "S", "W" or "E".
    virtual std::string north_label() const = 0;
    virtual std::string west_label() const = 0;
    virtual std::string east_label() const = 0;
    virtual bool slew_busy() const = 0;
    virtual void clear_slew_busy() = 0;

    // ---- the search panel ----
    // Copies its edit boxes into its values, a substitute where a text is
    // not a number, and answers the window.
    virtual search_window read_search_edits() = 0;
    virtual double seconds_in_pixel() const = 0;
    // Starts the poll that ends a move (the scope panels go off meanwhile).
    virtual void enable_timer() = 0;
    // Ends it: the position shown, the busy flag cleared, the panels on.
    virtual void disable_timer() = 0;
    // Stops the poll and nothing else.
    virtual void stop_search_poll() = 0;
    // The pictures of its Clock and Anti buttons (resource names).
    virtual void show_search_glyphs(const std::string& clock, const std::string& anti) = 0;

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
