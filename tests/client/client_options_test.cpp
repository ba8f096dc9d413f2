// orb_client's command line read without a process.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "client/client_options.h"

namespace {

using action = client_command_line::action;

TEST(client_options, defaults_reach_the_local_server_and_read_requests_from_standard_input) {
    const client_command_line line = parse_client_command_line({});
    ASSERT_EQ(line.what, action::run);
    EXPECT_EQ(line.options.host, "127.0.0.1");
    EXPECT_EQ(line.options.port, 8383);
    EXPECT_FALSE(line.options.play);
    EXPECT_TRUE(line.options.requests.empty());
}

TEST(client_options, options_and_requests_in_any_order_and_words_after_a_double_dash_are_requests) {
    const client_command_line line = parse_client_command_line(
        {"get_ra_dec", "--host", "scope-pi.local", "--port=4000", "goto(ra=12.5,dec=42.1)", "--play",
         "--timeout", "2.5", "--", "--version"});
    ASSERT_EQ(line.what, action::run) << line.error;
    EXPECT_EQ(line.options.host, "scope-pi.local");
    EXPECT_EQ(line.options.port, 4000);
    EXPECT_TRUE(line.options.play);
    EXPECT_EQ(line.options.timeout_seconds, 2.5);
    EXPECT_EQ(line.options.requests, (std::vector<std::string>{"get_ra_dec", "goto(ra=12.5,dec=42.1)", "--version"}));
}

TEST(client_options, a_bad_option_or_value_is_refused_with_one_line_saying_what) {
    struct refusal {
        std::vector<std::string> arguments;
        std::string error;
    };
    const refusal cases[] = {
        {{"--hots", "x"}, "orb_client: unknown option --hots"},
        {{"--port"}, "orb_client: --port wants a value"},
        {{"--play=yes"}, "orb_client: --play takes no value"},
        {{"--port", "0"}, "orb_client: --port 0: the port must be a number from 1 to 65535"},
        {{"--port", "http"}, "orb_client: --port http: the port must be a number from 1 to 65535"},
        {{"--host="}, "orb_client: --host wants a host name or address"},
        {{"--timeout", "0"}, "orb_client: --timeout 0: wants a number of seconds above 0, at most 86400"},
        {{"--timeout", "-1"}, "orb_client: --timeout -1: wants a number of seconds above 0, at most 86400"},
        {{"--timeout", "1e300"}, "orb_client: --timeout 1e300: wants a number of seconds above 0, at most 86400"},
        {{"--timeout", "soon"}, "orb_client: --timeout soon: wants a number of seconds above 0, at most 86400"},
    };
    for (const refusal& c : cases) {
        const client_command_line line = parse_client_command_line(c.arguments);
        EXPECT_EQ(line.what, action::refuse) << c.error;
        EXPECT_EQ(line.error, c.error);
    }
    EXPECT_EQ(parse_client_command_line({"get_info", "--help", "--bogus"}).what, action::help);
}

} // namespace
