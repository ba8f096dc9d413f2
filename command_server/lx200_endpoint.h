// The LX200 endpoint: planetarium programs (SkySafari, Stellarium, INDI's
// LX200 drivers in TCP mode) connect here and speak the Meade protocol; each
// command is answered on the model thread by the protocol, beside the
// requests of our own clients. Served while the network is on.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "command_server/line_server.h"
#include "command_server/lx200_protocol.h"

class link_ports;
class status_logger;

class lx200_endpoint {
public:
    // Everything given must outlive the endpoint; ports carry the IO switch
    // under which commands and answers are logged.
    lx200_endpoint(forms::event_loop& loop, lx200_protocol& protocol, status_logger& log, const link_ports& ports);
    ~lx200_endpoint();

    // Model thread. The reason on failure, when nothing listens.
    std::string start(const std::string& address, int port);
    void stop();
    bool active() const { return server_.active(); }
    std::vector<int> ports() const { return server_.ports(); }

private:
    remote_answer answer(const std::string& command);
    void opened(std::uint64_t key);
    void closed(std::uint64_t key);

    lx200_protocol& protocol_;
    status_logger& log_;
    const link_ports& ports_;
    std::unordered_map<std::uint64_t, lx200_client> clients_;
    std::uint64_t connections_ = 0;
    line_server server_;
};
