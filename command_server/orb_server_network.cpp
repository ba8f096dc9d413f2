// The network panel's window, creation, settings, show handler, log buttons
// and shut-down; the switch and the server live in a file of their own.
#include "command_server/orb_server_network.h"

#include "platform/host_addresses.h"
#include "scope_link/orb_server_comms.h"
#include "settings/settings_file.h"

namespace {

constexpr const char* network_section = "network";

// A status log that nobody clears must not grow for ever on a server that
// runs for weeks with message logging on.
constexpr std::size_t status_log_lines = 10000;

} // namespace

Tscope_network::Tscope_network(forms::toolkit& kit, panel_host& host,
                               const configuration_settings& settings, Tscope_comms& comms,
                               server_panels& panels)
    : panel_window(kit, host, {"scope_network", "ORB Network control", "network", "Network", 258, 243}),
      host_addresses(host_ipv4_addresses),
      logger(comms.log),
      processor(settings, comms.operations, logger, panels),
      lx200_answers(processor, comms.operations, panels, logger, kit.loop().clock(), lx200),
      comms_(comms),
      panels_(panels),
      server_(
          kit.loop(), [this](const std::string& line) { return scope_serverExecute(line); },
          [this](std::size_t refused) { refuse_client(refused); },
          [this](const std::string& why) { logger.update_status_log(why, true); }),
      lx200_server_(kit.loop(), lx200_answers, logger, comms.ports) {
    build_window();
    logger.add_display([this](const std::string& line) { status_log.add_line(line); });
    // formcreate
    processor.client_playing = false;
    ip_address_label.set_enabled(false);
    ip_combo.set_enabled(false);
    refresh_button.set_enabled(false);
    edit_port.set_enabled(false);
    processor.local_control = true;
    processor.last_result.reset();
    logger.log_indent = 0;
    logger.message_logging = false;
    processor.factor = declination_factor{};
    refresh_ip_list();
    load_settings();
    // The search starts afresh once the panels can answer: the program
    // runs processor.reset_search_state() as soon as it has wired them.
}

// Also at a shut-down that never ran kill: no watched socket may outlive the
// panel whose processor it calls.
Tscope_network::~Tscope_network() { server_.stop(); }

void Tscope_network::build_window() {
    network_panel.set_fills_parent(true);
    ip_address_label.set_caption("Choose IP address");
    ip_address_label.set_bounds({8, 8, 89, 13});
    ip_combo.set_bounds({104, 4, 153, 21});
    ip_combo.set_editable(true);
    ip_combo.on_change = [this] { ip_comboChange(); };
    refresh_button.set_caption("Refresh");
    refresh_button.set_bounds({0, 28, 43, 21});
    refresh_button.on_click = [this] { refresh_buttonClick(); };
    edit_port.set_text("8383");
    edit_port.set_bounds({56, 28, 81, 21});
    edit_port.on_change = [this] { edit_portChange(); };
    enable_network_check.set_caption("Enable network");
    enable_network_check.set_bounds({152, 32, 105, 17});
    enable_network_check.set_hint("Disable network to allow local control of scope");
    enable_network_check.on_click = [this] { enable_network_checkClick(); };
    status_log.set_bounds({0, 53, 257, 156});
    status_log.set_vertical_scroll_bar(true);
    status_log.set_read_only(true);
    status_log.set_max_lines(status_log_lines);
    clear_log_button.set_caption("Clear Log");
    clear_log_button.set_bounds({16, 213, 57, 25});
    clear_log_button.set_hint("Clear list");
    clear_log_button.on_click = [this] { clear_log_buttonClick(); };
    messages_button.set_caption("Logging");
    messages_button.set_bounds({72, 213, 57, 25});
    messages_button.set_hint("Show Messages");
    messages_button.on_click = [this] { messages_buttonClick(); };
    io_messages_button.set_caption("IO");
    io_messages_button.set_bounds({128, 213, 57, 25});
    io_messages_button.set_hint("Show IO messages");
    io_messages_button.on_click = [this] { io_messages_buttonClick(); };
    disk_button.set_caption("Disk");
    disk_button.set_bounds({184, 213, 57, 25});
    disk_button.set_hint("Write log to disk");
    disk_button.on_click = [this] { disk_buttonClick(); };
}

void Tscope_network::load_own_settings(const ini_file& file) {
    logger.message_logging = file.read_bool(network_section, "message_logging", false);
    lx200.load(file);
}

void Tscope_network::save_own_settings(ini_file& file) {
    file.write_bool(network_section, "message_logging", logger.message_logging);
}

void Tscope_network::form_shown() {
    disk_button.set_font_bold(comms_.file_logging);
    io_messages_button.set_font_bold(comms_.ports.io_logging);
    messages_button.set_font_bold(logger.message_logging);
}

void Tscope_network::clear_log_buttonClick() {
    status_log.clear();
    logger.update_status_log_check("log cleared");
}

void Tscope_network::messages_buttonClick() {
    if (!logger.message_logging) {
        logger.message_logging = true;
        messages_button.set_font_bold(true);
        logger.update_status_log_check("messages enabled");
    } else {
        messages_button.set_font_bold(false);
        logger.update_status_log_check("messages disabled");
        logger.message_logging = false;
    }
}

void Tscope_network::io_messages_buttonClick() {
    bool& io_logging = comms_.ports.io_logging;
    if (!io_logging) {
        io_logging = true;
        io_messages_button.set_font_bold(true);
        logger.update_status_log_check("IO messages enabled");
    } else {
        io_messages_button.set_font_bold(false);
        logger.update_status_log_check("IO messages disabled");
        io_logging = false;
    }
}

void Tscope_network::disk_buttonClick() {
    if (disk_logging) {
        disk_logging = false;
        comms_.log.log_to_file = false;
        disk_button.set_font_bold(false);
        logger.update_status_log_check("logging disabled");
    } else {
        disk_logging = true;
        comms_.log.init_log_file("orb-client.log");
        // The button writes the log to disk: without this nothing would be
        // appended to the file it has just begun.
        comms_.log.log_to_file = true;
        disk_button.set_font_bold(true);
        logger.update_status_log_check("logging enabled");
    }
}

void Tscope_network::kill() { close_network_connection(); }

void Tscope_network::close_network_connection() {
    lx200_server_.stop();
    server_.stop();
}
