// The search commands: the ring search's model (search_pattern) moved one
// command at a time, with the window steps it asks for made on the
// telescope and the search panel's pictures following the side walked.
#include "command_server/command_processor.h"

void command_processor::reset_search_state() {
    if (panels_.slew_busy()) {
        panels_.clear_slew_busy();
        panels_.disable_timer();
    }
    const search_window window = panels_.read_search_edits();
    panels_.stop_search_poll();
    search.reset(window);
}

void command_processor::change_button(ring_side side) {
    std::string name = side_name(side);
    if (name.empty()) return;
    for (char& c : name) c = char(c - 'a' + 'A');
    panels_.show_search_glyphs(name + "_CLOCK", name + "_ANTI");
}

void command_processor::reset_search(const std::string&) { reset_search_state(); }

void command_processor::break_out(const std::string&) {
    const std::optional<search_move> move = search.break_out();
    if (!move) {
        // The next ring's edges would not fit: the search grows no further.
        reply_text = "fail";
        return;
    }
    step(move->step);
    change_button(move->side);
    reply_text = "ok=(button=" + side_name(move->side) + ")";
}

void command_processor::fall_in(const std::string&) {
    for (const window_step s : search.fall_in()) step(s);
}

void command_processor::walk_ring(const std::string& word) {
    const std::optional<search_move> move = word == "clockwise" ? search.clockwise() : search.counter();
    if (!move) return;
    change_button(move->side);
    step(move->step);
    if (move->side != ring_side::none) reply_text = "ok=(button=" + side_name(move->side) + ")";
}
