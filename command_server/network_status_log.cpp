// The status log: one indented line per step of the processor, the local
// path, the scope link and the panels, shown while its switch allows.
#include "command_server/orb_server_network.h"

void Tscope_network::update_status_log(const std::string& text, bool show) {
    if (!show) return;
    // A line with ">>" opens a block: it stands two blanks deeper than the
    // lines around it and the lines inside four; "<<" closes it the same way.
    const bool opens = text.find(">>") != std::string::npos;
    const bool closes = !opens && text.find("<<") != std::string::npos;
    if (opens) log_indent += 2;
    if (closes) log_indent -= 2;
    const std::string line = std::string(std::size_t(log_indent > 0 ? log_indent : 0), ' ') + text;
    if (opens) log_indent += 2;
    if (closes) log_indent -= 2;
    status_log.add_line(line);
    if (hooks.write_log) hooks.write_log(line);
    if (echo_line) echo_line(line);
}

void Tscope_network::update_status_log_check(const std::string& text) {
    update_status_log(text, message_logging);
}

void Tscope_network::update_status_log_header(const std::string& name) {
    update_status_log(name + " : ", message_logging);
}

void Tscope_network::update_status_log_failed() {
    update_status_log_check(" !!! failed !!!");
    reply_text = "fail";
}

bool Tscope_network::update_status_log_failed_check() {
    if (!reply_text.starts_with("fail")) return false;
    update_status_log_failed();
    return true;
}
