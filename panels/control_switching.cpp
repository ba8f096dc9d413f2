// The slew panel as the hub of the scope panels: switching them on and off,
// its own scope controls, the lamp, connecting and disconnecting, the stop
// and its lines in the status log.
#include "panels/orb_server_control.h"

#include "command_server/command_processor.h"
#include "panels/orb_server_info.h"
#include "panels/orb_server_search.h"

void Tscope_control::write_status_log(const std::string& text) { peers_.processor().update_status_log_check(text); }

void Tscope_control::paint_lamp(forms::colour colour) {
    led_display.set_colour(colour);
    led_display.repaint();
}

void Tscope_control::flip_buttons(bool on) {
    slew_group.set_enabled(on);
    if (on) {
        if (move_method == 0)
            change_window_method();
        else
            change_degree_method();
    } else {
        move_window_group.set_enabled(false);
        move_units_group.set_enabled(false);
    }
    for (forms::control* c : std::initializer_list<forms::control*>{&east_button, &north_button, &west_button,
                                                                   &south_button, &stop_button, &goto_group})
        c->set_enabled(on);
}

// The focus and tracking panels have no controls of their own yet; their
// steps join here when they are built.
void Tscope_control::change_panel(bool on) {
    const bool local = peers_.processor().local_control;
    if (on) {
        if (!slew_busy) paint_lamp(forms::colours::red);
        flip_buttons(can_slew && local);
        if (local)
            peers_.search().enable_panel();
        else
            peers_.search().disable_panel();
        if (!slew_busy) paint_lamp(forms::colours::lime);
        connect_button.set_enabled(false);
        disconnect_button.set_enabled(true);
    } else {
        flip_buttons(false);
        if (!slew_busy) {
            paint_lamp(forms::colours::red);
            connect_button.set_enabled(true);
        }
        disconnect_button.set_enabled(false);
        peers_.search().disable_panel();
    }
    show_again_if_focused();
}

void Tscope_control::show_again_if_focused() {
    if (is_active()) bring_to_front();
}

void Tscope_control::stop_scope() {
    if (peers_.processor().send_message_check("stop") != command_processor::success)
        kit().show_message("ORB failed to stop the scope, it could be that there is a error or the network "
                           "connection has failed");
}

void Tscope_control::connect_to_scope_click() {
    if (peers_.processor().local_control && !slew_busy) connect_to_scope();
}

void Tscope_control::disconnect_from_scope_click() {
    if (peers_.processor().local_control && !slew_busy) disconnect_from_scope();
}

void Tscope_control::connect_to_scope() {
    command_processor& processor = peers_.processor();
    if (processor.send_message("connect", "Connection to scope failed") != command_processor::success) return;
    peers_.info().get_info();
    change_panel(processor.local_control);
}

void Tscope_control::disconnect_from_scope() {
    if (peers_.processor().send_message_check("disconnect") != command_processor::success) return;
    paint_lamp(forms::colours::red);
    flip_buttons(false);
    show_again_if_focused();
}
