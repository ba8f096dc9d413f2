// orb_client's command line: where the server is, whether to claim it with
// "play" first, how long to wait, and the requests (none: one a line from
// standard input). Read without a process, so tests call it directly.
#pragma once

#include <string>
#include <vector>

#include "text/command_options.h"

struct client_options {
    std::string host = "127.0.0.1";
    int port = 8383;
    bool play = false;
    // The longest wait for the connection, and for each reply.
    double timeout_seconds = 30;
    std::vector<std::string> requests; // empty: read them from standard input
};

// run: connect and send the requests; the usage is client_usage_text().
using client_command_line = command_line_of<client_options>;

// `arguments` without the program's name.
client_command_line parse_client_command_line(const std::vector<std::string>& arguments);

// Every option, one line each, and the exit statuses.
std::string client_usage_text();
std::string client_version_text();
