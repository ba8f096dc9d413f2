// Many requests on one connection, served on the model thread's loop: a
// burst answered in order and in one write, a flooding client that cannot
// starve another, and a client that never reads its replies.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <regex>
#include <thread>

#include "tests/command_server/network_fixture.h"

namespace {

using namespace std::chrono_literals;

const std::string ra_dec = "ok=(ra=12.1483333333333,dec=42.1497222222222)";
const std::string az_alt = "ok=(alt=15.77,az=329.4575)";

struct pipelining : network_fixture {
    int port = -1;
    void SetUp() override {
        serve();
        port = listen();
        ASSERT_GT(port, 0);
    }
};

TEST_F(pipelining, a_burst_is_answered_in_order_and_in_one_write) {
    tcp_test_client client(port);
    // One read brings every line, so every reply leaves in the same write.
    client.send("play\r\nget_ra_dec\r\nconnected\r\nnonsense\r\nok\r\n\r\nget_az_alt\r\n");
    EXPECT_EQ(client.chunk(), "ok=(model=1)\r\n\r\n" + ra_dec + "\r\n\r\nok=(connected=true)\r\n\r\nfail\r\n\r\n" +
                                  az_alt + "\r\n\r\n");

    // A burst longer than one turn's share and one read's worth still comes
    // back whole and in order.
    constexpr int count = 3000;
    std::string burst;
    for (int i = 0; i < count; ++i) burst += i % 3 == 0 ? "get_ra_dec\r\n" : i % 3 == 1 ? "get_az_alt\r\n" : "bad\r\n";
    std::thread writer([&] { client.send(burst); });
    int wrong = 0;
    for (int i = 0; i < count; ++i) {
        const std::optional<std::string> reply = client.line();
        const std::optional<std::string> blank = client.line();
        if (reply != (i % 3 == 0 ? ra_dec : i % 3 == 1 ? az_alt : "fail") || blank != "") ++wrong;
        if (!reply || !blank) break;
    }
    writer.join();
    EXPECT_EQ(wrong, 0);
}

// The server alone on a loop of its own, with a handler that records every
// line in the order it is served.
struct served_lines : ::testing::Test {
    steady_clock_source clock;
    forms::event_loop loop{clock};
    std::vector<std::string> lines; // model thread
    line_server server{loop,
                       [this](const std::string& line) {
                           lines.push_back(line);
                           return remote_answer{false, line + "\r\n\r\n"};
                       },
                       [](std::size_t) {}};
    std::thread model;
    int port = -1;

    template <class F>
    auto on_model(F&& f) {
        auto result = loop.run_and_wait(std::forward<F>(f));
        EXPECT_EQ(result.outcome, forms::task_outcome::done);
        return *result.value;
    }

    void SetUp() override {
        model = std::thread([this] { loop.run(); });
        port = on_model([this] {
            server.start({{"127.0.0.1", 0}});
            return server.ports().at(0);
        });
    }
    void TearDown() override {
        on_model([this] {
            server.stop();
            return 0;
        });
        loop.quit();
        model.join();
    }

};

TEST_F(served_lines, a_flooding_client_does_not_starve_another_clients_single_request) {
    tcp_test_client flood(port), single(port);
    constexpr int count = 50000;
    std::atomic<int> replies{0};
    std::thread reader([&] {
        for (int i = 0; i < count; ++i) {
            if (flood.line() != "flood" || flood.line() != "") return;
            ++replies;
        }
    });
    std::string burst;
    for (int i = 0; i < count; ++i) burst += "flood\r\n";
    std::thread writer([&] { flood.send(burst); });
    for (int i = 0; i < 5000 && replies == 0; ++i) std::this_thread::sleep_for(1ms);

    // Sent between two turns of the loop, while the flood is being served.
    const std::size_t before = on_model([&] {
        single.send("single\r\n");
        return lines.size();
    });
    EXPECT_EQ(single.line(), "single");
    EXPECT_EQ(single.line(), "");
    writer.join();
    reader.join();
    EXPECT_EQ(replies, count);

    const std::vector<std::string> done = on_model([this] { return lines; });
    ASSERT_LT(before, std::size_t(count)) << "the flood was over before the single request came";
    const auto single_at = std::find(done.begin(), done.end(), "single");
    ASSERT_NE(single_at, done.end());
    // At most one turn's share of the flood before it, and one more for the
    // turn that was under way.
    EXPECT_LE(std::size_t(single_at - done.begin()) - before, 2 * line_server::lines_per_turn);
}

TEST_F(pipelining, a_client_that_never_reads_is_closed_at_the_output_cap_and_the_others_are_served) {
    tcp_test_client other(port);
    // A small window, so that the kernel holds few of the replies.
    tcp_test_client deaf(port, 4096);
    ASSERT_EQ(other.request("play"), "ok=(model=1)");
    // Each request brings about fifteen times its length in reply: 200 000
    // of them, 30 MB of replies, far past what the kernel would hold.
    std::string chunk;
    for (int i = 0; i < 1000; ++i) chunk += "get_info\r\n";
    std::thread flood([&] {
        for (int i = 0; i < 200 && deaf.send(chunk); ++i) {
        }
    });
    // The client reads nothing meanwhile: its replies pile up in the server.
    const std::regex closed("Client closed : (\\d+) bytes of replies unread \\(at most 65536\\)");
    std::smatch found;
    std::vector<std::string> lines;
    const auto noticed = [&] {
        lines = log_lines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return std::regex_match(line, found, closed); });
    };
    bool was_noticed = false;
    for (int i = 0; i < 3000 && !(was_noticed = noticed()); ++i) std::this_thread::sleep_for(10ms);
    // Else a send stuck in a full window is released by the server's stop.
    if (!was_noticed) on_model([this] { network->enable_network_check.set_checked(false); });
    flood.join();
    ASSERT_TRUE(was_noticed);
    EXPECT_TRUE(deaf.closed_within());
    // The server held no more than the cap and one turn's replies.
    EXPECT_LE(std::stoul(found[1].str()), line_server::max_pending_output + line_server::lines_per_turn * 256);
    EXPECT_EQ(other.request("get_az_alt"), az_alt);
}

} // namespace
