// The motion commands: window steps sized by the search panel's camera
// window, and moves by a distance in degrees that follow the slew panel's
// direction labels. Each reads the position anew and sends one target.
#include "command_server/command_processor.h"

#include "text/number_text.h"

namespace {

struct distance_command {
    const char* word;
    const char* dir;
};

constexpr distance_command distance_commands[] = {
    {"move_left", "west"}, {"move_right", "east"}, {"move_up", "north"}, {"move_down", "south"}};

} // namespace

bool command_processor::read_position(double& ra, double& dec) {
    if (!scope_op("get_ra_dec")) return false;
    ra = op_result->ra;
    dec = op_result->dec;
    return true;
}

bool command_processor::go_to_target(double ra, double dec) {
    if (scope_op("goto_ra_dec(ra=" + format_general_number(ra) + ",dec=" + format_general_number(dec) + ")")) {
        if (local_control) panels_.enable_timer();
        return true;
    }
    reply_text = "fail";
    panels_.clear_slew_busy();
    return false;
}

void command_processor::step(window_step which) {
    if (local_control) panels_.disable_timer();
    double ra = 0, dec = 0;
    if (!read_position(ra, dec)) return;
    const double seconds = panels_.seconds_in_pixel();
    switch (which) {
    case window_step::left:
    case window_step::right: {
        const std::optional<double> hours =
            degrees_to_ra_hours(factor, dec, pixels_to_degrees(search.sx(), seconds));
        if (!hours) {
            // At the pole a sideways step has no size: refused like a target the scope refused.
            reply_text = "fail";
            panels_.clear_slew_busy();
            return;
        }
        ra += which == window_step::left ? *hours : -*hours;
        break;
    }
    case window_step::up: dec += pixels_to_degrees(search.sy(), seconds); break;
    case window_step::down: dec -= pixels_to_degrees(search.sy(), seconds); break;
    }
    go_to_target(ra, dec);
}

void command_processor::move_screen(const std::string& word) {
    if (word == "move_screen_left") step(window_step::left);
    else if (word == "move_screen_right") step(window_step::right);
    else if (word == "move_screen_up") step(window_step::up);
    else step(window_step::down);
}

void command_processor::move_distance(const std::string& word) {
    const char* dir = "south";
    for (const distance_command& c : distance_commands)
        if (word == c.word) dir = c.dir;
    const std::string name = dir;

    if (local_control) panels_.disable_timer();
    double ra = 0, dec = 0;
    if (!read_position(ra, dec)) {
        update_status_log_check(name + " - failed to read position");
        return;
    }
    double d = 0;
    std::string text;
    if (find_argument("distance", text) && !parse_general_number(text, d)) d = 0;
    if (d <= 0) {
        update_status_log_check(name + " - wrong parameter");
        return;
    }

    if (word == "move_up" || word == "move_down") {
        const bool towards_south = word == "move_up" ? panels_.north_label() == "S" : panels_.north_label() == "N";
        dec += towards_south ? -d : d;
        if (dec >= 90) dec = 90;
        if (dec <= -90) dec = -90;
    } else {
        const std::optional<double> hours = degrees_to_ra_hours(factor, dec, d);
        if (!hours) {
            reply_text = "fail";
            panels_.clear_slew_busy();
            update_status_log_check(name + " - failed to move scope");
            return;
        }
        const bool decrease = word == "move_left" ? panels_.west_label() == "W" : panels_.east_label() != "E";
        ra += decrease ? -*hours : *hours;
        if (ra < 0) ra += 24;
        if (ra >= 24) ra -= 24;
    }
    if (!go_to_target(ra, dec)) update_status_log_check(name + " - failed to move scope");
}
