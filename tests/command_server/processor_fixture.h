// The command processor with no window: the real scope link over the
// in-memory device (the built-in test scope unless a test enables it), a
// status log whose lines are collected, and one fake for every panel above.
// Every operation text handed to the link is recorded.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "command_server/command_processor.h"
#include "platform/clock.h"
#include "scope_link/command_set_files.h"
#include "scope_link/comms_log.h"
#include "scope_link/scope_operations.h"
#include "scope_link/serial_link.h"
#include "settings/configuration_settings.h"
#include "tests/fixtures/memory_serial_device.h"
#include "tests/fixtures/temp_dir.h"

// The panels above the command server and the scope link, in one fake.
struct fake_panels final : server_panels, link_panels {
    std::vector<bool> change_panel_calls;
    std::vector<bool> connect_group_calls;
    int disconnects = 0;
    std::string model = "AutoStar";
    int index = 1;
    int speeds = 2;
    int zone = 0;
    double site_latitude = 51.0;
    double site_longitude = 4.0;
    std::vector<std::vector<double>> locations_set; // latitude, longitude, time zone

    void change_panel(bool on) override { change_panel_calls.push_back(on); }
    void enable_connect_group(bool enabled) override { connect_group_calls.push_back(enabled); }
    void disconnect_from_scope() override { ++disconnects; }
    int focus_speeds() const override { return speeds; }
    bool set_location(double lat, double lon, double time_zone, double) override {
        locations_set.push_back({lat, lon, time_zone});
        return true;
    }
    int time_zone() const override { return zone; }
    double latitude() const override { return site_latitude; }
    double longitude() const override { return site_longitude; }
    int model_index() const override { return index; }
    std::string model_text() const override { return model; }

    // The slew panel's labels and busy flag, the search panel's window, poll and pictures.
    std::string north = "N", west = "W", east = "E";
    bool busy = false;
    search_window window;
    double seconds = 30;
    std::vector<std::string> timer_calls; // "enable", "disable", "stop", in order
    std::vector<std::string> glyphs;      // the Clock pictures shown, in order

    std::string north_label() const override { return north; }
    std::string west_label() const override { return west; }
    std::string east_label() const override { return east; }
    bool slew_busy() const override { return busy; }
    void clear_slew_busy() override { busy = false; }
    search_window read_search_edits() override { return window; }
    double seconds_in_pixel() const override { return seconds; }
    void enable_timer() override { timer_calls.push_back("enable"); }
    void disable_timer() override {
        busy = false;
        timer_calls.push_back("disable");
    }
    void stop_search_poll() override { timer_calls.push_back("stop"); }
    void show_search_glyphs(const std::string& clock, const std::string& anti) override {
        glyphs.push_back(clock);
        EXPECT_EQ(anti.substr(0, anti.find('_')), clock.substr(0, clock.find('_')));
    }

    void show_position() override {}
    void stop_search_timer() override {}
    std::string scope_name() const override { return {}; }
    focus_limits focus_settings() const override { return {}; }
    void enable_focus_timer(int) override {}
};

// The link's interpreter, with every operation text it is handed recorded;
// a test may answer in its place.
struct recording_teller final : scope_teller {
    explicit recording_teller(scope_teller& real) : real_(real) {}
    std::vector<std::string> operations;
    std::function<std::string(std::string_view operation, tscope_object& result)> answer;

    std::string tell(std::string_view operation, tscope_object& result) override {
        operations.emplace_back(operation);
        return answer ? answer(operation, result) : real_.tell(operation, result);
    }
    bool connected() const override { return real_.connected(); }
    std::string last_answer() const override { return real_.last_answer(); }

private:
    scope_teller& real_;
};

struct fixed_lists final : serial_settings_source {
    serial_settings current_serial_settings() const override { return {}; }
};

struct processor_fixture : ::testing::Test {
    manual_clock clock;
    temp_dir dir;
    configuration_settings settings;
    link_ports ports;
    comms_log file{ports, dir.path()};
    memory_serial_device device{&clock};
    serial_link link{ports, settings, device, clock};
    fixed_lists lists;
    tscope_object scope_object;
    scope_operations scope{ports, settings, link, lists, scope_object};
    recording_teller teller{scope};
    status_logger logger{file};
    fake_panels panels;
    command_processor processor{settings, teller, logger, panels};
    std::vector<std::string> shown; // every status-log line, as the network panel shows it
    std::vector<std::string>& operations = teller.operations;

    processor_fixture() {
        settings.scope_enabled = false;
        read_escape_scopes(scope.commands, dir.path(), settings.scope_type);
        ports.wire(processor, panels);
        logger.add_display([this](const std::string& line) { shown.push_back(line); });
    }

    // One request straight through the processor, as a panel's would go.
    std::string request(const std::string& line) {
        processor.request_text = line;
        std::unique_ptr<tscope_object> result;
        return processor.process_input(nullptr, result);
    }
};
