// A button of the main window's launcher strip: it stands for one panel
// (its module) and remembers whether the user closed that panel with it and
// whether the panel stays open across page changes.
#pragma once

#include "forms/buttons.h"

class tscope_button : public forms::button {
public:
    static constexpr int width = 57;
    static constexpr int height = 25;

    explicit tscope_button(std::string name = {}) : forms::button(std::move(name)) {}

    int module = 0;
    bool hidden = true; // entering the page does not open the panel
    bool stuck = false; // the panel stays open when the page is left; caption bold

    void set_stuck(bool on) {
        stuck = on;
        set_font_bold(on);
    }
};
