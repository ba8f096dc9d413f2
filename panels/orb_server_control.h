// The slew and goto panel, Tscope_control: connects to the scope, nudges it
// in four directions (by a share of the camera window or by an angle),
// stops it and sends it to typed coordinates. It switches every scope panel
// on and off as connections and moves come and go, and holds the direction
// labels and the busy flag that the command processor reads.
#pragma once

#include <string>

#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "panels/panel_peers.h"

struct tscope_object;

class Tscope_control : public panel_window {
public:
    // peers are filled by the program before the first action; scope_object
    // must outlive the panel.
    Tscope_control(forms::toolkit& kit, panel_host& host, const panel_peers& peers, tscope_object& scope_object);

    // ---- the window ----
    forms::group_box slew_group{"slew_group", this};
    forms::glyph_button north_button{"north_button", &slew_group};
    forms::glyph_button south_button{"south_button", &slew_group};
    forms::glyph_button east_button{"east_button", &slew_group};
    forms::glyph_button west_button{"west_button", &slew_group};
    forms::glyph_button stop_button{"stop_button", &slew_group};
    forms::label north_label{"north_label", &slew_group};
    forms::label south_label{"south_label", &slew_group};
    forms::label east_label{"east_label", &slew_group};
    forms::label west_label{"west_label", &slew_group};
    forms::check_box locked_check{"locked_check", &slew_group};
    forms::glyph_button window_move_button{"window_move_button", &slew_group};
    forms::glyph_button degree_move_button{"degree_move_button", &slew_group};

    forms::group_box move_window_group{"move_window_group", this};
    forms::track_bar window_track{"window_track", &move_window_group};
    forms::label window_label{"window_label", &move_window_group};
    forms::edit degrees_edit{"degrees_edit", &move_window_group};

    forms::group_box move_units_group{"move_units_group", this};
    forms::label move_degrees_label{"move_degrees_label", &move_units_group};
    forms::label move_minutes_label{"move_minutes_label", &move_units_group};
    forms::label move_seconds_label{"move_seconds_label", &move_units_group};
    forms::edit move_degrees_edit{"move_degrees_edit", &move_units_group};
    forms::edit move_minutes_edit{"move_minutes_edit", &move_units_group};
    forms::edit move_seconds_edit{"move_seconds_edit", &move_units_group};
    forms::up_down move_degrees_up_down{"move_degrees_up_down", &move_units_group};
    forms::up_down move_minutes_up_down{"move_minutes_up_down", &move_units_group};
    forms::up_down move_seconds_up_down{"move_seconds_up_down", &move_units_group};

    forms::group_box goto_group{"goto_group", this};
    forms::label ra_label{"ra_label", &goto_group};
    forms::label dec_label{"dec_label", &goto_group};
    forms::label hours_label{"hours_label", &goto_group};
    forms::label ra_minutes_label{"ra_minutes_label", &goto_group};
    forms::label ra_seconds_label{"ra_seconds_label", &goto_group};
    forms::label degrees_label{"degrees_label", &goto_group};
    forms::label dec_minutes_label{"dec_minutes_label", &goto_group};
    forms::label dec_seconds_label{"dec_seconds_label", &goto_group};
    forms::edit ra_hours_edit{"ra_hours_edit", &goto_group};
    forms::edit ra_minutes_edit{"ra_minutes_edit", &goto_group};
    forms::edit ra_seconds_edit{"ra_seconds_edit", &goto_group};
    forms::edit dec_degrees_edit{"dec_degrees_edit", &goto_group};
    forms::edit dec_minutes_edit{"dec_minutes_edit", &goto_group};
    forms::edit dec_seconds_edit{"dec_seconds_edit", &goto_group};
    forms::up_down ra_hours_up_down{"ra_hours_up_down", &goto_group};
    forms::up_down ra_minutes_up_down{"ra_minutes_up_down", &goto_group};
    forms::up_down ra_seconds_up_down{"ra_seconds_up_down", &goto_group};
    forms::up_down dec_degrees_up_down{"dec_degrees_up_down", &goto_group};
    forms::up_down dec_minutes_up_down{"dec_minutes_up_down", &goto_group};
    forms::up_down dec_seconds_up_down{"dec_seconds_up_down", &goto_group};
    forms::button goto_button{"goto_button", &goto_group};
    forms::button refresh_button{"refresh_button", &goto_group};

    forms::group_box connect_group{"connect_group", this};
    forms::button connect_button{"connect_button", &connect_group};
    forms::edit led_display{"led_display", &connect_group};
    forms::button disconnect_button{"disconnect_button", &connect_group};

    // ---- what others call ----
    void change_panel(bool on);
    void flip_buttons(bool on);
    void stop_scope();
    void write_status_log(const std::string& text);
    void connect_to_scope();
    void disconnect_from_scope();

    // ---- the handlers ----
    void north_button_down();
    void south_button_down();
    void east_button_down();
    void west_button_down();
    void stop_button_down() { stop_scope(); }
    void goto_buttonClick() { go_to(); }
    void connect_to_scope_click();
    void disconnect_from_scope_click();
    void north_labelClick();
    void south_labelClick();
    void east_labelClick();
    void west_labelClick();
    void window_move_buttonClick() { change_window_method(); }
    void degree_move_buttonClick() { change_degree_method(); }
    void window_trackChange();
    void degrees_editKeyPress();
    void update_ra_edit_boxes();
    void update_dec_edit_boxes();
    void update_edit_boxes();

    void go_to();
    void change_window_method();
    void change_degree_method();

    // ---- state ----
    bool swap_north_south = false;
    bool swap_east_west = false;
    bool slew_busy = false;
    std::string scope_name;
    bool can_slew = true;
    bool can_goto = false;
    bool can_sync = false;
    int move_method = 0;
    double window_percent = 80;
    double move_degrees = 0;
    double move_minutes = 0;
    double move_seconds = 1;

    static constexpr std::size_t scope_name_length = 255;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;

private:
    enum class direction { north, south, east, west };
    void build_window();
    void hook_handlers();
    void slew(direction which);
    void move_distance(const std::string& direction_word);
    void update_degrees();
    void set_move_spins();
    void paint_lamp(forms::colour colour);
    void show_again_if_focused();
    // Runs body unless the same spin's handler is already running.
    void guarded(bool& guard, void (Tscope_control::*body)());

    const panel_peers& peers_;
    tscope_object& scope_object_;
    // One re-entrance guard per spin-change handler.
    bool move_degrees_changing_ = false, move_minutes_changing_ = false, move_seconds_changing_ = false;
    bool ra_hours_changing_ = false, ra_minutes_changing_ = false, ra_seconds_changing_ = false;
    bool dec_degrees_changing_ = false, dec_minutes_changing_ = false, dec_seconds_changing_ = false;
};
