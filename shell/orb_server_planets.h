// The planets panel.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_planets : public panel_window {
public:
    Tscope_planets(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_planets", "ORB Planets panel", "planets", "", 304, 337}) { load_settings(); }
};
