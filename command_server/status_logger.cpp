#include "command_server/status_logger.h"

#include "scope_link/comms_log.h"

void status_logger::update_status_log(const std::string& text, bool show) {
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
    for (const display& shown : displays_) shown(line);
    file_.write_log(line);
}

void status_logger::update_status_log_check(const std::string& text) { update_status_log(text, message_logging); }

void status_logger::update_status_log_header(const std::string& name) {
    update_status_log(name + " : ", message_logging);
}

void status_logger::show_as_is(const std::string& line) {
    for (const display& shown : displays_) shown(line);
}
