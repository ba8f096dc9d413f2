// Moves and ring steps from a remote client over real sockets, through the
// real termios link to the fake LX200 on a pseudo-terminal: the targets
// that reach the scope, a refused target, and what remote moves leave of
// the search panel's poll and the slew panel's busy flag.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "shell/program.h"
#include "tests/fixtures/fake_lx200.h"
#include "tests/fixtures/tcp_test_client.h"
#include "tests/fixtures/temp_dir.h"

namespace {

struct motion_wire : ::testing::Test {
    steady_clock_source clock;
    temp_dir dir;
    fake_lx200 scope;
    std::unique_ptr<orb_program> program;
    std::thread model;
    int port = -1;

    template <class F>
    auto on_model(F&& f) {
        auto result = program->kit().loop().run_and_wait(std::forward<F>(f));
        EXPECT_EQ(result.outcome, forms::task_outcome::done);
        return *result.value;
    }

    void SetUp() override {
        dir.write("server.ini", "[config]\nscope_enabled=1\nscope_type=1\n[comms]\ntimeout=300\ninterval=30\n"
                                "[serial_devices]\nCOM1=" +
                                    scope.device_path() + "\n");
        program = std::make_unique<orb_program>(clock, dir.path());
        Tscope_network& network = *program->network;
        network.host_addresses = [] { return std::vector<std::string>{}; };
        network.refresh_ip_list();
        model = std::thread([this] { program->kit().loop().run(); });
        port = on_model([&network] {
            network.enable_network_check.set_checked(true);
            network.edit_port.set_text("0");
            const std::vector<int> ports = network.server_ports();
            return ports.empty() ? -1 : ports.front();
        });
        ASSERT_GT(port, 0);
    }

    void TearDown() override {
        program->kit().loop().quit();
        model.join();
        program.reset();
    }

    // One remote request with the scope at (ra, dec); answers the reply and
    // the target the scope was then told to go to.
    std::pair<std::string, sky_position> move(tcp_test_client& client, const std::string& request, double ra,
                                             double dec) {
        scope.set_position({ra, dec, 45, 180});
        const std::string reply = client.request(request);
        return {reply, scope.target()};
    }
};

TEST_F(motion_wire, remote_moves_send_their_targets_and_leave_the_poll_alone) {
    tcp_test_client client(port);
    ASSERT_EQ(client.request("play"), "ok=(model=0)");
    ASSERT_EQ(client.request("connect"), "ok");
    on_model([this] { return program->control->slew_busy = true; });

    struct wire_case {
        const char* request;
        double ra, dec, target_ra, target_dec;
    } cases[] = {
        {"move_screen_left", 12, 0, 12.142458, 0},
        {"move_screen_left", 12, 60, 12.283678, 60},
        {"move_screen_down", 12, 10, 12, 8.4},
        {"move_right(distance=15)", 23.5, 0, 0.501657, 0},
        {"move_left(distance=15)", 0.5, 0, 23.498343, 0},
        {"move_up(distance=2)", 3, 89, 3, 90},
    };
    for (const wire_case& c : cases) {
        SCOPED_TRACE(c.request);
        const auto [reply, target] = move(client, c.request, c.ra, c.dec);
        EXPECT_EQ(reply, "ok");
        // The scope keeps whole seconds of time and arc.
        EXPECT_NEAR(target.ra, c.target_ra, 1 / 3600.0);
        EXPECT_NEAR(target.dec, c.target_dec, 1 / 3600.0);
    }

    // Only a refused target clears the busy flag; the poll never started.
    EXPECT_TRUE(on_model([this] { return program->control->slew_busy; }));
    EXPECT_FALSE(on_model([this] { return program->search->search_timer.enabled(); }));

    // A ring step is a window step: the first one goes down by 1.6 degrees.
    // (A reset of the search ends a move the slew panel had under way.)
    EXPECT_EQ(client.request("reset_search"), "ok");
    EXPECT_FALSE(on_model([this] { return program->control->slew_busy; }));
    scope.set_position({5, 20, 45, 180});
    EXPECT_EQ(client.request("break_out"), "ok=(button=south)");
    EXPECT_NEAR(scope.target().dec, 18.4, 1 / 3600.0);
    scope.set_position({5, 0, 45, 180});
    EXPECT_EQ(client.request("clockwise"), "ok");
    EXPECT_NEAR(scope.target().ra, 5 + 0.142458, 1 / 3600.0);
    EXPECT_FALSE(on_model([this] { return program->search->search_timer.enabled(); }));
    on_model([this] { return program->control->slew_busy = true; });
    scope.refuse_slews("Object below horizon");
    EXPECT_EQ(move(client, "move_down(distance=1)", 3, 10).first, "fail");
    EXPECT_FALSE(on_model([this] { return program->control->slew_busy; }));
    on_model([this] { return program->control->slew_busy = true; });
    EXPECT_EQ(move(client, "move_screen_up", 3, 10).first, "fail");
    EXPECT_FALSE(on_model([this] { return program->control->slew_busy; }));
    EXPECT_FALSE(on_model([this] { return program->search->search_timer.enabled(); }));

    // At the pole a sideways move is refused before anything is sent.
    scope.refuse_slews("");
    const std::size_t before = scope.commands().size();
    EXPECT_EQ(move(client, "move_left(distance=1)", 3, 90).first, "fail");
    const std::vector<std::string> after = scope.commands();
    ASSERT_GE(after.size(), before);
    for (std::size_t i = before; i < after.size(); ++i) EXPECT_FALSE(after[i].starts_with("Sr")) << after[i];
}

} // namespace
