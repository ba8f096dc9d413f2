// tell: the operations interpreter, the one door through which the program
// asks anything of the telescope. An operation text names the operation and
// its arguments; each operation sends its command definitions in order
// through the link and decodes the answers into a new result object.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "scope_link/command_table.h"
#include "scope_link/link_ports.h"
#include "scope_link/orb_server_object.h"
#include "scope_link/serial_link.h"
#include "text/call_syntax.h"

struct configuration_settings;

// Where connect finds the port settings: the comms panel's lists as they are now.
class serial_settings_source {
public:
    virtual serial_settings current_serial_settings() const = 0;

protected:
    ~serial_settings_source() = default;
};

// What the command processor asks of the scope link.
class scope_teller {
public:
    // Runs one operation; result receives the operation's new object.
    virtual std::string tell(std::string_view operation, tscope_object& result) = 0;
    // Whether the scope is connected.
    virtual bool connected() const = 0;
    // The scope's last answer as it came, "#" included: the reason of a
    // refused slew, the text of a sync.
    virtual std::string last_answer() const = 0;

protected:
    ~scope_teller() = default;
};

class scope_operations final : public scope_teller {
public:
    // All must outlive the interpreter; scope_object is the program's.
    scope_operations(const link_ports& ports, const configuration_settings& settings, serial_link& link,
                     const serial_settings_source& lists, tscope_object& scope_object);

    std::string tell(std::string_view operation, tscope_object& result) override;
    bool connect_to_scope();
    bool disconnect_from_scope();
    void kill();

    bool connected() const override { return connected_; }
    std::string last_answer() const override { return link_.answer_buffer(); }

    command_table commands;

private:
    // The state of one operation, from its first command to its last.
    struct operation_state {
        call_text text;
        tscope_object object;
        std::string status = "ok";
        std::string failure;
        std::string answer;
    };

    void update_status_log(const std::string& text) const { ports_.update_status_log(text); }
    void run_operation(operation_state& op);
    bool send_command(operation_state& op, std::string_view name,
                      std::optional<std::string_view> key = std::nullopt);
    bool get_argument(const operation_state& op, std::string_view key, std::string& value) const;
    void focus(operation_state& op);
    bool scope_enabled() const;

    const link_ports& ports_;
    const configuration_settings& settings_;
    serial_link& link_;
    const serial_settings_source& lists_;
    tscope_object& scope_object_;
    bool connected_ = false;
};
