// The local command path: how a panel sends one request to the processor and
// reads the values of its reply by name.
#include "command_server/command_processor.h"

#include "command_server/request_syntax.h"
#include "text/integer_text.h"
#include "text/call_syntax.h"
#include "text/number_text.h"

std::uint8_t command_processor::send_message(const std::string& command, const std::string& failure_text) {
    // A panel that sends from inside a request (the information panel's
    // altitude guard, run when a move ends the poll) must not wipe the
    // arguments and the reply that request is still working on; the inner
    // request's values are gone when it returns.
    const bool nested = depth_ > 0;
    request_state outer;
    if (nested) outer = take_request_state();
    log_.log_indent = 0;
    update_status_log_check("send_message >>");
    std::uint8_t result = success;
    std::string note = "i said : " + command;
    request_text = command;
    std::unique_ptr<tscope_object> object;
    const std::string reply = process_input(nullptr, object);
    last_result = std::move(object);

    if (reply == "nil") {
        result = failure;
        note += " : and received a null repsonse : " + failure_text;
    } else if (reply.starts_with("ok=(")) {
        split_reply_values(reply, option_names, option_values);
        has_options = true;
    } else if (reply.starts_with("fail")) {
        result = failure;
        note += " : but reported : " + failure_text;
    }
    update_status_log_check(note);
    update_status_log_check("<< send_message");
    if (nested) restore_request_state(std::move(outer));
    return result;
}

command_processor::request_state command_processor::take_request_state() {
    request_state state;
    state.request_text = std::move(request_text);
    state.reply_text = std::move(reply_text);
    state.reply_values = std::move(reply_values_);
    state.option_names = std::move(option_names);
    state.option_values = std::move(option_values);
    state.has_options = has_options;
    state.op_result = std::move(op_result);
    state.log_indent = log_.log_indent;
    return state;
}

void command_processor::restore_request_state(request_state&& state) {
    request_text = std::move(state.request_text);
    reply_text = std::move(state.reply_text);
    reply_values_ = std::move(state.reply_values);
    option_names = std::move(state.option_names);
    option_values = std::move(state.option_values);
    has_options = state.has_options;
    op_result = std::move(state.op_result);
    log_.log_indent = state.log_indent;
}

std::uint8_t command_processor::send_message_check(const std::string& command) {
    return send_message(command, "No response from server");
}

std::uint8_t command_processor::send_safety_stop(const std::string& command) {
    safety_stop_ = true;
    struct reset {
        bool& flag;
        ~reset() { flag = false; }
    } at_end{safety_stop_};
    return send_message_check(command);
}

void command_processor::get_option_value(std::string_view name, std::string& value) const {
    value.clear();
    if (!has_options) return;
    if (std::optional<std::string> found = find_value(option_names, option_values, name)) value = std::move(*found);
}

bool command_processor::get_float(std::string_view name, double& value) const {
    std::string text;
    get_option_value(name, text);
    if (text.empty()) return false;
    if (!parse_general_number(text, value))
        throw conversion_error("'" + text + "' is not a valid floating point value");
    return true;
}

bool command_processor::get_integer(std::string_view name, std::int32_t& value) const {
    std::string text;
    get_option_value(name, text);
    if (text.empty()) return false;
    if (!parse_decimal_integer(text, value)) throw conversion_error("'" + text + "' is not a valid integer value");
    return true;
}

bool command_processor::get_string(std::string_view name, std::string& value) const {
    std::string text;
    get_option_value(name, text);
    if (text.empty()) return false;
    value = std::move(text);
    return true;
}

bool command_processor::get_boolean(std::string_view name, bool& value) const {
    std::string text;
    get_option_value(name, text);
    if (text.empty()) return false;
    value = text == "true";
    return true;
}
