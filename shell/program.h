// The program as one object: the current position, the main window and the
// fourteen panels, created in their start-up order (each loads its section of
// server.ini as it is made) and released in the shut-down order. Tests make
// as many as they like, each with its own folder and clock.
#pragma once

#include <memory>
#include <string>

#include "command_server/orb_server_network.h"
#include "forms/toolkit.h"
#include "panels/orb_server_control.h"
#include "panels/orb_server_focus.h"
#include "panels/orb_server_info.h"
#include "panels/panel_peers.h"
#include "panels/orb_server_search.h"
#include "panels/orb_server_tracking.h"
#include "platform/termios_serial_device.h"
#include "scope_link/orb_server_comms.h"
#include "scope_link/orb_server_object.h"
#include "shell/orb_server_about.h"
#include "shell/orb_server_catalogs.h"
#include "shell/orb_server_config.h"
#include "shell/orb_server_form.h"
#include "shell/orb_server_moon.h"
#include "shell/orb_server_observer.h"
#include "shell/panel_ports.h"
#include "shell/orb_server_planets.h"
#include "shell/orb_server_sun.h"

class orb_program {
    // First, so that they outlive every window.
    forms::toolkit kit_;
    std::string program_dir_;
    termios_serial_device serial_device_;
    // What the lower layers ask of the panels; made before any window.
    panel_ports panel_ports_{*this};
    // How the scope panels reach each other and the processor; filled once
    // the network panel exists.
    panel_peers panel_peers_;

public:
    // program_dir ends with "/". Nothing is shown until start().
    orb_program(const program_clock& clock, std::string program_dir);
    ~orb_program();
    orb_program(const orb_program&) = delete;
    orb_program& operator=(const orb_program&) = delete;

    // Shows the main window, which opens the panels of its current page.
    void start();
    // A request to close the main window (its close box, a signal): saves
    // every setting and ends the run. When the save fails the message names
    // the file, the close is abandoned and the program goes on: false.
    bool request_close();
    // Ends the run without saving: for a second signal while saves fail.
    void close_without_saving();
    // Whether the run is over (the main window closed).
    bool ended() const { return ended_; }

    forms::toolkit& kit() { return kit_; }
    const std::string& program_dir() const { return program_dir_; }

    std::unique_ptr<tscope_object> scope_object;
    std::unique_ptr<Tscope> main_window;
    std::unique_ptr<Tscope_config> config;
    std::unique_ptr<Tscope_comms> comms;
    std::unique_ptr<Tscope_control> control;
    std::unique_ptr<Tscope_focus> focus;
    std::unique_ptr<Tscope_info> info;
    std::unique_ptr<Tscope_observer> observer;
    std::unique_ptr<Tscope_search> search;
    std::unique_ptr<Tscope_network> network;
    std::unique_ptr<Tscope_tracking> tracking;
    std::unique_ptr<Tscope_about> about;
    std::unique_ptr<Tscope_sun> sun;
    std::unique_ptr<Tscope_moon> moon;
    std::unique_ptr<Tscope_planets> planets;
    std::unique_ptr<Tscope_catalogs> catalogs;

private:
    // The main window's close query.
    bool kill();
    void stop_links();
    void release();

    bool ended_ = false;
};
