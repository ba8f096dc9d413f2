// The location panel: the site's latitude, longitude and time zone.
#pragma once

#include "panel_base/panel_window.h"

class Tscope_observer : public panel_window {
public:
    Tscope_observer(forms::toolkit& kit, panel_host& host)
        : panel_window(kit, host, {"scope_observer", "ORB Location panel", "observer", "Location", 257, 121}) { load_settings(); }
};
