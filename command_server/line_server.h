// The TCP server of the network panel, served on the model thread: the
// listening and client sockets are non-blocking and watched by the event
// loop. A read that brings complete lines processes them in arrival order
// and sends their replies together in one write. No thread per client, and
// nothing waits for the model thread on a request's behalf.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/event_loop.h"
#include "platform/tcp_listener.h"

// What the model thread wants done with a request line.
struct remote_answer {
    bool close = false;  // end the connection, writing nothing
    std::string bytes;   // written to the client as they are; empty: nothing
};

class line_server {
public:
    // Runs for every line. An exception it raises ends that client's
    // connection without a reply (and is reported as a request error).
    using request_handler = std::function<remote_answer(const std::string& line)>;
    // Runs after a client was turned away; the count is that of every
    // client refused since the server was made.
    using refusal_handler = std::function<void(std::size_t refused)>;
    // Runs when the server closes a client for a reason of its own, with
    // that reason (for the status log).
    using notice_handler = std::function<void(const std::string& why)>;
    // Makes the framer of each new connection: how its bytes are cut into
    // requests. None: CR LF lines of at most max_line_length characters.
    using framer_factory = std::function<std::unique_ptr<request_framer>()>;
    // Run as a client is taken and as its connection ends, with its key.
    struct session_handlers {
        std::function<void(std::uint64_t client)> opened;
        std::function<void(std::uint64_t client)> closed;
    };

    static constexpr std::size_t max_line_length = 240;
    static constexpr std::size_t max_clients = 64;
    // Lines one client is served per turn of the loop, so that a client
    // that floods cannot hold up the others' single requests for long.
    static constexpr std::size_t lines_per_turn = 128;
    // Replies the client has not taken yet; one that sends requests and
    // never reads is closed past this.
    static constexpr std::size_t max_pending_output = 64 * 1024;
    // What one read may bring: a pipelined burst of many lines.
    static constexpr std::size_t read_size = 16 * 1024;

    line_server(forms::event_loop& loop, request_handler on_request, refusal_handler on_refused,
                notice_handler on_notice = {}, framer_factory make_framer = {}, session_handlers sessions = {});
    ~line_server();
    line_server(const line_server&) = delete;
    line_server& operator=(const line_server&) = delete;

    // Model thread. Listens on every binding; the reason on failure, when
    // nothing listens. A running server is stopped first.
    std::string start(const std::vector<tcp_binding>& bindings);
    // Model thread (or any once the loop no longer runs). Closes every
    // connection and the listening sockets; replies not yet sent are lost.
    void stop();

    bool active() const { return active_; }
    std::vector<int> ports() const;
    std::size_t clients() const { return clients_.size(); }
    // The key of the client whose request the handler is running for.
    std::uint64_t current_client() const { return current_; }

private:
    struct client;

    void accept_clients(int listening);
    void serve(std::uint64_t key, forms::io_ready ready);
    // Processes the lines held and, when none is left, reads once more; at
    // most lines_per_turn of them. False when the client was closed.
    bool take_lines(client& c, std::uint64_t key);
    // Sends what the kernel takes of the pending output; false when the
    // client is gone.
    bool flush(client& c);
    void close_client(std::uint64_t key);

    forms::event_loop& loop_;
    request_handler on_request_;
    refusal_handler on_refused_;
    notice_handler on_notice_;
    framer_factory make_framer_;
    session_handlers sessions_;
    std::uint64_t current_ = 0;
    std::unique_ptr<tcp_listener> listener_;
    std::vector<forms::event_loop::watch_id> listening_;
    bool active_ = false;
    // By a key of our own, never reused, so that a handler that closed its
    // client (or stopped the server) can tell.
    std::unordered_map<std::uint64_t, std::unique_ptr<client>> clients_;
    std::uint64_t last_key_ = 0;
    std::size_t refused_ = 0;
};
