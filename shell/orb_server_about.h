// The about panel: this program's name, the version it was built as, its
// authors and rights notice, and its credits. Nothing in it reacts to input.
#pragma once

#include <string>

#include "forms/forms.h"
#include "panel_base/panel_window.h"

// The version of this build, as the build system numbers it.
std::string program_version();

class Tscope_about : public panel_window {
public:
    Tscope_about(forms::toolkit& kit, panel_host& host);

    forms::panel about_panel{"about_panel", this};
    forms::image about_icon{"about_icon", &about_panel};
    forms::label name_label{"name_label", &about_panel};
    forms::label version_label{"version_label", &about_panel};
    forms::label author_label{"author_label", &about_panel};
    forms::label rights_label{"rights_label", &about_panel};
    forms::label message_label_1{"message_label_1", &about_panel};
    forms::label designer_label{"designer_label", &about_panel};
    forms::label message_label_2{"message_label_2", &about_panel};
    forms::label researcher_label{"researcher_label", &about_panel};
    forms::label web_label{"web_label", &about_panel};
    forms::image arms_image{"arms_image", &about_panel};
};
