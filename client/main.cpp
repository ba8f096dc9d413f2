// orb_client: sends requests to an orb_server and prints its replies, for
// shell scripts and cron. The requests are its arguments, or the lines of
// standard input when it has none; the exit status says how they went.
#include <iostream>
#include <string>
#include <vector>

#include "client/client_options.h"
#include "client/client_session.h"

int main(int argc, char** argv) {
    const client_command_line line = parse_client_command_line(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.what) {
    case client_command_line::action::help: std::cout << client_usage_text(); return 0;
    case client_command_line::action::version: std::cout << client_version_text(); return 0;
    case client_command_line::action::refuse: std::cerr << line.error << "\n" << client_usage_text(); return 2;
    case client_command_line::action::run: break;
    }
    const std::vector<std::string>& given = line.options.requests;
    std::size_t next = 0;
    const request_source requests = [&]() -> std::optional<std::string> {
        if (!given.empty()) {
            if (next == given.size()) return std::nullopt;
            return given[next++];
        }
        std::string request;
        if (!std::getline(std::cin, request)) return std::nullopt;
        return request;
    };
    return run_client(line.options, requests, std::cout, std::cerr);
}
