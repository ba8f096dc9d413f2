// The argument and answer templates: placeholders, literals, ranges, validity
// tests and the failure texts.
#include "scope_link/template_engine.h"

#include "scope_link/orb_server_object.h"
#include "settings/configuration_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string deg(1, '\xDF');

double angle(double units, double minutes, double seconds) {
    return units + (minutes + seconds / 60) / 60;
}

struct template_case {
    std::string pattern;
    std::string input; // the value text, or the answer
    std::string expected;
};

} // namespace

TEST(format_argument, placeholders_literals_and_failures) {
    const template_case cases[] = {
        {"$hms$#", "12.5", "12:30:00#"},
        {"$hmt$#", "12.5", "12:30.0#"},
        {"$dms$#", "-12.5", "-12" + deg + "30:00#"},
        {"$dm$#", "-12.5", "-12" + deg + "30#"},
        {"$ams$#", "15.5", "+15" + deg + "30:00#"},
        {"$am$#", "15.5", "+15" + deg + "30#"},
        {"$ddms$#", "5.265625", "005" + deg + "15:56#"},
        {"$ddmt$#", "5.265625", "005" + deg + "15.9#"},
        {"#:Sr$hms$#", " 12.5 ", "#:Sr12:30:00#"},
        // Text that is not a number counts as 0; "," is never a decimal point.
        {"$hms$", "abc", "00:00:00"},
        {"$hms$", "12,5", "00:00:00"},
        {"#:GR#", "12.5", "#:GR#"},
        {"", "12.5", ""},
        {"$[2-4]$#", "3", "3#"},
        {"$[2-4]$#", "7", "4#"},
        {"$[2-4]$#", "1", "2#"},
        {"$[2-4]$#", "03", "03#"},
        {"$[2-4]$#", "-2", "fail : value out of range"},
        {"$[2-4]$#", "2.5", "fail : value out of range"},
        {"$[2-4]$#", "abc", "fail : value out of range"},
        {"$[2-4]$#", "", "fail : value out of range"},
        {"$[2-4]$#", "99999999999", "fail : value out of range"},
        {"$[a-4]$#", "3", "fail : value out of range"},
        {"$[2-x]$#", "3", "fail : value out of range"},
        {"$[2-]$#", "3", "fail : value out of range"},
        {"$[$#", "3", "fail : value out of range"},
        {"$hmsx$", "12.5", "fail : unknown template : hmsx"},
        {"$HMS$", "12.5", "fail : unknown template : HMS"},
        {"$valid=1$", "1", "fail : unknown template : valid=1"},
        {"$*$", "1", "fail : unknown template : *"},
        {"$$", "1", "fail : unknown template : "},
        {"#:Sr$hms", "12.5", "fail : missing closing $"},
        {"#:Sr$", "12.5", "fail : missing closing $"},
        // The failure replaces what the placeholders before it wrote.
        {"$hms$$dx$", "12.5", "fail : unknown template : dx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("template " + c.pattern + " value " + c.input);
        tscope_object object;
        EXPECT_EQ(format_argument(c.pattern, c.input, object, configuration_settings{}),
                  c.expected);
    }
}

TEST(format_argument, stores_the_value_and_follows_ignore_seconds) {
    configuration_settings settings;
    tscope_object object;
    EXPECT_EQ(format_argument("$hms$#", "12.5", object, settings), "12:30:00#");
    EXPECT_EQ(object.ra, 12.5);

    settings.seconds_bug = true;
    EXPECT_EQ(format_argument("$hms$#", "13.25", object, settings), "13:15#");
    EXPECT_EQ(format_argument("$dms$#", "42.25", object, settings), "+42" + deg + "15#");
    EXPECT_EQ(object.ra, 13.25);
    EXPECT_EQ(object.dec, 42.25);

    // A later failure keeps what an earlier placeholder stored.
    EXPECT_EQ(format_argument("$ddms$$nope$", "7.5", object, settings),
              "fail : unknown template : nope");
    EXPECT_EQ(object.az, 7.5);
}

TEST(decode_answer, coordinates_give_back_the_whole_answer) {
    const configuration_settings settings;
    tscope_object object;
    EXPECT_EQ(decode_answer("$hms$", "12:08:54#", object, settings), "12:08:54#");
    EXPECT_NEAR(object.ra, angle(12, 8, 54), 1e-12);

    object = tscope_object{};
    EXPECT_EQ(decode_answer("$hms$", "12:08.9#", object, settings), "12:08.9#");
    EXPECT_NEAR(object.ra, angle(12, 8, 54), 1e-12);
    EXPECT_EQ(decode_answer("$hmt$", "01:02.3#", object, settings), "01:02.3#");
    EXPECT_NEAR(object.ra, angle(1, 2, 18), 1e-12);

    EXPECT_EQ(decode_answer("$dms$", "+42" + deg + "08#", object, settings), "+42" + deg + "08#");
    EXPECT_NEAR(object.dec, angle(42, 8, 0), 1e-12);
    EXPECT_EQ(decode_answer("$dm$", "-05" + deg + "30#", object, settings), "-05" + deg + "30#");
    EXPECT_NEAR(object.dec, -5.5, 1e-12);

    EXPECT_EQ(decode_answer("$ams$", "+15" + deg + "46:12#", object, settings),
              "+15" + deg + "46:12#");
    EXPECT_NEAR(object.alt, angle(15, 46, 12), 1e-12);
    EXPECT_NEAR(object.dec, -5.5, 1e-12);

    EXPECT_EQ(decode_answer("$ddms$", "P9" + deg + "27:27#", object, settings),
              "P9" + deg + "27:27#");
    EXPECT_NEAR(object.az, angle(329, 27, 27), 1e-12);
    EXPECT_EQ(decode_answer("$ddmt$", "045" + deg + "30.0#", object, settings),
              "045" + deg + "30.0#");
    EXPECT_NEAR(object.az, 45.5, 1e-12);

    // Literals are not matched against the answer; the whole answer comes first.
    EXPECT_EQ(decode_answer("x$hms$", "12:08:54#", object, settings), "12:08:54#x");
}

TEST(decode_answer, texts_literals_and_failures) {
    const template_case cases[] = {
        {"$*$", "12:08.9#", "12:08.9#"},
        {"$*$", "", ""},
        {"x$*$", "ab", "xab"},
        {"1", "0", "1"},
        {"", "anything", ""},
        {"$hms$", "", "fail : incorrect ra : hms"},
        {"$hmt$", "#", "fail : incorrect ra : hmt"},
        {"$dms$", "12.08.54#", "fail : incorrect dec : dms"},
        {"$dm$", "###", "fail : incorrect dec : dm"},
        {"$ams$", "12.08.54#", "fail : incorrect alt : ams"},
        {"$am$", "", "fail : incorrect alt : am"},
        {"$ddms$", "12.08.54#", "fail : incorrect az : ddms"},
        {"$ddmt$", "045 30.0#", "fail : incorrect az : ddmt"},
        // The first 8 characters hold no seconds field that reads as a number.
        {"$hms$", "12:08:5x4#", "fail : incorrect ra : hms"},
        {"$valid$", "1", "fail : unknown template : valid"},
        {"$[2-4]$", "3", "fail : unknown template : [2-4]"},
        {"$Valid=1$", "1", "fail : unknown template : Valid=1"},
        {"$$", "1", "fail : unknown template : "},
        {"$*", "1", "fail : missing closing $"},
        {"abc$", "1", "fail : missing closing $"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("template " + c.pattern + " answer " + c.input);
        tscope_object object;
        const tscope_object before = object;
        EXPECT_EQ(decode_answer(c.pattern, c.input, object, configuration_settings{}),
                  c.expected);
        if (c.expected.starts_with("fail")) {
            EXPECT_EQ(object.ra, before.ra);
            EXPECT_EQ(object.dec, before.dec);
            EXPECT_EQ(object.alt, before.alt);
            EXPECT_EQ(object.az, before.az);
        }
    }
}

TEST(decode_answer, validity_tests_compare_numbers_or_text) {
    const template_case cases[] = {
        {"$valid=#$", "#", "true"},
        {"$valid=#$", "x#", "false"},
        {"$valid=#$", "", "false"},
        {"$valid!#$", "#", "false"},
        {"$valid!#$", "x#", "true"},
        {"$valid=1$", "1", "true"},
        {"$valid=1$", "0", "false"},
        {"$valid=1$", "", "false"},
        {"$valid=1$", "1#", "true"},
        {"$valid=0$", "0", "true"},
        {"$valid=0$", "1", "false"},
        // A text answer is judged by what follows its last space.
        {"$valid=0$", "1Object below horizon#", "false"},
        {"$valid=h$", "1Object below horizon#", "true"},
        {"$valid!h$", "1Object below horizon#", "false"},
        // Numbers compare with the condition on the left: 5 >= 3.
        {"$valid>=5$", "3", "true"},
        {"$valid>=5$", "7", "false"},
        {"$valid>=5$", "5", "true"},
        {"$valid<=5$", "7", "true"},
        {"$valid>5$", "3", "true"},
        {"$valid<5$", "3", "false"},
        {"$valid<>5$", "3", "true"},
        {"$valid<>5$", "5", "false"},
        {"$valid=2.5$", "2.5", "true"},
        // No operator, or one the numbers do not know, is false.
        {"$valid1$", "1", "false"},
        {"$valid=>1$", "1", "false"},
        // An operator alone compares with 0.
        {"$valid=$", "0", "true"},
        {"$valid=$", "1", "false"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("template " + c.pattern + " answer " + c.input);
        tscope_object object;
        EXPECT_EQ(decode_answer(c.pattern, c.input, object, configuration_settings{}),
                  c.expected);
    }
}

TEST(decode_answer, each_placeholder_reads_what_the_earlier_ones_left) {
    const configuration_settings settings;
    tscope_object object;
    EXPECT_EQ(decode_answer("$hms$$dms$", "12:08:54+42" + deg + "08:59", object, settings),
              "12:08:54+42" + deg + "08:59");
    EXPECT_NEAR(object.ra, angle(12, 8, 54), 1e-12);
    EXPECT_NEAR(object.dec, angle(42, 8, 59), 1e-12);

    EXPECT_EQ(decode_answer("$valid=1$,$*$", "1rest", object, settings), "true,rest");
    // A number condition first shrinks a run of leading zeros to one.
    EXPECT_EQ(decode_answer("$valid1$:$*$", "0007", object, settings), "false:7");

    // A failure after a coordinate keeps the coordinate in the object.
    object = tscope_object{};
    EXPECT_EQ(decode_answer("$hms$$dms$", "01:30:00garbage", object, settings),
              "fail : incorrect dec : dms");
    EXPECT_EQ(object.ra, 1.5);
    EXPECT_EQ(object.dec, 51.5);
}

TEST(template_engine, hostile_templates_and_answers_give_a_result_or_a_failure) {
    const configuration_settings settings;
    const std::string dollars(64, '$');
    const std::string junk(240, '\xFF');
    tscope_object object;
    EXPECT_EQ(format_argument(dollars, "3", object, settings), "fail : unknown template : ");
    EXPECT_EQ(decode_answer(dollars, junk, object, settings), "fail : unknown template : ");
    EXPECT_EQ(format_argument("$", junk, object, settings), "fail : missing closing $");
    EXPECT_EQ(decode_answer("$", junk, object, settings), "fail : missing closing $");
    EXPECT_EQ(decode_answer("$*$", junk, object, settings), junk);
    EXPECT_EQ(decode_answer("$valid=1$", junk, object, settings), "false");
    EXPECT_EQ(decode_answer("$valid!" + junk.substr(0, 20) + "$", junk, object, settings),
              "false");
    for (const char* name : {"hms", "hmt", "dms", "dm", "ams", "am", "ddms", "ddmt"})
        EXPECT_TRUE(decode_answer(std::string("$") + name + "$", junk, object, settings)
                        .starts_with("fail : incorrect"))
            << name;
    // A junk value formats as 0.
    EXPECT_EQ(format_argument("$ddms$", junk, object, settings), "000" + deg + "00:00");
}
