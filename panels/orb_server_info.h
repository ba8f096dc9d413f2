// The information panel: shows the scope's position and capabilities.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_info : public panel_window {
public:
    Tscope_info(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_info", "ORB Information", "info", "Information", 256, 200}) { load_settings(); }
};
