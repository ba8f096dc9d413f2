// The focus panel: runs the focuser in or out at a chosen speed for a
// bounded time.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_focus : public panel_window {
public:
    Tscope_focus(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_focus", "ORB Focus control", "focus", "Focus", 227, 169}) { load_settings(); }
};
