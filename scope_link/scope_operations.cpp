#include "scope_link/scope_operations.h"

#include "scope_link/template_engine.h"
#include "settings/configuration_settings.h"
#include "text/integer_text.h"

namespace {

bool failed(std::string_view text) { return text.substr(0, 4) == "fail"; }

// The operations that are one command of the table sent as it is: the stop,
// the tracking rates, and the slews in one direction, their stops and their
// rates (which the LX200 endpoint passes on).
bool is_plain_command(std::string_view name) {
    static constexpr std::string_view names[] = {
        "stop_all",     "increase_tracking", "decrease_tracking", "default_tracking", "lunar_tracking",
        "move_north",   "move_east",         "move_south",        "move_west",        "stop_north",
        "stop_east",    "stop_south",        "stop_west",         "speed_slew",       "speed_move",
        "speed_guide",  "speed_center",
    };
    for (std::string_view plain : names)
        if (name == plain) return true;
    return false;
}

} // namespace

scope_operations::scope_operations(const link_ports& ports, const configuration_settings& settings,
                                   serial_link& link, const serial_settings_source& lists,
                                   tscope_object& scope_object)
    : ports_(ports), settings_(settings), link_(link), lists_(lists), scope_object_(scope_object) {}

bool scope_operations::scope_enabled() const { return settings_.scope_enabled; }

std::string scope_operations::tell(std::string_view operation, tscope_object& result) {
    call_text parsed = parse_call(operation);
    if (parsed.shape == call_text::form::no_closing) {
        update_status_log("no closing ) : " + std::string(operation));
        result = tscope_object{};
        return "fail : no closing )";
    }
    operation_state op;
    op.text = std::move(parsed);
    update_status_log("tell >>");
    run_operation(op);
    std::string reply = op.status;
    if (!op.failure.empty()) {
        update_status_log("!!! failed !!!");
        update_status_log(op.failure);
        reply = op.failure;
    }
    update_status_log("<< tell");
    // Handed over at the end: "connect" replaces scope_object from inside
    // its own operation, which must not write into the caller's object.
    result = op.object;
    return reply;
}

bool scope_operations::get_argument(const operation_state& op, std::string_view key, std::string& value) const {
    std::optional<std::string> found = find_value(op.text.keys, op.text.values, key);
    if (!found) return false;
    value = std::move(*found);
    return true;
}

bool scope_operations::send_command(operation_state& op, std::string_view name,
                                std::optional<std::string_view> key) {
    const std::optional<command_record> record = commands.find(name);
    if (!record) {
        std::string scope = ports_.panels().scope_name();
        if (scope.empty()) scope = "unknown scope";
        op.failure = "fail : " + scope + " doesnt support " + std::string(name);
        return false;
    }
    const bool low = !op.object.high_precision;
    bool written = false;
    if (key) {
        std::string value;
        if (!get_argument(op, *key, value)) {
            op.failure = "fail : scope command not found";
            return false;
        }
        if (record->append) {
            const std::string& pattern =
                !record->arg_low.empty() && low ? record->arg_low : record->arg_high;
            const std::string argument = format_argument(pattern, value, op.object, settings_);
            if (failed(argument)) {
                op.failure = argument;
                return false;
            }
            written = link_.write(record->write + argument);
        } else {
            if (!link_.write(record->write)) {
                op.failure = "fail : write";
                return false;
            }
            written = true;
        }
    } else {
        written = link_.write(record->write);
    }

    if (!record->returns) {
        // A command that gets no answer has only its write to show: a failed
        // write is a failed command, or "stop_all" would report a scope that
        // never heard it as stopped.
        if (!written) {
            op.failure = "fail : write";
            return false;
        }
        op.failure.clear();
        return true;
    }
    // Where an answer is expected the wait decides, whatever the write did.
    if (!link_.read_timeout(record->test_reply)) {
        op.failure = "fail : read from scope failed";
        return false;
    }
    const std::string& pattern = !record->reply_low.empty() && low ? record->reply_low : record->reply_high;
    std::string decoded = decode_answer(pattern, link_.answer_buffer(), op.object, settings_);
    if (failed(decoded)) {
        op.failure = std::move(decoded);
        return false;
    }
    op.answer = std::move(decoded);
    op.failure.clear();
    return true;
}

void scope_operations::focus(operation_state& op) {
    std::string dir, speed_text, timeout_text;
    std::optional<int> run_time;
    if (!get_argument(op, "dir", dir) || !get_argument(op, "speed", speed_text) ||
        !get_argument(op, "timeout", timeout_text)) {
        op.status = "fail : cant find argument : dir";
    } else {
        const focus_limits limits = ports_.panels().focus_settings();
        const int speed = read_integer(speed_text).value_or(0);
        if (!send_command(op, speed > limits.focus_speeds / 2.0 ? "focus_fast" : "focus_slow")) {
            op.status = "fail";
        } else {
            int time = read_integer(timeout_text).value_or(limits.min_timeout);
            if (time < limits.min_timeout)
                time = limits.min_timeout;
            else if (time > limits.max_timeout)
                time = limits.max_timeout;
            run_time = time;
            if (dir != "+" && dir != "-") op.status = "fail : unknown operand : " + dir;
        }
    }
    // The stop timer runs even after a failure, so that a focuser that did
    // start is stopped in any case.
    bool start_timer = failed(op.status);
    if (!start_timer) {
        start_timer = send_command(op, dir == "+" ? "focus_in" : "focus_out");
        if (!start_timer) ports_.status().update_status_log_failed();
    }
    if (start_timer && scope_enabled()) ports_.panels().enable_focus_timer(run_time.value_or(0));
}

void scope_operations::run_operation(operation_state& op) {
    const std::string& name = op.text.name;
    const auto announce = [&] { ports_.status().update_status_log_header(name); };
    const auto send = [&](std::string_view command, std::optional<std::string_view> key = std::nullopt) {
        return send_command(op, command, key);
    };

    if (name == "connect") {
        announce();
        if (!connect_to_scope()) {
            op.status = "fail : no connection";
        } else if (!send("query")) {
            disconnect_from_scope();
        } else if (op.answer.empty()) {
            op.failure = "scope not talking";
        } else {
            // A scope in low precision gives its right ascension in tenths
            // of a minute, "12:08.9#".
            op.object.high_precision = op.answer.find('.') == std::string::npos;
        }
    } else if (name == "disconnect") {
        announce();
        disconnect_from_scope();
    } else if (name == "align") {
        announce();
        send("set_ra", "ra") && send("set_dec", "dec") && send("sync");
    } else if (name == "get_ra_dec") {
        announce();
        send("get_ra") && send("get_dec");
    } else if (name == "get_az_alt") {
        announce();
        send("get_az") && send("get_alt");
    } else if (name == "switch_precision") {
        announce();
        // The switch itself answers nothing, so the scope is asked which
        // precision it is in now, as "connect" does; the caller learns it
        // through the object.
        if (send("switch_precision") && send("query") && !op.answer.empty())
            op.object.high_precision = op.answer.find('.') == std::string::npos;
    } else if (name == "focus_speed") {
        announce();
        send("focus_speed", "speed");
    } else if (name == "focus") {
        announce();
        focus(op);
    } else if (name == "stop_focus") {
        announce();
        send("focus_stop");
    } else if (name == "goto_ra_dec" || name == "goto_az_alt") {
        announce();
        const bool equatorial = name == "goto_ra_dec";
        const bool sent = equatorial
                              ? send("set_ra", "ra") && send("set_dec", "dec") && send("slew_ra")
                              : send("set_az", "az") && send("set_alt", "alt") && send("slew_az");
        // A scope that refuses the slew says why in its answer, "1" + message.
        if (sent && op.answer != "true") op.status = "fail : ";
    } else if (name == "stopped") {
        announce();
        if (send("stopped"))
            op.object.moving = op.answer == "false";
        else
            op.status = "fail : ";
    } else if (is_plain_command(name)) {
        announce();
        send(name);
    }
    // Any other name is no operation: nothing is sent and the result is "ok".
}
