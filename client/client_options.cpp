#include "client/client_options.h"

#include "orb_build_info.h"
#include "text/integer_text.h"
#include "text/number_text.h"

namespace {

// A day: long enough for any scope operation, short enough for any clock.
constexpr double longest_timeout = 86400;

client_command_line refused(const std::string& why) { return client_command_line::refused("orb_client", why); }

} // namespace

client_command_line parse_client_command_line(const std::vector<std::string>& arguments) {
    const option_words read =
        read_options(arguments, {"--play", "--help", "--version"}, {"--host", "--port", "--timeout"});
    client_command_line parsed;
    client_options& options = parsed.options;
    for (const option_word& word : read.words) {
        const std::string& value = word.value.value_or("");
        if (word.name == "--help") {
            return client_command_line::answer(client_command_line::action::help);
        } else if (word.name == "--version") {
            return client_command_line::answer(client_command_line::action::version);
        } else if (word.name.empty()) {
            options.requests.push_back(value);
        } else if (word.name == "--play") {
            options.play = true;
        } else if (word.name == "--host") {
            if (value.empty()) return refused("--host wants a host name or address");
            options.host = value;
        } else if (word.name == "--port") {
            const std::optional<int> port = read_port(value);
            if (!port || *port == 0) return refused("--port " + value + ": the port must be a number from 1 to 65535");
            options.port = *port;
        } else if (word.name == "--timeout") {
            double seconds = 0;
            if (!parse_general_number(value, seconds) || !(seconds > 0) || seconds > longest_timeout)
                return refused("--timeout " + value + ": wants a number of seconds above 0, at most 86400");
            options.timeout_seconds = seconds;
        }
    }
    if (!read.error.empty()) return refused(read.error);
    return parsed;
}

std::string client_usage_text() {
    return "usage: orb_client [--host HOST] [--port PORT] [--play] [--timeout SECONDS] [REQUEST...]\n"
           "  --host HOST        the server's name or address (127.0.0.1)\n"
           "  --port PORT        the server's port (8383)\n"
           "  --play             claim the telescope with \"play\" before the requests\n"
           "  --timeout SECONDS  the longest wait for the connection and for each reply (30)\n"
           "  --help             print this help and exit\n"
           "  --version          print the name and version and exit\n"
           "Sends each REQUEST (none given: one a line from standard input) and prints each reply.\n"
           "Exit status: 0 every reply begins \"ok\", 1 one does not (\"fail\", \"No closing )\"),\n"
           "2 no connection, the server closed it, or no reply in time.\n";
}

std::string client_version_text() { return std::string("orb_client ") + orb_version + "\n"; }
