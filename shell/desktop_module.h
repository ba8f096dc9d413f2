// What orb_server needs to show its windows: a display, and the view module
// that shows them on it (forms/view_module.h), loaded only then, so that a
// headless server maps no Qt library and builds without one.
#pragma once

#include <string>

#include "forms/view_module.h"

// Whether there is a desktop to show windows on: an X11 or Wayland display.
bool display_available();

struct view_module {
    forms::view_entry* run = nullptr; // null when it could not be loaded
    std::string error;                // then a line for the user saying why
};

// Loads the view module from the first of its places that holds it, each
// relative to `executable_dir` (which ends with "/"). The module stays
// loaded until the program ends.
view_module load_view_module(const std::string& executable_dir);
