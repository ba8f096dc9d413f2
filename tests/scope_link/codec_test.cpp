// The coordinate codec: splits and texts of the four formatters, the four
// parsers and the century-encoded azimuth degrees.
#include "scope_link/orb_server_object.h"

#include "settings/configuration_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

enum class quantity { ra, dec, alt, az };

// Formats value as the given quantity; returns the record's common part.
angle_record format(tscope_object& object, quantity q, double value,
                    const configuration_settings& settings) {
    switch (q) {
    case quantity::ra: { hms r; object.format_ra(r, value, settings); return r; }
    case quantity::dec: { dms r; object.format_dec(r, value, settings); return r; }
    case quantity::alt: { ams r; object.format_alt(r, value, settings); return r; }
    case quantity::az: { dms r; object.format_az(r, value, settings); return r; }
    }
    return {};
}

bool parse(tscope_object& object, quantity q, const std::string& text,
           const configuration_settings& settings) {
    switch (q) {
    case quantity::ra: { hms r; r.full_text = text; return parse_ra(object, r); }
    case quantity::dec: { dms r; r.full_text = text; return parse_dec(object, r); }
    case quantity::alt: { ams r; r.full_text = text; return parse_alt(object, r); }
    case quantity::az: { dms r; r.full_text = text; return parse_az(object, r, settings); }
    }
    return false;
}

double field(const tscope_object& object, quantity q) {
    switch (q) {
    case quantity::ra: return object.ra;
    case quantity::dec: return object.dec;
    case quantity::alt: return object.alt;
    case quantity::az: return object.az;
    }
    return 0;
}

configuration_settings with_seconds_bug(bool on) {
    configuration_settings settings;
    settings.seconds_bug = on;
    return settings;
}

double angle(double units, double minutes, double seconds) {
    return units + (minutes + seconds / 60) / 60;
}

const std::string deg(1, '\xDF');

} // namespace

TEST(tscope_object, starts_with_the_initial_position) {
    const tscope_object object;
    EXPECT_TRUE(object.high_precision);
    EXPECT_EQ(object.ra, 4.7);
    EXPECT_EQ(object.dec, 51.5);
    EXPECT_EQ(object.alt, 51.38);
    EXPECT_EQ(object.az, 4.08);
    EXPECT_FALSE(object.moving);
}

struct format_case {
    quantity q;
    double value;
    bool seconds_bug;
    std::int32_t units, minutes, seconds, tenths;
    std::string full, short_text;
};

TEST(coordinate_formatters, split_by_truncation_and_write_the_text_forms) {
    const format_case cases[] = {
        {quantity::ra, 12.5, false, 12, 30, 0, 0, "12:30:00", "12:30.0"},
        // 0.2 x 60 is just below 12 in doubles: truncated, never rounded.
        {quantity::ra, 12.2, false, 12, 11, 59, 9, "12:11:59", "12:11.9"},
        {quantity::ra, 1.0 + 5.0 / 60 + 54.5 / 3600, false, 1, 5, 54, 9, "01:05:54", "01:05.9"},
        {quantity::ra, 12.5, true, 12, 30, 0, 0, "12:30", "12:30"},
        {quantity::dec, -12.5, false, -12, 30, 0, 0, "-12" + deg + "30:00", "-12" + deg + "30"},
        {quantity::dec, 0.25, false, 0, 15, 0, 0, "+00" + deg + "15:00", "+00" + deg + "15"},
        // The sign comes from the value, since its whole degrees are 0.
        {quantity::dec, -0.5, false, 0, 30, 0, 0, "-00" + deg + "30:00", "-00" + deg + "30"},
        {quantity::dec, 42.25, true, 42, 15, 0, 0, "+42" + deg + "15", "+42" + deg + "15"},
        {quantity::alt, -5.5, false, -5, 30, 0, 0, "-05" + deg + "30:00", "-05" + deg + "30"},
        {quantity::az, 5.265625, false, 5, 15, 56, 9, "005" + deg + "15:56", "005" + deg + "15.9"},
        // 3.7 x 60 splits as 42 minutes: no minute is added for rounding noise.
        {quantity::az, 3.7, false, 3, 42, 0, 0, "003" + deg + "42:00", "003" + deg + "42.0"},
        {quantity::az, 45.5, false, 45, 30, 0, 0, "045" + deg + "30:00", "045" + deg + "30.0"},
        {quantity::az, 329.5, false, 329, 30, 0, 0, "329" + deg + "30:00", "329" + deg + "30.0"},
        {quantity::az, 5.265625, true, 5, 15, 56, 9, "005" + deg + "15", "005" + deg + "15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "quantity " << int(c.q) << " value " << c.value
                                          << " seconds_bug " << c.seconds_bug);
        tscope_object object;
        const angle_record r = format(object, c.q, c.value, with_seconds_bug(c.seconds_bug));
        EXPECT_EQ(r.units, c.units);
        EXPECT_EQ(r.minutes, c.minutes);
        EXPECT_EQ(r.seconds, c.seconds);
        EXPECT_EQ(r.tenths, c.tenths);
        EXPECT_EQ(r.full_text, c.full);
        EXPECT_EQ(r.short_text, c.short_text);
        EXPECT_EQ(field(object, c.q), c.value);
    }
}

TEST(coordinate_formatters, declination_text_carries_the_degree_sign_as_one_byte) {
    tscope_object object;
    dms record;
    object.format_dec(record, 42.25, configuration_settings{});
    const unsigned char expected[] = {'+', '4', '2', 0xDF, '1', '5', ':', '0', '0'};
    ASSERT_EQ(record.full_text.size(), sizeof expected);
    for (std::size_t i = 0; i < sizeof expected; ++i)
        EXPECT_EQ(static_cast<unsigned char>(record.full_text[i]), expected[i]) << "byte " << i;
}

TEST(coordinate_formatters, altitude_leaves_declination_alone_and_current_uses_stored_values) {
    const configuration_settings settings;
    tscope_object object;
    ams altitude;
    object.format_alt(altitude, 15.77, settings);
    EXPECT_EQ(object.alt, 15.77);
    EXPECT_EQ(object.dec, 51.5);

    hms ra;
    dms dec, az;
    ams alt;
    object.current_ra(ra, settings);
    object.current_dec(dec, settings);
    object.current_alt(alt, settings);
    object.current_az(az, settings);
    EXPECT_EQ(ra.full_text, "04:42:00");
    EXPECT_EQ(dec.full_text, "+51" + deg + "30:00");
    EXPECT_EQ(alt.full_text, "+15" + deg + "46:11");
    EXPECT_EQ(az.short_text, "004" + deg + "04.8");
}

TEST(coordinate_formatters, any_double_gives_a_text) {
    // Values from a client are not range-checked before they reach the codec.
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(), -1e300, 1e300, 3e9};
    for (const double value : values)
        for (const quantity q : {quantity::ra, quantity::dec, quantity::alt, quantity::az}) {
            tscope_object object;
            const angle_record r = format(object, q, value, configuration_settings{});
            EXPECT_FALSE(r.full_text.empty());
            EXPECT_GE(r.minutes, -59);
            EXPECT_LE(r.minutes, 59);
        }
}

struct parse_case {
    quantity q;
    std::string text;
    double expected;
};

TEST(coordinate_parsers, read_the_long_and_short_forms) {
    const parse_case cases[] = {
        {quantity::ra, "12:08.9#", angle(12, 8, 54)},
        {quantity::ra, "12:08:54#", angle(12, 8, 54)},
        {quantity::ra, "12:08", angle(12, 8, 0)},
        {quantity::ra, "12:08:54###", angle(12, 8, 54)},
        {quantity::dec, "+42" + deg + "08:59", angle(42, 8, 59)},
        {quantity::dec, "+42" + deg + "08#", angle(42, 8, 0)},
        {quantity::dec, "-05" + deg + "30", -5.5},
        {quantity::dec, "-00" + deg + "30", -0.5},
        {quantity::alt, "+15" + deg + "46:12#", angle(15, 46, 12)},
        {quantity::alt, "-00" + deg + "30:00", -0.5},
        {quantity::az, "045" + deg + "30:00", 45.5},
        {quantity::az, "005" + deg + "15.9#", angle(5, 15, 54)},
        {quantity::az, "329" + deg + "27", angle(329, 27, 0)},
        {quantity::az, "P9" + deg + "27:27", angle(329, 27, 27)},
    };
    // LX200-compatible controllers put "*" or ":" where a Meade puts 0xDF;
    // each degree text is read with all three, to the same value.
    for (const auto& c : cases)
        for (const std::string& separator : {deg, std::string("*"), std::string(":")}) {
            std::string text = c.text;
            if (const auto at = text.find(deg); at != std::string::npos) text.replace(at, 1, separator);
            else if (separator != deg) continue;
            SCOPED_TRACE(text);
            tscope_object object;
            ASSERT_TRUE(parse(object, c.q, text, configuration_settings{}));
            EXPECT_NEAR(field(object, c.q), c.expected, 1e-12);
            if (c.q == quantity::alt) {
                EXPECT_EQ(object.dec, 51.5);
            }
        }
}

TEST(coordinate_parsers, fill_the_record_numbers) {
    tscope_object object;
    hms ra;
    ra.full_text = "12:08.9#";
    ASSERT_TRUE(parse_ra(object, ra));
    EXPECT_EQ(ra.units, 12);
    EXPECT_EQ(ra.minutes, 8);
    EXPECT_EQ(ra.seconds, 54);
    EXPECT_EQ(ra.tenths, 9);

    dms dec;
    dec.full_text = "-05" + deg + "30:59";
    ASSERT_TRUE(parse_dec(object, dec));
    EXPECT_EQ(dec.units, -5);
    EXPECT_EQ(dec.minutes, 30);
    EXPECT_EQ(dec.seconds, 59);
    EXPECT_EQ(dec.tenths, 9);
}

TEST(coordinate_parsers, read_the_short_text_when_the_full_text_is_empty) {
    tscope_object object;
    hms record;
    record.short_text = "12:08.9";
    ASSERT_TRUE(parse_ra(object, record));
    EXPECT_NEAR(object.ra, angle(12, 8, 54), 1e-12);
}

TEST(coordinate_parsers, century_encoded_azimuth_reads_the_same_under_every_setting) {
    for (const std::uint16_t model : {configuration_settings::lx200, configuration_settings::autostar})
        for (const bool century_bug : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "model " << model << " century " << century_bug);
            configuration_settings settings;
            settings.scope_type = model;
            settings.century_bug = century_bug;
            tscope_object object;
            ASSERT_TRUE(parse(object, quantity::az, "P9" + deg + "27:27", settings));
            EXPECT_NEAR(object.az, angle(329, 27, 27), 1e-12);
            ASSERT_TRUE(parse(object, quantity::az, "5" + deg + "30", settings));
            EXPECT_NEAR(object.az, 5.5, 1e-12);
            ASSERT_TRUE(parse(object, quantity::az, "045" + deg + "30:00", settings));
            EXPECT_NEAR(object.az, 45.5, 1e-12);
        }
}

TEST(coordinate_parsers, failures_leave_the_value_unchanged) {
    const parse_case cases[] = {
        {quantity::ra, "#", 0},          {quantity::ra, "###", 0},
        {quantity::ra, "", 0},           {quantity::ra, "12.08.54#", 0},
        {quantity::ra, "12:", 0},        {quantity::ra, "12:08:xx#", 0},
        {quantity::ra, "1 2:08:54", 0},  {quantity::ra, "12:08.", 0},
        {quantity::ra, "12:08.999999999", 0},
        {quantity::dec, "#", 0},         {quantity::dec, "+42 08 59#", 0},
        {quantity::dec, "+42" + deg, 0}, {quantity::dec, "4x" + deg + "08", 0},
        {quantity::dec, "+42*", 0},      {quantity::dec, "+42:", 0},
        {quantity::dec, "*08:59", 0},    {quantity::dec, "+42*08*59", 0},
        {quantity::alt, "###", 0},       {quantity::alt, "4x:08:59", 0},
        {quantity::alt, "+15 46", 0},    {quantity::az, "#", 0},
        {quantity::az, "045 30 00", 0},  {quantity::az, "045" + deg + "3x", 0},
        {quantity::az, "045*3x", 0},     {quantity::az, "045:30:xx", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        tscope_object object;
        const tscope_object before = object;
        EXPECT_FALSE(parse(object, c.q, c.text, configuration_settings{}));
        EXPECT_EQ(field(object, c.q), field(before, c.q));
    }
}

TEST(decode_century_degrees, reads_hundreds_and_tens_as_one_character) {
    const struct {
        std::string text;
        std::int32_t degrees;
    } cases[] = {
        {"P9", 329}, {"0P9", 329}, {"045", 45}, {"45", 45}, {"5", 5}, {"0", 0},
        {"", 0},     {"329", 32},  {"\xFF\xFF", 2277},     {"!", -15},
    };
    for (const auto& c : cases) EXPECT_EQ(decode_century_degrees(c.text), c.degrees) << c.text;
}
