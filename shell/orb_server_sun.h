// The sun panel.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_sun : public panel_window {
public:
    Tscope_sun(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_sun", "ORB Sun panel", "sun", "", 249, 249}) { load_settings(); }
};
