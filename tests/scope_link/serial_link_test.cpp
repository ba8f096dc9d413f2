// The serial link on the in-memory device: opening and its failing steps,
// the timeouts it sets, writes and reads linked and not, the answer
// watchdog on the manual clock, and a device that goes away.
#include "tests/scope_link/link_fixture.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace {

using link_test = link_fixture;

TEST_F(link_test, first_connect_opens_com1_with_the_default_lists) {
    make();
    EXPECT_FALSE(link->waiting());

    ASSERT_EQ(connect(), "ok");
    EXPECT_EQ(device.path(), "/dev/ttyS0");
    EXPECT_EQ(device.settings(), (line_settings{9600, 'N', 8, 1}));
    EXPECT_EQ(device.input_queue(), 240u);
    EXPECT_EQ(device.output_queue(), 240u);
    // Normal, clearing, normal again.
    const std::vector<serial_timeouts> expected{{10, 0, 100, 0, 100}, {10, 0, 10, 0, 100}, {10, 0, 100, 0, 100}};
    EXPECT_EQ(device.timeouts_set(), expected);
    EXPECT_TRUE(logged("connect_to_serial_port : COM1 baud=9600 parity=N data=8 stop=1 : 100 10"));
    EXPECT_TRUE(logged("cleared port"));
    EXPECT_TRUE(logged("COM1 : opened"));
    EXPECT_FALSE(logged("COM1 : low latency not available"));
    EXPECT_TRUE(logged("#:GR# : written"));
    EXPECT_TRUE(logged("Read : 9 : 12:08:54#"));
    EXPECT_TRUE(link->linked);
    EXPECT_TRUE(operations->connected());
    EXPECT_EQ(above.positions_shown, 1);
    EXPECT_NEAR(scope_object.ra, 12 + 8 / 60.0 + 54 / 3600.0, 1e-9);
}

TEST_F(link_test, a_driver_without_low_latency_is_said_once_as_the_port_opens_and_works) {
    device.refuse_low_latency();
    make();
    ASSERT_EQ(connect(), "ok");
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "COM1 : low latency not available"), 1);
    device.queue_answer("12:08:54#");
    device.queue_answer("+42\xDF" "08:59#");
    EXPECT_EQ(tell("get_ra_dec"), "ok");
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "COM1 : low latency not available"), 1);
}

TEST_F(link_test, each_failing_set_up_step_is_named_and_the_port_stays_open) {
    const std::pair<serial_step, const char*> cases[] = {
        {serial_step::setup_queues, "setupcom failed"},
        {serial_step::read_settings, "getcommstate failed"},
        {serial_step::build_settings, "buildcommdcb failed"},
        {serial_step::write_settings, "setcomstate failed"},
    };
    make();
    for (const auto& [step, message] : cases) {
        SCOPED_TRACE(message);
        messages.clear();
        device.fail(step);
        EXPECT_FALSE(link->open(lists.values));
        EXPECT_TRUE(logged(message));
        EXPECT_EQ(messages.back(), "<< open");
        EXPECT_TRUE(link->port_open());
        device.fail(step, false);
    }
    // A framing the device cannot take.
    lists.values.parity = "X";
    messages.clear();
    EXPECT_FALSE(link->open(lists.values));
    EXPECT_TRUE(logged("buildcommdcb failed"));
    lists.values.parity = "N";
    lists.values.data_bits = "4";
    messages.clear();
    EXPECT_FALSE(link->open(lists.values));
    EXPECT_TRUE(logged("setcomstate failed"));
}

TEST_F(link_test, unlinked_port_with_the_scope_enabled_refuses_writes_and_reads) {
    make();
    EXPECT_FALSE(link->write("#:GR#"));
    EXPECT_EQ(link->read("12:08:54"), read_result::error);
    EXPECT_EQ(messages, (std::vector<std::string>{"write >>", "fail : port not opened", "<< write",
                                                  "read >>", "fail : port not opened", "<< read"}));
    EXPECT_TRUE(device.written().empty());
}

TEST_F(link_test, test_scope_serves_canned_answers_without_a_port) {
    settings.scope_enabled = false;
    make();
    EXPECT_TRUE(link->write("#:GR#"));
    EXPECT_TRUE(link->read_timeout("12:08:54"));
    EXPECT_EQ(link->answer_buffer(), "12:08:54");
    EXPECT_TRUE(link->read_timeout(std::string(300, 'x')));
    EXPECT_EQ(link->answer_buffer().size(), 240u);
    EXPECT_EQ(device.open_count(), 0);
    EXPECT_EQ(clock.now().count(), 0);
}

TEST_F(link_test, silent_scope_times_out_after_five_seconds_of_reads) {
    lists.values.timeout = "1000";
    lists.values.interval = "100";
    make();
    ASSERT_EQ(connect(), "ok");
    const int reads = device.read_count();
    const auto start = clock.now();
    messages.clear();
    bool waiting_when_it_fired = false;
    above.on_search_stop = [&] { waiting_when_it_fired = link->waiting(); };

    EXPECT_EQ(tell("get_ra_dec"), "fail : read from scope failed");
    // One read of `timeout` after another until the watchdog has run out.
    EXPECT_EQ((clock.now() - start).count(), 5000);
    EXPECT_EQ(device.read_count() - reads, 5);
    EXPECT_TRUE(logged("Read : 0 : "));
    EXPECT_TRUE(waiting_when_it_fired);
    EXPECT_FALSE(link->waiting());
    EXPECT_EQ(above.search_stops, 1);
    EXPECT_EQ(messages.back(), "<< tell");

    // The link still works for the next operation.
    device.queue_answer("01:00:00#");
    device.queue_answer("+01\xDF" "00:00#");
    EXPECT_EQ(tell("get_ra_dec"), "ok");
}

// However long `timeout` is, no read outlasts the watchdog: the read that
// would is cut to what is left of the 5 seconds, and the next operation reads
// under the panel's timeouts again.
TEST_F(link_test, a_long_timeout_never_makes_a_read_wait_past_the_watchdog) {
    struct wait_case {
        const char* timeout;
        int reads;
        std::vector<serial_timeouts> cut;  // set during the wait
    };
    const wait_case cases[] = {
        {"20000", 1, {{10, 0, 5000, 0, 20000}}},
        {"3000", 2, {{10, 0, 2000, 0, 3000}}},
        {"5000", 1, {}},
    };
    for (const wait_case& c : cases) {
        SCOPED_TRACE(c.timeout);
        lists.values.timeout = c.timeout;
        make();
        ASSERT_EQ(connect(), "ok");
        const serial_timeouts normal{10, 0, std::stoi(c.timeout), 0, std::stoi(c.timeout)};
        const std::size_t set_before = device.timeouts_set().size();
        const int reads = device.read_count();
        const auto start = clock.now();

        EXPECT_EQ(tell("get_ra_dec"), "fail : read from scope failed");
        EXPECT_EQ((clock.now() - start).count(), 5000);
        EXPECT_EQ(device.read_count() - reads, c.reads);
        std::vector<serial_timeouts> expected = c.cut;
        if (!expected.empty()) expected.push_back(normal);
        EXPECT_EQ(std::vector<serial_timeouts>(device.timeouts_set().begin() + std::ptrdiff_t(set_before),
                                               device.timeouts_set().end()),
                  expected);
        device.queue_answer("01:00:00#");
        device.queue_answer("+01\xDF" "00:00#");
        EXPECT_EQ(tell("get_ra_dec"), "ok");
        tell("disconnect");
    }
}

// A slow scope whose answer comes just after the watchdog gave up: the bytes
// are dropped as the next command goes out, and that command reads its own.
TEST_F(link_test, an_answer_that_comes_after_the_watchdog_failed_is_not_the_next_ones) {
    make();
    ASSERT_EQ(connect(), "ok");
    EXPECT_EQ(tell("get_ra_dec"), "fail : read from scope failed");
    device.arrive("12:08:54#"); // the late answer to ":GR#"
    device.queue_answer("01:00:00#");
    device.queue_answer("+01\xDF" "00:00#");
    messages.clear();
    tscope_object result;
    EXPECT_EQ(operations->tell("get_ra_dec", result), "ok");
    EXPECT_NEAR(result.ra, 1.0, 1e-9);
    EXPECT_NEAR(result.dec, 1.0, 1e-9);
    EXPECT_EQ(device.dropped(), 9u);
    // Said as the first command goes out, and not again for the second.
    const auto dropped_at = std::find(messages.begin(), messages.end(), "bytes dropped : 9");
    ASSERT_NE(dropped_at, messages.end());
    EXPECT_EQ(*(dropped_at + 1), "#:GR# : written");
    EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                            [](const std::string& m) { return m.starts_with("bytes dropped"); }),
              1);
}

TEST_F(link_test, an_answer_in_two_bursts_is_read_as_its_first) {
    make();
    ASSERT_EQ(connect(), "ok");
    device.queue_bursts({"12:0", "8:54#"});
    ASSERT_TRUE(link->write("#:GR#"));
    EXPECT_TRUE(link->read_timeout(""));
    EXPECT_EQ(link->answer_buffer(), "12:0");
    // The rest is what the next read finds.
    EXPECT_TRUE(link->read_timeout(""));
    EXPECT_EQ(link->answer_buffer(), "8:54#");
}

TEST_F(link_test, opening_drops_what_the_scope_sent_unasked) {
    make();
    device.arrive("#:junk from power-up#");
    ASSERT_EQ(connect(), "ok");
    EXPECT_NEAR(scope_object.ra, 12 + 8 / 60.0 + 54 / 3600.0, 1e-9);
}

TEST_F(link_test, short_and_failed_writes) {
    make();
    ASSERT_EQ(connect(), "ok");
    messages.clear();
    device.limit_writes(3);
    EXPECT_FALSE(link->write("#:GR#"));
    EXPECT_TRUE(logged("bytes to send : 5"));
    EXPECT_TRUE(logged("bytes written : 3"));
    device.limit_writes(static_cast<std::size_t>(-1));

    device.fail_writes(EIO);
    messages.clear();
    EXPECT_FALSE(link->write("#:GR#"));
    EXPECT_TRUE(logged("write failed : 5"));
    EXPECT_FALSE(link->port_open());
}

TEST_F(link_test, pulled_device_fails_the_operation_closes_the_port_and_reconnects) {
    make();
    ASSERT_EQ(connect(), "ok");
    device.vanish();
    messages.clear();
    const auto start = clock.now();
    EXPECT_EQ(tell("get_ra_dec"), "fail : read from scope failed");
    EXPECT_EQ(clock.now(), start);  // no waiting on a dead device
    EXPECT_TRUE(logged("write failed : 5"));
    EXPECT_TRUE(logged("COM1 : closed"));
    EXPECT_FALSE(link->port_open());

    EXPECT_EQ(tell("connect"), "fail : no connection");
    EXPECT_TRUE(logged("Port COM1 cannot be opened!"));
    EXPECT_FALSE(operations->connected());

    device.reappear();
    EXPECT_EQ(connect(), "ok");
    EXPECT_TRUE(link->port_open());
    EXPECT_TRUE(operations->connected());
}

TEST_F(link_test, nested_wait_is_refused_instead_of_waiting_for_ever) {
    make();
    ASSERT_EQ(connect(), "ok");
    // A wait begun from inside another, as a handler run during a read would.
    std::optional<bool> nested;
    above.on_message = [&](const std::string& text) {
        if (text == "read >>" && !nested) nested = link->read_timeout("");
    };
    device.queue_answer("12:08:54#");
    ASSERT_TRUE(link->write("#:GR#"));
    messages.clear();
    EXPECT_TRUE(link->read_timeout(""));
    EXPECT_EQ(nested, std::optional<bool>(false));
    EXPECT_TRUE(logged("<< waiting"));
    EXPECT_EQ(link->answer_buffer(), "12:08:54#");
}

TEST_F(link_test, messages_only_while_io_logging_is_on) {
    make();
    ports.io_logging = false;
    link->write("#:GR#");
    EXPECT_TRUE(messages.empty());
}

}  // namespace
