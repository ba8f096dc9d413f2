// A network panel over the built-in test scope (a comms panel with the scope
// disabled), with a temporary program_dir. Local tests use it from the test
// thread; socket tests call serve(), after which a model thread runs the
// event loop and the test reaches the panel through on_model().
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "command_server/orb_server_network.h"
#include "forms/forms.h"
#include "platform/clock.h"
#include "scope_link/orb_server_comms.h"
#include "shell/configuration_settings.h"
#include "tests/fixtures/memory_serial_device.h"
#include "tests/fixtures/tcp_test_client.h"
#include "tests/fixtures/folder_host.h"
#include "tests/fixtures/temp_dir.h"


struct network_fixture : ::testing::Test {
    steady_clock_source clock;
    forms::toolkit kit{clock};
    temp_dir dir;
    folder_host host{dir.path()};
    configuration_settings settings;
    memory_serial_device device;
    tscope_object scope_object;
    std::unique_ptr<Tscope_comms> comms;
    std::unique_ptr<Tscope_network> network;
    std::vector<bool> change_panel_calls;
    std::vector<std::string> operations; // every operation text handed to tell
    std::thread model;

    network_fixture() {
        settings.scope_enabled = false;
        comms = std::make_unique<Tscope_comms>(kit, host, settings, device, scope_object);
        network = std::make_unique<Tscope_network>(kit, host, settings);
        Tscope_network& net = *network;
        comms->hooks.update_status_log_check = [&net](const std::string& t) { net.update_status_log_check(t); };
        comms->hooks.update_status_log_header = [&net](const std::string& n) { net.update_status_log_header(n); };
        comms->hooks.update_status_log_failed = [&net] { net.update_status_log_failed(); };
        net.hooks.tell = [this](std::string_view op, tscope_object& result) {
            operations.emplace_back(op);
            return comms->tell(op, result);
        };
        net.hooks.connected = [this] { return comms->connected(); };
        net.hooks.change_panel = [this](bool on) { change_panel_calls.push_back(on); };
        net.hooks.disconnect_from_scope = [&net] { net.send_message_check("disconnect"); };
        // Only the loopback address, whatever the host has.
        net.host_addresses = [] { return std::vector<std::string>{}; };
        net.refresh_ip_list();
    }

    ~network_fixture() override {
        if (model.joinable()) {
            kit.loop().quit();
            model.join();
        }
        network.reset();
        comms.reset();
    }

    void serve() {
        model = std::thread([this] { kit.loop().run(); });
    }

    template <class F>
    auto on_model(F&& f) {
        auto result = kit.loop().run_and_wait(std::forward<F>(f));
        if constexpr (std::is_same_v<decltype(result), forms::task_outcome>) {
            EXPECT_EQ(result, forms::task_outcome::done);
        } else {
            EXPECT_EQ(result.outcome, forms::task_outcome::done);
            return *result.value;
        }
    }

    // Switches the network on and starts the server on a free port of
    // 127.0.0.1, as the user would; answers the port.
    int listen() {
        return on_model([this] {
            network->enable_network_check.set_checked(true);
            // A port text that stays the same starts nothing: choose the address then.
            if (network->edit_port.text() == "0")
                network->ip_comboChange();
            else
                network->edit_port.set_text("0");
            const std::vector<int> ports = network->server_ports();
            return ports.empty() ? -1 : ports.front();
        });
    }

    std::vector<std::string> log_lines() {
        return on_model([this] { return network->status_log.lines(); });
    }
};
