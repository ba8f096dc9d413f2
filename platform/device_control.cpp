#include "platform/device_control.h"

#include <algorithm>
#include <cctype>

#include "text/integer_text.h"
#include "text/same_name.h"

namespace {

// Plain decimal digits only, no sign and no blanks.
bool read_count(std::string_view text, int& value) {
    const std::optional<std::int32_t> read = read_integer(text, {.sign = false});
    if (read) value = *read;
    return read.has_value();
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool apply_item(std::string_view key, std::string_view value, line_settings& s) {
    int number = 0;
    if (same_name(key, "baud")) {
        if (!read_count(value, number)) return false;
        if (std::find(standard_baud_rates.begin(), standard_baud_rates.end(), number) ==
            standard_baud_rates.end())
            return false;
        s.baud = number;
        return true;
    }
    if (same_name(key, "parity")) {
        if (value.size() != 1) return false;
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
        if (letter != 'N' && letter != 'E' && letter != 'O') return false;
        s.parity = letter;
        return true;
    }
    if (same_name(key, "data")) {
        if (!read_count(value, number) || number < 4 || number > 8) return false;
        s.data_bits = number;
        return true;
    }
    if (same_name(key, "stop")) {
        if (!read_count(value, number) || (number != 1 && number != 2)) return false;
        s.stop_bits = number;
        return true;
    }
    return false;
}

}  // namespace

bool apply_device_control(std::string_view text, line_settings& settings) {
    line_settings result = settings;
    bool any = false;
    std::size_t at = 0;
    while (at < text.size()) {
        if (is_blank(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !is_blank(text[end])) ++end;
        std::string_view item = text.substr(at, end - at);
        std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) return false;
        if (!apply_item(item.substr(0, equals), item.substr(equals + 1), result)) return false;
        any = true;
        at = end;
    }
    if (!any) return false;
    settings = result;
    return true;
}
