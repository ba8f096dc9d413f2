// The serial device on a Linux terminal: raw 8-bit termios with the speed and
// framing of the device-control string, reads and writes timed with poll in
// real time (a serial line does not wait for the program's clock).
#pragma once

#include "platform/serial_device.h"

#include <termios.h>

class termios_serial_device final : public serial_device {
public:
    termios_serial_device() = default;
    ~termios_serial_device() override;
    termios_serial_device(const termios_serial_device&) = delete;
    termios_serial_device& operator=(const termios_serial_device&) = delete;

    bool open(const std::string& path) override;
    bool is_open() const override { return fd_ >= 0; }
    bool low_latency() const override { return low_latency_; }
    bool setup_queues(std::size_t input, std::size_t output) override;
    bool read_settings() override;
    bool build_settings(std::string_view control) override;
    bool write_settings() override;
    void set_timeouts(const serial_timeouts& timeouts) override { timeouts_ = timeouts; }
    serial_transfer read(std::span<char> buffer) override;
    serial_transfer drop_input() override;
    serial_transfer write(std::string_view bytes) override;
    void close() override;

    // The line settings as last read from the device or built since.
    const line_settings& line() const { return line_; }

private:
    int fd_ = -1;
    bool settings_read_ = false;
    bool low_latency_ = false;
    termios attributes_{};  // the device's settings as last read
    line_settings line_;
    serial_timeouts timeouts_;
};
