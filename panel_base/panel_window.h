// What every panel window shares: its section of server.ini with the
// placement keys and "visible", its place on the desktop across runs and
// monitor changes, and how it is shown, hidden and closed (closing only hides).
#pragma once

#include <string>

#include "forms/form.h"
#include "panel_base/placement.h"

class ini_file;
class tscope_button;

// What a panel needs of the program around it; the main window provides it.
class panel_host {
public:
    virtual ~panel_host() = default;
    // The folder of every file of the program, ending with "/".
    virtual const std::string& program_dir() const = 0;
    // Marks the button after the user toggled its panel with it.
    virtual void set_button_state(tscope_button& button, bool visible) = 0;
};

struct panel_description {
    std::string form_name;    // e.g. "scope_comms"
    std::string caption;      // e.g. "ORB Comms control"
    std::string section;      // its section of server.ini
    std::string help_keyword; // empty: no help topic
    int client_width = 0;
    int client_height = 0;
    // The search panel lets its close box simply hide it: it does not store
    // its position then, nor re-check its monitor on repaint.
    bool stores_position_on_close = true;
};

class panel_window : public forms::form {
public:
    panel_window(forms::toolkit& kit, panel_host& host, const panel_description& description);

    const std::string& section() const { return section_; }
    panel_host& host() const { return host_; }

    // Opens server.ini, reads the panel's own keys and its placement, moves the
    // window there and shows it when it was visible at the last shut-down.
    // A panel's creation sets its own defaults first, then calls this.
    void load_settings();
    // Writes the panel's keys into the file the main window holds open during
    // the save at shut-down. Raises settings_write_error.
    void save_settings(ini_file& file);

    void toggle_panel(tscope_button& button);
    void hide_panel();
    void show_panel();
    void FormShow();
    void form_close_query(bool& can_close);
    void check_activate();

    dimensions placement;

protected:
    // What each panel adds: its own keys, and its own steps when shown.
    virtual void load_own_settings(const ini_file&) {}
    virtual void save_own_settings(ini_file&) {}
    virtual void form_shown() {}

private:
    window_size outer_size() const { return {width(), height()}; }
    void store_position();

    panel_host& host_;
    std::string section_;
};
