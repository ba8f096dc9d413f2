// The search panel's behaviour: the ring buttons, reset and stop, the poll
// that ends a move, and the geometry edits the processor reads.
#include "panels/orb_server_search.h"

#include "command_server/command_processor.h"
#include "panels/orb_server_control.h"
#include "panels/orb_server_info.h"
#include "scope_link/serial_link.h"
#include "text/integer_text.h"
#include "text/number_text.h"

namespace {

// A lenient whole number: blanks around it are allowed.
std::optional<std::int32_t> lenient_integer(const std::string& text) {
    return read_integer(text, {.blanks_around = true});
}

} // namespace

void Tscope_search::flip_buttons(bool on) {
    dimensions_group.set_enabled(on);
    cycler_group.set_enabled(on);
}

void Tscope_search::enable_panel() {
    flip_buttons(true);
    for (forms::glyph_button* b : {&out_button, &in_button, &clock_button, &counter_button}) b->set_enabled(true);
}

void Tscope_search::disable_panel() {
    flip_buttons(false);
    for (forms::glyph_button* b : {&out_button, &in_button, &clock_button, &counter_button}) b->set_enabled(false);
}

void Tscope_search::enable_timer() {
    peers_.control().change_panel(false);
    search_timer.set_interval(timeout_interval);
    search_timer.start();
}

void Tscope_search::disable_timer() {
    search_timer.stop();
    peers_.info().show_info();
    Tscope_control& control = peers_.control();
    control.slew_busy = false;
    control.change_panel(true);
}

void Tscope_search::out_buttonClick() {
    command_processor& processor = peers_.processor();
    if (processor.send_message_check("break_out") == command_processor::success)
        ++processor.ring_count;
    else
        peers_.control().write_status_log("invalid response from server");
}

void Tscope_search::in_buttonClick() {
    command_processor& processor = peers_.processor();
    if (processor.ring_count <= 0) return;
    if (processor.send_message_check("fall_in") == command_processor::success)
        --processor.ring_count;
    else
        peers_.control().write_status_log("invalid response from server");
}

void Tscope_search::walk(const char* command) {
    if (peers_.processor().send_message_check(command) == command_processor::success)
        enable_timer();
    else
        peers_.control().write_status_log("move failed");
}

void Tscope_search::clock_buttonClick() { walk("clockwise"); }

void Tscope_search::counter_buttonClick() { walk("counter"); }

void Tscope_search::reset_buttonClick() {
    if (loading) return;
    peers_.processor().send_message_check("reset_search");
    disable_timer();
}

void Tscope_search::stop_buttonClick() {
    if (!loading) {
        peers_.processor().send_message_check("reset_search");
        disable_timer();
    }
    peers_.control().stop_scope();
}

void Tscope_search::search_timerTimer() {
    if (link_.waiting()) return;
    poll_scope();
}

// A "stopped" that fails, or that carries no "moving", keeps the poll going.
void Tscope_search::poll_scope() {
    command_processor& processor = peers_.processor();
    if (processor.send_message_check("stopped") != command_processor::success) return;
    bool moving = true;
    if (!processor.get_boolean("moving", moving) || moving) return;
    peers_.control().slew_busy = false;
    disable_timer();
}

void Tscope_search::width_editChange() {
    if (!loading) peers_.processor().send_message_check("reset_search");
}

void Tscope_search::height_editChange() {
    if (!loading) peers_.processor().send_message_check("reset_search");
}

void Tscope_search::seconds_editEnter() {
    double value = 0;
    seconds_in_pixel = parse_general_number(seconds_edit.text(), value) ? value : 30;
}

void Tscope_search::timeout_editChange() {
    timeout_interval = lenient_integer(timeout_edit.text()).value_or(shortest_poll);
    if (timeout_interval < shortest_poll) {
        timeout_interval = shortest_poll;
        timeout_edit.set_text(std::to_string(shortest_poll));
    }
}

search_window Tscope_search::read_search_edits() {
    const auto whole = [](forms::edit& edit, std::int32_t substitute) {
        const std::optional<std::int32_t> value = lenient_integer(edit.text());
        if (value && *value != -1) return *value;
        edit.set_text(std::to_string(substitute));
        return substitute;
    };
    window_width = whole(width_edit, 320);
    window_height = whole(height_edit, 240);
    double seconds = 0;
    if (parse_general_number(seconds_edit.text(), seconds) && seconds != -1) {
        seconds_in_pixel = seconds;
    } else {
        seconds_in_pixel = 30;
        seconds_edit.set_text("30");
    }
    timeout_interval = whole(timeout_edit, 2000);
    return {window_width, window_height, width_part, height_part};
}
