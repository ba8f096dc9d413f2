// Reading from and writing to a connected, non-blocking POSIX socket.
#include "platform/tcp_socket_connection.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

socket_connection::socket_connection(int fd) : fd_(fd) {}

socket_connection::~socket_connection() { ::close(fd_); }

io_result socket_connection::read(std::span<char> into) {
    for (;;) {
        const ssize_t got = ::recv(fd_, into.data(), into.size(), 0);
        if (got > 0) return {io_result::state::done, std::size_t(got)};
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return {io_result::state::would_block, 0};
        return {io_result::state::closed, 0};
    }
}

io_result socket_connection::write(std::string_view bytes) {
    for (;;) {
        // MSG_NOSIGNAL: a client gone mid-request must not raise SIGPIPE.
        const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent >= 0) return {io_result::state::done, std::size_t(sent)};
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return {io_result::state::would_block, 0};
        return {io_result::state::closed, 0};
    }
}
