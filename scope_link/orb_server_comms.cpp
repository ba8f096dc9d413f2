// The comms panel's window, its settings and its two list handlers.
#include "scope_link/orb_server_comms.h"

#include <utility>
#include <vector>

#include "scope_link/command_set_files.h"
#include "settings/configuration_settings.h"
#include "settings/settings_file.h"

namespace {

constexpr std::string_view comms_section = "comms";

panel_description comms_description() {
    panel_description d;
    d.form_name = "scope_comms";
    d.caption = "ORB Comms control";
    d.section = std::string(comms_section);
    d.help_keyword = "Communications";
    d.client_width = 256;
    d.client_height = 203;
    return d;
}

}  // namespace

Tscope_comms::Tscope_comms(forms::toolkit& kit, panel_host& host,
                           const configuration_settings& settings, serial_device& device,
                           tscope_object& scope_object)
    : panel_window(kit, host, comms_description()),
      log(ports, host.program_dir()),
      link(ports, settings, device, kit.loop().clock()),
      operations(ports, settings, link, *this, scope_object),
      settings_(settings) {
    build_window();
    load_settings();
    if (log.log_to_file) log.init_log_file("orb.log");
}

void Tscope_comms::build_window() {
    comms_panel.set_fills_parent(true);
    port_group.set_caption("Port Configuration");
    port_group.set_bounds({8, 8, 240, 187});

    struct row {
        forms::label& label;
        const char* caption;
        forms::combo_box& list;
        std::vector<std::string> items;
    };
    row rows[] = {
        {serial_label, "Serial Port", port_edit,
         {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}},
        {speed_label, "Speed", speed_edit,
         {"110", "300", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "57600", "115200"}},
        {bits_label, "Data Bits", data_bits_edit, {"4", "5", "6", "7", "8"}},
        {parity_label, "Parity", parity_edit, {"N", "E", "O"}},
        {stop_bits_label, "Stop Bits", stop_bits_edit, {"1", "2"}},
        {timeout_label, "Timeout [msecs]", timeout_edit,
         {"10", "50", "100", "200", "250", "300", "400", "500", "750", "1000", "2500", "5000", "10000"}},
        {interval_label, "Interval Timeout ", interval_edit,
         {"2", "5", "8", "10", "20", "30", "40", "50", "75", "100", "150", "200", "250", "500"}},
    };
    int top = 22;
    for (row& r : rows) {
        r.label.set_caption(r.caption);
        r.label.set_bounds({16, top + 4, 100, 13});
        r.list.set_bounds({120, top, 113, 21});
        r.list.set_editable(true);
        r.list.set_items(std::move(r.items));
        top += 23;
    }
    timeout_edit.on_change = [this] { timeout_editChange(); };
    interval_edit.on_change = [this] { interval_editChange(); };
}

void Tscope_comms::reload_command_set() {
    read_escape_scopes(operations.commands, host().program_dir(), settings_.scope_type);
}

void Tscope_comms::timeout_editChange() { link.set_timeout(timeout_edit.text()); }

void Tscope_comms::interval_editChange() { link.set_interval(interval_edit.text()); }

serial_settings Tscope_comms::current_serial_settings() const {
    return {port_edit.text(),   speed_edit.text(),   data_bits_edit.text(), parity_edit.text(),
            stop_bits_edit.text(), timeout_edit.text(), interval_edit.text()};
}

void Tscope_comms::load_own_settings(const ini_file& file) {
    timeout_edit.set_text(file.read_string(comms_section, "timeout", "100"));
    interval_edit.set_text(file.read_string(comms_section, "interval", "10"));
    port_edit.set_text(repair_port_text(file.read_string(comms_section, "comport", "COM1")));
    speed_edit.set_text(file.read_string(comms_section, "baud", "9600"));
    data_bits_edit.set_text(file.read_string(comms_section, "databits", "8"));
    parity_edit.set_text(file.read_string(comms_section, "parity", "N"));
    stop_bits_edit.set_text(file.read_string(comms_section, "stopbits", "1"));
    ports.io_logging = file.read_bool(comms_section, "io_logging", false);
    file_logging = file.read_bool(comms_section, "file_logging", false);
    // "message_logging" is not read back: appending to a log file is switched
    // on by the user in each run (the network panel's Disk button).
    reload_command_set();
    link.serial_devices.load(file);
}

void Tscope_comms::save_own_settings(ini_file& file) {
    file.write_string(comms_section, "timeout", timeout_edit.text());
    file.write_string(comms_section, "interval", interval_edit.text());
    file.write_string(comms_section, "comport", port_edit.text());
    file.write_string(comms_section, "baud", speed_edit.text());
    file.write_string(comms_section, "databits", data_bits_edit.text());
    file.write_string(comms_section, "parity", parity_edit.text());
    file.write_string(comms_section, "stopbits", stop_bits_edit.text());
    file.write_integer(comms_section, "top", top());
    file.write_integer(comms_section, "left", left());
    // Always off in the file: appending to orb.log is the user's choice in
    // each run, never carried over to the next.
    file.write_bool(comms_section, "message_logging", false);
    file.write_bool(comms_section, "io_logging", ports.io_logging);
    file.write_bool(comms_section, "file_logging", file_logging);
}
