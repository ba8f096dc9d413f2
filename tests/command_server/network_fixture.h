// The whole program as start-up wires it, on the built-in test scope of an
// AutoStar, with
// a temporary program_dir; the tests drive its network panel. Local tests
// use it from the test thread; socket tests call serve(), after which a
// model thread runs the event loop and the test reaches the panel through
// on_model().
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "command_server/orb_server_network.h"
#include "forms/forms.h"
#include "platform/clock.h"
#include "shell/program.h"
#include "tests/fixtures/tcp_test_client.h"
#include "tests/fixtures/temp_dir.h"

struct network_fixture : ::testing::Test {
    steady_clock_source clock;
    temp_dir dir;
    std::unique_ptr<orb_program> program;
    configuration_settings& settings;
    Tscope_network* network;
    std::thread model;

    // The test scope, with the AutoStar command set.
    static constexpr const char* test_scope = "[config]\nscope_enabled=0\nscope_type=2\n";

    static std::unique_ptr<orb_program> make_program(temp_dir& dir, const program_clock& clock,
                                                     const std::string& ini) {
        dir.write("server.ini", ini);
        return std::make_unique<orb_program>(clock, dir.path());
    }

    // The program starts from this server.ini.
    explicit network_fixture(const std::string& ini = test_scope)
        : program(make_program(dir, clock, ini)), settings(program->config->settings),
          network(program->network.get()) {
        // Only the loopback address, whatever the host has.
        network->host_addresses = [] { return std::vector<std::string>{}; };
        network->refresh_ip_list();
    }

    ~network_fixture() override {
        if (model.joinable()) {
            program->kit().loop().quit();
            model.join();
        }
        program.reset();
    }

    forms::event_loop& loop() { return program->kit().loop(); }

    void serve() {
        model = std::thread([this] { loop().run(); });
    }

    template <class F>
    auto on_model(F&& f) {
        auto result = loop().run_and_wait(std::forward<F>(f));
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
