// Reading a request line: command-word [ "(" name[=value] {"," ...} ")" ].
// Names and values stay exactly as written; there is no quoting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct parsed_request {
    enum class form {
        plain,         // a command word alone
        with_list,     // a command word and an argument list
        no_closing,    // "(" without ")" as the last character
    };
    form shape = form::plain;
    std::string word;
    std::vector<std::string> names;  // with_list only, in the order written
    std::vector<std::string> values;
};

// Characters of code 32 or less are removed from both ends.
std::string_view trim_request(std::string_view text);
// Parses an already trimmed line.
parsed_request parse_request(std::string_view text);
// The items of a reply that begins "ok=(", in order: each split at its
// first "="; an item without one has an empty name and is all value.
void split_reply_values(std::string_view reply, std::vector<std::string>& names,
                        std::vector<std::string>& values);
// The value of the first name that matches without regard to letter case.
bool find_option(const std::vector<std::string>& names, const std::vector<std::string>& values,
                 std::string_view name, std::string& value);
