// tell on the in-memory device and on the test scope: operation texts and
// their arguments, the bytes each operation sends, what comes back, and the
// failure texts.
#include "tests/scope_link/link_fixture.h"

#include <cerrno>

namespace {

using operations_test = link_fixture;

TEST_F(operations_test, test_scope_answers_every_operation_with_its_canned_values) {
    settings.scope_enabled = false;
    make();
    tscope_object result;
    result.high_precision = false;
    EXPECT_EQ(operations->tell("connect", result), "ok");
    EXPECT_TRUE(result.high_precision);  // "default test scope" has no "."
    EXPECT_TRUE(operations->connected());
    EXPECT_EQ(above.positions_shown, 1);

    EXPECT_EQ(operations->tell("get_ra_dec", result), "ok");
    EXPECT_NEAR(result.ra, 12.148333333, 1e-8);
    EXPECT_NEAR(result.dec, 42.149722222, 1e-8);
    EXPECT_EQ(operations->tell("get_az_alt", result), "ok");
    EXPECT_NEAR(result.az, 329.4575, 1e-9);
    EXPECT_NEAR(result.alt, 15.77, 1e-9);
    EXPECT_EQ(operations->tell("goto_ra_dec(ra=12.5,dec=42.1)", result), "ok");
    EXPECT_NEAR(result.ra, 12.5, 1e-9);
    EXPECT_EQ(operations->tell("stopped", result), "ok");
    // The focus stop timer belongs to a real focuser only.
    EXPECT_EQ(operations->tell("focus(dir=+,speed=1,timeout=500)", result), "ok");
    EXPECT_TRUE(focus_timers.empty());
    EXPECT_EQ(operations->tell("disconnect", result), "ok");
    EXPECT_FALSE(operations->connected());

    EXPECT_EQ(device.open_count(), 0);
    EXPECT_TRUE(device.written().empty());
}

TEST_F(operations_test, goto_sends_target_then_slew_and_reports_a_refusal) {
    struct goto_case {
        const char* operation;
        std::vector<std::string> answers;
        std::vector<std::string> writes;
        const char* result;
    };
    const goto_case cases[] = {
        {"goto_ra_dec(ra=12.5,dec=42.1)", {"1", "1", "0"},
         {"#:Sr12:30:00#", "#:Sd+42\xDF" "06:00#", "#:MS#"}, "ok"},
        {"goto_ra_dec(ra=12.5,dec=-5.5)", {"1", "1", "1Object Below Horizon#"},
         {"#:Sr12:30:00#", "#:Sd-05\xDF" "30:00#", "#:MS#"}, "fail : "},
        // The answers to the targets are not examined.
        {"goto_ra_dec(ra=1,dec=2)", {"0", "0", "0"},
         {"#:Sr01:00:00#", "#:Sd+02\xDF" "00:00#", "#:MS#"}, "ok"},
        // set_az gets no answer.
        {"goto_az_alt(az=180,alt=30)", {"", "1", "1Object Below Horizon#"},
         {"#:Sz180\xDF" "00:00#", "#:Sa+30\xDF" "00:00#", "#:MA#"}, "fail : "},
        // A missing argument ends the operation at its command; keys are
        // taken exactly as written, blanks included.
        {"goto_ra_dec(ra=12.5)", {"1"}, {"#:Sr12:30:00#"}, "fail : scope command not found"},
        {"goto_ra_dec(ra=12.5, dec=42.1)", {"1"}, {"#:Sr12:30:00#"}, "fail : scope command not found"},
        // Not a number: the coordinate formats as 0.
        {"align(ra=abc,dec=1)", {"1", "1", " M31 EX GAL#"},
         {"#:Sr00:00:00#", "#:Sd+01\xDF" "00:00#", "#:CM#"}, "ok"},
    };
    make();
    ASSERT_EQ(connect(), "ok");
    for (const goto_case& c : cases) {
        SCOPED_TRACE(c.operation);
        const std::size_t before = device.writes().size();
        for (const auto& answer : c.answers) device.queue_answer(answer);
        EXPECT_EQ(tell(c.operation), c.result);
        const std::vector<std::string> sent(device.writes().begin() + static_cast<long>(before),
                                            device.writes().end());
        EXPECT_EQ(sent, c.writes);
    }
}

TEST_F(operations_test, operation_texts_that_send_nothing) {
    struct text_case {
        const char* operation;
        const char* result;
    };
    const text_case cases[] = {
        {"goto_ra_dec", "fail : scope command not found"},
        {"get_ra_dec(ra=1", "fail : no closing )"},
        {"goto_ra_dec(ra=1,dec=2)junk", "fail : no closing )"},
        // Operation names are matched with their case; unknown ones do nothing.
        {"GET_RA_DEC", "ok"},
        {"park", "ok"},
        {"", "ok"},
    };
    make();
    std::vector<std::string>& headers = above.headers;
    ASSERT_EQ(connect(), "ok");
    EXPECT_EQ(headers, (std::vector<std::string>{"connect", "get_ra_dec"}));
    headers.clear();
    const std::string before = device.written();
    for (const text_case& c : cases) {
        SCOPED_TRACE(c.operation);
        messages.clear();
        tscope_object result;
        result.ra = 99;
        EXPECT_EQ(operations->tell(c.operation, result), c.result);
        EXPECT_EQ(result.ra, tscope_object{}.ra);  // always a new object
    }
    EXPECT_EQ(device.written(), before);
    // Only operations of the table announce themselves.
    EXPECT_EQ(headers, std::vector<std::string>{"goto_ra_dec"});
    messages.clear();
    tell("get_ra_dec(ra=1");
    EXPECT_EQ(messages, std::vector<std::string>{"no closing ) : get_ra_dec(ra=1"});
}

TEST_F(operations_test, argument_keys_match_without_case_and_the_first_wins) {
    make();
    ASSERT_EQ(connect(), "ok");
    for (const char* answer : {"1", "1", "0"}) device.queue_answer(answer);
    const std::size_t before = device.writes().size();
    EXPECT_EQ(tell("goto_ra_dec(RA=1,Dec=2,ra=3)"), "ok");
    EXPECT_EQ(device.writes()[before], "#:Sr01:00:00#");
}

TEST_F(operations_test, focus_speed_and_run_time_rules) {
    struct focus_case {
        const char* operation;
        std::vector<std::string> writes;
        const char* result;
        std::vector<int> timers;
    };
    const focus_case cases[] = {
        {"focus(dir=+,speed=2,timeout=5000)", {"#:FF#", "#:F+#"}, "ok", {1500}},
        {"focus(dir=-,speed=1,timeout=500)", {"#:FS#", "#:F-#"}, "ok", {500}},
        {"focus(dir=+,speed=1,timeout=abc)", {"#:FS#", "#:F+#"}, "ok", {10}},
        {"focus(dir=+,speed=1,timeout=3)", {"#:FS#", "#:F+#"}, "ok", {10}},
        {"focus(dir=x,speed=1,timeout=500)", {"#:FS#"}, "fail : unknown operand : x", {500}},
        {"focus(dir=+,speed=1)", {}, "fail : cant find argument : dir", {0}},
        {"focus_speed(speed=9)", {"#:F4#"}, "ok", {}},
        {"stop_focus", {"#:FQ#"}, "ok", {}},
    };
    make();
    above.limits = focus_limits{2, 10, 1500};
    ASSERT_EQ(connect(), "ok");
    for (const focus_case& c : cases) {
        SCOPED_TRACE(c.operation);
        focus_timers.clear();
        const std::size_t before = device.writes().size();
        EXPECT_EQ(tell(c.operation), c.result);
        const std::vector<std::string> sent(device.writes().begin() + static_cast<long>(before),
                                            device.writes().end());
        EXPECT_EQ(sent, c.writes);
        EXPECT_EQ(focus_timers, c.timers);
    }
    // With three speeds, 2 is above half of them.
    above.limits = focus_limits{3, 10, 1500};
    const std::size_t before = device.writes().size();
    EXPECT_EQ(tell("focus(dir=+,speed=2,timeout=100)"), "ok");
    EXPECT_EQ(device.writes()[before], "#:FF#");
}

TEST_F(operations_test, failed_focus_move_marks_the_request_failed) {
    make();
    ASSERT_EQ(connect(), "ok");
    operations->commands.clear();
    operations->commands.create_command_record("focus_slow", "#:FS#", false, "", "", false, "", "", "");
    EXPECT_EQ(tell("focus(dir=+,speed=1,timeout=100)"), "fail : unknown scope doesnt support focus_in");
    EXPECT_EQ(above.failures_marked, 1);
    EXPECT_TRUE(focus_timers.empty());
}

TEST_F(operations_test, commands_without_answers_report_a_failed_write) {
    make();
    ASSERT_EQ(connect(), "ok");
    device.limit_writes(2);
    for (const char* operation : {"stop_all", "lunar_tracking", "switch_precision", "stop_focus"}) {
        SCOPED_TRACE(operation);
        EXPECT_EQ(tell(operation), "fail : write");
    }
    device.limit_writes(static_cast<std::size_t>(-1));
    EXPECT_EQ(tell("stop_all"), "ok");
    EXPECT_EQ(device.writes().back(), "#:Q#");
}

TEST_F(operations_test, stopped_follows_the_models_answer) {
    struct stopped_case {
        std::uint16_t model;
        const char* answer;
        bool moving;
    };
    const stopped_case cases[] = {
        {configuration_settings::lx200, "#", false},
        {configuration_settings::lx200, "\x7f\x7f\x7f\x7f#", true},
        {configuration_settings::autostar, "#", true},
        {configuration_settings::autostar, "|#", false},
    };
    for (const stopped_case& c : cases) {
        SCOPED_TRACE(std::string(c.answer) + " model " + std::to_string(c.model));
        settings.scope_type = c.model;
        make();
        ASSERT_EQ(connect(), "ok");
        device.queue_answer(c.answer);
        tscope_object result;
        result.moving = !c.moving;
        EXPECT_EQ(operations->tell("stopped", result), "ok");
        EXPECT_EQ(result.moving, c.moving);
        EXPECT_EQ(device.writes().back(), ":D#");
        operations.reset();
        link.reset();
    }
}

TEST_F(operations_test, connect_reads_precision_and_position_or_stays_disconnected) {
    make();
    device.queue_answer("12:08.9#");
    device.queue_answer("+42\xDF" "08#");
    device.queue_answer("12:08.9#");
    scope_object.ra = 0;
    tscope_object result;
    EXPECT_EQ(operations->tell("connect", result), "ok");
    EXPECT_FALSE(result.high_precision);
    // Low-precision answers are read all the same.
    EXPECT_NEAR(scope_object.ra, 12 + 8.9 / 60, 1e-9);
    EXPECT_NEAR(scope_object.dec, 42 + 8 / 60.0, 1e-9);

    // A scope that stops talking after the position: the query fails and the
    // link is taken down.
    device.queue_answer("12:08:54#");
    device.queue_answer("+42\xDF" "08:59#");
    EXPECT_EQ(operations->tell("connect", result), "fail : read from scope failed");
    EXPECT_FALSE(link->linked);
    EXPECT_FALSE(operations->connected());
    // The reconnect's disconnect, the watchdog, then the failed query's disconnect.
    EXPECT_EQ(above.search_stops, 3);

    // A position that does not read leaves the scope unconnected.
    device.queue_answer("garbage#");
    EXPECT_EQ(operations->tell("connect", result), "fail : no connection");
    EXPECT_FALSE(operations->connected());
}

TEST_F(operations_test, switch_precision_reports_the_precision_the_scope_is_in_afterwards) {
    make();
    connect();
    // ":U#" answers nothing; the ":GR#" after it reads the precision.
    device.queue_answer("");
    device.queue_answer("12:08.9#");
    tscope_object result;
    EXPECT_EQ(operations->tell("switch_precision", result), "ok");
    EXPECT_FALSE(result.high_precision);
    EXPECT_TRUE(device.written().ends_with("#:U##:GR#"));
    device.queue_answer("");
    device.queue_answer("12:08:54#");
    EXPECT_EQ(operations->tell("switch_precision", result), "ok");
    EXPECT_TRUE(result.high_precision);
}

TEST_F(operations_test, port_text_checks_when_connecting) {
    dir.write("server.ini", "[serial_devices]\nCOM3=/dev/ttyUSB0\n");
    make();
    struct port_case {
        const char* text;
        bool opened;
        const char* message;
    };
    const port_case cases[] = {
        {" COM3\t", true, "COM3 : opened"},
        {"COM9", false, "Invalid communication port : COM9"},
        {"", false, "Invalid communication port : "},
        {"COM", false, "Port COM cannot be opened!"},
    };
    for (const port_case& c : cases) {
        SCOPED_TRACE(c.text);
        messages.clear();
        lists.values.port = c.text;
        device.queue_answer("12:08:54#");
        device.queue_answer("+42\xDF" "08:59#");
        EXPECT_EQ(operations->connect_to_scope(), c.opened);
        EXPECT_TRUE(logged(c.message));
        if (c.opened) {
            EXPECT_EQ(device.path(), "/dev/ttyUSB0");
        }
        operations->disconnect_from_scope();
    }
}

TEST_F(operations_test, unknown_command_names_the_scope) {
    make();
    ASSERT_EQ(connect(), "ok");
    operations->commands.clear();
    EXPECT_EQ(tell("get_ra_dec"), "fail : unknown scope doesnt support get_ra");
    above.name = "LX200 GPS";
    EXPECT_EQ(tell("stop_all"), "fail : LX200 GPS doesnt support stop_all");
}

TEST_F(operations_test, bad_bytes_from_the_scope_fail_cleanly) {
    make();
    ASSERT_EQ(connect(), "ok");
    const std::string junk[] = {std::string("\0\xff\xdf#", 4), "ab:cd:ef#", std::string(240, '\xdf'), "#"};
    for (const auto& answer : junk) {
        device.queue_answer(answer);
        EXPECT_TRUE(tell("get_ra_dec").starts_with("fail : incorrect ra")) << answer;
    }
}

TEST_F(operations_test, kill_disconnects_a_linked_scope) {
    make();
    ASSERT_EQ(connect(), "ok");
    operations->kill();
    EXPECT_FALSE(link->linked);
    EXPECT_FALSE(link->port_open());
    EXPECT_FALSE(operations->connected());
}

}  // namespace
