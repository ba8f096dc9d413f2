// The search panel: the search window geometry and the ring search pattern.
// Its close box simply hides it, without storing its position.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_search : public panel_window {
public:
    Tscope_search(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_search", "ORB Search Control", "search", "Search", 232, 280, false}) { load_settings(); }
};
