// Reading lines from and writing replies to a connected POSIX socket.
#include "platform/tcp_socket_connection.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

socket_connection::socket_connection(int fd, std::size_t max_line_length)
    : fd_(fd), framer_(max_line_length) {}

// The socket is closed only here, after every thread using it has let go;
// shut_down() ends the traffic without freeing the descriptor for reuse.
socket_connection::~socket_connection() { ::close(fd_); }

read_status socket_connection::read_line(std::string& line) {
    for (;;) {
        bool waiting = false;
        const read_status status = framer_.next(line, waiting);
        if (!waiting) return status;
        const std::span<char> room = framer_.space();
        const ssize_t got = ::recv(fd_, room.data(), room.size(), 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return read_status::closed;
        framer_.commit(std::size_t(got));
    }
}

bool socket_connection::write(std::string_view bytes) {
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a client gone mid-request must not raise SIGPIPE.
        const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        bytes.remove_prefix(std::size_t(sent));
    }
    return true;
}

void socket_connection::shut_down() { ::shutdown(fd_, SHUT_RDWR); }
