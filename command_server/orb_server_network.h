// The network panel: switches remote control on and off and shows the
// status log.
#pragma once

#include "shell/panel_window.h"

class Tscope_network : public panel_window {
public:
    Tscope_network(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_network", "ORB Network control", "network", "Network", 258, 243}) { load_settings(); }
};
