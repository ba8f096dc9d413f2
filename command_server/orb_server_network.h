// The network panel, Tscope_network: the switch between local and remote
// control, the TCP server with its address and port, the program's status
// log, and the command processor with the local command path through which
// every request, remote or from a panel, reaches the scope.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "command_server/line_server.h"
#include "command_server/network_hooks.h"
#include "forms/forms.h"
#include "scope_link/orb_server_object.h"
#include "shell/panel_window.h"

struct configuration_settings;

// A value that should be a number and is not (the getters, "set_observer",
// the port text).
class conversion_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Tscope_network : public panel_window {
public:
    // settings are the configuration panel's; they must outlive this panel.
    Tscope_network(forms::toolkit& kit, panel_host& host, const configuration_settings& settings);
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

    network_hooks hooks;
    // Where the host's addresses come from (tests give their own list).
    std::function<std::vector<std::string>()> host_addresses;
    // Headless: every status-log line is also handed here.
    std::function<void(const std::string& line)> echo_line;

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
    // The execute handler, run on the model thread for each line a client sends.
    remote_answer scope_serverExecute(const std::string& line);

    // ---- the status log ----
    void update_status_log(const std::string& text, bool show);
    void update_status_log_check(const std::string& text);
    void update_status_log_header(const std::string& name);
    void update_status_log_failed();
    bool update_status_log_failed_check();
    void clear_log_buttonClick();
    void messages_buttonClick();
    void io_messages_buttonClick();
    void disk_buttonClick();

    // ---- the command processor ----
    // Processes request_text. A remote request passes its connection: the
    // bytes for the client are appended there (nothing for a dropped
    // request); a local caller passes none. Answers the reply, "nil" when
    // there is none, and hands over the request's result object.
    std::string process_input(std::string* connection, std::unique_ptr<tscope_object>& result);
    bool scope_op(const std::string& operation);
    bool find_argument(std::string_view name, std::string& value) const;
    void add_reply_value(const std::string& name, const std::string& value, bool last);
    void get_info();
    bool connected() const;

    // ---- the local command path ----
    std::uint8_t send_message(const std::string& command, const std::string& failure_text);
    std::uint8_t send_message_check(const std::string& command);
    void get_option_value(std::string_view name, std::string& value) const;
    bool get_float(std::string_view name, double& value) const;
    bool get_integer(std::string_view name, std::int32_t& value) const;
    bool get_string(std::string_view name, std::string& value) const;
    bool get_boolean(std::string_view name, bool& value) const;

    // ---- state ----
    std::string request_text;
    std::string reply_text;
    // Present (has_options) from a request's argument list to its end, and
    // again from a local reply's values to the next request.
    std::vector<std::string> option_names;
    std::vector<std::string> option_values;
    bool has_options = false;
    bool client_playing = false;
    bool local_control = true;
    std::unique_ptr<tscope_object> op_result;
    std::unique_ptr<tscope_object> last_result;
    bool message_logging = false;
    bool disk_logging = false;
    std::int32_t log_indent = 0;
    std::int32_t address_count = 0;
    std::int32_t ring_count = 0;

    // Results of the local command path.
    static constexpr std::uint8_t success = 1;
    static constexpr std::uint8_t failure = 4;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;
    void form_shown() override;

private:
    struct command;
    static const std::vector<command>& dispatch_table();

    void build_window();
    void close_network_connection();
    void clear_options();
    void set_reply_values();
    void refuse_client(std::size_t refused);

    // The commands of the dispatch table.
    void play(const std::string& word);
    void bored(const std::string& word);
    void connect(const std::string& word);
    void disconnect(const std::string& word);
    void connected_command(const std::string& word);
    void align(const std::string& word);
    void get_position(const std::string& word);
    void get_info_command(const std::string& word);
    void set_observer(const std::string& word);
    void query_high_precision(const std::string& word);
    void switch_precision(const std::string& word);
    void stop_focus(const std::string& word);
    void focus(const std::string& word);
    void goto_command(const std::string& word);
    void stop(const std::string& word);
    void tracking(const std::string& word);
    void stopped(const std::string& word);
    void not_yet(const std::string& word);

    int model_index() const;
    std::string model_text() const;

    const configuration_settings& settings_;
    line_server server_;
    std::string reply_values_;
    // The precision the scope reported last ("connect", "switch_precision").
    bool scope_high_precision_ = true;
};
