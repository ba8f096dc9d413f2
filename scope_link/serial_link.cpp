#include "scope_link/serial_link.h"

#include <algorithm>
#include <array>

#include "scope_link/link_numbers.h"
#include "settings/configuration_settings.h"

namespace {

serial_timeouts normal_timeouts(int timeout, int interval) {
    return {interval, 0, timeout, 0, timeout};
}

// Short enough that clearing takes only what is already on the line.
serial_timeouts clearing_timeouts(int timeout) { return {10, 0, 10, 0, timeout}; }

}  // namespace

serial_link::serial_link(const link_ports& ports, const configuration_settings& settings,
                         serial_device& device, const program_clock& clock)
    : ports_(ports), settings_(settings), device_(device), clock_(clock) {}

bool serial_link::scope_enabled() const { return settings_.scope_enabled; }

void serial_link::set_timeout(std::string_view text) { timeout_ = link_timeout(text); }

void serial_link::set_interval(std::string_view text) { interval_ = link_interval(text); }

bool serial_link::open(const serial_settings& lists) {
    update_status_log("open >>");
    // Blanks around the port text are not part of the port's name.
    port_name_ = trim_port_text(lists.port);
    timeout_ = link_timeout(lists.timeout);
    interval_ = link_interval(lists.interval);
    const std::string control = "baud=" + lists.speed + " parity=" + lists.parity + " data=" + lists.data_bits +
                                " stop=" + lists.stop_bits;
    update_status_log("connect_to_serial_port : " + port_name_ + " " + control + " : " + lists.timeout + " " +
                      lists.interval);
    if (port_open_) close();

    const std::optional<std::string> path = serial_devices.device_path(port_name_);
    if (!path || !device_.open(*path)) {
        update_status_log("<< open");
        return false;
    }
    port_open_ = true;
    // A port whose set-up fails stays open until the next open or close.
    const char* failed = nullptr;
    if (!device_.setup_queues(serial_buffer_size, serial_buffer_size))
        failed = "setupcom failed";
    else if (!device_.read_settings())
        failed = "getcommstate failed";
    else if (!device_.build_settings(control))
        failed = "buildcommdcb failed";
    else if (!device_.write_settings())
        failed = "setcomstate failed";
    if (failed) {
        update_status_log(failed);
        update_status_log("<< open");
        return false;
    }
    device_.set_timeouts(normal_timeouts(timeout_, interval_));
    // Without it a USB adapter may split an answer into bursts further
    // apart than the interval; said once, as the port opens.
    if (!device_.low_latency()) update_status_log(port_name_ + " : low latency not available");
    clear_port();
    update_status_log(port_name_ + " : opened");
    update_status_log("<< open");
    return true;
}

void serial_link::close() {
    device_.close();
    port_open_ = false;
    update_status_log(port_name_ + " : closed");
}

void serial_link::clear_port() {
    update_status_log("clear_port >>");
    // The port is cleared while it is being opened, before the link counts
    // as linked, so this reads the device itself rather than through read(),
    // which would refuse an unlinked port and leave stale bytes on the line.
    if (scope_enabled() && port_open_) {
        device_.set_timeouts(clearing_timeouts(timeout_));
        read_device();
        answer_buffer_.clear();
        update_status_log("cleared port");
        device_.set_timeouts(normal_timeouts(timeout_, interval_));
    }
    update_status_log("<< clear_port");
}

bool serial_link::write(std::string_view text) {
    update_status_log("write >>");
    bool written = true;
    if (linked && scope_enabled()) {
        // No answer is awaited between commands, so whatever is on the line
        // now (an answer that came after its wait gave up, the rest of one
        // cut at its first burst) would be read as this command's answer.
        const serial_transfer dropped = device_.drop_input();
        if (dropped.count > 0) update_status_log("bytes dropped : " + std::to_string(dropped.count));
        const serial_transfer sent = device_.write(text);
        if (!sent.ok()) {
            update_status_log("write failed : " + std::to_string(sent.error));
            // A device that fails a write (a pulled adapter) is closed, as a
            // failed read closes it, so that the next connect opens it anew.
            if (port_open_) close();
            written = false;
        } else if (sent.count == text.size()) {
            update_status_log(std::string(text) + " : written");
        } else {
            update_status_log("bytes to send : " + std::to_string(text.size()));
            update_status_log("bytes written : " + std::to_string(sent.count));
            written = false;
        }
    } else if (!linked && scope_enabled()) {
        update_status_log("fail : port not opened");
        written = false;
    }
    update_status_log("<< write");
    return written;
}

serial_transfer serial_link::read_device() {
    std::array<char, serial_buffer_size> buffer{};
    const serial_transfer got = device_.read(buffer);
    answer_buffer_.assign(buffer.data(), std::min(got.count, buffer.size()));
    return got;
}

read_result serial_link::read(std::string_view canned_answer) {
    update_status_log("read >>");
    answer_buffer_.clear();
    read_result result = read_result::data;
    if (linked && scope_enabled()) {
        const serial_transfer got = read_device();
        if (!got.ok()) {
            update_status_log("read : error : " + std::to_string(got.error));
            close();
            result = read_result::error;
        } else {
            update_status_log("Read : " + std::to_string(answer_buffer_.size()) + " : " + answer_buffer_);
            result = answer_buffer_.empty() ? read_result::nothing : read_result::data;
        }
    } else if (!linked && scope_enabled()) {
        update_status_log("fail : port not opened");
        result = read_result::error;
    } else {
        answer_buffer_ = canned_answer.substr(0, serial_buffer_size);
    }
    update_status_log("<< read");
    return result;
}

bool serial_link::read_timeout(std::string_view canned_answer) {
    // Operations never nest, so a wait that finds another under way is one
    // started from inside it; it could never see that one end, so it fails.
    if (waiting_) {
        update_status_log("<< waiting");
        return false;
    }
    waiting_ = true;
    answer_buffer_.clear();
    // The watchdog is looked at between reads on the program's clock; the
    // event loop is not run meanwhile, so nothing else happens on the model
    // thread until the answer is in or the time is up. Each read waits at
    // most its own timeout, so the loop does not spin, and never past the
    // deadline: a read that would outlast it has its total time cut to what
    // is left, however long `timeout` is.
    const milliseconds deadline = clock_.now() + milliseconds(response_wait);
    bool narrowed = false;
    read_result outcome;
    for (;;) {
        const milliseconds left = deadline - clock_.now();
        if (left <= milliseconds(0)) {
            response_timerTimer();
            outcome = read_result::error;
            break;
        }
        if (left < milliseconds(timeout_) && linked && scope_enabled() && port_open_) {
            device_.set_timeouts(read_until(left));
            narrowed = true;
        }
        outcome = read(canned_answer);
        if (outcome != read_result::nothing) break;
    }
    if (narrowed && port_open_) device_.set_timeouts(normal_timeouts(timeout_, interval_));
    waiting_ = false;
    return outcome == read_result::data;
}

serial_timeouts serial_link::read_until(milliseconds left) const {
    serial_timeouts timeouts = normal_timeouts(timeout_, interval_);
    timeouts.read_constant = static_cast<int>(left.count());
    return timeouts;
}

void serial_link::response_timerTimer() { ports_.panels().stop_search_timer(); }
