// tell: the operations interpreter. An operation text names the operation
// and its arguments; each operation sends its command definitions in order
// through the link and decodes the answers into a new result object.
#include "scope_link/orb_server_comms.h"

#include "scope_link/decimal_integer.h"
#include "scope_link/template_engine.h"
#include "shell/configuration_settings.h"

namespace {

bool failed(std::string_view text) { return text.substr(0, 4) == "fail"; }

// A whole number as the operations take "speed" and "timeout".
std::optional<int> whole_number(std::string_view text) {
    std::int32_t value = 0;
    if (!parse_decimal_integer(text, value)) return std::nullopt;
    return value;
}

}  // namespace

std::string Tscope_comms::tell(std::string_view operation, tscope_object& result) {
    std::optional<operation_text> parsed = parse_operation_text(operation);
    if (!parsed) {
        update_status_log("no closing ) : " + std::string(operation));
        result = tscope_object{};
        return "fail : no closing )";
    }
    operation_state op;
    op.text = std::move(*parsed);
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

bool Tscope_comms::get_argument(const operation_state& op, std::string_view key, std::string& value) const {
    std::optional<std::string> found = find_argument(op.text, key);
    if (!found) return false;
    value = std::move(*found);
    return true;
}

bool Tscope_comms::send_command(operation_state& op, std::string_view name,
                                std::optional<std::string_view> key) {
    const std::optional<command_record> record = commands.find(name);
    if (!record) {
        std::string scope = hooks.scope_name ? hooks.scope_name() : std::string();
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
            written = write(record->write + argument);
        } else {
            if (!write(record->write)) {
                op.failure = "fail : write";
                return false;
            }
            written = true;
        }
    } else {
        written = write(record->write);
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
    if (!read_timeout(record->test_reply)) {
        op.failure = "fail : read from scope failed";
        return false;
    }
    const std::string& pattern = !record->reply_low.empty() && low ? record->reply_low : record->reply_high;
    std::string decoded = decode_answer(pattern, answer_buffer_, op.object, settings_);
    if (failed(decoded)) {
        op.failure = std::move(decoded);
        return false;
    }
    op.answer = std::move(decoded);
    op.failure.clear();
    return true;
}

void Tscope_comms::focus(operation_state& op) {
    std::string dir, speed_text, timeout_text;
    std::optional<int> run_time;
    if (!get_argument(op, "dir", dir) || !get_argument(op, "speed", speed_text) ||
        !get_argument(op, "timeout", timeout_text)) {
        op.status = "fail : cant find argument : dir";
    } else {
        const focus_limits limits = hooks.focus_settings ? hooks.focus_settings() : focus_limits{};
        const int speed = whole_number(speed_text).value_or(0);
        if (!send_command(op, speed > limits.focus_speeds / 2.0 ? "focus_fast" : "focus_slow")) {
            op.status = "fail";
        } else {
            int time = whole_number(timeout_text).value_or(limits.min_timeout);
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
        if (!start_timer && hooks.update_status_log_failed) hooks.update_status_log_failed();
    }
    if (start_timer && scope_enabled() && hooks.enable_focus_timer)
        hooks.enable_focus_timer(run_time.value_or(0));
}

void Tscope_comms::run_operation(operation_state& op) {
    const std::string& name = op.text.name;
    const auto announce = [&] {
        if (hooks.update_status_log_header) hooks.update_status_log_header(name);
    };
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
    } else if (name == "stop_all" || name == "increase_tracking" || name == "decrease_tracking" ||
               name == "default_tracking" || name == "lunar_tracking") {
        announce();
        send(name);
    }
    // Any other name is no operation: nothing is sent and the result is "ok".
}
