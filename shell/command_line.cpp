#include "shell/command_line.h"

#include <arpa/inet.h>
#include <filesystem>

#include "orb_build_info.h"
#include "text/integer_text.h"

namespace {

bool is_ipv4_address(const std::string& text) {
    in_addr parsed{};
    return ::inet_pton(AF_INET, text.c_str(), &parsed) == 1;
}

// ADDR:PORT, or the line that says what is wrong with it.
std::optional<tcp_endpoint> read_endpoint(const std::string& option, const std::string& text, std::string& error) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos) {
        error = option + " " + text + ": wants ADDR:PORT, as 127.0.0.1:8383";
        return std::nullopt;
    }
    tcp_endpoint endpoint{text.substr(0, colon), 0};
    if (!is_ipv4_address(endpoint.address)) {
        error = option + " " + text + ": \"" + endpoint.address + "\" is not an IPv4 address (as 127.0.0.1 or 0.0.0.0)";
        return std::nullopt;
    }
    const std::optional<int> port = read_port(text.substr(colon + 1));
    if (!port) {
        error = option + " " + text + ": the port must be a number from 0 to 65535";
        return std::nullopt;
    }
    endpoint.port = *port;
    return endpoint;
}

// The folder as an absolute path ending with "/", or the line that says why not.
std::optional<std::string> read_folder(const std::string& text, std::string& error) {
    std::error_code failed;
    const std::filesystem::path folder = std::filesystem::absolute(text, failed);
    if (failed || !std::filesystem::exists(folder, failed)) {
        error = "--dir " + text + ": no such folder";
        return std::nullopt;
    }
    if (!std::filesystem::is_directory(folder, failed)) {
        error = "--dir " + text + ": not a folder";
        return std::nullopt;
    }
    std::string path = folder.lexically_normal().string();
    if (path.back() != '/') path += '/';
    return path;
}

command_line refused(const std::string& why) { return command_line::refused("orb_server", why); }

} // namespace

command_line parse_command_line(const std::vector<std::string>& arguments, const std::string& executable_dir) {
    const option_words read =
        read_options(arguments, {"--headless", "--help", "--version"}, {"--dir", "--listen", "--lx200"});
    command_line parsed;
    std::string dir = executable_dir;
    // The words before a fault count: --help or --version there still answers.
    for (const option_word& word : read.words) {
        std::string error;
        if (word.name == "--help") {
            return command_line::answer(command_line::action::help);
        } else if (word.name == "--version") {
            return command_line::answer(command_line::action::version);
        } else if (word.name.empty()) {
            return refused("unexpected argument \"" + *word.value + "\" (requests go to orb_client, not to the server)");
        } else if (word.name == "--headless") {
            parsed.options.headless = true;
        } else if (word.name == "--dir") {
            dir = *word.value;
        } else {
            std::optional<tcp_endpoint> endpoint = read_endpoint(word.name, *word.value, error);
            if (!endpoint) return refused(error);
            (word.name == "--listen" ? parsed.options.listen : parsed.options.lx200) = endpoint;
        }
    }
    if (!read.error.empty()) return refused(read.error);
    std::string error;
    const std::optional<std::string> folder = read_folder(dir, error);
    if (!folder) return refused(error);
    parsed.options.program_dir = *folder;
    return parsed;
}

std::string usage_text() {
    return "usage: orb_server [--headless] [--dir DIR] [--listen ADDR:PORT] [--lx200 ADDR:PORT]\n"
           "  --headless          no windows and no display needed; the status log goes to standard output\n"
           "  --dir DIR           keep every file of the program (server.ini, command sets, logs) in DIR\n"
           "  --listen ADDR:PORT  enable the network and serve TCP clients there (as 127.0.0.1:8383)\n"
           "  --lx200 ADDR:PORT   also serve planetarium programs (LX200, SkySafari's port 4030) while the network is on\n"
           "  --help              print this help and exit\n"
           "  --version           print the name and version and exit\n"
           "The serial ports COM1 ... COM8 are device paths in the section \"serial_devices\" of\n"
           "server.ini in DIR, as COM1=/dev/serial/by-id/usb-...\n";
}

std::string version_text() { return std::string("orb_server ") + orb_version + "\n"; }
