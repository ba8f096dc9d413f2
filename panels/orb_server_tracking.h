// The tracking panel: steps the tracking rate by a tenth of a hertz or sets
// the lunar or the default rate, and shows the rate it believes is set (it
// follows its own successful actions; the scope is never asked).
#pragma once

#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "panel_base/wired_port.h"

class command_processor;

class Tscope_tracking : public panel_window {
public:
    Tscope_tracking(forms::toolkit& kit, panel_host& host);

    // ---- the window ----
    forms::group_box change_tracking_group{"change_tracking_group", this};
    forms::glyph_button decrease_tracking_button{"decrease_tracking_button", &change_tracking_group};
    forms::edit tracking_edit{"tracking_edit", &change_tracking_group};
    forms::glyph_button increase_tracking_button{"increase_tracking_button", &change_tracking_group};
    forms::group_box preset_defaults_group{"preset_defaults_group", this};
    forms::button lunar_tracking_button{"lunar_tracking_button", &preset_defaults_group};
    forms::label lunar_tracking_label{"lunar_tracking_label", &preset_defaults_group};
    forms::button default_tracking_button{"default_tracking_button", &preset_defaults_group};
    forms::label default_tracking_label{"default_tracking_label", &preset_defaults_group};

    // The network panel's local command path, wired once both exist.
    wired_port<command_processor> network{"the tracking panel's command path"};

    void flip_buttons(bool on);
    void decrease_tracking_buttonClick();
    void increase_tracking_buttonClick();
    void lunar_tracking_buttonClick();
    void default_tracking_buttonClick();
    void tracking_editChange();

    // ---- state, in hertz ----
    double tracking_rate = 60;
    double default_tracking_rate = 60;
    double default_lunar_tracking_rate = 57.9;
    double tracks_by = 0.1; // kept in the file; the steps are always 0.1
    bool can_track = false;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;

private:
    void build_window();
    void show_rate();
    // Sends the command under local control; answers whether it succeeded.
    bool send(const char* command, bool& sent);
};
