// Removing blanks from both ends of a text, by one of two rules.
#pragma once

#include <string_view>

enum class trim_rule {
    // Space, tab and CR: what a line of a settings file or a typed number
    // may carry around its text.
    blanks,
    // Every byte of code 32 or less: what a request line or a port text
    // may carry, control characters included.
    controls_and_blanks,
};

inline std::string_view trim(std::string_view text, trim_rule rule = trim_rule::blanks) {
    const auto removed = [rule](char c) {
        if (rule == trim_rule::controls_and_blanks) return static_cast<unsigned char>(c) <= 32;
        return c == ' ' || c == '\t' || c == '\r';
    };
    while (!text.empty() && removed(text.front())) text.remove_prefix(1);
    while (!text.empty() && removed(text.back())) text.remove_suffix(1);
    return text;
}
