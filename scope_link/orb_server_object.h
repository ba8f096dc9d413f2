// A pointing position (tscope_object) and the coordinate codec: the
// telescope's fixed text forms of right ascension, declination, altitude and
// azimuth, formatted from and parsed into angles held as doubles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct configuration_settings;

// The degree sign of the telescope's texts: one byte, never a UTF-8 sequence.
inline constexpr char degree_sign = '\xDF';

// An angle split into whole units, minutes, seconds and tenths of a minute,
// with its long and short telescope texts.
struct angle_record {
    std::int32_t units = 0;   // whole hours or degrees, signed, truncated toward zero
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    std::int32_t tenths = 0;  // seconds div 6
    std::string full_text;    // high-precision text
    std::string short_text;   // low-precision text
};

// One type per quantity, so that a right ascension record cannot be handed to
// the declination codec by mistake.
struct hms : angle_record {}; // right ascension
struct dms : angle_record {}; // declination; also azimuth
struct ams : angle_record {}; // altitude

// A position and two link flags; the result of every scope operation. The
// formatters take the configuration settings at each call because the user
// may change "Ignore seconds" at any time.
struct tscope_object {
    bool high_precision = true; // the scope answers in the long text forms
    double ra = 4.7;            // hours
    double dec = 51.5;          // degrees
    double alt = 51.38;         // degrees
    double az = 4.08;           // degrees
    bool moving = false;

    // Each stores the value in its field, splits it and fills the record anew.
    void format_ra(hms& record, double value, const configuration_settings& settings);
    void format_dec(dms& record, double value, const configuration_settings& settings);
    // Leaves dec as it was.
    void format_alt(ams& record, double value, const configuration_settings& settings);
    void format_az(dms& record, double value, const configuration_settings& settings);

    // The same with the object's own stored value.
    void current_ra(hms& record, const configuration_settings& settings);
    void current_dec(dms& record, const configuration_settings& settings);
    void current_alt(ams& record, const configuration_settings& settings);
    void current_az(dms& record, const configuration_settings& settings);
};

// The parsers read the record's full_text, or its short_text when full_text is
// empty. On success they fill the record's numbers and set the object's field;
// on failure the object is unchanged (the record's numbers may be part-filled).
// Declination, altitude and azimuth take 0xDF, "*" or a first ":" after the
// degrees; the formatters always write 0xDF.
bool parse_ra(tscope_object& object, hms& record);
bool parse_dec(tscope_object& object, dms& record);
// Leaves dec as it was.
bool parse_alt(tscope_object& object, ams& record);
// The azimuth's degree field depends on the scope model and "Century Bug".
bool parse_az(tscope_object& object, dms& record, const configuration_settings& settings);

// The degree field of scopes that send the hundreds and tens of the azimuth
// as one character whose code is 48 plus that number ("P9" is 329).
std::int32_t decode_century_degrees(std::string_view text);
