#include "forms/notifications.h"

namespace forms {

namespace {

void keep(std::deque<std::string>& list, const std::string& item) {
    list.push_back(item);
    if (list.size() > notification_log::kept) list.pop_front();
}

} // namespace

void notification_log::show_message(const std::string& text) {
    keep(messages_, text);
    if (write_line) write_line("message: " + text);
}

void notification_log::show_help(const std::string& help_file, const std::string& keyword) {
    keep(help_keywords_, keyword);
    if (write_line) write_line("help topic \"" + keyword + "\" of " + help_file);
}

} // namespace forms
