// The command processor: the request syntax, the gate between remote and
// local control, and the dispatch of every command word to its handler.
#include "command_server/orb_server_network.h"

#include <chrono>
#include <ctime>

#include "command_server/request_syntax.h"
#include "shell/configuration_settings.h"
#include "shell/settings_file.h"

namespace {

const char* truth(bool value) { return value ? "true" : "false"; }

double strict_number(const std::string& text) {
    double value = 0;
    if (!parse_general_number(text, value))
        throw conversion_error("'" + text + "' is not a valid floating point value");
    return value;
}

// The local date and time as a day count from 30 December 1899, the form
// set_location takes.
double local_date_time() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    return 25569.0 + double(now + parts.tm_gmtoff) / 86400.0;
}

} // namespace

struct Tscope_network::command {
    const char* word;
    void (Tscope_network::*run)(const std::string& word);
};

// Tried in this order, the word compared whole and with its letter case.
const std::vector<Tscope_network::command>& Tscope_network::dispatch_table() {
    static const std::vector<command> table = {
        {"play", &Tscope_network::play},
        {"bored", &Tscope_network::bored},
        {"connect", &Tscope_network::connect},
        {"disconnect", &Tscope_network::disconnect},
        {"connected", &Tscope_network::connected_command},
        {"align", &Tscope_network::align},
        {"get_ra_dec", &Tscope_network::get_position},
        {"get_az_alt", &Tscope_network::get_position},
        {"get_info", &Tscope_network::get_info_command},
        {"set_observer", &Tscope_network::set_observer},
        {"query_high_precision", &Tscope_network::query_high_precision},
        {"switch_precision", &Tscope_network::switch_precision},
        {"stop_focus", &Tscope_network::stop_focus},
        {"focus", &Tscope_network::focus},
        {"goto", &Tscope_network::goto_command},
        {"stop", &Tscope_network::stop},
        {"increase_tracking", &Tscope_network::tracking},
        {"decrease_tracking", &Tscope_network::tracking},
        {"lunar_tracking", &Tscope_network::tracking},
        {"default_tracking", &Tscope_network::tracking},
        {"stopped", &Tscope_network::stopped},
        {"move_screen_down", &Tscope_network::not_yet},
        {"move_screen_up", &Tscope_network::not_yet},
        {"move_screen_left", &Tscope_network::not_yet},
        {"move_screen_right", &Tscope_network::not_yet},
        {"move_left", &Tscope_network::not_yet},
        {"move_right", &Tscope_network::not_yet},
        {"move_up", &Tscope_network::not_yet},
        {"move_down", &Tscope_network::not_yet},
        {"break_out", &Tscope_network::not_yet},
        {"fall_in", &Tscope_network::not_yet},
        {"clockwise", &Tscope_network::not_yet},
        {"counter", &Tscope_network::not_yet},
        {"reset_search", &Tscope_network::not_yet},
    };
    return table;
}

void Tscope_network::clear_options() {
    option_names.clear();
    option_values.clear();
    has_options = false;
}

std::string Tscope_network::process_input(std::string* connection, std::unique_ptr<tscope_object>& result) {
    op_result.reset();
    reply_text = "ok";
    reply_values_.clear();
    const std::string_view text = trim_request(request_text);
    if (text == "ok") {
        // Dropped: no reply, no log line. The values of an earlier reply
        // go all the same, so that no getter reads them as this one's.
        clear_options();
        request_text.clear();
        result.reset();
        return "nil";
    }
    parsed_request parsed = parse_request(text);
    clear_options();
    if (parsed.shape == parsed_request::form::no_closing) {
        reply_text = "No closing )\r\n";
        if (connection) *connection += reply_text + "\r\n";
        request_text.clear();
        result.reset();
        return reply_text;
    }
    if (parsed.shape == parsed_request::form::with_list) {
        option_names = std::move(parsed.names);
        option_values = std::move(parsed.values);
        has_options = true;
    }

    update_status_log_check("process_input >>");
    const std::vector<command>& table = dispatch_table();
    const command* found = nullptr;
    for (const command& c : table)
        if (parsed.word == c.word) {
            found = &c;
            break;
        }
    const bool claim = found && (found->run == &Tscope_network::play || found->run == &Tscope_network::bored);
    if (!claim && !client_playing && !local_control)
        reply_text = "fail";
    else if (found)
        (this->*found->run)(parsed.word);
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

bool Tscope_network::scope_op(const std::string& operation) {
    auto fresh = std::make_unique<tscope_object>();
    reply_text = hooks.tell ? hooks.tell(operation, *fresh) : std::string("fail");
    op_result = std::move(fresh);
    return reply_text.starts_with("ok");
}

bool Tscope_network::find_argument(std::string_view name, std::string& value) const {
    return has_options && find_option(option_names, option_values, name, value);
}

void Tscope_network::add_reply_value(const std::string& name, const std::string& value, bool last) {
    reply_values_ += name + "=" + value;
    if (!last) reply_values_ += ",";
}

void Tscope_network::set_reply_values() { reply_text = "ok=(" + reply_values_ + ")"; }

int Tscope_network::model_index() const {
    if (hooks.model_index) return hooks.model_index();
    return settings_.scope_type == configuration_settings::lx200      ? 0
           : settings_.scope_type == configuration_settings::autostar ? 1
                                                                      : -1;
}

std::string Tscope_network::model_text() const {
    if (hooks.model_text) return hooks.model_text();
    switch (model_index()) {
    case 0: return "LX200";
    case 1: return "AutoStar";
    default: return {};
    }
}

bool Tscope_network::connected() const {
    if (!settings_.scope_enabled) return true;
    return hooks.connected && hooks.connected();
}

void Tscope_network::get_info() {
    add_reply_value("name", model_text(), false);
    for (const char* flag : {"can_query", "can_sync", "can_goto", "can_slew", "can_focus", "can_track"})
        add_reply_value(flag, "true", false);
    add_reply_value("focus_speeds", std::to_string(hooks.focus_speeds ? hooks.focus_speeds() : 2), true);
    set_reply_values();
}

// ---- the commands ----

void Tscope_network::play(const std::string& word) {
    if (local_control) {
        update_status_log("Enable network first", true);
        update_status_log_failed();
        return;
    }
    update_status_log_header(word);
    add_reply_value("model", std::to_string(model_index()), true);
    update_status_log_check("model=(" + reply_values_ + ")");
    set_reply_values();
    client_playing = true;
}

void Tscope_network::bored(const std::string& word) {
    update_status_log_header(word);
    if (client_playing)
        client_playing = false;
    else
        update_status_log_failed();
}

void Tscope_network::connect(const std::string& word) {
    update_status_log_header(word);
    if (scope_op("connect"))
        scope_high_precision_ = op_result->high_precision;
    else
        update_status_log_failed();
}

void Tscope_network::disconnect(const std::string& word) {
    update_status_log_header(word);
    if (!scope_op("disconnect")) {
        update_status_log_failed();
    } else if (local_control) {
        if (hooks.change_panel) hooks.change_panel(false);
    } else if (hooks.enable_connect_group) {
        hooks.enable_connect_group(true);
    }
}

void Tscope_network::connected_command(const std::string& word) {
    update_status_log_header(word);
    add_reply_value("connected", truth(connected()), true);
    set_reply_values();
    update_status_log_check(reply_text);
}

void Tscope_network::align(const std::string& word) {
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

void Tscope_network::get_position(const std::string& word) {
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

void Tscope_network::get_info_command(const std::string& word) {
    update_status_log_header(word);
    get_info();
    update_status_log_check("(" + reply_values_ + ")");
}

void Tscope_network::set_observer(const std::string& word) {
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
    const double zone = hooks.time_zone ? hooks.time_zone() : 0;
    if (hooks.set_location && !hooks.set_location(latitude, longitude, zone, local_date_time()))
        update_status_log_failed();
}

void Tscope_network::query_high_precision(const std::string& word) {
    update_status_log_header(word);
    const char* value = settings_.scope_enabled && scope_high_precision_ ? "high" : "low";
    add_reply_value("query", value, true);
    set_reply_values();
    update_status_log_check(std::string("(").append(value).append(")"));
}

void Tscope_network::switch_precision(const std::string& word) {
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

void Tscope_network::stop_focus(const std::string& word) {
    update_status_log_header(word);
    scope_op("stop_focus");
    update_status_log_failed_check();
}

void Tscope_network::focus(const std::string& word) {
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

void Tscope_network::goto_command(const std::string& word) {
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

void Tscope_network::stop(const std::string& word) {
    update_status_log_header(word);
    if (!settings_.scope_enabled) return;
    scope_op("stop_all");
    if (!update_status_log_failed_check()) update_status_log_check("(stop_all)");
}

void Tscope_network::tracking(const std::string& word) {
    update_status_log_header(word);
    scope_op(word);
    update_status_log_failed_check();
}

void Tscope_network::stopped(const std::string&) {
    if (!scope_op("stopped")) {
        reply_text = "fail";
        return;
    }
    add_reply_value("moving", truth(op_result->moving), true);
    set_reply_values();
}

// The motion and search families are not part of this build yet.
void Tscope_network::not_yet(const std::string& word) {
    update_status_log_header(word);
    update_status_log_failed();
}
