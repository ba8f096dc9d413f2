// The one reader of whole numbers: an optional sign and decimal digits that
// fit 32 bits; each caller says what else its texts may hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct integer_rules {
    // Blanks around the number are ignored (trim_rule::blanks).
    bool blanks_around = false;
    // "0x" or "0X" and hexadecimal digits are read too.
    bool hexadecimal = false;
    // A sign may stand before the digits.
    bool sign = true;
};

std::optional<std::int32_t> read_integer(std::string_view text, integer_rules rules = {});

// The strict form the telescope's texts and the range arguments take: a
// sign and digits, nothing else. Leaves value alone when the text is not one.
inline bool parse_decimal_integer(std::string_view text, std::int32_t& value) {
    const std::optional<std::int32_t> read = read_integer(text);
    if (read) value = *read;
    return read.has_value();
}

// A TCP port as a user types it: decimal digits only, 0 to 65535 (0: any
// free port, where the listener allows it).
inline std::optional<int> read_port(std::string_view text) {
    const std::optional<std::int32_t> read = read_integer(text, {.sign = false});
    if (!read || *read > 65535) return std::nullopt;
    return int(*read);
}
