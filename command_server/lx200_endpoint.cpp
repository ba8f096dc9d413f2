#include "command_server/lx200_endpoint.h"

#include <memory>

#include "command_server/lx200_framing.h"
#include "command_server/status_logger.h"
#include "scope_link/link_ports.h"

namespace {

// A command or an answer as the status log shows it: the ACK byte and the
// degree byte named, other bytes as they are.
std::string shown(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == lx200_framer::ack) out += "<ACK>";
        else if (static_cast<unsigned char>(c) < 32) out += '.';
        else out += c;
    }
    return out;
}

} // namespace

lx200_endpoint::lx200_endpoint(forms::event_loop& loop, lx200_protocol& protocol, status_logger& log,
                               const link_ports& ports)
    : protocol_(protocol),
      log_(log),
      ports_(ports),
      server_(
          loop, [this](const std::string& command) { return answer(command); },
          [this](std::size_t refused) {
              log_.update_status_log("LX200 client refused (" + std::to_string(refused) + " so far)", true);
          },
          [this](const std::string& why) { log_.update_status_log("LX200 " + why, true); },
          [] { return std::make_unique<lx200_request_framer>(); },
          {[this](std::uint64_t key) { opened(key); }, [this](std::uint64_t key) { closed(key); }}) {}

// The server's handlers reach this object: stopped while it is whole.
lx200_endpoint::~lx200_endpoint() { server_.stop(); }

std::string lx200_endpoint::start(const std::string& address, int port) {
    const std::string error = server_.start({{address, port}});
    if (!error.empty()) {
        log_.update_status_log("LX200 endpoint not started : " + error, true);
        return error;
    }
    const std::vector<int> bound = server_.ports();
    log_.update_status_log("LX200 endpoint on " + address + " port " +
                               std::to_string(bound.empty() ? port : bound.front()),
                           true);
    return {};
}

void lx200_endpoint::stop() {
    if (!server_.active()) return;
    server_.stop();
    log_.update_status_log("LX200 endpoint stopped", true);
}

void lx200_endpoint::opened(std::uint64_t key) {
    lx200_client& client = clients_[key];
    client.name = "#" + std::to_string(++connections_);
    log_.update_status_log("LX200 client " + client.name + " connected", true);
}

void lx200_endpoint::closed(std::uint64_t key) {
    const auto found = clients_.find(key);
    if (found == clients_.end()) return;
    log_.update_status_log("LX200 client " + found->second.name + " disconnected", true);
    clients_.erase(found);
}

remote_answer lx200_endpoint::answer(const std::string& command) {
    lx200_client& client = clients_[server_.current_client()];
    const std::optional<std::string> reply = protocol_.answer(command, client);
    ports_.update_status_log("LX200 " + client.name + " : " + shown(command) + " -> " +
                             (reply ? shown(*reply) : std::string("(no answer)")));
    return {false, reply.value_or(std::string())};
}
