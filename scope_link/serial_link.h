// The byte level of the scope link: opening and setting up the serial port,
// writing a command, reading an answer, and the watchdog that bounds the
// wait for one. With the scope disabled nothing is opened and every read
// gives the command's canned answer.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/serial_device.h"
#include "scope_link/link_ports.h"
#include "scope_link/serial_port_names.h"

struct configuration_settings;

// The comms panel's lists as the link takes them when it opens the port.
struct serial_settings {
    std::string port = "COM1";
    std::string speed = "9600";
    std::string data_bits = "8";
    std::string parity = "N";
    std::string stop_bits = "1";
    std::string timeout = "100";
    std::string interval = "10";
};

// What one read of the link brought: exactly one of the three.
enum class read_result { data, nothing, error };

class serial_link {
public:
    // Answers must start within this long, on the program's clock.
    static constexpr int response_wait = 5000;

    // All must outlive the link; settings are the configuration panel's.
    serial_link(const link_ports& ports, const configuration_settings& settings, serial_device& device,
                const program_clock& clock);

    bool open(const serial_settings& lists);
    void close();
    void clear_port();
    bool write(std::string_view text);
    read_result read(std::string_view canned_answer);
    // Reads until an answer is in, or fails when none has begun within
    // response_wait; never runs the event loop meanwhile, and no read waits
    // past that deadline.
    bool read_timeout(std::string_view canned_answer);
    // The watchdog's action when the wait is over: the search panel's poll stops.
    void response_timerTimer();

    // The comms panel's two handlers: the values for the next clear and open.
    void set_timeout(std::string_view text);
    void set_interval(std::string_view text);

    bool port_open() const { return port_open_; }
    const std::string& port_name() const { return port_name_; }
    int timeout() const { return timeout_; }
    int interval() const { return interval_; }
    const std::string& answer_buffer() const { return answer_buffer_; }
    // Whether a wait for an answer is under way, so that periodic timers
    // can skip their turn.
    bool waiting() const { return waiting_; }
    // Set by connect once the port is open, cleared by disconnect.
    bool linked = false;

    serial_port_map serial_devices;

private:
    void update_status_log(const std::string& text) const { ports_.update_status_log(text); }
    bool scope_enabled() const;
    serial_transfer read_device();
    // The normal timeouts with the read's total time cut to `left`.
    serial_timeouts read_until(milliseconds left) const;

    const link_ports& ports_;
    const configuration_settings& settings_;
    serial_device& device_;
    const program_clock& clock_;

    bool port_open_ = false;
    std::string port_name_;
    int timeout_ = 1000;
    int interval_ = 100;
    std::string answer_buffer_;
    bool waiting_ = false;
};
