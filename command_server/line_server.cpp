// The TCP server's threads and how they meet the model thread.
#include "command_server/line_server.h"

#include <utility>

line_server::line_server(forms::event_loop& loop, request_handler on_request,
                         refusal_handler on_refused)
    : loop_(loop),
      on_request_(std::move(on_request)),
      on_refused_(std::move(on_refused)),
      listener_(make_tcp_listener()),
      alive_(std::make_shared<line_server*>(this)) {}

line_server::~line_server() { stop(); }

std::string line_server::start(const std::vector<tcp_binding>& bindings) {
    stop();
    std::string error = listener_->open(bindings);
    if (!error.empty()) return error;
    accepting_ = std::thread([this] { accept_clients(); });
    return {};
}

void line_server::stop() {
    if (!accepting_.joinable()) return;
    listener_->interrupt();
    accepting_.join();
    listener_->close();

    std::list<std::unique_ptr<client>> ending;
    {
        std::lock_guard lock(mutex_);
        ending.swap(clients_list_);
    }
    // A client thread waiting for the model thread (which is here) is
    // released by its stop request; one blocked in a read or write by the
    // shutdown of its socket.
    for (auto& c : ending) {
        c->thread.request_stop();
        c->connection->shut_down();
    }
    for (auto& c : ending) c->thread.join();
}

std::vector<int> line_server::ports() const { return active() ? listener_->ports() : std::vector<int>{}; }

void line_server::accept_clients() {
    for (;;) {
        std::unique_ptr<tcp_connection> connection = listener_->accept(max_line_length);
        if (!connection) return;
        reap_finished();
        if (clients_ >= max_clients) {
            // Taken and dropped at once, so that it does not wait in the backlog.
            connection.reset();
            const std::size_t refused = ++refused_;
            std::weak_ptr<line_server*> alive = alive_;
            loop_.post([alive, refused, report = on_refused_] {
                if (alive.lock() && report) report(refused);
            });
            continue;
        }
        ++clients_;
        auto made = std::make_unique<client>();
        client& c = *made;
        c.connection = std::move(connection);
        std::lock_guard lock(mutex_);
        clients_list_.push_back(std::move(made));
        c.thread = std::jthread([this, &c](std::stop_token stop) { serve(c, std::move(stop)); });
    }
}

void line_server::serve(client& c, std::stop_token stop) {
    std::string line;
    while (!stop.stop_requested() && c.connection->read_line(line) == read_status::line) {
        const auto answer = loop_.run_and_wait([this, &line] { return on_request_(line); }, stop);
        // Stopped: the server is going. Failed: the request raised, which
        // ends this client without a reply.
        if (answer.outcome != forms::task_outcome::done || answer.value->close) break;
        if (!answer.value->bytes.empty() && !c.connection->write(answer.value->bytes)) break;
    }
    c.connection->shut_down();
    --clients_;
    c.finished = true;
}

void line_server::reap_finished() {
    std::list<std::unique_ptr<client>> done;
    {
        std::lock_guard lock(mutex_);
        for (auto it = clients_list_.begin(); it != clients_list_.end();) {
            auto next = std::next(it);
            if ((*it)->finished) done.splice(done.end(), clients_list_, it);
            it = next;
        }
    }
    for (auto& c : done) c->thread.join();
}
