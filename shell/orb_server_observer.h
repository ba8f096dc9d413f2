// The location panel: the site's latitude and longitude in degrees, minutes
// and seconds, kept in server.ini, and a time zone in whole hours, which is
// not. Nothing sent to the telescope uses them; "set_observer" reaches the
// panel through set_location, which leaves them as they are.
#pragma once

#include <cstdint>

#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "panels/part_normalisation.h"

class Tscope_observer : public panel_window {
public:
    Tscope_observer(forms::toolkit& kit, panel_host& host);

    // ---- the window ----
    forms::panel observer_panel{"observer_panel", this};
    forms::group_box observatory_group{"observatory_group", &observer_panel};
    forms::label move_degrees_label{"move_degrees_label", &observatory_group};
    forms::label move_minutes_label{"move_minutes_label", &observatory_group};
    forms::label move_seconds_label{"move_seconds_label", &observatory_group};
    // The latitude row belongs to the window itself; it looks the same.
    forms::label latitude_label{"latitude_label", this};
    forms::edit latitude_degrees_edit{"latitude_degrees_edit", this};
    forms::up_down latitude_degrees_up_down{"latitude_degrees_up_down", this};
    forms::edit latitude_minutes_edit{"latitude_minutes_edit", this};
    forms::up_down latitude_minutes_up_down{"latitude_minutes_up_down", this};
    forms::edit latitude_seconds_edit{"latitude_seconds_edit", this};
    forms::up_down latitude_seconds_up_down{"latitude_seconds_up_down", this};
    forms::label longitude_label{"longitude_label", &observatory_group};
    forms::edit longitude_degrees_edit{"longitude_degrees_edit", &observatory_group};
    forms::up_down longitude_degrees_up_down{"longitude_degrees_up_down", &observatory_group};
    forms::edit longitude_minutes_edit{"longitude_minutes_edit", &observatory_group};
    forms::up_down longitude_minutes_up_down{"longitude_minutes_up_down", &observatory_group};
    forms::edit longitude_seconds_edit{"longitude_seconds_edit", &observatory_group};
    forms::up_down longitude_seconds_up_down{"longitude_seconds_up_down", &observatory_group};
    forms::label time_zone_label{"time_zone_label", &observatory_group};
    forms::edit time_zone_edit{"time_zone_edit", &observatory_group};
    forms::up_down time_zone_up_down{"time_zone_up_down", &observatory_group};
    forms::label hours_label{"hours_label", &observatory_group};

    // Confirm a row: its boxes are read, normalised, shown again, and the
    // field follows.
    void latitude_edit_boxes();
    void longitude_edit_boxes();
    void time_zone_editChange();
    void time_zone_up_downClick();
    // Called by "set_observer": takes nothing and answers true.
    bool set_location(double latitude, double longitude, double time_zone_hours, double now);

    // ---- state ----
    double latitude = 51.0;  // degrees, north positive
    double longitude = 4.0;  // degrees, west positive
    std::int32_t time_zone = 0; // hours added to universal time

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;

private:
    struct row {
        forms::edit* edits[3];
        forms::up_down* up_downs[3];
        angle_parts* working;
        double limit;
        double* field;
    };
    void build_window();
    void confirm(row& r);
    void hook(row& r);

    angle_parts latitude_working_;
    angle_parts longitude_working_;
    row latitude_row_;
    row longitude_row_;
    // One per up-down, set while it confirms its row.
    bool guards_[7] = {};
};
