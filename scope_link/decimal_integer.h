// The strict integer reader of the telescope texts and range arguments: an
// optional sign and decimal digits, nothing else, fitting 32 bits.
#pragma once

#include <charconv>
#include <cstdint>
#include <string_view>

inline bool parse_decimal_integer(std::string_view text, std::int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would take a second sign ("+-5") as part of the number.
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    std::int64_t parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    if (negative) parsed = -parsed;
    if (parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = std::int32_t(parsed);
    return true;
}
