// The listening side of the TCP server: non-blocking sockets bound to
// address:port pairs, which the event loop watches, and the accept of a
// client that one of them has waiting.
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
    // Takes the next client waiting on the listening socket `descriptor`
    // (one of descriptors()); nullptr when none is waiting.
    virtual std::unique_ptr<tcp_connection> accept(int descriptor) = 0;
    virtual void close() = 0;
    // The listening sockets, in binding order, for the event loop to watch.
    virtual std::vector<int> descriptors() const = 0;
    // The ports actually bound, in binding order (a 0 becomes the port chosen).
    virtual std::vector<int> ports() const = 0;
};

// POSIX sockets.
std::unique_ptr<tcp_listener> make_tcp_listener();
