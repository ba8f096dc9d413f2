// The event loop's poller: waits until watched descriptors are ready, a
// timeout passes, or another thread wakes it. One real implementation
// (epoll with an eventfd for the wake-up).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/clock.h"

struct poll_ready {
    std::uint64_t tag = 0; // what the descriptor was watched with
    bool readable = false;
    bool writable = false; // an error or hang-up reports both, so the owner finds out on its next call
};

class poller {
public:
    virtual ~poller() = default;

    // Watches fd, or changes what it is watched for; false when the OS refuses.
    virtual bool watch(int fd, std::uint64_t tag, bool read, bool write) = 0;
    // Before the descriptor is closed.
    virtual void forget(int fd) = 0;
    // Waits until a watched descriptor is ready, wake() is called, or the
    // timeout passes (none: no limit), and lists what is ready.
    virtual void wait(std::optional<milliseconds> timeout, std::vector<poll_ready>& ready) = 0;
    // Any thread: ends a wait under way, or makes the next one return at once.
    virtual void wake() = 0;
};

// Null when the OS gives no epoll or eventfd (out of descriptors).
std::unique_ptr<poller> make_poller();
