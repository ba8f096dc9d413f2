// One serial device as the scope link drives it: open by path, set up in four
// steps that each report success, bounded reads and writes, close.
#pragma once

#include "platform/device_control.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// The largest answer the link reads and the size of the driver's queues.
inline constexpr std::size_t serial_buffer_size = 240;

// All in milliseconds. A read may last read_multiplier * (bytes asked for) +
// read_constant in all, and ends early once read_interval passes without a
// byte after the first one; a zero in either limit means that limit is off,
// and with both off a read takes what has already arrived and returns.
// A write may last write_multiplier * (bytes) + write_constant; zero means
// no limit.
struct serial_timeouts {
    int read_interval = 0;
    int read_multiplier = 0;
    int read_constant = 0;
    int write_multiplier = 0;
    int write_constant = 0;

    friend bool operator==(const serial_timeouts&, const serial_timeouts&) = default;
};

// What one read or write moved. error is 0 on success, else an errno value
// (EIO for a device that has gone away); count is what moved before it.
struct serial_transfer {
    std::size_t count = 0;
    int error = 0;

    bool ok() const { return error == 0; }
};

class serial_device {
public:
    virtual ~serial_device() = default;

    // Opens an existing device for reading and writing, refusing a device
    // another user holds; a device that is open here is closed first.
    virtual bool open(const std::string& path) = 0;
    virtual bool is_open() const = 0;
    // Whether the open device hands received bytes on as they come. USB
    // adapters hold them for a latency timer (up to 16 ms) unless the driver
    // takes the low-latency flag, which open asks for; a pseudo-terminal, or
    // a driver without the flag, reports false, and the device works all the same.
    virtual bool low_latency() const = 0;

    // The set-up steps, in the order the link runs them. Each reports
    // whether it worked so the link can name the step that failed.
    virtual bool setup_queues(std::size_t input, std::size_t output) = 0;
    // Reads the device's current settings; the next step edits them.
    virtual bool read_settings() = 0;
    // Applies "baud=9600 parity=N data=8 stop=1" to the settings read;
    // false for text that does not parse or a value out of range.
    virtual bool build_settings(std::string_view control) = 0;
    // Writes the settings to the device; false when it cannot take them.
    virtual bool write_settings() = 0;

    virtual void set_timeouts(const serial_timeouts& timeouts) = 0;

    // Reads at most buffer.size() bytes under the current timeouts.
    virtual serial_transfer read(std::span<char> buffer) = 0;
    // Drops whatever has arrived and not been read, without waiting; the
    // count is how many bytes went.
    virtual serial_transfer drop_input() = 0;
    // Writes the bytes as they are within the write timeout; a count below
    // bytes.size() with no error means the time ran out.
    virtual serial_transfer write(std::string_view bytes) = 0;

    virtual void close() = 0;
};
