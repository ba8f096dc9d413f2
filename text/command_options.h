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
