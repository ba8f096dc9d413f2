// The text rules every layer reads: the call grammar of requests and
// operation texts, the lookup by name, trimming and the integer reader.
#include <gtest/gtest.h>

#include "text/call_syntax.h"
#include "text/integer_text.h"
#include "text/trim.h"

namespace {

using form = call_text::form;

TEST(call_syntax, texts_split_into_name_and_items_exactly_as_written) {
    struct row {
        const char* text;
        form shape;
        const char* name;
        std::vector<std::string> keys, values;
    };
    const row rows[] = {
        {"get_info", form::plain, "get_info", {}, {}},
        {"goto(ra=12.5,dec=42.1)", form::with_list, "goto", {"ra", "dec"}, {"12.5", "42.1"}},
        // Blanks stay: " dec" is not "dec".
        {"goto(ra=12.5, dec=42.1)", form::with_list, "goto", {"ra", " dec"}, {"12.5", "42.1"}},
        {"x(a=1=2,flag)", form::with_list, "x", {"a", "flag"}, {"1=2", ""}},
        {"x()", form::with_list, "x", {""}, {""}},
        {"goto(ra=12.5,dec=42.1", form::no_closing, "goto", {}, {}},
        {"goto(", form::no_closing, "goto", {}, {}},
    };
    for (const row& r : rows) {
        const call_text parsed = parse_call(r.text);
        EXPECT_EQ(parsed.shape, r.shape) << r.text;
        EXPECT_EQ(parsed.name, r.name) << r.text;
        EXPECT_EQ(parsed.keys, r.keys) << r.text;
        EXPECT_EQ(parsed.values, r.values) << r.text;
    }
}

TEST(call_syntax, keys_are_found_without_regard_to_case_first_match_winning) {
    const std::vector<std::string> keys{"RA", "ra", "dec"}, values{"1", "2", "3"};
    EXPECT_EQ(find_value(keys, values, "ra"), "1");
    EXPECT_EQ(find_value(keys, values, "alt"), std::nullopt);
    EXPECT_EQ(find_value(keys, {"1"}, "dec"), std::nullopt); // a key without its value
}

TEST(trim, each_rule_removes_its_own_bytes_from_both_ends) {
    EXPECT_EQ(trim(" \t 12 \r"), "12");
    EXPECT_EQ(trim("\x01 12\n"), "\x01 12\n");
    EXPECT_EQ(trim(" \t get_info \r\n", trim_rule::controls_and_blanks), "get_info");
    EXPECT_EQ(trim("\x01\x20", trim_rule::controls_and_blanks), "");
    EXPECT_EQ(trim("a b", trim_rule::controls_and_blanks), "a b");
}

TEST(read_integer, each_caller_gets_the_rule_it_asks_for) {
    const integer_rules strict{};
    const integer_rules settings{.blanks_around = true, .hexadecimal = true};
    const integer_rules count{.sign = false};
    struct row {
        const char* text;
        integer_rules rules;
        std::optional<std::int32_t> value;
    };
    const row rows[] = {
        {"42", strict, 42},
        {"-42", strict, -42},
        {"+42", strict, 42},
        {" 42", strict, std::nullopt},
        {"+-5", strict, std::nullopt},
        {"--5", strict, std::nullopt},
        {"", strict, std::nullopt},
        {"-", strict, std::nullopt},
        {"4x", strict, std::nullopt},
        {"0x10", strict, std::nullopt},
        {"2147483647", strict, 2147483647},
        {"-2147483648", strict, INT32_MIN},
        {"2147483648", strict, std::nullopt},
        {"99999999999999999999", strict, std::nullopt},
        {" 0x1F \r", settings, 31},
        {"-0x10", settings, -16},
        {"0x-5", settings, std::nullopt},
        {"0x", settings, std::nullopt},
        {"\t-7 ", settings, -7},
        {"9600", count, 9600},
        {"+9600", count, std::nullopt},
    };
    for (const row& r : rows) EXPECT_EQ(read_integer(r.text, r.rules), r.value) << '"' << r.text << '"';
}

} // namespace
