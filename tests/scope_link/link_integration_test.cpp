// The comms panel driving the real termios device against the fake LX200 on
// a pseudo-terminal, on the real clock with short timeouts: connecting,
// reading the position, a goto polled until it stops, late and split
// answers, and a device pulled in the middle of an operation.
#include "forms/forms.h"
#include "platform/termios_serial_device.h"
#include "scope_link/orb_server_comms.h"
#include "settings/configuration_settings.h"
#include "tests/fixtures/fake_lx200.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/scope_link/comms_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct link_integration : ::testing::Test {
    steady_clock_source clock;
    forms::toolkit kit{clock};
    temp_dir dir;
    folder_host host{dir.path()};
    configuration_settings settings;
    termios_serial_device device;
    tscope_object scope_object;
    std::unique_ptr<fake_lx200> scope = std::make_unique<fake_lx200>();
    fake_link_ports above;
    std::unique_ptr<Tscope_comms> comms;

    void SetUp() override {
        settings.scope_type = configuration_settings::lx200;
        // Short waits: an answer starts within 300 ms and ends after 30 ms of quiet.
        dir.write("server.ini", "[comms]\ntimeout=300\ninterval=30\n[serial_devices]\nCOM1=" +
                                    scope->device_path() + "\n");
        comms = std::make_unique<Tscope_comms>(kit, host, settings, device, scope_object);
        comms->ports.wire(above, above);
    }

    std::string tell(const std::string& operation, tscope_object& result) {
        return comms->operations.tell(operation, result);
    }
};

TEST_F(link_integration, connects_reads_the_position_and_goes_to_a_target_until_stopped) {
    scope->set_slew_polls(2);
    tscope_object result;
    ASSERT_EQ(tell("connect", result), "ok");
    EXPECT_TRUE(result.high_precision);
    EXPECT_TRUE(comms->operations.connected());
    EXPECT_NEAR(scope_object.ra, 12 + 8 / 60.0 + 54 / 3600.0, 1e-9);
    EXPECT_NEAR(scope_object.dec, 42 + 8 / 60.0 + 59 / 3600.0, 1e-9);

    EXPECT_EQ(tell("goto_ra_dec(ra=12.5,dec=-5.5)", result), "ok");
    EXPECT_EQ(tell("stopped", result), "ok");
    EXPECT_TRUE(result.moving);
    EXPECT_EQ(tell("stopped", result), "ok");
    EXPECT_TRUE(result.moving);
    EXPECT_EQ(tell("stopped", result), "ok");
    EXPECT_FALSE(result.moving);
    EXPECT_EQ(tell("get_ra_dec", result), "ok");
    EXPECT_NEAR(result.ra, 12.5, 1e-9);
    EXPECT_NEAR(result.dec, -5.5, 1e-9);

    const std::string received = scope->received();
    EXPECT_NE(received.find("#:Sr12:30:00##:Sd-05\xDF" "30:00##:MS#"), std::string::npos);

    EXPECT_EQ(tell("disconnect", result), "ok");
    EXPECT_FALSE(comms->link.port_open());
}

TEST_F(link_integration, every_speed_the_panel_lists_opens_the_port_and_carries_commands) {
    const std::vector<std::string> speeds = comms->speed_edit.items();
    ASSERT_FALSE(speeds.empty());
    tscope_object result;
    for (const std::string& speed : speeds) {
        SCOPED_TRACE("baud " + speed);
        comms->speed_edit.set_text(speed);
        ASSERT_EQ(tell("connect", result), "ok");
        ASSERT_TRUE(device.read_settings());
        EXPECT_EQ(device.line().baud, std::stoi(speed));
        EXPECT_EQ(tell("get_ra_dec", result), "ok");
        EXPECT_EQ(tell("disconnect", result), "ok");
    }
    // A framing no Linux terminal has is still refused when the port opens.
    const std::vector<std::string>& messages = above.messages;
    comms->ports.io_logging = true;
    comms->speed_edit.set_text("14400");
    comms->data_bits_edit.set_text("4");
    EXPECT_FALSE(comms->link.open(comms->current_serial_settings()));
    EXPECT_NE(std::find(messages.begin(), messages.end(), "setcomstate failed"), messages.end());
}

TEST_F(link_integration, low_precision_scope_and_a_refused_slew) {
    scope->set_high_precision(false);
    scope->refuse_slews("Object Below Horizon");
    tscope_object result;
    ASSERT_EQ(tell("connect", result), "ok");
    EXPECT_FALSE(result.high_precision);
    EXPECT_NEAR(scope_object.ra, 12 + 8.9 / 60, 1e-9);
    EXPECT_EQ(tell("goto_ra_dec(ra=1,dec=2)", result), "fail : ");
    EXPECT_FALSE(scope->slewing());
}

TEST_F(link_integration, late_answers_are_waited_for_and_split_ones_read_as_their_first_part) {
    tscope_object result;
    ASSERT_EQ(tell("connect", result), "ok");
    // Later than a read's whole timeout: the watchdog's next read gets it.
    scope->set_answer_delay(400ms);
    EXPECT_EQ(tell("get_ra_dec", result), "ok");
    scope->set_answer_delay(0ms);

    scope->set_bursts(4, 150ms);
    ASSERT_TRUE(comms->link.write("#:GR#"));
    EXPECT_TRUE(comms->link.read_timeout(""));
    EXPECT_EQ(comms->link.answer_buffer(), "12:0");
    // The rest is left on the line for whatever reads next.
    EXPECT_TRUE(comms->link.read_timeout(""));
    EXPECT_EQ(comms->link.answer_buffer(), "8:54#");
}

TEST_F(link_integration, pulled_device_mid_operation_then_reconnect) {
    tscope_object result;
    ASSERT_EQ(tell("connect", result), "ok");
    const std::size_t seen = scope->commands().size();
    scope->set_silent(true);
    // Pulled while the link waits for the answer to ":GR#".
    std::thread puller([&] {
        if (scope->wait_for_commands(seen + 1, 2000ms)) scope->vanish();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(tell("get_ra_dec", result), "fail : read from scope failed");
    puller.join();
    // The hang-up ends the wait at once, not after the watchdog's 5 s.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2000ms);
    EXPECT_FALSE(comms->link.port_open());
    EXPECT_EQ(tell("get_ra_dec", result), "fail : read from scope failed");

    // Gone: connecting fails until it is back.
    EXPECT_EQ(tell("connect", result), "fail : no connection");
    // Plugged back in, maybe under another name as a USB adapter may get.
    scope = std::make_unique<fake_lx200>();
    comms->link.serial_devices.set_device_path(1, scope->device_path());
    EXPECT_EQ(tell("connect", result), "ok");
    EXPECT_EQ(tell("get_ra_dec", result), "ok");
    EXPECT_NEAR(result.ra, 12 + 8 / 60.0 + 54 / 3600.0, 1e-9);
}

// A scope that answers after the watchdog gave up, with `timeout` typed as
// 20000: the wait ends at the watchdog's 5 seconds, and the late answer is
// dropped before the next command, which reads its own.
TEST_F(link_integration, a_late_answer_after_the_watchdog_never_becomes_the_next_commands) {
    comms->timeout_edit.set_text("20000");
    comms->ports.io_logging = true;
    tscope_object result;
    ASSERT_EQ(tell("connect", result), "ok");
    scope->set_answer_delay(5300ms);
    ASSERT_TRUE(comms->link.write("#:GR#"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(comms->link.read_timeout(""));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 4900ms);
    EXPECT_LT(waited, 5250ms);  // ended by the watchdog, not by the 20 s
    scope->set_answer_delay(0ms);
    std::this_thread::sleep_until(start + 5600ms);  // the late answer is on the line

    ASSERT_TRUE(comms->link.write("#:GD#"));
    EXPECT_TRUE(comms->link.read_timeout(""));
    EXPECT_EQ(comms->link.answer_buffer(), "+42\xDF" "08:59#");
    const std::vector<std::string>& messages = above.messages;
    EXPECT_NE(std::find(messages.begin(), messages.end(), "bytes dropped : 9"), messages.end());
}

}  // namespace
