// The moon panel.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_moon : public panel_window {
public:
    Tscope_moon(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_moon", "ORB Moon panel", "moon", "", 248, 248}) { load_settings(); }
};
