// The tracking panel: steps the tracking rate or sets the lunar or default rate.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_tracking : public panel_window {
public:
    Tscope_tracking(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_tracking", "ORB Tracking control", "tracking", "Tracking", 221, 197}) { load_settings(); }
};
