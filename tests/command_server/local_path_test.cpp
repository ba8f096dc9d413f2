// The command processor and the local command path with no window, under
// local control (the network switched off), over the test scope.
#include <gtest/gtest.h>

#include "tests/command_server/processor_fixture.h"

namespace {

using local_path = processor_fixture;

TEST_F(local_path, each_command_runs_its_operation_with_the_arguments_as_written) {
    struct row {
        const char* line;
        std::vector<std::string> operations;
        const char* reply;
    };
    const row rows[] = {
        {"get_ra_dec", {"get_ra_dec"}, "ok=(ra=12.1483333333333,dec=42.1497222222222)"},
        {"get_az_alt", {"get_az_alt"}, "ok=(alt=15.77,az=329.4575)"},
        {"  get_info  ", {}, "ok=(name=AutoStar,can_query=true,can_sync=true,can_goto=true,can_slew=true,"
                             "can_focus=true,can_track=true,focus_speeds=2)"},
        {"goto(ra=12.5,dec=42.1)", {"goto_ra_dec(ra=12.5,dec=42.1)"}, "ok"},
        {"goto(RA=12.5,DEC=42.1)", {"goto_ra_dec(ra=12.5,dec=42.1)"}, "ok"},
        {"goto(az=10,alt=20)", {"goto_az_alt(az=10,alt=20)"}, "ok"},
        {"goto(ra=12.5, dec=42.1)", {}, "fail"},
        {"GOTO(ra=1,dec=2)", {}, "fail"},
        {"align(ra=1,dec=2)", {"align(ra=1,dec=2)"}, "ok"},
        {"align(ra=1)", {}, "fail"},
        // Only the first character of "dir" goes on; the link then refuses it.
        {"focus(dir=in,speed=2,timeout=500)", {"focus(dir=i,speed=2,timeout=500)"}, "fail"},
        {"focus(dir=,speed=2,timeout=500)", {}, "fail"},
        {"stop_focus", {"stop_focus"}, "ok"},
        {"lunar_tracking", {"lunar_tracking"}, "ok"},
        {"stopped", {"stopped"}, "ok=(moving=false)"},
        {"connected", {}, "ok=(connected=true)"},
        // With the scope disabled these send nothing.
        {"stop", {}, "ok"},
        {"switch_precision", {}, "ok"},
        {"query_high_precision", {}, "ok=(query=low)"},
        {"set_observer(lat=52.1,long=-4.5)", {}, "ok"},
        {"set_observer(lat=52.1)", {}, "fail"},
        {"bored", {}, "fail"},
        {"move_left(distance=1)", {"get_ra_dec", "goto_ra_dec(ra=12.0582906081976,dec=42.1497222222222)"}, "ok"},
        {"nonsense", {}, "fail"},
        {"goto(ra=12.5,dec=42.1", {}, "No closing )\r\n"},
        {"ok", {}, "nil"},
    };
    for (const row& r : rows) {
        operations.clear();
        EXPECT_EQ(request(r.line), r.reply) << r.line;
        EXPECT_EQ(operations, r.operations) << r.line;
    }
}

TEST_F(local_path, play_under_local_control_is_refused_and_says_so_whatever_the_logging) {
    ASSERT_FALSE(logger.message_logging);
    EXPECT_EQ(request("play"), "fail");
    EXPECT_EQ(shown, std::vector<std::string>{"Enable network first"});
    EXPECT_FALSE(processor.client_playing);
}

TEST_F(local_path, reply_values_are_read_by_name_until_the_next_request) {
    EXPECT_EQ(processor.send_message_check("get_ra_dec"), command_processor::success);
    double ra = 0, upper = 0;
    EXPECT_TRUE(processor.get_float("ra", ra));
    EXPECT_TRUE(processor.get_float("RA", upper));
    EXPECT_DOUBLE_EQ(ra, 12.1483333333333);
    EXPECT_EQ(ra, upper);
    ASSERT_TRUE(processor.last_result);
    EXPECT_NEAR(processor.last_result->ra, ra, 1e-12);

    // "connect" answers a plain "ok": nothing of the earlier values remains.
    EXPECT_EQ(processor.send_message_check("connect"), command_processor::success);
    EXPECT_FALSE(processor.get_float("ra", ra));
    std::string text = "kept";
    EXPECT_FALSE(processor.get_string("dec", text));
    EXPECT_EQ(text, "kept");

    // A malformed command from a panel: success, and no values.
    EXPECT_EQ(processor.send_message_check("goto(ra=1"), command_processor::success);
    EXPECT_FALSE(processor.has_options);
    EXPECT_FALSE(processor.last_result);

    // A failure: every getter answers false.
    processor.send_message_check("get_ra_dec");
    EXPECT_EQ(processor.send_message_check("GOTO(ra=1,dec=2)"), command_processor::failure);
    bool flag = true;
    std::int32_t number = 7;
    EXPECT_FALSE(processor.get_float("ra", ra));
    EXPECT_FALSE(processor.get_boolean("ra", flag));
    EXPECT_FALSE(processor.get_integer("ra", number));
    EXPECT_TRUE(flag);
    EXPECT_EQ(number, 7);
}

TEST_F(local_path, getters_convert_strictly_and_booleans_are_true_only_as_true) {
    panels.model = "True";
    ASSERT_EQ(processor.send_message_check("get_info"), command_processor::success);
    bool flag = true;
    EXPECT_TRUE(processor.get_boolean("name", flag));
    EXPECT_FALSE(flag);
    EXPECT_TRUE(processor.get_boolean("can_track", flag));
    EXPECT_TRUE(flag);
    std::int32_t speeds = 0;
    EXPECT_TRUE(processor.get_integer("focus_speeds", speeds));
    EXPECT_EQ(speeds, 2);
    double value = 0;
    EXPECT_THROW(processor.get_float("name", value), conversion_error);
    EXPECT_THROW(processor.get_integer("can_goto", speeds), conversion_error);
}

TEST_F(local_path, the_log_notes_name_the_failure_text_of_the_caller) {
    logger.message_logging = true;
    EXPECT_EQ(processor.send_message_check("ok"), command_processor::failure);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"  send_message >>",
                                        "    i said : ok : and received a null repsonse : No response from server",
                                        "  << send_message"}));
    shown.clear();
    EXPECT_EQ(processor.send_message("nonsense", "Connection to scope failed"), command_processor::failure);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"  send_message >>", "      process_input >>",
                                        "      << process_input",
                                        "    i said : nonsense : but reported : Connection to scope failed",
                                        "  << send_message"}));
}

TEST_F(local_path, set_observer_with_a_value_that_is_not_a_number_raises_to_the_caller) {
    processor.request_text = "set_observer(lat=north,long=1)";
    std::unique_ptr<tscope_object> result;
    EXPECT_THROW(processor.process_input(nullptr, result), conversion_error);
    // The next request starts clean.
    EXPECT_EQ(request("connected"), "ok=(connected=true)");
}

TEST_F(local_path, precision_is_what_the_scope_reported_last) {
    settings.scope_enabled = true;
    bool scope_high = false;
    teller.answer = [&](std::string_view op, tscope_object& result) {
        if (op == "switch_precision") scope_high = !scope_high;
        result.high_precision = scope_high;
        return std::string("ok");
    };
    EXPECT_EQ(request("query_high_precision"), "ok=(query=high)"); // nothing reported yet
    EXPECT_EQ(request("connect"), "ok");
    EXPECT_EQ(request("query_high_precision"), "ok=(query=low)");
    EXPECT_EQ(request("switch_precision"), "ok=(switch=high)");
    EXPECT_EQ(request("query_high_precision"), "ok=(query=high)");
    EXPECT_EQ(request("stop"), "ok");
    EXPECT_EQ(operations, (std::vector<std::string>{"connect", "switch_precision", "stop_all"}));
}

TEST_F(local_path, a_disconnect_under_local_control_switches_the_panels_off) {
    EXPECT_EQ(processor.send_message_check("disconnect"), command_processor::success);
    EXPECT_EQ(panels.change_panel_calls, std::vector<bool>{false});
}

} // namespace
