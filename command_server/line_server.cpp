// The TCP server's clients on the event loop: accepting, reading and cutting
// lines, handing each to the request handler, and writing the replies.
#include "command_server/line_server.h"

#include <exception>
#include <utility>

namespace {

// Clients taken from one listening socket per turn; more wait for the next.
constexpr int accepts_per_turn = 16;

} // namespace

struct line_server::client {
    client(std::unique_ptr<tcp_connection> c, std::unique_ptr<request_framer> f)
        : connection(std::move(c)), framer(std::move(f)) {}

    std::size_t pending() const { return output.size() - sent; }

    std::unique_ptr<tcp_connection> connection;
    std::unique_ptr<request_framer> framer;
    std::string output;       // replies not yet taken by the kernel, from `sent` on
    std::size_t sent = 0;
    bool input_ended = false; // the peer has sent its last byte
    bool reading = true;      // what the loop watches the socket for
    bool writing = false;
    forms::event_loop::watch_id watch = 0;
};

line_server::line_server(forms::event_loop& loop, request_handler on_request, refusal_handler on_refused,
                         notice_handler on_notice, framer_factory make_framer, session_handlers sessions)
    : loop_(loop),
      on_request_(std::move(on_request)),
      on_refused_(std::move(on_refused)),
      on_notice_(std::move(on_notice)),
      make_framer_(std::move(make_framer)),
      sessions_(std::move(sessions)),
      listener_(make_tcp_listener()) {}

line_server::~line_server() { stop(); }

std::string line_server::start(const std::vector<tcp_binding>& bindings) {
    stop();
    std::string error = listener_->open(bindings);
    if (!error.empty()) return error;
    active_ = true;
    for (const int fd : listener_->descriptors()) {
        const auto id = loop_.watch(fd, true, false, [this, fd](forms::io_ready) { accept_clients(fd); });
        if (id == 0) {
            stop();
            return "Could not watch the listening socket";
        }
        listening_.push_back(id);
    }
    return {};
}

void line_server::stop() {
    if (!active_) return;
    active_ = false;
    for (const auto id : listening_) loop_.unwatch(id);
    listening_.clear();
    listener_->close();
    for (auto& [key, c] : clients_) loop_.unwatch(c->watch);
    std::vector<std::uint64_t> closed;
    for (const auto& [key, c] : clients_) closed.push_back(key);
    clients_.clear(); // closes every client's socket
    if (sessions_.closed)
        for (const std::uint64_t key : closed) sessions_.closed(key);
}

std::vector<int> line_server::ports() const { return active_ ? listener_->ports() : std::vector<int>{}; }

void line_server::accept_clients(int listening) {
    for (int taken = 0; taken < accepts_per_turn && active_; ++taken) {
        std::unique_ptr<tcp_connection> connection = listener_->accept(listening);
        if (!connection) return;
        if (clients_.size() >= max_clients) {
            // Taken and dropped at once, so that it does not wait in the backlog.
            connection.reset();
            ++refused_;
            if (on_refused_) on_refused_(refused_);
            continue;
        }
        auto made = std::make_unique<client>(std::move(connection),
                                             make_framer_ ? make_framer_()
                                                          : std::make_unique<line_framer>(max_line_length, read_size));
        const std::uint64_t key = ++last_key_;
        made->watch = loop_.watch(made->connection->descriptor(), true, false,
                                  [this, key](forms::io_ready ready) { serve(key, ready); });
        if (made->watch == 0) continue; // the OS would not watch it: dropped
        clients_.emplace(key, std::move(made));
        if (sessions_.opened) sessions_.opened(key);
    }
}

void line_server::serve(std::uint64_t key, forms::io_ready ready) {
    const auto found = clients_.find(key);
    if (found == clients_.end()) return;
    client& c = *found->second;
    if (ready.writable && !flush(c)) return close_client(key);
    if (ready.readable && !c.input_ended && !take_lines(c, key)) return; // closed there
    if (!flush(c)) return close_client(key);
    if (c.pending() > max_pending_output) {
        const std::size_t unread = c.pending();
        close_client(key);
        if (on_notice_)
            on_notice_("Client closed : " + std::to_string(unread) + " bytes of replies unread (at most " +
                       std::to_string(max_pending_output) + ")");
        return;
    }
    if (c.input_ended && c.pending() == 0) return close_client(key);
    const bool read = !c.input_ended, write = c.pending() > 0;
    if (read != c.reading || write != c.writing) {
        c.reading = read;
        c.writing = write;
        loop_.set_interest(c.watch, read, write);
    }
}

bool line_server::take_lines(client& c, std::uint64_t key) {
    bool read_once = false;
    std::string line;
    for (std::size_t served = 0;;) {
        if (served == lines_per_turn) {
            // The rest waits for the next turn, after the other clients.
            loop_.call_again(c.watch);
            return true;
        }
        bool waiting = false;
        const read_status status = c.framer->next(line, waiting);
        if (waiting) {
            if (read_once) return true;
            read_once = true;
            const io_result got = c.connection->read(c.framer->space());
            if (got.status == io_result::state::would_block) return true;
            if (got.status == io_result::state::closed) {
                c.input_ended = true;
                return true;
            }
            c.framer->commit(got.count);
            continue;
        }
        if (status == read_status::too_long) {
            flush(c);
            close_client(key);
            return false;
        }

        ++served;
        remote_answer answer;
        bool failed = false;
        current_ = key;
        try {
            answer = on_request_(line);
        } catch (const std::exception& error) {
            loop_.report(error.what(), forms::error_source::request);
            failed = true;
        } catch (...) {
            loop_.report("unknown error", forms::error_source::request);
            failed = true;
        }
        // The handler may have stopped the server, and with it this client.
        if (!clients_.contains(key)) return false;
        if (failed || answer.close) {
            flush(c);
            close_client(key);
            return false;
        }
        c.output += answer.bytes;
    }
}

bool line_server::flush(client& c) {
    while (c.pending() > 0) {
        const io_result put = c.connection->write(std::string_view(c.output).substr(c.sent));
        if (put.status == io_result::state::closed) return false;
        if (put.status == io_result::state::would_block) break;
        c.sent += put.count;
    }
    if (c.pending() == 0) {
        c.output.clear();
        c.sent = 0;
    } else if (c.sent >= c.output.size() / 2) {
        c.output.erase(0, c.sent);
        c.sent = 0;
    }
    return true;
}

void line_server::close_client(std::uint64_t key) {
    const auto found = clients_.find(key);
    if (found == clients_.end()) return;
    loop_.unwatch(found->second->watch);
    clients_.erase(found); // closes its socket
    if (sessions_.closed) sessions_.closed(key);
}
