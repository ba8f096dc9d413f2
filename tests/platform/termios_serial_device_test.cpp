// The termios serial device against a fake LX200 on a pseudo-terminal:
// opening, set-up, the read's ends (quiet, total time, full buffer), and a
// device that goes away.
#include "platform/termios_serial_device.h"

#include "tests/fixtures/fake_lx200.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <ostream>
#include <string>
#include <thread>

void PrintTo(const line_settings& s, std::ostream* out) {
    *out << "baud=" << s.baud << " parity=" << s.parity << " data=" << s.data_bits
         << " stop=" << s.stop_bits;
}

namespace {

using namespace std::chrono_literals;
using steady = std::chrono::steady_clock;

constexpr const char* standard_control = "baud=9600 parity=N data=8 stop=1";

// Runs the link's set-up steps; timeouts as the link sets them.
void set_up(termios_serial_device& device, int timeout, int interval) {
    ASSERT_TRUE(device.setup_queues(serial_buffer_size, serial_buffer_size));
    ASSERT_TRUE(device.read_settings());
    ASSERT_TRUE(device.build_settings(standard_control));
    ASSERT_TRUE(device.write_settings());
    device.set_timeouts({interval, 0, timeout, 0, timeout});
}

std::string read_answer(termios_serial_device& device) {
    std::array<char, serial_buffer_size> buffer{};
    serial_transfer got = device.read(buffer);
    EXPECT_TRUE(got.ok()) << "errno " << got.error;
    return std::string(buffer.data(), got.count);
}

void send(termios_serial_device& device, const std::string& bytes) {
    serial_transfer put = device.write(bytes);
    ASSERT_TRUE(put.ok()) << "errno " << put.error;
    ASSERT_EQ(put.count, bytes.size());
}

class termios_device : public ::testing::Test {
protected:
    void open_and_set_up(int timeout = 300, int interval = 30) {
        ASSERT_TRUE(device.open(scope.device_path()));
        set_up(device, timeout, interval);
    }

    fake_lx200 scope;
    termios_serial_device device;
};

TEST_F(termios_device, opens_existing_devices_only_and_one_user_at_a_time) {
    EXPECT_FALSE(device.open("/dev/no-such-serial-device"));
    EXPECT_FALSE(device.is_open());

    ASSERT_TRUE(device.open(scope.device_path()));
    termios_serial_device second;
    EXPECT_FALSE(second.open(scope.device_path()));
    device.close();
    EXPECT_TRUE(second.open(scope.device_path()));
    second.close();
    // The exclusive flag does not outlive the close that held it.
    EXPECT_TRUE(device.open(scope.device_path()));
}

TEST_F(termios_device, a_path_that_is_no_terminal_fails_the_first_set_up_step) {
    ASSERT_TRUE(device.open("/dev/null"));
    EXPECT_FALSE(device.setup_queues(serial_buffer_size, serial_buffer_size));
    EXPECT_FALSE(device.read_settings());
}

struct control_case {
    const char* text;
    bool builds;
    bool writes;
    line_settings expected;  // read back from the terminal when written
};

TEST_F(termios_device, device_control_strings_build_and_write_or_name_the_failing_step) {
    const control_case cases[] = {
        {"baud=9600 parity=N data=8 stop=1", true, true, {9600, 'N', 8, 1}},
        // No B constant for these two: set as arbitrary rates, and read back.
        {"baud=14400 parity=N data=8 stop=1", true, true, {14400, 'N', 8, 1}},
        {"baud=56000", true, true, {56000, 'N', 8, 1}},
        {"baud=115200 parity=n data=8 stop=2", true, true, {115200, 'N', 8, 2}},
        {"BAUD=110  Parity=N DATA=8 STOP=1", true, true, {110, 'N', 8, 1}},
        {"baud=19200", true, true, {19200, 'N', 8, 1}},  // the rest as the terminal holds it
        // A pseudo-terminal carries 8-bit bytes without parity and says so
        // only when its settings are read back.
        {"baud=9600 parity=E data=7 stop=1", true, false, {}},
        {"parity=o", true, false, {}},
        {"data=5", true, false, {}},
        {"data=4", true, false, {}},  // no terminal has 4-bit characters
        {"baud=9601 parity=N data=8 stop=1", false, false, {}},
        {"baud=-9600", false, false, {}},
        {"baud=", false, false, {}},
        {"baud=9600 parity=X data=8 stop=1", false, false, {}},
        {"baud=9600 parity=NO data=8 stop=1", false, false, {}},
        {"baud=9600 parity=N data=9 stop=1", false, false, {}},
        {"baud=9600 parity=N data=3 stop=1", false, false, {}},
        {"baud=9600 parity=N data=8 stop=0", false, false, {}},
        {"baud=9600 parity=N data=8 stop=1.5", false, false, {}},
        {"speed=9600", false, false, {}},
        {"baud 9600", false, false, {}},
        {"", false, false, {}},
    };
    ASSERT_TRUE(device.open(scope.device_path()));
    ASSERT_TRUE(device.setup_queues(serial_buffer_size, serial_buffer_size));
    for (const control_case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(device.read_settings());
        EXPECT_EQ(device.build_settings(c.text), c.builds);
        if (!c.builds) continue;
        EXPECT_EQ(device.write_settings(), c.writes);
        if (!c.writes) continue;
        ASSERT_TRUE(device.read_settings());
        EXPECT_EQ(device.line(), c.expected);
    }
}

TEST_F(termios_device, a_command_and_its_answer_make_the_round_trip) {
    open_and_set_up();
    // A pseudo-terminal has no low-latency flag to set, and needs none.
    EXPECT_FALSE(device.low_latency());
    send(device, "#:GR#");
    EXPECT_EQ(read_answer(device), "12:08:54#");
    EXPECT_EQ(scope.received(), "#:GR#");
}

TEST_F(termios_device, a_full_buffer_ends_the_read_and_the_rest_waits_for_the_next) {
    open_and_set_up();
    send(device, "#:GD#");
    std::array<char, 4> small{};
    serial_transfer got = device.read(small);
    ASSERT_TRUE(got.ok());
    ASSERT_EQ(got.count, 4u);
    EXPECT_EQ(std::string(small.data(), 4), "+42\xDF");
    EXPECT_EQ(read_answer(device), "08:59#");
}

TEST_F(termios_device, an_answer_late_within_the_timeout_is_read_whole) {
    open_and_set_up(/*timeout=*/300, /*interval=*/30);
    scope.set_answer_delay(100ms);
    send(device, "#:GR#");
    EXPECT_EQ(read_answer(device), "12:08:54#");
}

TEST_F(termios_device, an_answer_later_than_the_timeout_comes_with_the_next_read) {
    open_and_set_up(/*timeout=*/50, /*interval=*/30);
    scope.set_answer_delay(150ms);
    send(device, "#:GR#");
    EXPECT_EQ(read_answer(device), "");
    device.set_timeouts({30, 0, 300, 0, 300});
    EXPECT_EQ(read_answer(device), "12:08:54#");
}

TEST_F(termios_device, a_gap_longer_than_the_interval_ends_the_read_at_the_first_burst) {
    open_and_set_up(/*timeout=*/1000, /*interval=*/30);
    scope.set_bursts(3, 150ms);
    send(device, "#:GR#");
    EXPECT_EQ(read_answer(device), "12:");
    EXPECT_EQ(read_answer(device), "08:54#");
}

TEST_F(termios_device, bytes_paced_at_9600_baud_are_one_answer) {
    open_and_set_up(/*timeout=*/300, /*interval=*/20);
    scope.set_baud(9600);
    send(device, "#:GR#");
    EXPECT_EQ(read_answer(device), "12:08:54#");
}

TEST_F(termios_device, a_silent_scope_gives_no_bytes_when_the_timeout_ends) {
    open_and_set_up(/*timeout=*/100, /*interval=*/30);
    scope.set_silent(true);
    send(device, "#:GR#");
    ASSERT_TRUE(scope.wait_for_commands(1, 2s));
    auto start = steady::now();
    EXPECT_EQ(read_answer(device), "");
    EXPECT_LT(steady::now() - start, 2s);  // ended by its timeout, not hung
}

TEST_F(termios_device, dropping_input_takes_what_has_arrived_without_waiting) {
    open_and_set_up(/*timeout=*/1000, /*interval=*/30);
    auto start = steady::now();
    serial_transfer dropped = device.drop_input();
    EXPECT_TRUE(dropped.ok());
    EXPECT_EQ(dropped.count, 0u);
    EXPECT_LT(steady::now() - start, 100ms);

    send(device, "#:GR#");
    // The answer is on the line once a read of one byte sees it.
    std::array<char, 1> first{};
    ASSERT_EQ(device.read(first).count, 1u);
    std::this_thread::sleep_for(50ms);  // the rest of the 9 bytes comes at once
    dropped = device.drop_input();
    EXPECT_TRUE(dropped.ok());
    EXPECT_EQ(dropped.count, 8u);
    device.set_timeouts({30, 0, 100, 0, 100});
    EXPECT_EQ(read_answer(device), "");
}

TEST_F(termios_device, a_vanished_device_fails_reads_and_writes_and_a_new_one_opens) {
    open_and_set_up();
    const std::string old_path = scope.device_path();
    scope.vanish();

    std::array<char, serial_buffer_size> buffer{};
    serial_transfer got = device.read(buffer);
    EXPECT_EQ(got.error, EIO);
    EXPECT_FALSE(device.write("#:GR#").ok());
    device.close();
    EXPECT_FALSE(device.open(old_path));

    fake_lx200 again;
    ASSERT_TRUE(device.open(again.device_path()));
    set_up(device, 300, 30);
    send(device, "#:GR#");
    EXPECT_EQ(read_answer(device), "12:08:54#");
}

TEST_F(termios_device, a_device_that_vanishes_during_a_read_ends_it_at_once) {
    open_and_set_up(/*timeout=*/5000, /*interval=*/30);
    std::thread pull([this] {
        std::this_thread::sleep_for(50ms);
        scope.vanish();
    });
    auto start = steady::now();
    std::array<char, serial_buffer_size> buffer{};
    serial_transfer got = device.read(buffer);
    auto took = steady::now() - start;
    pull.join();
    EXPECT_EQ(got.error, EIO);
    EXPECT_LT(took, 3s);  // the hangup ended it, not the 5 s timeout
}

}  // namespace
