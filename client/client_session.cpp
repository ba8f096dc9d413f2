#include "client/client_session.h"

#include <chrono>
#include <ostream>

#include "client/server_connection.h"
#include "text/trim.h"

namespace {

// The longest request line the server takes; a longer one ends the
// connection without a reply, so it is not sent at all.
constexpr std::size_t max_request_length = 240;

std::string seconds_text(double seconds) {
    std::string text = std::to_string(seconds);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text + " s";
}

class session {
public:
    session(const client_options& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err) {}

    bool connect() {
        const std::string why = connection_.connect(options_.host, options_.port, deadline());
        if (why.empty()) return true;
        err_ << "orb_client: cannot connect to " << options_.host << ":" << options_.port << ": " << why << "\n";
        return false;
    }

    // Sends one request and prints its reply: the reply's lines up to the
    // empty line that ends every reply. Nothing when the server failed us.
    std::optional<client_status> ask(const std::string& request) {
        const auto until = deadline();
        if (!connection_.write(request + "\r\n", until)) return gone(request);
        std::string first;
        for (;;) {
            std::string line;
            switch (connection_.read_line(line, until)) {
            case server_connection::read_result::line: break;
            case server_connection::read_result::closed: return gone(request);
            case server_connection::read_result::timed_out:
                err_ << "orb_client: no reply to \"" << request << "\" within " << seconds_text(options_.timeout_seconds)
                     << "\n";
                return std::nullopt;
            case server_connection::read_result::too_long:
                err_ << "orb_client: the reply to \"" << request << "\" has a line longer than "
                     << server_connection::max_line_length << " characters\n";
                return std::nullopt;
            }
            if (line.empty() && !first.empty()) break;
            if (line.empty()) continue;
            if (first.empty()) first = line;
            out_ << line << "\n";
        }
        out_.flush();
        return first.starts_with("ok") ? every_reply_ok : a_reply_failed;
    }

private:
    server_connection::deadline deadline() const {
        return std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                   std::chrono::duration<double>(options_.timeout_seconds));
    }

    std::optional<client_status> gone(const std::string& request) {
        err_ << "orb_client: the server closed the connection (at \"" << request << "\")\n";
        return std::nullopt;
    }

    const client_options& options_;
    std::ostream& out_;
    std::ostream& err_;
    server_connection connection_;
};

} // namespace

client_status run_client(const client_options& options, const request_source& next_request, std::ostream& out,
                         std::ostream& err) {
    session talk(options, out, err);
    if (!talk.connect()) return talk_failed;
    client_status status = every_reply_ok;
    const auto ask = [&](const std::string& request) {
        const std::optional<client_status> answer = talk.ask(request);
        if (answer && *answer != every_reply_ok) status = *answer;
        return answer.has_value();
    };
    if (options.play && !ask("play")) return talk_failed;
    while (const std::optional<std::string> next = next_request()) {
        // The server drops blank requests and "ok" without a reply, so
        // waiting for one would only run into the timeout.
        const std::string request(trim(*next, trim_rule::controls_and_blanks));
        if (request.empty()) continue;
        if (request == "ok") {
            err << "orb_client: \"ok\" is no request (the server never answers it); left out\n";
            continue;
        }
        if (request.size() > max_request_length) {
            err << "orb_client: a request of " << request.size() << " characters is longer than the server takes ("
                << max_request_length << "); stopped there\n";
            return talk_failed;
        }
        if (!ask(request)) return talk_failed;
    }
    return status;
}
