// Starting, restarting and stopping the server over real sockets: the port
// box, the address list, the client limit, and stops while requests wait.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/tcp_listener.h"
#include "tests/command_server/network_fixture.h"

#include <algorithm>

namespace {

using namespace std::chrono_literals;

// A port nobody listens on right now.
int free_port() {
    auto probe = make_tcp_listener();
    if (!probe->open({{"127.0.0.1", 0}}).empty()) return -1;
    const int port = probe->ports().front();
    probe->close();
    return port;
}

// Waits a short, bounded time for a condition that another thread makes true.
template <class F>
bool eventually(F&& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

struct server_lifecycle : network_fixture {
    void SetUp() override { serve(); }

    std::vector<std::string> log_tail(std::size_t count) {
        std::vector<std::string> lines = log_lines();
        if (lines.size() > count) lines.erase(lines.begin(), lines.end() - std::ptrdiff_t(count));
        return lines;
    }

    // Holds the model thread in a task until requests wait on `queued`
    // client sockets, then runs `then` there. Returns once the hold has
    // begun, so that what the test sends next waits for it.
    void hold_model_until_queued(std::size_t queued, std::function<void()> then) {
        auto held = std::make_shared<std::atomic<bool>>(false);
        loop().post([this, queued, then, held] {
            *held = true;
            for (int i = 0; i < 500 && loop().readable_now() < queued; ++i) std::this_thread::sleep_for(10ms);
            if (then) then();
        });
        for (int i = 0; i < 500 && !*held; ++i) std::this_thread::sleep_for(1ms);
    }
};

TEST_F(server_lifecycle, switching_on_disconnects_the_scope_and_choosing_an_address_binds_every_listed_one) {
    network->host_addresses = [] { return std::vector<std::string>{"127.0.0.2"}; };
    const int port = free_port();
    on_model([&] {
        network->logger.message_logging = true;
        network->refresh_ip_list();
        network->enable_network_check.set_checked(true);
        network->logger.message_logging = false;
    });
    // The slew panel's disconnect action went through the processor.
    const std::vector<std::string> said = log_lines();
    EXPECT_EQ(std::count(said.begin(), said.end(), "    i said : disconnect"), 1);
    EXPECT_FALSE(on_model([this] { return network->server_active(); }));
    EXPECT_TRUE(on_model([this] { return network->edit_port.enabled() && network->ip_combo.enabled(); }));
    EXPECT_FALSE(on_model([this] { return network->processor.local_control; }));

    on_model([&] { network->edit_port.set_text(std::to_string(port)); });
    const std::string p = std::to_string(port);
    EXPECT_EQ(log_tail(4), (std::vector<std::string>{"Server bound to IP 127.0.0.1 on port " + p,
                                                     "Server bound to IP 127.0.0.2 on port " + p,
                                                     "Server started", "Server running"}));
    tcp_test_client client(port);
    EXPECT_EQ(client.request("connected"), "fail");
}

TEST_F(server_lifecycle, every_edit_of_the_port_restarts_the_server) {
    on_model([this] { network->enable_network_check.set_checked(true); });
    on_model([this] { network->edit_port.set_text(""); });
    EXPECT_EQ(log_tail(1), std::vector<std::string>{"Server not started : '' is not a valid integer value"});
    EXPECT_FALSE(on_model([this] { return network->server_active(); }));

    const int first = free_port();
    on_model([&] { network->edit_port.set_text(std::to_string(first)); });
    EXPECT_EQ(log_tail(3), (std::vector<std::string>{"Server bound to IP 127.0.0.1 on port " + std::to_string(first),
                                                     "Server started", "Server running"}));
    tcp_test_client on_first(first);
    EXPECT_EQ(on_first.request("connected"), "fail");

    const int second = free_port();
    on_model([&] { network->edit_port.set_text(std::to_string(second)); });
    EXPECT_EQ(log_tail(4), (std::vector<std::string>{"Server stopped",
                                                     "Server bound to IP 127.0.0.1 on port " + std::to_string(second),
                                                     "Server started", "Server running"}));
    EXPECT_TRUE(on_first.closed_within());
    EXPECT_FALSE(tcp_test_client(first).connected());
    tcp_test_client on_second(second);
    EXPECT_EQ(on_second.request("connected"), "fail");
}

TEST_F(server_lifecycle, the_client_after_the_64th_is_turned_away_and_counted) {
    const int port = listen();
    std::vector<std::unique_ptr<tcp_test_client>> clients;
    for (int i = 0; i < 64; ++i) {
        clients.push_back(std::make_unique<tcp_test_client>(port));
        ASSERT_EQ(clients.back()->request("bored"), "fail") << i;
    }
    tcp_test_client refused(port);
    EXPECT_EQ(refused.line(2000ms), std::nullopt);
    EXPECT_TRUE(refused.closed_within());
    EXPECT_TRUE(eventually([this] {
        return log_lines().back() == "Client refused : 64 clients connected already (1 refused so far)";
    }));

    // A place that comes free is taken again.
    clients.front()->close();
    EXPECT_TRUE(eventually([&] { return tcp_test_client(port).request("bored") == "fail"; }));
    EXPECT_EQ(clients.back()->request("bored"), "fail");
}

TEST_F(server_lifecycle, switching_off_while_requests_wait_for_the_model_thread_ends_them_all) {
    const int port = listen();
    tcp_test_client a(port), b(port), c(port);
    a.request("play");
    hold_model_until_queued(3, [this] { network->enable_network_check.set_checked(false); });
    a.send("get_ra_dec\r\n");
    b.send("get_info\r\n");
    c.send("connected\r\n");
    EXPECT_TRUE(a.closed_within());
    EXPECT_TRUE(b.closed_within());
    EXPECT_TRUE(c.closed_within());
    EXPECT_FALSE(on_model([this] { return network->server_active() || network->processor.client_playing; }));
}

TEST_F(server_lifecycle, a_client_gone_before_its_reply_disturbs_nobody) {
    const int port = listen();
    tcp_test_client leaving(port), staying(port);
    staying.request("play");
    hold_model_until_queued(1, [&] { leaving.close(); });
    leaving.send("get_ra_dec\r\n");
    EXPECT_EQ(staying.request("get_ra_dec"), "ok=(ra=12.1483333333333,dec=42.1497222222222)");
    EXPECT_TRUE(on_model([this] { return network->server_active(); }));
}

} // namespace
