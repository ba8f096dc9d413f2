// The POSIX socket behind a tcp_connection (an accepted client, or a client
// socket of our own). Reads block in recv, so an idle client costs nothing.
#pragma once

#include "platform/tcp_connection.h"

class socket_connection final : public tcp_connection {
public:
    // Takes ownership of the connected socket.
    socket_connection(int fd, std::size_t max_line_length);
    ~socket_connection() override;
    socket_connection(const socket_connection&) = delete;
    socket_connection& operator=(const socket_connection&) = delete;

    read_status read_line(std::string& line) override;
    bool write(std::string_view bytes) override;
    void shut_down() override;

private:
    int fd_;
    line_framer framer_;
};
