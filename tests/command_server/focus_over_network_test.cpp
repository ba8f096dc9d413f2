// A remote client on a real scope (the fake LX200 behind the real termios
// code) over real sockets: the focus panel's timer ends a client's focus
// run as it ends a local one; "play" and "get_info" report the
// configuration panel's model and the focus panel's speeds; Switch HPP
// shows the precision the scope reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "tests/command_server/network_fixture.h"
#include "tests/fixtures/fake_lx200.h"

namespace {

using namespace std::chrono_literals;

struct attached_scope {
    std::unique_ptr<fake_lx200> scope = std::make_unique<fake_lx200>(lx200_model::lx200);
};

struct focus_over_network : attached_scope, network_fixture {
    int port = -1;

    focus_over_network()
        : network_fixture("[config]\nscope_enabled=1\nscope_type=1\n"
                          "[comms]\ntimeout=300\ninterval=30\n"
                          "[focus]\nfocus_speeds=4\n"
                          "[serial_devices]\nCOM1=" + scope->device_path() + "\n") {}

    void SetUp() override {
        serve();
        port = listen();
        ASSERT_GT(port, 0);
    }

    // The commands the scope received after the first `from`.
    std::vector<std::string> commands_after(std::size_t from) const {
        const std::vector<std::string> all = scope->commands();
        return {all.begin() + std::ptrdiff_t(std::min(from, all.size())), all.end()};
    }
};

TEST_F(focus_over_network, play_and_get_info_report_the_configured_model_and_the_focus_speeds) {
    tcp_test_client client(port);
    EXPECT_EQ(client.request("play"), "ok=(model=0)");
    EXPECT_EQ(client.request("get_info"), "ok=(name=LX200,can_query=true,can_sync=true,can_goto=true,"
                                          "can_slew=true,can_focus=true,can_track=true,focus_speeds=4)");
    on_model([this] {
        program->config->show();
        EXPECT_TRUE(forms::user::choose_item(program->config->model_list, 1));
        program->focus->focus_speeds = 9;
    });
    EXPECT_EQ(client.request("play"), "ok=(model=1)");
    EXPECT_EQ(client.request("get_info"), "ok=(name=AutoStar,can_query=true,can_sync=true,can_goto=true,"
                                          "can_slew=true,can_focus=true,can_track=true,focus_speeds=9)");
}

TEST_F(focus_over_network, a_clients_focus_run_is_stopped_by_the_focus_panels_timer) {
    tcp_test_client client(port);
    ASSERT_EQ(client.request("play"), "ok=(model=0)");
    ASSERT_EQ(client.request("connect"), "ok");
    const std::size_t before = scope->commands().size();

    const auto sent = std::chrono::steady_clock::now();
    ASSERT_EQ(client.request("focus(dir=+,speed=1,timeout=500)"), "ok");
    ASSERT_TRUE(scope->wait_for_commands(before + 2, 1000ms));
    EXPECT_EQ(commands_after(before), (std::vector<std::string>{"FS", "F+"}));
    // The client gives control back at once: the run still ends.
    ASSERT_EQ(client.request("bored"), "ok");
    ASSERT_TRUE(scope->wait_for_commands(before + 3, 3000ms));
    const auto stopped = std::chrono::steady_clock::now();
    EXPECT_EQ(commands_after(before), (std::vector<std::string>{"FS", "F+", "FQ"}));
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(stopped - sent);
    EXPECT_GE(waited.count(), 450);
    EXPECT_LT(waited.count(), 2000);
    EXPECT_EQ(on_model([this] { return program->focus->timeout; }), 500);
    EXPECT_FALSE(on_model([this] { return program->focus->focus_timer.enabled(); }));

    // Past the limits the run time is clamped; a fast speed above half of four.
    ASSERT_EQ(client.request("play"), "ok=(model=0)");
    const std::size_t second = scope->commands().size();
    ASSERT_EQ(client.request("focus(dir=-,speed=3,timeout=5000)"), "ok");
    EXPECT_EQ(on_model([this] { return program->focus->timeout; }), 1500);
    ASSERT_TRUE(scope->wait_for_commands(second + 2, 1000ms));
    EXPECT_EQ(commands_after(second), (std::vector<std::string>{"FF", "F-"}));
    EXPECT_EQ(client.request("stop_focus"), "ok");
    ASSERT_TRUE(scope->wait_for_commands(second + 3, 1000ms));
    EXPECT_EQ(commands_after(second), (std::vector<std::string>{"FF", "F-", "FQ"}));
}

TEST_F(focus_over_network, switch_hpp_shows_the_precision_the_scope_reports_after_the_switch) {
    tcp_test_client client(port);
    ASSERT_EQ(client.request("play"), "ok=(model=0)");
    ASSERT_EQ(client.request("connect"), "ok");
    const auto click_switch = [this] {
        return on_model([this] {
            Tscope_config& config = *program->config;
            config.show();
            EXPECT_TRUE(forms::user::click(config.switch_hpp_button));
            return config.precision_label.caption();
        });
    };
    EXPECT_EQ(click_switch(), "low precision");
    EXPECT_FALSE(scope->high_precision());
    EXPECT_FALSE(on_model([this] { return program->scope_object->high_precision; }));
    EXPECT_EQ(client.request("query_high_precision"), "ok=(query=low)");
    EXPECT_EQ(click_switch(), "high precision");
    EXPECT_TRUE(scope->high_precision());
}

} // namespace
