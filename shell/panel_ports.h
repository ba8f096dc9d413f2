// The program's side of the ports that the scope link and the command
// server declare: each call goes to the panel that owns the answer. Panels
// that are not built yet answer as the program always has (noted at each).
#pragma once

#include <string>

#include "command_server/server_panels.h"
#include "scope_link/link_ports.h"

class orb_program;

class panel_ports final : public link_panels, public server_panels {
public:
    // The program must have made its windows before the first call.
    explicit panel_ports(orb_program& program) : program_(program) {}

    // ---- what the scope link asks ----
    void show_position() override;
    void stop_search_timer() override;
    std::string scope_name() const override;
    focus_limits focus_settings() const override;
    void enable_focus_timer(int run_time) override;

    // ---- what the command server asks ----
    void change_panel(bool on) override;
    void enable_connect_group(bool enabled) override;
    void disconnect_from_scope() override;
    std::string north_label() const override;
    std::string west_label() const override;
    std::string east_label() const override;
    bool slew_busy() const override;
    void clear_slew_busy() override;
    search_window read_search_edits() override;
    double seconds_in_pixel() const override;
    void enable_timer() override;
    void disable_timer() override;
    void stop_search_poll() override;
    void show_search_glyphs(const std::string& clock, const std::string& anti) override;
    int focus_speeds() const override;
    bool set_location(double latitude, double longitude, double time_zone, double now) override;
    int time_zone() const override;
    double latitude() const override;
    double longitude() const override;
    int model_index() const override;
    std::string model_text() const override;

private:
    orb_program& program_;
};
