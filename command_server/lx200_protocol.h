// What the LX200 endpoint answers: each command of a planetarium program
// (SkySafari, Stellarium, INDI's LX200 drivers) mapped onto the scope
// operations that every other request uses, so an edited command-set file
// serves both front ends. The goto target, the text precision and the last
// positions read are held for the whole endpoint, not per connection: a
// client may open a new connection for every poll.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "command_server/lx200_settings.h"
#include "platform/clock.h"
#include "scope_link/orb_server_object.h"

class command_processor;
class scope_teller;
class server_panels;
class status_logger;

// What the endpoint keeps of one connection.
struct lx200_client {
    std::string name; // "address:port", for the status log
    // Whether this connection's commands have taken control yet.
    bool playing = false;
};

class lx200_protocol {
public:
    // Everything given must outlive the protocol.
    lx200_protocol(command_processor& processor, scope_teller& scope, server_panels& panels,
                   status_logger& log, const program_clock& clock, const lx200_settings& settings);

    // The answer to one command as the framer cut it ("GR", "Sr12:30:00",
    // the ACK byte); nothing for a command that has none or is unknown.
    std::optional<std::string> answer(std::string_view command, lx200_client& client);

    // This program's version, the answer to ":GVN#".
    std::string version = "0";
    // Universal time now, for the time and date answers (tests set their own).
    std::function<std::time_t()> universal_time = [] { return std::time(nullptr); };

private:
    // A position read from the scope, kept for the next polls.
    struct cached_position {
        tscope_object object;
        milliseconds read_at{0};
        bool valid = false;
    };

    std::optional<std::string> position(std::string_view command, lx200_client& client);
    std::optional<std::string> set_target(std::string_view command);
    std::optional<std::string> site(std::string_view command);
    std::optional<std::string> set_site(std::string_view command);
    std::string slew(lx200_client& client);
    std::string sync(lx200_client& client);
    std::optional<std::string> distance_bars(lx200_client& client);
    std::optional<std::string> plain(std::string_view operation, lx200_client& client);
    std::string mount_mode() const;
    // A command that reaches the scope counts as "play".
    void take_control(lx200_client& client);
    bool read_position(cached_position& cache, const char* operation, lx200_client& client);

    command_processor& processor_;
    scope_teller& scope_;
    server_panels& panels_;
    status_logger& log_;
    const program_clock& clock_;
    const lx200_settings& settings_;

    bool high_precision_;
    std::optional<double> target_ra_;
    std::optional<double> target_dec_;
    cached_position equatorial_;
    cached_position horizontal_;
};
