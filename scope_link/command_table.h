// The table of telescope command definitions: what each command sends, whether
// an argument is appended, whether the scope answers, and the templates that
// format the argument and read the answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct command_record {
    static constexpr std::size_t reply_template_length = 64;
    static constexpr std::size_t arg_template_length = 32;

    std::string name;       // the lookup key
    std::string write;      // text sent, or its fixed start when append is on
    bool append = false;    // a formatted argument is appended to write
    bool returns = false;   // the scope answers; the answer is read and decoded
    std::string reply_high; // answer template; the only one when reply_low is empty
    std::string reply_low;  // answer template in low precision; empty: none
    std::string arg_high;   // argument template; the only one when arg_low is empty
    std::string arg_low;    // argument template in low precision; empty: none
    std::string test_reply; // the built-in test scope's answer
};

// Records in creation order (each one's older and newer neighbours are the
// records before and after it), with a lookup by name that ignores case and
// takes the first match.
class command_table {
public:
    // Templates longer than their field are cut to its length.
    void create_command_record(std::string name, std::string write, bool append,
                               std::string arg_high, std::string arg_low, bool returns,
                               std::string reply_high, std::string reply_low,
                               std::string test_reply);
    void clear() { records_.clear(); }

    // A copy, so that a reload during an operation cannot change what it sends.
    std::optional<command_record> find(std::string_view name) const;
    const std::vector<command_record>& records() const { return records_; }

private:
    std::vector<command_record> records_;
};
