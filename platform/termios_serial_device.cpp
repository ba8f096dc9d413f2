#include "platform/termios_serial_device.h"

#include "platform/serial_rate.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using steady = std::chrono::steady_clock;

struct rate {
    int baud;
    speed_t code;
};

constexpr rate rates[] = {
    {110, B110},     {134, B134},     {150, B150},   {200, B200},     {300, B300},
    {600, B600},     {1200, B1200},   {1800, B1800}, {2400, B2400},   {4800, B4800},
    {9600, B9600},   {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};

std::optional<speed_t> speed_code(int baud) {
    for (const rate& r : rates)
        if (r.baud == baud) return r.code;
    return std::nullopt;
}

std::optional<int> baud_of(speed_t code) {
    for (const rate& r : rates)
        if (r.code == code) return r.baud;
    return std::nullopt;
}

std::optional<tcflag_t> size_flag(int data_bits) {
    switch (data_bits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    case 8: return CS8;
    default: return std::nullopt;  // termios has no 4-bit characters
    }
}

int data_bits_of(tcflag_t cflag) {
    switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

// Whether the driver holds an arbitrary rate as asked. A driver keeps the
// nearest rate its clock can make and reports that one; within 2 % (the
// kernel's own tolerance for naming a rate) the line works as asked.
bool kept_rate(int fd, int baud) {
    const auto near = [baud](int rate) { return std::abs(rate - baud) * 50 <= baud; };
    const std::optional<serial_rates> rates = read_serial_rates(fd);
    return rates && near(rates->output) && (rates->input == 0 || near(rates->input));
}

// Asks the driver to pass each received byte on at once rather than after its
// latency timer. Drivers without the serial ioctls (a pseudo-terminal) or
// without the flag refuse, and the device works as it is.
bool ask_for_low_latency(int fd) {
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) return false;
    if (serial.flags & ASYNC_LOW_LATENCY) return true;
    serial.flags |= ASYNC_LOW_LATENCY;
    if (::ioctl(fd, TIOCSSERIAL, &serial) != 0) return false;
    // Some drivers accept the call and keep only the flags they know.
    return ::ioctl(fd, TIOCGSERIAL, &serial) == 0 && (serial.flags & ASYNC_LOW_LATENCY);
}

// Framing bits that write_settings sets and then checks the driver kept.
constexpr tcflag_t framing = CSIZE | PARENB | PARODD | CSTOPB;

std::optional<steady::time_point> earliest(std::optional<steady::time_point> a,
                                           std::optional<steady::time_point> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

// Waits for events on fd until deadline (none: no limit). Returns the events,
// 0 when the deadline passed, or -1 with errno set.
int wait_for(int fd, short events, std::optional<steady::time_point> deadline) {
    for (;;) {
        timespec limit{};
        timespec* limit_ptr = nullptr;
        if (deadline) {
            auto left = *deadline - steady::now();
            if (left <= steady::duration::zero()) return 0;
            auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            limit.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            limit.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            limit_ptr = &limit;
        }
        pollfd p{fd, events, 0};
        int r = ::ppoll(&p, 1, limit_ptr, nullptr);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return r;
        return p.revents;
    }
}

}  // namespace

termios_serial_device::~termios_serial_device() { close(); }

bool termios_serial_device::open(const std::string& path) {
    close();
    // No O_CREAT: only an existing device opens. O_NONBLOCK keeps the open
    // from waiting for a modem's carrier and writes from blocking past their
    // timeout.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // The lock keeps out every other user that locks, root included;
    // TIOCEXCL keeps out plain opens by anyone but root.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (::isatty(fd) && ::ioctl(fd, TIOCEXCL) != 0)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    settings_read_ = false;
    low_latency_ = ask_for_low_latency(fd);
    line_ = line_settings{};
    timeouts_ = serial_timeouts{};
    return true;
}

bool termios_serial_device::setup_queues(std::size_t input, std::size_t output) {
    // The terminal driver's buffers have a fixed size, larger than the link
    // asks for; what can fail is a path that is no serial device at all.
    return fd_ >= 0 && input > 0 && output > 0 && ::isatty(fd_);
}

bool termios_serial_device::read_settings() {
    if (fd_ < 0 || ::tcgetattr(fd_, &attributes_) != 0) return false;
    settings_read_ = true;
    line_settings read;
    // The kernel knows the speed in bits per second even when it was set as
    // an arbitrary rate, which has no B constant to look up.
    const std::optional<serial_rates> rates = read_serial_rates(fd_);
    read.baud = rates && rates->output > 0 ? rates->output
                                           : baud_of(::cfgetospeed(&attributes_)).value_or(read.baud);
    read.data_bits = data_bits_of(attributes_.c_cflag);
    read.parity = (attributes_.c_cflag & PARENB) ? ((attributes_.c_cflag & PARODD) ? 'O' : 'E') : 'N';
    read.stop_bits = (attributes_.c_cflag & CSTOPB) ? 2 : 1;
    line_ = read;
    return true;
}

bool termios_serial_device::build_settings(std::string_view control) {
    return fd_ >= 0 && settings_read_ && apply_device_control(control, line_);
}

bool termios_serial_device::write_settings() {
    if (fd_ < 0 || !settings_read_) return false;
    // A rate without a B constant (14400, 56000) is set as an arbitrary
    // rate once the rest of the settings are in.
    std::optional<speed_t> speed = speed_code(line_.baud);
    std::optional<tcflag_t> size = size_flag(line_.data_bits);
    if (!size) return false;

    termios t = attributes_;
    ::cfmakeraw(&t);
    // Bytes pass untouched both ways; no flow control, no modem lines, and
    // VMIN = VTIME = 0 so that read() never waits: poll does the timing.
    t.c_iflag &= ~(IXOFF | IXANY | INPCK);
    // CIBAUD cleared: the input speed follows the output speed, whatever
    // arbitrary rate the device held before.
    t.c_cflag &= ~(framing | CRTSCTS | HUPCL | CIBAUD);
    t.c_cflag |= *size | CLOCAL | CREAD;
    if (line_.parity != 'N') t.c_cflag |= PARENB;
    if (line_.parity == 'O') t.c_cflag |= PARODD;
    if (line_.stop_bits == 2) t.c_cflag |= CSTOPB;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (speed && (::cfsetispeed(&t, *speed) != 0 || ::cfsetospeed(&t, *speed) != 0)) return false;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    if (!speed && !set_arbitrary_rate(fd_, line_.baud)) return false;

    // tcsetattr succeeds when any part of the change took; a driver that
    // could not take the speed or framing shows it only on reading back.
    termios kept{};
    if (::tcgetattr(fd_, &kept) != 0) return false;
    if ((kept.c_cflag & framing) != (t.c_cflag & framing)) return false;
    if (speed ? ::cfgetospeed(&kept) != *speed || ::cfgetispeed(&kept) != *speed
              : !kept_rate(fd_, line_.baud))
        return false;
    attributes_ = kept;
    return true;
}

serial_transfer termios_serial_device::read(std::span<char> buffer) {
    if (fd_ < 0) return {0, EBADF};
    if (buffer.empty()) return {};
    const auto start = steady::now();
    const long long total_ms =
        static_cast<long long>(timeouts_.read_multiplier) * static_cast<long long>(buffer.size()) +
        timeouts_.read_constant;
    std::optional<steady::time_point> total_end;
    if (total_ms > 0) total_end = start + std::chrono::milliseconds(total_ms);
    const bool no_limits = total_ms <= 0 && timeouts_.read_interval <= 0;

    std::size_t got = 0;
    steady::time_point last_byte{};
    for (;;) {
        // VMIN = VTIME = 0: read() takes what is there and never waits; with
        // nothing there it returns 0 (or EAGAIN), so a hangup shows in poll.
        ssize_t n = ::read(fd_, buffer.data() + got, buffer.size() - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            last_byte = steady::now();
            if (got == buffer.size()) return {got, 0};
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return {got, errno};
        if (no_limits) return {got, 0};

        std::optional<steady::time_point> end = total_end;
        if (got > 0 && timeouts_.read_interval > 0)
            end = earliest(end, last_byte + std::chrono::milliseconds(timeouts_.read_interval));
        int events = wait_for(fd_, POLLIN, end);
        if (events < 0) return {got, errno};
        if (events == 0) return {got, 0};
        if (events & POLLNVAL) return {got, EBADF};
        // The far end closed or the adapter was pulled: the terminal is hung
        // up and will never deliver another byte.
        if (events & (POLLHUP | POLLERR)) return {got, EIO};
    }
}

serial_transfer termios_serial_device::drop_input() {
    if (fd_ < 0) return {0, EBADF};
    // Read rather than flushed, so that the count is exact. A serial line
    // brings a few bytes a millisecond and this drains far faster; a writer
    // that keeps up with it (a pseudo-terminal's far end) has the rest
    // flushed uncounted once the rounds are used up.
    std::array<char, 4096> scratch{};
    std::size_t dropped = 0;
    for (int round = 0; round < 16; ++round) {
        const ssize_t n = ::read(fd_, scratch.data(), scratch.size());
        if (n > 0) {
            dropped += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return {dropped, errno};
        return {dropped, 0};
    }
    ::tcflush(fd_, TCIFLUSH);
    return {dropped, 0};
}

serial_transfer termios_serial_device::write(std::string_view bytes) {
    if (fd_ < 0) return {0, EBADF};
    const long long total_ms = static_cast<long long>(timeouts_.write_multiplier) *
                                   static_cast<long long>(bytes.size()) +
                               timeouts_.write_constant;
    std::optional<steady::time_point> end;
    if (total_ms > 0) end = steady::now() + std::chrono::milliseconds(total_ms);

    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return {sent, errno};
        // The driver's buffer is full: wait for room until the time is up.
        int events = wait_for(fd_, POLLOUT, end);
        if (events < 0) return {sent, errno};
        if (events == 0) return {sent, 0};
        if (events & POLLNVAL) return {sent, EBADF};
        if (events & (POLLHUP | POLLERR)) return {sent, EIO};
    }
    return {sent, 0};
}

void termios_serial_device::close() {
    if (fd_ < 0) return;
    // The exclusive flag stays on the terminal while anyone else holds it
    // open, and would refuse our own next open.
    if (::isatty(fd_)) ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    settings_read_ = false;
    low_latency_ = false;
}
