// The TCP server of the network panel: one thread accepts clients on every
// binding, and one thread per client reads its request lines and writes the
// replies. Each line is handed to the model thread, which processes requests
// one at a time; the client's thread waits for the answer meanwhile.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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
    // Runs on the model thread for every line. An exception it raises ends
    // that client's connection without a reply.
    using request_handler = std::function<remote_answer(const std::string& line)>;
    // Runs on the model thread after a client was turned away; the count is
    // that of every client refused since the server was made.
    using refusal_handler = std::function<void(std::size_t refused)>;

    static constexpr std::size_t max_line_length = 240;
    static constexpr std::size_t max_clients = 64;

    line_server(forms::event_loop& loop, request_handler on_request, refusal_handler on_refused);
    ~line_server();
    line_server(const line_server&) = delete;
    line_server& operator=(const line_server&) = delete;

    // Model thread. Listens on every binding; the reason on failure, when
    // nothing listens. A running server is stopped first.
    std::string start(const std::vector<tcp_binding>& bindings);
    // Model thread. Ends every connection, releases the client threads that
    // wait for the model thread and joins them. Requests already queued for
    // the model thread are dropped.
    void stop();

    bool active() const { return accepting_.joinable(); }
    std::vector<int> ports() const;
    std::size_t clients() const { return clients_; }

private:
    struct client {
        std::unique_ptr<tcp_connection> connection;
        std::jthread thread;
        std::atomic<bool> finished{false};
    };

    void accept_clients();
    void serve(client& c, std::stop_token stop);
    void reap_finished();

    forms::event_loop& loop_;
    request_handler on_request_;
    refusal_handler on_refused_;
    std::unique_ptr<tcp_listener> listener_;
    std::thread accepting_;

    std::mutex mutex_; // guards clients_list_
    std::list<std::unique_ptr<client>> clients_list_;
    std::atomic<std::size_t> clients_{0};
    std::atomic<std::size_t> refused_{0};
    // Refusals are reported through tasks posted to the model thread; this
    // tells a late task whether the server is still there.
    std::shared_ptr<line_server*> alive_;
};
