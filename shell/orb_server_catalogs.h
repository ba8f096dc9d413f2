// The catalogs panel.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_catalogs : public panel_window {
public:
    Tscope_catalogs(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_catalogs", "ORB Catalogs panel", "catalogs", "", 248, 200}) { load_settings(); }
};
