// orb_client's TCP connection to the server: a connect, a write and a read
// of one CR LF line, each bounded by a deadline, every failure a value.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/tcp_connection.h"

class server_connection {
public:
    using deadline = std::chrono::steady_clock::time_point;

    enum class read_result {
        line,      // a complete line, CR LF removed
        closed,    // the server closed the connection, or an error ended it
        timed_out, // nothing complete before the deadline
        too_long,  // a line longer than any reply of the server
    };

    server_connection();
    ~server_connection();
    server_connection(const server_connection&) = delete;
    server_connection& operator=(const server_connection&) = delete;

    // Tries every address of `host` in turn; empty on success, else why not.
    std::string connect(const std::string& host, int port, deadline until);
    // Writes all the bytes; false when the connection is gone or the deadline passed.
    bool write(std::string_view bytes, deadline until);
    read_result read_line(std::string& line, deadline until);

    // Longer than any reply line of the server.
    static constexpr std::size_t max_line_length = 65536;

private:
    int fd_ = -1;
    line_framer framer_;
};
