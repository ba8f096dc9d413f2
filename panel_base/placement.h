// Where a window goes on the desktop: its stored position, which monitor that
// position belongs to, and how it moves when the set of monitors has changed
// since it was stored (another origin, another size, a monitor gone).
#pragma once

#include <string_view>
#include <vector>

#include "platform/screens.h"

class ini_file;

// The placement record every window owns; all zero when the window is made.
struct dimensions {
    int monitor = 0;         // index in the monitor list; -1: none recorded
    int another_monitor = 0; // a secondary monitor to return to when present; -1: none
    int screen_left = 0;     // origin of the monitor when the position was stored
    int screen_top = 0;
    int previous_screen_height = 0; // monitor size before the last rescale
    int previous_screen_width = 0;
    int screen_height = 0;   // size of the monitor the position refers to
    int screen_width = 0;
    int top = 0;             // the stored position
    int left = 0;
};

// The window's outer size, for keeping a rescaled position on its monitor.
struct window_size {
    int width = 0;
    int height = 0;
};

// Moves the stored position to the origin of the record's monitor, keeping
// its offset from the old origin.
void rebase_to_monitor(dimensions& record, const std::vector<screen>& screens);

// Decides which monitor the stored position belongs to, and moves and
// rescales it where that monitor is gone or has changed. Changes only the
// record; the caller moves the window.
void find_vdu(window_size window, dimensions& record, const std::vector<screen>& screens);

// Reads the placement keys of a section, then runs find_vdu.
void get_dimensions(window_size window, dimensions& record, std::string_view section,
                    const ini_file& file, const std::vector<screen>& screens);

// Writes the placement keys of a section for a window now at left, top.
// Raises settings_write_error.
void write_dimensions(dimensions& record, int left, int top, std::string_view section,
                      ini_file& file, const std::vector<screen>& screens);
