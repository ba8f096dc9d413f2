// An operation text as tell receives it: a bare name, or a name with an
// argument list in parentheses, such as goto_ra_dec(ra=12.5,dec=42.1).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct operation_argument {
    std::string key;
    std::string value;
};

struct operation_text {
    std::string name;
    // Absent when the text has no "("; keys and values exactly as written.
    std::optional<std::vector<operation_argument>> arguments;
};

// Nothing for a text with "(" that does not end with ")".
std::optional<operation_text> parse_operation_text(std::string_view text);

// The value of the first argument whose key matches without regard to case.
std::optional<std::string> find_argument(const operation_text& operation, std::string_view key);
