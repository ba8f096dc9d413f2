// The comms panel, Tscope_comms: the window with the serial port settings,
// and the owner of the whole scope link: the command table, the serial port
// with its answer watchdog and status messages, the comms log, and tell, the
// one door through which the program asks anything of the telescope.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "forms/forms.h"
#include "platform/serial_device.h"
#include "scope_link/command_table.h"
#include "scope_link/comms_hooks.h"
#include "scope_link/operation_text.h"
#include "scope_link/orb_server_object.h"
#include "scope_link/serial_port_names.h"
#include "shell/panel_window.h"

struct configuration_settings;

// What one read of the link brought: exactly one of the three.
enum class read_result { data, nothing, error };

class Tscope_comms : public panel_window {
public:
    // settings belong to the configuration panel and scope_object to the
    // program; both must outlive the panel, as must the device.
    Tscope_comms(forms::toolkit& kit, panel_host& host, const configuration_settings& settings,
                 serial_device& device, tscope_object& scope_object);
    ~Tscope_comms() override;

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
    // The answer watchdog: enabled exactly while a wait for an answer is
    // under way, so that periodic timers can skip their turn.
    forms::timer response_timer;

    void timeout_editChange();
    void interval_editChange();

    // ---- the serial link ----
    bool open();
    void close();
    void clear_port();
    bool write(std::string_view text);
    read_result read(std::string_view canned_answer);
    bool read_timeout(std::string_view canned_answer);
    void response_timerTimer();
    void update_status_log(const std::string& text);

    // ---- the comms log ----
    void init_log_file(const std::string& name);
    void write_log(const std::string& line);
    void close_log();

    // ---- operations ----
    // Runs one operation; result receives the operation's new object.
    std::string tell(std::string_view operation, tscope_object& result);
    bool connect_to_scope();
    bool disconnect_from_scope();
    void kill();

    // ---- state ----
    bool port_open() const { return port_open_; }
    const std::string& port_name() const { return port_name_; }
    int timeout() const { return timeout_; }
    int interval() const { return interval_; }
    const std::string& answer_buffer() const { return answer_buffer_; }
    bool timed_out() const { return timed_out_; }
    bool linked() const { return linked_; }
    bool connected() const { return connected_; }
    const std::string& log_path() const { return log_path_; }

    // The network panel's switches: IO messages, and appending to the log file.
    bool io_logging = false;
    bool log_to_file = false;
    bool file_logging = false;

    comms_hooks hooks;
    command_table commands;
    serial_port_map serial_devices;

    // Answers must start within this long, on the program's clock.
    static constexpr int response_wait = 5000;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;

private:
    // The state of one operation, from its first command to its last.
    struct operation_state {
        operation_text text;
        tscope_object object;
        std::string status = "ok";
        std::string failure;
        std::string answer;
    };

    void build_window();
    std::string device_control() const;
    serial_transfer read_device();
    void run_operation(operation_state& op);
    bool send_command(operation_state& op, std::string_view name,
                      std::optional<std::string_view> key = std::nullopt);
    bool get_argument(const operation_state& op, std::string_view key, std::string& value) const;
    void focus(operation_state& op);
    bool scope_enabled() const;

    const configuration_settings& settings_;
    serial_device& device_;
    tscope_object& scope_object_;

    bool port_open_ = false;
    std::string port_name_;
    int timeout_ = 1000;
    int interval_ = 100;
    std::string answer_buffer_;
    bool timed_out_ = false;
    bool linked_ = false;
    bool connected_ = false;
    std::string log_path_;
    std::FILE* log_file_ = nullptr;
    bool writing_log_ = false;
};
