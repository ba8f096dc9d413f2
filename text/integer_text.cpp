#include "text/integer_text.h"

#include <charconv>

#include "text/trim.h"

std::optional<std::int32_t> read_integer(std::string_view text, integer_rules rules) {
    if (rules.blanks_around) text = trim(text);
    bool negative = false;
    if (rules.sign && !text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (rules.hexadecimal && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    // from_chars would take a second sign ("+-5") as part of the number.
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    std::int64_t parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed, base);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (negative) parsed = -parsed;
    if (parsed < INT32_MIN || parsed > INT32_MAX) return std::nullopt;
    return std::int32_t(parsed);
}
