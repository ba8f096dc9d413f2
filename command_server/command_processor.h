// The command processor: one request line in, one reply line out. It holds
// the gate between remote and local control, dispatches every command word
// to its handler, and serves the local command path through which the
// panels send requests and read the values of the replies by name.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "command_server/motion_geometry.h"
#include "command_server/search_pattern.h"
#include "command_server/server_panels.h"
#include "command_server/status_logger.h"
#include "scope_link/link_ports.h"
#include "scope_link/orb_server_object.h"

struct configuration_settings;
class scope_teller;

// A value that should be a number and is not (the getters, "set_observer",
// the port text).
class conversion_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class command_processor final : public link_status {
public:
    // Everything given must outlive the processor; settings are the
    // configuration panel's, scope the comms panel's interpreter.
    command_processor(const configuration_settings& settings, scope_teller& scope, status_logger& log,
                      server_panels& panels);

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
    // send_message_check for a stop that ends a run the scope was already
    // given (the focus panel's timer): it passes the gate even when the
    // client that started the run has given control back meanwhile, so the
    // run never goes on for want of a claim.
    std::uint8_t send_safety_stop(const std::string& command);
    void get_option_value(std::string_view name, std::string& value) const;
    bool get_float(std::string_view name, double& value) const;
    bool get_integer(std::string_view name, std::int32_t& value) const;
    bool get_string(std::string_view name, std::string& value) const;
    bool get_boolean(std::string_view name, bool& value) const;

    // ---- the status log, as the processor and the scope link write it ----
    void update_status_log_check(const std::string& text) override;
    void update_status_log_header(const std::string& name) override;
    void update_status_log_failed() override;
    bool update_status_log_failed_check();

    // ---- the motion and search commands ----
    // One window step, as the screen moves and the search pattern make it.
    void step(window_step which);
    // Starts the search afresh at the telescope's position; also run when
    // the network panel is made.
    void reset_search_state();
    // The search panel's Clock and Anti pictures for the side walked now.
    void change_button(ring_side side);

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
    std::int32_t ring_count = 0;
    declination_factor factor;
    search_pattern search;

    // Results of the local command path.
    static constexpr std::uint8_t success = 1;
    static constexpr std::uint8_t failure = 4;

private:
    struct command;
    static const std::vector<command>& dispatch_table();

    void clear_options();
    void set_reply_values();

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
    void move_screen(const std::string& word);
    void move_distance(const std::string& word);
    void reset_search(const std::string& word);
    void break_out(const std::string& word);
    void fall_in(const std::string& word);
    void walk_ring(const std::string& word);

    // The position the scope reports now; false (the reply the failure
    // text) when it cannot be read.
    bool read_position(double& ra, double& dec);
    // Sends the target; a refused one clears the slew panel's busy flag.
    bool go_to_target(double ra, double dec);

    // What a request owns while it runs, kept aside while a panel sends one
    // of its own from inside it (an altitude guard's stop during a move).
    struct request_state {
        std::string request_text, reply_text, reply_values;
        std::vector<std::string> option_names, option_values;
        bool has_options = false;
        std::unique_ptr<tscope_object> op_result;
        std::int32_t log_indent = 0;
    };
    request_state take_request_state();
    void restore_request_state(request_state&& state);

    const configuration_settings& settings_;
    scope_teller& scope_;
    status_logger& log_;
    server_panels& panels_;
    std::string reply_values_;
    // The precision the scope reported last ("connect", "switch_precision").
    bool scope_high_precision_ = true;
    bool safety_stop_ = false;
    // Requests under way: more than one while a panel sends from inside one.
    int depth_ = 0;
};
