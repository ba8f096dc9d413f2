// The network panel, Tscope_network: the switch between local and remote
// control and the TCP server with its address and port. It owns the
// program's status log and the command processor with the local command
// path, through which every request, remote or from a panel, reaches the scope.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "command_server/command_processor.h"
#include "command_server/line_server.h"
#include "command_server/lx200_endpoint.h"
#include "command_server/lx200_protocol.h"
#include "command_server/lx200_settings.h"
#include "command_server/server_panels.h"
#include "command_server/status_logger.h"
#include "forms/forms.h"
#include "panel_base/panel_window.h"

struct configuration_settings;
class Tscope_comms;

class Tscope_network : public panel_window {
public:
    // settings are the configuration panel's; they, the comms panel and the
    // panels must outlive this panel.
    Tscope_network(forms::toolkit& kit, panel_host& host, const configuration_settings& settings,
                   Tscope_comms& comms, server_panels& panels);
    ~Tscope_network() override;

    // ---- the window ----
    forms::panel network_panel{"network_panel", this};
    forms::label ip_address_label{"ip_address_label", &network_panel};
    forms::combo_box ip_combo{"ip_combo", &network_panel};
    forms::button refresh_button{"refresh_button", &network_panel};
    forms::edit edit_port{"edit_port", &network_panel};
    forms::check_box enable_network_check{"enable_network_check", &network_panel};
    forms::memo status_log{"status_log", &network_panel};
    forms::button clear_log_button{"clear_log_button", &network_panel};
    forms::button messages_button{"messages_button", &network_panel};
    forms::button io_messages_button{"io_messages_button", &network_panel};
    forms::button disk_button{"disk_button", &network_panel};

    // Where the host's addresses come from (tests give their own list).
    std::function<std::vector<std::string>()> host_addresses;

    // ---- the switch and the server ----
    void refresh_ip_list();
    void ip_comboChange();
    void edit_portChange();
    void refresh_buttonClick();
    void start_server();
    void Stop_Server();
    void enable_network_checkClick();
    void kill();
    // The start-up option --listen: the network switched on and the server
    // started on this one address and port, as the user would do it.
    void listen_on(const std::string& address, const std::string& port);
    bool server_active() const { return server_.active(); }
    // The ports the server listens on, in the order of the address list.
    std::vector<int> server_ports() const { return server_.ports(); }
    // The port the LX200 endpoint listens on; none while it does not.
    std::optional<int> lx200_port() const;
    // The execute handler, run on the model thread for each line a client sends.
    remote_answer scope_serverExecute(const std::string& line);

    // ---- the log buttons ----
    void clear_log_buttonClick();
    void messages_buttonClick();
    void io_messages_buttonClick();
    void disk_buttonClick();

    // ---- what the panel owns ----
    status_logger logger;
    command_processor processor;
    // The LX200 endpoint: its keys (section "lx200"), what it answers, and
    // its server, which runs beside ours.
    lx200_settings lx200;
    lx200_protocol lx200_answers;
    // The start-up option --lx200: serve LX200 clients on this address and
    // port while the network is on, whatever the keys say (and without
    // changing them).
    void serve_lx200_on(const std::string& address, int port);

    bool disk_logging = false;
    std::int32_t address_count = 0;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;
    void form_shown() override;

private:
    void build_window();
    void close_network_connection();
    // Serves LX200 clients beside our own, when the option or the keys say so.
    void start_lx200();
    void refuse_client(std::size_t refused);

    Tscope_comms& comms_;
    server_panels& panels_;
    line_server server_;
    std::optional<std::pair<std::string, int>> lx200_option_;
    lx200_endpoint lx200_server_;
};
