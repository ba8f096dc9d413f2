// The network switch and the server behind it: the address list, starting
// and stopping the server, and the handler of each line a client sends.
#include "command_server/orb_server_network.h"

#include <algorithm>

#include "platform/local_time.h"
#include "text/integer_text.h"

namespace {

// The port text must be a whole number, as a user would type it.
int port_number(const std::string& text) {
    std::int32_t port = 0;
    if (!parse_decimal_integer(text, port)) throw conversion_error("'" + text + "' is not a valid integer value");
    if (port < 0 || port > 65535) throw conversion_error("'" + text + "' is not a valid port number");
    return port;
}

} // namespace

void Tscope_network::refresh_ip_list() {
    std::vector<std::string> addresses = host_addresses ? host_addresses() : std::vector<std::string>{};
    if (std::find(addresses.begin(), addresses.end(), "127.0.0.1") == addresses.end())
        addresses.insert(addresses.begin(), "127.0.0.1");
    address_count = std::int32_t(addresses.size());
    ip_combo.set_items(std::move(addresses));
}

void Tscope_network::refresh_buttonClick() { refresh_ip_list(); }

void Tscope_network::ip_comboChange() {
    Stop_Server();
    start_server();
}

void Tscope_network::edit_portChange() {
    Stop_Server();
    start_server();
}

void Tscope_network::start_server() {
    try {
        std::vector<tcp_binding> bindings;
        std::vector<std::string> bound;
        const std::vector<std::string>& addresses = ip_combo.items();
        for (std::int32_t i = 0; i < address_count && std::size_t(i) < addresses.size(); ++i) {
            bindings.push_back({addresses[std::size_t(i)], port_number(edit_port.text())});
            bound.push_back("Server bound to IP " + addresses[std::size_t(i)] + " on port " + edit_port.text());
        }
        const std::string error = server_.start(bindings);
        if (!error.empty()) throw std::runtime_error(error);
        // As they are: no indentation, and not for the log file.
        for (const std::string& line : bound) logger.show_as_is(line);
        logger.update_status_log("Server started", true);
        logger.update_status_log(server_.active() ? "Server running" : "Server stopped", true);
        start_lx200();
    } catch (const std::exception& error) {
        logger.update_status_log("Server not started : " + std::string(error.what()), true);
    }
}

void Tscope_network::start_lx200() {
    lx200_server_.stop();
    if (lx200_option_)
        lx200_server_.start(lx200_option_->first, lx200_option_->second);
    else if (lx200.enabled)
        lx200_server_.start(lx200.address, lx200.port);
}

std::optional<int> Tscope_network::lx200_port() const {
    const std::vector<int> ports = lx200_server_.ports();
    if (ports.empty()) return std::nullopt;
    return ports.front();
}

void Tscope_network::Stop_Server() {
    lx200_server_.stop();
    if (!server_.active()) return;
    server_.stop();
    logger.update_status_log(server_.active() ? "Server running" : "Server stopped", true);
}

void Tscope_network::enable_network_checkClick() {
    const bool on = enable_network_check.checked();
    panels_.enable_connect_group(!on);
    if (!on) {
        processor.client_playing = false;
        Stop_Server();
    } else {
        // Still under local control, so the disconnect passes the gate.
        panels_.disconnect_from_scope();
    }
    processor.local_control = !on;
    ip_address_label.set_enabled(on);
    ip_combo.set_enabled(on);
    refresh_button.set_enabled(on);
    edit_port.set_enabled(on);
}

void Tscope_network::listen_on(const std::string& address, const std::string& port) {
    enable_network_check.set_checked(true);
    ip_combo.set_items({address});
    address_count = 1;
    ip_combo.set_item_index(0);
    if (edit_port.text() != port)
        edit_port.set_text(port); // runs edit_portChange, which starts the server
    else
        ip_comboChange();
}

void Tscope_network::serve_lx200_on(const std::string& address, int port) { lx200_option_ = {address, port}; }

void Tscope_network::refuse_client(std::size_t refused) {
    logger.update_status_log("Client refused : " + std::to_string(line_server::max_clients) +
                          " clients connected already (" + std::to_string(refused) + " refused so far)",
                      true);
}

remote_answer Tscope_network::scope_serverExecute(const std::string& line) {
    processor.request_text = line;
    if (processor.request_text.empty()) return {};
    logger.log_indent = 0;
    // The time stamps cost more than the request itself: made only when shown.
    if (logger.message_logging) logger.update_status_log_check("start remote command : " + local_time_text());
    std::string written;
    std::unique_ptr<tscope_object> result;
    processor.process_input(&written, result);
    result.reset();
    if (logger.message_logging) logger.update_status_log_check("end remote command : " + local_time_text());
    return {false, std::move(written)};
}
