// The about panel.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_about : public panel_window {
public:
    Tscope_about(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_about", "ORB Server About", "about", "", 335, 157}) { load_settings(); }
};
