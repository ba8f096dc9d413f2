// The program's status log as the processor, the local path, the scope link
// and the panels write it: one indented line per step, shown while its
// switch allows, appended to the comms log file, and handed to every
// display (the network panel's box, the console when headless).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class comms_log;

class status_logger {
public:
    using display = std::function<void(const std::string& line)>;

    // The file must outlive the logger.
    explicit status_logger(comms_log& file) : file_(file) {}

    void update_status_log(const std::string& text, bool show);
    // Shown while message logging is on.
    void update_status_log_check(const std::string& text);
    void update_status_log_header(const std::string& name);
    // A line shown as it is: no indentation, and not for the log file.
    void show_as_is(const std::string& line);

    void add_display(display shown) { displays_.push_back(std::move(shown)); }

    bool message_logging = false;
    std::int32_t log_indent = 0;

private:
    comms_log& file_;
    std::vector<display> displays_;
};
