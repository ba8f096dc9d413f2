// The in-memory serial device's timing on the manual clock, which unit tests
// of the link's waits read as the time a real line would have taken.
#include "tests/fixtures/memory_serial_device.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <string>

namespace {

std::string read_all(memory_serial_device& device) {
    std::array<char, serial_buffer_size> buffer{};
    serial_transfer got = device.read(buffer);
    EXPECT_TRUE(got.ok());
    return std::string(buffer.data(), got.count);
}

TEST(memory_serial_device, reads_take_the_time_the_line_would) {
    manual_clock clock;
    memory_serial_device device(&clock);
    ASSERT_TRUE(device.open("/dev/ttyS0"));
    device.set_timeouts({100, 0, 1000, 0, 1000});

    // Silence: each read waits its whole timeout.
    EXPECT_EQ(read_all(device), "");
    EXPECT_EQ(clock.now(), milliseconds(1000));

    // An answer ends one interval after its last byte; the second burst of
    // a split answer is the next read's.
    device.queue_bursts({"12:", "08:54#"});
    ASSERT_TRUE(device.write("#:GR#").ok());
    EXPECT_EQ(read_all(device), "12:");
    EXPECT_EQ(read_all(device), "08:54#");
    EXPECT_EQ(clock.now(), milliseconds(1200));

    // Unread bytes and the next answer reach the read together.
    device.arrive("x");
    device.queue_answer("1");
    ASSERT_TRUE(device.write("#:Sr12:30:00#").ok());
    EXPECT_EQ(read_all(device), "x1");

    // A write cut short ran out its time.
    device.limit_writes(2);
    serial_transfer put = device.write("#:GR#");
    EXPECT_TRUE(put.ok());
    EXPECT_EQ(put.count, 2u);
    EXPECT_EQ(clock.now(), milliseconds(2300));
    EXPECT_EQ(device.writes().back(), "#:");
}

TEST(memory_serial_device, a_vanished_device_fails_until_it_reappears) {
    memory_serial_device device;
    ASSERT_TRUE(device.open("/dev/ttyUSB0"));
    device.vanish();
    std::array<char, 8> buffer{};
    EXPECT_EQ(device.read(buffer).error, EIO);
    EXPECT_EQ(device.write("#:GR#").error, EIO);
    device.close();
    EXPECT_FALSE(device.open("/dev/ttyUSB0"));
    device.reappear();
    EXPECT_TRUE(device.open("/dev/ttyUSB0"));
    EXPECT_EQ(device.open_count(), 2);
}

}  // namespace
