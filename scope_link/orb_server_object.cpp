// The formatters of tscope_object: an angle split by truncation (never
// rounded, never normalised) and written in the telescope's text forms.
#include "scope_link/orb_server_object.h"

#include "settings/configuration_settings.h"

#include <cmath>
#include <cstdlib>

namespace {

// Whole units of a value truncated toward zero. Callers keep angles in range,
// but a value from a client may be anything: NaN counts as 0 and huge values
// stop at the int32 limits (symmetric, so that the absolute value still fits).
std::int32_t whole(double value) {
    if (std::isnan(value)) return 0;
    const double t = std::trunc(value);
    if (t >= INT32_MAX) return INT32_MAX;
    if (t <= -INT32_MAX) return -INT32_MAX;
    return std::int32_t(t);
}

double fraction(double value) {
    if (!std::isfinite(value)) return 0;
    return value - std::trunc(value);
}

// Fills the numbers of a record; signed_minutes false takes the absolute
// value of the minutes (declination and altitude carry the sign on degrees).
void split(angle_record& record, double value, bool signed_minutes) {
    record = angle_record{};
    record.units = whole(value);
    double m = fraction(value) * 60;
    if (!signed_minutes) m = std::fabs(m);
    record.seconds = whole(fraction(m) * 60);
    record.minutes = whole(m);
    record.tenths = record.seconds / 6;
}

std::string two_digits(std::int32_t n) {
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

std::string three_digits(std::int32_t n) {
    if (n < 10) return "00" + std::to_string(n);
    if (n < 100) return "0" + std::to_string(n);
    return std::to_string(n);
}

// Declination and altitude share one split and one text form.
void split_signed_degrees(angle_record& record, double value, bool seconds_bug) {
    split(record, value, false);
    record.short_text = (value >= 0 ? "+" : "-") + two_digits(std::abs(record.units)) +
                        degree_sign + two_digits(record.minutes);
    record.full_text = seconds_bug ? record.short_text
                                   : record.short_text + ":" + two_digits(record.seconds);
}

} // namespace

void tscope_object::format_ra(hms& record, double value, const configuration_settings& settings) {
    ra = value;
    split(record, value, true);
    const std::string hours_minutes = two_digits(record.units) + ":" + two_digits(record.minutes);
    if (settings.seconds_bug) {
        record.full_text = record.short_text = hours_minutes;
        return;
    }
    record.short_text = hours_minutes + "." + std::to_string(record.tenths);
    record.full_text = hours_minutes + ":" + two_digits(record.seconds);
}

void tscope_object::format_dec(dms& record, double value, const configuration_settings& settings) {
    dec = value;
    split_signed_degrees(record, value, settings.seconds_bug);
}

void tscope_object::format_alt(ams& record, double value, const configuration_settings& settings) {
    alt = value;
    split_signed_degrees(record, value, settings.seconds_bug);
}

void tscope_object::format_az(dms& record, double value, const configuration_settings& settings) {
    az = value;
    split(record, value, true);
    const std::string degrees_minutes =
        three_digits(record.units) + degree_sign + two_digits(record.minutes);
    if (settings.seconds_bug) {
        record.full_text = record.short_text = degrees_minutes;
        return;
    }
    record.short_text = degrees_minutes + "." + std::to_string(record.tenths);
    record.full_text = degrees_minutes + ":" + two_digits(record.seconds);
}

void tscope_object::current_ra(hms& record, const configuration_settings& settings) {
    format_ra(record, ra, settings);
}

void tscope_object::current_dec(dms& record, const configuration_settings& settings) {
    format_dec(record, dec, settings);
}

void tscope_object::current_alt(ams& record, const configuration_settings& settings) {
    format_alt(record, alt, settings);
}

void tscope_object::current_az(dms& record, const configuration_settings& settings) {
    format_az(record, az, settings);
}
