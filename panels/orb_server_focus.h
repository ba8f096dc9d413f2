// The focus panel: runs the focuser in or out at a chosen speed for a
// bounded time. The scope link starts its stop timer after a focus command
// on a real scope, whoever sent it; the tick sends "stop_focus" and repeats
// it every run time until the stop succeeds or Stop is pressed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "panel_base/wired_port.h"

struct configuration_settings;
class command_processor;

class Tscope_focus : public panel_window {
public:
    // settings are the configuration panel's and must outlive this panel.
    Tscope_focus(forms::toolkit& kit, panel_host& host, const configuration_settings& settings);

    // ---- the window ----
    forms::label speed_label{"speed_label", this};
    forms::panel speed_box{"speed_box", this};
    forms::glyph_button first_speed_button{"first_speed_button", &speed_box};
    forms::glyph_button focus_minus_button{"focus_minus_button", this};
    forms::glyph_button stop_button{"stop_button", this};
    forms::glyph_button focus_plus_button{"focus_plus_button", this};
    forms::label timeout_duration_label{"timeout_duration_label", this};
    forms::edit timeout_duration_edit{"timeout_duration_edit", this};
    forms::label millisecond_label{"millisecond_label", this};
    forms::label max_timeout_label{"max_timeout_label", this};
    forms::edit max_timeout_edit{"max_timeout_edit", this};
    forms::label min_timeout_label{"min_timeout_label", this};
    forms::edit min_timeout_edit{"min_timeout_edit", this};
    forms::timer focus_timer{kit().loop(), "focus_timer"};

    // The network panel's local command path, wired once both exist.
    wired_port<command_processor> network{"the focus panel's command path"};

    void flip_buttons(bool on);
    // Starts the stop timer with `timeout` as its interval.
    void enable_focus_timer();
    std::uint8_t send_message_check(const std::string& command);
    // The speed buttons rebuilt from focus_speeds and start_focus_speed
    // while can_focus is set, as change_panel and FormShow rebuild them.
    void rebuild_speed_buttons();
    // The speed buttons in chain order, first_speed_button first.
    const std::vector<forms::glyph_button*>& speed_buttons() const { return speed_chain_; }

    void focus_minus_buttonClick();
    void focus_plus_buttonClick();
    void stop_buttonClick();
    void focus_timerTimer();
    void speed_button_click();
    void timeout_duration_editChange();
    void max_timeout_editChange();
    void min_timeout_editChange();

    // ---- state ----
    int focus_speed = 1;
    bool can_focus = false;
    int focus_speeds = 2;      // 2 to 9
    int start_focus_speed = 1; // the number on the first speed button
    int timeout = 500;         // ms: the run time sent, and the stop timer's interval
    int min_timeout = 10;      // ms
    int max_timeout = 1500;    // ms

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;
    void form_shown() override;

private:
    void build_window();
    void focus_button(const char* direction);

    const configuration_settings& settings_;
    std::vector<forms::glyph_button*> speed_chain_{&first_speed_button};
};
