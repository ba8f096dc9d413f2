// The POSIX socket behind a tcp_connection: non-blocking, so a read or write
// takes what the kernel has and never holds up the event loop.
#pragma once

#include "platform/tcp_connection.h"

class socket_connection final : public tcp_connection {
public:
    // Takes ownership of the connected, non-blocking socket.
    explicit socket_connection(int fd);
    ~socket_connection() override;
    socket_connection(const socket_connection&) = delete;
    socket_connection& operator=(const socket_connection&) = delete;

    int descriptor() const override { return fd_; }
    io_result read(std::span<char> into) override;
    io_result write(std::string_view bytes) override;

private:
    int fd_;
};
