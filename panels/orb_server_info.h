// The information panel, Tscope_info: shows the scope's last known position
// in hours or degrees, minutes and seconds, reads the position and the
// scope's name and capabilities on request, and stops the scope whenever it
// shows an altitude below the horizon or beyond the zenith.
#pragma once

#include <string>

#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "panels/panel_peers.h"

struct configuration_settings;
struct tscope_object;
class serial_link;

class Tscope_info : public panel_window {
public:
    // peers are filled by the program before the first action; the rest
    // must outlive the panel (settings are the configuration panel's, the
    // link the comms panel's).
    Tscope_info(forms::toolkit& kit, panel_host& host, const panel_peers& peers, tscope_object& scope_object,
                const configuration_settings& settings, const serial_link& link);

    // ---- the window ----
    forms::group_box coord_box{"coord_box", this};
    forms::label hours_label{"hours_label", &coord_box};
    forms::label ra_minutes_label{"ra_minutes_label", &coord_box};
    forms::label ra_seconds_label{"ra_seconds_label", &coord_box};
    forms::label degrees_label{"degrees_label", &coord_box};
    forms::label minutes_label{"minutes_label", &coord_box};
    forms::label seconds_label{"seconds_label", &coord_box};
    forms::label ra_label{"ra_label", &coord_box};
    forms::label dec_label{"dec_label", &coord_box};
    forms::label az_label{"az_label", &coord_box};
    forms::label alt_label{"alt_label", &coord_box};
    forms::edit ra_hours_edit{"ra_hours_edit", &coord_box};
    forms::edit ra_minutes_edit{"ra_minutes_edit", &coord_box};
    forms::edit ra_seconds_edit{"ra_seconds_edit", &coord_box};
    forms::edit dec_degrees_edit{"dec_degrees_edit", &coord_box};
    forms::edit dec_minutes_edit{"dec_minutes_edit", &coord_box};
    forms::edit dec_seconds_edit{"dec_seconds_edit", &coord_box};
    forms::edit az_degrees_edit{"az_degrees_edit", &coord_box};
    forms::edit az_minutes_edit{"az_minutes_edit", &coord_box};
    forms::edit az_seconds_edit{"az_seconds_edit", &coord_box};
    forms::edit alt_degrees_edit{"alt_degrees_edit", &coord_box};
    forms::edit alt_minutes_edit{"alt_minutes_edit", &coord_box};
    forms::edit alt_seconds_edit{"alt_seconds_edit", &coord_box};
    forms::label refresh_rate_label{"refresh_rate_label", &coord_box};
    forms::edit refresh_rate_edit{"refresh_rate_edit", &coord_box};
    forms::label msecs_label{"msecs_label", &coord_box};
    forms::button timer_button{"timer_button", &coord_box};
    forms::button get_ra_dec_button{"get_ra_dec_button", &coord_box};
    forms::button get_alt_az_button{"get_alt_az_button", &coord_box};
    forms::button get_all_button{"get_all_button", &coord_box};
    forms::timer controller_timer;

    // ---- what others call ----
    void get_info();
    void show_info();
    void get_ra_dec();
    void get_az_alt();
    // The second half of get_info: the values of the reply just received
    // into the panels, the scope's name last.
    void take_capabilities();

    // ---- the handlers ----
    void get_ra_dec_buttonClick();
    void get_alt_az_buttonClick();
    void get_all_buttonClick();
    void timer_buttonClick();
    void controller_timerTimer();
    void refresh_rate_editChange();

    // ---- state ----
    int refresh_rate = 30000;
    // The capabilities get_info reads for the focus and tracking panels,
    // kept here until those panels hold them.
    bool can_focus = false;
    int focus_speeds = 2;
    bool can_track = false;

    static constexpr int shortest_refresh = 5000;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;

private:
    void build_window();
    bool read_capabilities(std::string& name);

    const panel_peers& peers_;
    tscope_object& scope_object_;
    const configuration_settings& settings_;
    const serial_link& link_;
};
