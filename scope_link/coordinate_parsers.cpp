// The parsers of the telescope's coordinate texts. They read whatever the
// serial line delivered, so every field is checked and a failure leaves the
// object's value untouched.
#include "text/integer_text.h"
#include "scope_link/orb_server_object.h"

#include "settings/configuration_settings.h"

#include <cmath>

namespace {

// The text to read with its "#" terminators removed; false when nothing is left.
bool text_to_parse(const angle_record& record, std::string_view& text) {
    text = record.full_text.empty() ? record.short_text : record.full_text;
    while (!text.empty() && text.back() == '#') text.remove_suffix(1);
    return !text.empty();
}

// Minutes and seconds after the units: "MM:SS" or "MM".
bool parse_minutes_colon_seconds(std::string_view rest, angle_record& record) {
    const auto colon = rest.find(':');
    if (colon == std::string_view::npos) {
        record.seconds = 0;
        record.tenths = 0;
        return parse_decimal_integer(rest, record.minutes);
    }
    if (!parse_decimal_integer(rest.substr(0, colon), record.minutes) ||
        !parse_decimal_integer(rest.substr(colon + 1), record.seconds))
        return false;
    record.tenths = record.seconds / 6;
    return true;
}

// Minutes and seconds after the units: "MM:SS", "MM.T" or "MM".
bool parse_minutes_seconds(std::string_view rest, angle_record& record) {
    const auto point = rest.find('.');
    if (rest.find(':') != std::string_view::npos || point == std::string_view::npos)
        return parse_minutes_colon_seconds(rest, record);
    if (!parse_decimal_integer(rest.substr(0, point), record.minutes) ||
        !parse_decimal_integer(rest.substr(point + 1), record.tenths))
        return false;
    // Six seconds to the tenth; a tenths field too long to scale is no angle.
    if (record.tenths > INT32_MAX / 6 || record.tenths < INT32_MIN / 6) return false;
    record.seconds = record.tenths * 6;
    return true;
}

// Where the degrees end. A Meade sends the byte 0xDF; many controllers and
// emulators that speak its protocol send "*" instead, or a plain ":" as in
// "+90:00:00", so a first ":" counts only when neither of the others is there.
std::size_t degree_separator(std::string_view text) {
    for (const char separator : {degree_sign, '*'})
        if (const auto at = text.find(separator); at != std::string_view::npos) return at;
    return text.find(':');
}

double minutes_in_units(const angle_record& record) {
    return (record.minutes + record.seconds / 60.0) / 60.0;
}

// Declination and altitude: "sDD" 0xDF "MM:SS" or "sDD" 0xDF "MM".
bool parse_signed_degrees(angle_record& record, double& value) {
    std::string_view text;
    if (!text_to_parse(record, text)) return false;
    const auto degree = degree_separator(text);
    if (degree == std::string_view::npos) return false;
    const std::string_view degrees = text.substr(0, degree);
    const std::string_view rest = text.substr(degree + 1);
    if (!parse_decimal_integer(degrees, record.units) || !parse_minutes_colon_seconds(rest, record))
        return false;
    // The sign is taken from the text, since "-00" reads as the integer 0.
    const double magnitude = std::abs(double(record.units)) + minutes_in_units(record);
    value = degrees.front() == '-' ? -magnitude : magnitude;
    return true;
}

} // namespace

bool parse_ra(tscope_object& object, hms& record) {
    std::string_view text;
    if (!text_to_parse(record, text)) return false;
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    if (!parse_decimal_integer(text.substr(0, colon), record.units) ||
        !parse_minutes_seconds(text.substr(colon + 1), record))
        return false;
    object.ra = record.units + minutes_in_units(record);
    return true;
}

bool parse_dec(tscope_object& object, dms& record) {
    double value = 0;
    if (!parse_signed_degrees(record, value)) return false;
    object.dec = value;
    return true;
}

bool parse_alt(tscope_object& object, ams& record) {
    double value = 0;
    if (!parse_signed_degrees(record, value)) return false;
    object.alt = value;
    return true;
}

bool parse_az(tscope_object& object, dms& record, const configuration_settings& settings) {
    std::string_view text;
    if (!text_to_parse(record, text)) return false;
    const auto degree = degree_separator(text);
    if (degree == std::string_view::npos) return false;
    const std::string_view degrees = text.substr(0, degree);
    // An AutoStar with the century bug may send a single digit that is already
    // encoded; every other scope is read as an integer first. Texts that are not
    // integers are always taken as encoded.
    const bool century_first = settings.scope_type == configuration_settings::autostar &&
                               settings.century_bug && degrees.size() < 2;
    if (century_first || !parse_decimal_integer(degrees, record.units))
        record.units = decode_century_degrees(degrees);
    if (!parse_minutes_seconds(text.substr(degree + 1), record)) return false;
    object.az = record.units + minutes_in_units(record);
    return true;
}

std::int32_t decode_century_degrees(std::string_view text) {
    if (!text.empty() && text.front() == '0') text.remove_prefix(1);
    // Codes are bytes 0 to 255, so the result stays well inside int32.
    const auto code = [&](std::size_t i) {
        return std::int32_t(static_cast<unsigned char>(text[i])) - 48;
    };
    if (text.size() >= 2) return code(0) * 10 + code(1);
    if (text.size() == 1) return code(0);
    return 0;
}
