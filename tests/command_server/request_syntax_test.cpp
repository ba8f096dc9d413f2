// The request grammar and the split of reply values, without a panel.
#include "command_server/request_syntax.h"

#include <gtest/gtest.h>

namespace {

using form = parsed_request::form;

TEST(request_syntax, lines_split_into_word_and_items_exactly_as_written) {
    struct row {
        const char* line;
        form shape;
        const char* word;
        std::vector<std::string> names, values;
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
        const parsed_request parsed = parse_request(r.line);
        EXPECT_EQ(parsed.shape, r.shape) << r.line;
        EXPECT_EQ(parsed.word, r.word) << r.line;
        EXPECT_EQ(parsed.names, r.names) << r.line;
        EXPECT_EQ(parsed.values, r.values) << r.line;
    }
    EXPECT_EQ(trim_request(" \t get_info \r\n"), "get_info");
    EXPECT_EQ(trim_request("\x01\x20"), "");
}

TEST(request_syntax, reply_values_split_at_the_first_equals_sign) {
    struct row {
        const char* reply;
        std::vector<std::string> names, values;
    };
    const row rows[] = {
        {"ok=(ra=12.5,dec=42.25)", {"ra", "dec"}, {"12.5", "42.25"}},
        {"ok=(a=1=2)", {"a"}, {"1=2"}},
        {"ok=()", {""}, {""}},
        {"ok=(moving=True)", {"moving"}, {"True"}},
        {"ok=(lone)", {""}, {"lone"}},
    };
    for (const row& r : rows) {
        std::vector<std::string> names{"stale"}, values{"stale"};
        split_reply_values(r.reply, names, values);
        EXPECT_EQ(names, r.names) << r.reply;
        EXPECT_EQ(values, r.values) << r.reply;
    }
}

TEST(request_syntax, names_are_found_without_regard_to_case_first_match_winning) {
    const std::vector<std::string> names{"RA", "ra", "dec"}, values{"1", "2", "3"};
    std::string value = "kept";
    EXPECT_TRUE(find_option(names, values, "ra", value));
    EXPECT_EQ(value, "1");
    value = "kept";
    EXPECT_FALSE(find_option(names, values, "alt", value));
    EXPECT_EQ(value, "kept");
}

} // namespace
