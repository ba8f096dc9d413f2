// The command processor: the request syntax, the gate between remote and
// local control, and the dispatch of every command word to its handler.
#include "command_server/command_processor.h"


#include "platform/local_time.h"
#include "scope_link/scope_operations.h"
#include "settings/configuration_settings.h"
#include "text/call_syntax.h"
#include "text/number_text.h"
#include "text/trim.h"

namespace {

const char* truth(bool value) { return value ? "true" : "false"; }

double strict_number(const std::string& text) {
    double value = 0;
    if (!parse_general_number(text, value))
        throw conversion_error("'" + text + "' is not a valid floating point value");
    return value;
}

} // namespace

command_processor::command_processor(const configuration_settings& settings, scope_teller& scope,
                                     status_logger& log, server_panels& panels)
    : settings_(settings), scope_(scope), log_(log), panels_(panels) {}

struct command_processor::command {
    const char* word;
    void (command_processor::*run)(const std::string& word);
};

// Tried in this order, the word compared whole and with its letter case.
const std::vector<command_processor::command>& command_processor::dispatch_table() {
    static const std::vector<command> table = {
        {"play", &command_processor::play},
        {"bored", &command_processor::bored},
        {"connect", &command_processor::connect},
        {"disconnect", &command_processor::disconnect},
        {"connected", &command_processor::connected_command},
        {"align", &command_processor::align},
        {"get_ra_dec", &command_processor::get_position},
        {"get_az_alt", &command_processor::get_position},
        {"get_info", &command_processor::get_info_command},
        {"set_observer", &command_processor::set_observer},
        {"query_high_precision", &command_processor::query_high_precision},
        {"switch_precision", &command_processor::switch_precision},
        {"stop_focus", &command_processor::stop_focus},
        {"focus", &command_processor::focus},
        {"goto", &command_processor::goto_command},
        {"stop", &command_processor::stop},
        {"increase_tracking", &command_processor::tracking},
        {"decrease_tracking", &command_processor::tracking},
        {"lunar_tracking", &command_processor::tracking},
        {"default_tracking", &command_processor::tracking},
        {"stopped", &command_processor::stopped},
        {"move_screen_down", &command_processor::move_screen},
        {"move_screen_up", &command_processor::move_screen},
        {"move_screen_left", &command_processor::move_screen},
        {"move_screen_right", &command_processor::move_screen},
        {"move_left", &command_processor::move_distance},
        {"move_right", &command_processor::move_distance},
        {"move_up", &command_processor::move_distance},
        {"move_down", &command_processor::move_distance},
        {"break_out", &command_processor::break_out},
        {"fall_in", &command_processor::fall_in},
        {"clockwise", &command_processor::walk_ring},
        {"counter", &command_processor::walk_ring},
        {"reset_search", &command_processor::reset_search},
    };
    return table;
}

void command_processor::clear_options() {
    option_names.clear();
    option_values.clear();
    has_options = false;
}

std::string command_processor::process_input(std::string* connection, std::unique_ptr<tscope_object>& result) {
    struct depth_guard {
        int& depth;
        explicit depth_guard(int& d) : depth(++d) {}
        ~depth_guard() { --depth; }
    } guard(depth_);
    op_result.reset();
    reply_text = "ok";
    reply_values_.clear();
    const std::string_view text = trim(request_text, trim_rule::controls_and_blanks);
    if (text == "ok") {
        // Dropped: no reply, no log line. The values of an earlier reply
        // go all the same, so that no getter reads them as this one's.
        clear_options();
        request_text.clear();
        result.reset();
        return "nil";
    }
    call_text parsed = parse_call(text);
    clear_options();
    if (parsed.shape == call_text::form::no_closing) {
        reply_text = "No closing )\r\n";
        if (connection) *connection += reply_text + "\r\n";
        request_text.clear();
        result.reset();
        return reply_text;
    }
    if (parsed.shape == call_text::form::with_list) {
        option_names = std::move(parsed.keys);
        option_values = std::move(parsed.values);
        has_options = true;
    }

    update_status_log_check("process_input >>");
    const std::vector<command>& table = dispatch_table();
    const command* found = nullptr;
    for (const command& c : table)
        if (parsed.name == c.word) {
            found = &c;
            break;
        }
    const bool claim = found && (found->run == &command_processor::play || found->run == &command_processor::bored);
    if (!claim && !client_playing && !local_control && !safety_stop_)
        reply_text = "fail";
    else if (found)
        (this->*found->run)(parsed.name);
    else
        reply_text = "fail";

    if (connection) *connection += reply_text + "\r\n\r\n";
    const std::string reply = reply_text;
    request_text.clear();
    update_status_log_check("<< process_input");
    clear_options();
    result = std::move(op_result);
    return reply;
}

bool command_processor::scope_op(const std::string& operation) {
    auto fresh = std::make_unique<tscope_object>();
    reply_text = scope_.tell(operation, *fresh);
    op_result = std::move(fresh);
    return reply_text.starts_with("ok");
}

bool command_processor::find_argument(std::string_view name, std::string& value) const {
    if (!has_options) return false;
    std::optional<std::string> found = find_value(option_names, option_values, name);
    if (found) value = std::move(*found);
    return found.has_value();
}

void command_processor::add_reply_value(const std::string& name, const std::string& value, bool last) {
    reply_values_ += name + "=" + value;
    if (!last) reply_values_ += ",";
}

void command_processor::set_reply_values() { reply_text = "ok=(" + reply_values_ + ")"; }

bool command_processor::connected() const {
    if (!settings_.scope_enabled) return true;
    return scope_.connected();
}

void command_processor::get_info() {
    add_reply_value("name", panels_.model_text(), false);
    for (const char* flag : {"can_query", "can_sync", "can_goto", "can_slew", "can_focus", "can_track"})
        add_reply_value(flag, "true", false);
    add_reply_value("focus_speeds", std::to_string(panels_.focus_speeds()), true);
    set_reply_values();
}

void command_processor::update_status_log_check(const std::string& text) { log_.update_status_log_check(text); }

void command_processor::update_status_log_header(const std::string& name) { log_.update_status_log_header(name); }

void command_processor::update_status_log_failed() {
    update_status_log_check(" !!! failed !!!");
    reply_text = "fail";
}

bool command_processor::update_status_log_failed_check() {
    if (!reply_text.starts_with("fail")) return false;
    update_status_log_failed();
    return true;
}

// ---- the commands ----

void command_processor::play(const std::string& word) {
    if (local_control) {
        log_.update_status_log("Enable network first", true);
        update_status_log_failed();
        return;
    }
    update_status_log_header(word);
    add_reply_value("model", std::to_string(panels_.model_index()), true);
    update_status_log_check("model=(" + reply_values_ + ")");
    set_reply_values();
    client_playing = true;
}

void command_processor::bored(const std::string& word) {
    update_status_log_header(word);
    if (client_playing)
        client_playing = false;
    else
        update_status_log_failed();
}

void command_processor::connect(const std::string& word) {
    update_status_log_header(word);
    if (scope_op("connect"))
        scope_high_precision_ = op_result->high_precision;
    else
        update_status_log_failed();
}

void command_processor::disconnect(const std::string& word) {
    update_status_log_header(word);
    if (!scope_op("disconnect")) {
        update_status_log_failed();
    } else if (local_control) {
        panels_.change_panel(false);
    } else {
        panels_.enable_connect_group(true);
    }
}

void command_processor::connected_command(const std::string& word) {
    update_status_log_header(word);
    add_reply_value("connected", truth(connected()), true);
    set_reply_values();
    update_status_log_check(reply_text);
}

void command_processor::align(const std::string& word) {
    update_status_log_header(word);
    std::string ra, dec;
    if (find_argument("ra", ra) && find_argument("dec", dec)) {
        const std::string operation = "align(ra=" + ra + ",dec=" + dec + ")";
        update_status_log_check(operation);
        scope_op(operation);
    } else {
        reply_text = "fail";
    }
    update_status_log_failed_check();
}

void command_processor::get_position(const std::string& word) {
    update_status_log_header(word);
    if (scope_op(word)) {
        if (word == "get_ra_dec") {
            add_reply_value("ra", format_general_number(op_result->ra), false);
            add_reply_value("dec", format_general_number(op_result->dec), true);
        } else {
            add_reply_value("alt", format_general_number(op_result->alt), false);
            add_reply_value("az", format_general_number(op_result->az), true);
        }
        set_reply_values();
        update_status_log_check("(" + reply_values_ + ")");
    }
    update_status_log_failed_check();
}

void command_processor::get_info_command(const std::string& word) {
    update_status_log_header(word);
    get_info();
    update_status_log_check("(" + reply_values_ + ")");
}

void command_processor::set_observer(const std::string& word) {
    update_status_log_header(word);
    std::string lat, lon;
    if (!find_argument("lat", lat) || !find_argument("long", lon)) {
        update_status_log_failed();
        return;
    }
    update_status_log_check("(" + lat + " : " + lon + ")");
    // A value that is not a number ends the request here, without a reply.
    const double latitude = strict_number(lat);
    const double longitude = strict_number(lon);
    if (!panels_.set_location(latitude, longitude, panels_.time_zone(), local_day_count()))
        update_status_log_failed();
}

void command_processor::query_high_precision(const std::string& word) {
    update_status_log_header(word);
    const char* value = settings_.scope_enabled && scope_high_precision_ ? "high" : "low";
    add_reply_value("query", value, true);
    set_reply_values();
    update_status_log_check(std::string("(").append(value).append(")"));
}

void command_processor::switch_precision(const std::string& word) {
    update_status_log_header(word);
    if (!settings_.scope_enabled) return;
    if (!scope_op("switch_precision")) {
        update_status_log_failed();
        return;
    }
    scope_high_precision_ = op_result->high_precision;
    add_reply_value("switch", scope_high_precision_ ? "high" : "low", true);
    set_reply_values();
    update_status_log_check(reply_text);
}

void command_processor::stop_focus(const std::string& word) {
    update_status_log_header(word);
    scope_op("stop_focus");
    update_status_log_failed_check();
}

void command_processor::focus(const std::string& word) {
    update_status_log_header(word);
    std::string dir, speed, timeout, operation;
    if (find_argument("dir", dir) && find_argument("speed", speed) && find_argument("timeout", timeout) &&
        !dir.empty()) {
        operation = "focus(dir=" + dir.substr(0, 1) + ",speed=" + speed + ",timeout=" + timeout + ")";
        scope_op(operation);
    } else {
        reply_text = "fail";
    }
    if (!update_status_log_failed_check()) update_status_log_check(operation);
}

void command_processor::goto_command(const std::string& word) {
    update_status_log_header(word);
    std::string first, second, operation;
    if (find_argument("ra", first) && find_argument("dec", second)) {
        operation = "goto_ra_dec(ra=" + first + ",dec=" + second + ")";
    } else if (find_argument("az", first) && find_argument("alt", second)) {
        operation = "goto_az_alt(az=" + first + ",alt=" + second + ")";
    }
    if (operation.empty())
        reply_text = "fail";
    else
        scope_op(operation);
    if (!update_status_log_failed_check()) update_status_log_check(operation);
}

void command_processor::stop(const std::string& word) {
    update_status_log_header(word);
    if (!settings_.scope_enabled) return;
    scope_op("stop_all");
    if (!update_status_log_failed_check()) update_status_log_check("(stop_all)");
}

void command_processor::tracking(const std::string& word) {
    update_status_log_header(word);
    scope_op(word);
    update_status_log_failed_check();
}

void command_processor::stopped(const std::string&) {
    if (!scope_op("stopped")) {
        reply_text = "fail";
        return;
    }
    add_reply_value("moving", truth(op_result->moving), true);
    set_reply_values();
}
