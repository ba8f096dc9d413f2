// The monitors of the desktop, as the placement of windows sees them. The view
// (or a test) fills the list; without a display it is one 1920x1080 primary
// monitor at the origin. Read and written on the model thread only.
#pragma once

#include <vector>

struct screen {
    int index = 0; // position in the list; the list keeps it so
    int left = 0;  // virtual-desktop pixels: the primary monitor's top-left is 0,0
    int top = 0;
    int width = 0;
    int height = 0;
    bool primary = false;
};

class screen_list {
public:
    screen_list();

    const std::vector<screen>& all() const { return screens_; }

    // Replaces the set of monitors. Indexes are renumbered to the list order.
    // An empty list stands for the headless default, since a desktop always
    // has a monitor and window placement relies on there being one.
    void set(std::vector<screen> screens);

    static screen headless_default();

private:
    std::vector<screen> screens_;
};
