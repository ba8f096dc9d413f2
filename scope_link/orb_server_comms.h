// The comms panel, Tscope_comms: the window with the serial port settings,
// and the owner of the whole scope link: the serial link with its comms log,
// and the operations interpreter with the command table (tell).
#pragma once

#include <string>

#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "platform/serial_device.h"
#include "scope_link/comms_log.h"
#include "scope_link/link_ports.h"
#include "scope_link/orb_server_object.h"
#include "scope_link/scope_operations.h"
#include "scope_link/serial_link.h"

struct configuration_settings;

class Tscope_comms : public panel_window, public serial_settings_source {
public:
    // settings belong to the configuration panel and scope_object to the
    // program; both must outlive the panel, as must the device.
    Tscope_comms(forms::toolkit& kit, panel_host& host, const configuration_settings& settings,
                 serial_device& device, tscope_object& scope_object);

    // ---- the window ----
    forms::panel comms_panel{"comms_panel", this};
    forms::group_box port_group{"port_group", &comms_panel};
    forms::label serial_label{"serial_label", &port_group};
    forms::label speed_label{"speed_label", &port_group};
    forms::label bits_label{"bits_label", &port_group};
    forms::label parity_label{"parity_label", &port_group};
    forms::label stop_bits_label{"stop_bits_label", &port_group};
    forms::label timeout_label{"timeout_label", &port_group};
    forms::label interval_label{"interval_label", &port_group};
    forms::combo_box port_edit{"port_edit", &port_group};
    forms::combo_box speed_edit{"speed_edit", &port_group};
    forms::combo_box data_bits_edit{"data_bits_edit", &port_group};
    forms::combo_box parity_edit{"parity_edit", &port_group};
    forms::combo_box stop_bits_edit{"stop_bits_edit", &port_group};
    forms::combo_box timeout_edit{"timeout_edit", &port_group};
    forms::combo_box interval_edit{"interval_edit", &port_group};

    // Discards the command table and loads the command set of the model
    // configured now (after "make ini files").
    void reload_command_set();

    void timeout_editChange();
    void interval_editChange();
    // The lists as the link takes them when connect opens the port.
    serial_settings current_serial_settings() const override;

    // ---- what the panel owns ----
    // The status log and the panels above, the IO switch: wired once by
    // the program object.
    link_ports ports;
    comms_log log;
    serial_link link;
    scope_operations operations;

    // The network panel's file-logging state, kept in server.ini.
    bool file_logging = false;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;

private:
    void build_window();

    const configuration_settings& settings_;
};
