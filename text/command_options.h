// A program's command line read the GNU way: "--name VALUE" or
// "--name=VALUE" for an option that takes a value, "--name" for one that
// does not, every other word plain, and every word after "--" plain too.
// Each program says which options it knows and gives them their meaning.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct option_word {
    std::string name;                 // "--listen"; empty for a plain word
    std::optional<std::string> value; // the option's value, or the plain word
};

struct option_words {
    std::vector<option_word> words; // in the order given
    std::string error;              // the first fault, as "--listen wants a value"; empty when none
};

// `flags` take no value, `valued` take one.
option_words read_options(const std::vector<std::string>& arguments, const std::vector<std::string_view>& flags,
                          const std::vector<std::string_view>& valued);

// What a program makes of its command line.
template <class Options>
struct command_line_of {
    enum class action {
        run,     // go on with `options`
        help,    // print the usage on standard output, exit 0
        version, // print the name and version on standard output, exit 0
        refuse,  // print `error` and the usage on standard error, exit 2
    };
    action what = action::run;
    Options options;
    std::string error; // one line, "program: ..."

    static command_line_of answer(action what) { return {what, {}, {}}; }
    static command_line_of refused(const std::string& program, const std::string& why) {
        return {action::refuse, {}, program + ": " + why};
    }
};
