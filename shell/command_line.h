// orb_server's command line: its options, the checks of their values, and
// the usage and version texts. A plain function of the arguments, so that
// tests read it without starting a process.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/command_options.h"

struct tcp_endpoint {
    std::string address; // dotted IPv4
    int port = 0;
};

struct server_options {
    bool headless = false;
    std::string program_dir;           // absolute, ends with "/"
    std::optional<tcp_endpoint> listen; // --listen: the network on, serving there
    std::optional<tcp_endpoint> lx200;  // --lx200: the LX200 endpoint's place
};

// run: start the server with its options; the usage is usage_text().
using command_line = command_line_of<server_options>;

// `arguments` without the program's name; `executable_dir` (ending with "/")
// is program_dir unless --dir names another folder, which must exist.
command_line parse_command_line(const std::vector<std::string>& arguments, const std::string& executable_dir);

// Every option, one line each.
std::string usage_text();
// "orb_server " and the version of the build.
std::string version_text();
