// The slew and goto panel: connects to the scope, nudges it in four
// directions, sends it to typed coordinates and stops it.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_control : public panel_window {
public:
    Tscope_control(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_control", "ORB Slew control", "control", "Control", 312, 304}) { load_settings(); }
};
