// Message boxes and help topics. Neither blocks: the model shows one and goes
// on. The program decides where they go (the view's dialogs, the log).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace forms {

class notification_sink {
public:
    virtual ~notification_sink() = default;
    virtual void show_message(const std::string& text) = 0;
    // The help topic `keyword` of the help file `help_file`.
    virtual void show_help(const std::string& help_file, const std::string& keyword) = 0;
};

// Where notifications go without a display: the latest ones are kept (for
// tests and for a look after the fact), and each is handed to write_line
// when set (the program points it at its log).
class notification_log final : public notification_sink {
public:
    std::function<void(const std::string& line)> write_line;

    void show_message(const std::string& text) override;
    void show_help(const std::string& help_file, const std::string& keyword) override;

    const std::deque<std::string>& messages() const { return messages_; }
    const std::deque<std::string>& help_keywords() const { return help_keywords_; }

    // A headless server may fail the same way every few seconds for weeks.
    static constexpr std::size_t kept = 100;

private:
    std::deque<std::string> messages_;
    std::deque<std::string> help_keywords_;
};

} // namespace forms
