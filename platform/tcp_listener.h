// The listening side of the TCP server: sockets bound to address:port pairs,
// a blocking accept of the next client on any of them, and a wake-up that
// another thread uses to end that wait.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/tcp_connection.h"

struct tcp_binding {
    std::string address; // dotted IPv4
    int port = 0;        // 0: any free port
};

class tcp_listener {
public:
    virtual ~tcp_listener() = default;

    // Binds and listens on every binding. On failure nothing stays open and
    // the answer is the reason; empty on success.
    virtual std::string open(const std::vector<tcp_binding>& bindings) = 0;
    // Blocks until a client connects on one of the bindings (its lines are
    // limited to max_line_length characters); nullptr after interrupt().
    virtual std::unique_ptr<tcp_connection> accept(std::size_t max_line_length) = 0;
    // Any thread: makes accept() answer nullptr, now and from then on.
    virtual void interrupt() = 0;
    // Closes the sockets; only once no accept() is under way.
    virtual void close() = 0;
    // The ports actually bound, in binding order (a 0 becomes the port chosen).
    virtual std::vector<int> ports() const = 0;
};

// POSIX sockets.
std::unique_ptr<tcp_listener> make_tcp_listener();
