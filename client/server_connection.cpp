#include "client/server_connection.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Milliseconds left until `until` for poll(), at least 0.
int left_ms(server_connection::deadline until) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    return left.count() <= 0 ? 0 : int(std::min<long long>(left.count(), 1 << 30));
}

// Waits for `events` on fd until the deadline; false when it passed first.
bool wait_for(int fd, short events, server_connection::deadline until) {
    for (;;) {
        pollfd ready{fd, events, 0};
        const int n = ::poll(&ready, 1, left_ms(until));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) return true; // the next call reports the error
    }
}

// One non-blocking connect, bounded by the deadline: the socket, or -1 and why.
int connect_one(const addrinfo& address, server_connection::deadline until, std::string& why) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    int error = 0;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            if (!wait_for(fd, POLLOUT, until)) {
                ::close(fd);
                why = "no answer in time";
                return -1;
            }
            socklen_t length = sizeof error;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
        }
    }
    if (error != 0) {
        ::close(fd);
        why = std::strerror(error);
        return -1;
    }
    return fd;
}

} // namespace

server_connection::server_connection() : framer_(max_line_length) {}

server_connection::~server_connection() {
    if (fd_ >= 0) ::close(fd_);
}

std::string server_connection::connect(const std::string& host, int port, deadline until) {
    addrinfo wanted{};
    wanted.ai_family = AF_UNSPEC;
    wanted.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int lookup = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &wanted, &found);
    if (lookup != 0) return ::gai_strerror(lookup);
    std::string why = "no address";
    for (const addrinfo* address = found; address && fd_ < 0; address = address->ai_next)
        fd_ = connect_one(*address, until, why);
    ::freeaddrinfo(found);
    return fd_ >= 0 ? std::string() : why;
}

bool server_connection::write(std::string_view bytes, deadline until) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            bytes.remove_prefix(std::size_t(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!wait_for(fd_, POLLOUT, until)) return false;
        } else {
            return false;
        }
    }
    return true;
}

server_connection::read_result server_connection::read_line(std::string& line, deadline until) {
    for (;;) {
        bool waiting = false;
        if (framer_.next(line, waiting) == read_status::too_long) return read_result::too_long;
        if (!waiting) return read_result::line;
        const std::span<char> space = framer_.space();
        const ssize_t n = ::recv(fd_, space.data(), space.size(), 0);
        if (n > 0) {
            framer_.commit(std::size_t(n));
        } else if (n == 0) {
            return read_result::closed;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!wait_for(fd_, POLLIN, until)) return read_result::timed_out;
        } else if (errno != EINTR) {
            return read_result::closed;
        }
    }
}
