// The information panel's window: its rows of edits with their headings,
// the refresh controls and buttons, creation and its settings.
#include "panels/orb_server_info.h"

#include "settings/settings_file.h"

namespace {

constexpr const char* info_section = "info";

void place(forms::label& label, const char* caption, forms::rect bounds) {
    label.set_caption(caption);
    label.set_bounds(bounds);
}

} // namespace

Tscope_info::Tscope_info(forms::toolkit& kit, panel_host& host, const panel_peers& peers,
                         tscope_object& scope_object, const configuration_settings& settings,
                         const serial_link& link)
    : panel_window(kit, host, {"scope_info", "ORB Information", "info", "Information", 256, 200}),
      controller_timer(kit.loop(), "controller_timer"),
      peers_(peers),
      scope_object_(scope_object),
      settings_(settings),
      link_(link) {
    build_window();
    // formcreate
    controller_timer.stop();
    load_settings();
}

void Tscope_info::build_window() {
    coord_box.set_caption("Coordinates");
    coord_box.set_bounds({4, 4, 248, 192});
    place(hours_label, "Hours", {96, 14, 40, 13});
    place(ra_minutes_label, "Minutes", {144, 14, 40, 13});
    place(ra_seconds_label, "Seconds", {192, 14, 44, 13});
    place(degrees_label, "Degrees", {96, 52, 40, 13});
    place(minutes_label, "Minutes", {144, 52, 40, 13});
    place(seconds_label, "Seconds", {192, 52, 44, 13});
    struct row {
        forms::label& label;
        const char* caption;
        forms::edit& whole;
        forms::edit& minutes;
        forms::edit& seconds;
        int top;
    };
    row rows[] = {{ra_label, "Right Ascension", ra_hours_edit, ra_minutes_edit, ra_seconds_edit, 28},
                  {dec_label, "Declination", dec_degrees_edit, dec_minutes_edit, dec_seconds_edit, 66},
                  {az_label, "Azimuth", az_degrees_edit, az_minutes_edit, az_seconds_edit, 90},
                  {alt_label, "Altitude", alt_degrees_edit, alt_minutes_edit, alt_seconds_edit, 114}};
    for (row& r : rows) {
        place(r.label, r.caption, {8, r.top + 4, 84, 13});
        r.whole.set_bounds({96, r.top, 44, 21});
        r.whole.set_read_only(true);
        r.minutes.set_bounds({144, r.top, 44, 21});
        r.seconds.set_bounds({192, r.top, 44, 21});
    }
    place(refresh_rate_label, "Refresh Rate", {8, 142, 64, 13});
    refresh_rate_edit.set_text("30000");
    refresh_rate_edit.set_bounds({76, 138, 52, 21});
    refresh_rate_edit.on_change = [this] { refresh_rate_editChange(); };
    place(msecs_label, "Msecs", {132, 142, 30, 13});
    timer_button.set_caption("Start");
    timer_button.set_bounds({176, 136, 60, 25});
    timer_button.on_click = [this] { timer_buttonClick(); };
    get_ra_dec_button.set_caption("Get Ra/Dec");
    get_ra_dec_button.set_bounds({8, 164, 72, 23});
    get_ra_dec_button.on_click = [this] { get_ra_dec_buttonClick(); };
    get_alt_az_button.set_caption("Get Alt/Az");
    get_alt_az_button.set_bounds({86, 164, 72, 23});
    get_alt_az_button.on_click = [this] { get_alt_az_buttonClick(); };
    get_all_button.set_caption("Get All");
    get_all_button.set_bounds({164, 164, 72, 23});
    get_all_button.on_click = [this] { get_all_buttonClick(); };
    controller_timer.set_interval(30000);
    controller_timer.on_timer = [this] { controller_timerTimer(); };
}

// The edit keeps its text; the timer runs at the stored rate.
void Tscope_info::load_own_settings(const ini_file& file) {
    refresh_rate = file.read_integer(info_section, "refresh_rate", 30000);
    if (refresh_rate < shortest_refresh) refresh_rate = shortest_refresh;
    controller_timer.set_interval(refresh_rate);
}

void Tscope_info::save_own_settings(ini_file& file) { file.write_integer(info_section, "refresh_rate", refresh_rate); }
