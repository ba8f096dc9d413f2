// Many clients at once, each with a long pipeline of mixed requests: every
// reply must come back right and in order on its own connection.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/command_server/network_fixture.h"

namespace {

struct exchange {
    const char* request;
    const char* reply; // nullptr: none expected
};

const exchange mix[] = {
    {"get_ra_dec", "ok=(ra=12.1483333333333,dec=42.1497222222222)"},
    {"connected", "ok=(connected=true)"},
    {"get_az_alt", "ok=(alt=15.77,az=329.4575)"},
    {"nonsense", "fail"},
    {"ok", nullptr},
    {"goto(ra=1", "No closing )"},
    {"stopped", "ok=(moving=false)"},
    {"", nullptr},
    {"goto(ra=12.5,dec=42.1)", "ok"},
    {"get_info", "ok=(name=AutoStar,can_query=true,can_sync=true,can_goto=true,can_slew=true,"
                 "can_focus=true,can_track=true,focus_speeds=2)"},
};
constexpr std::size_t mix_size = sizeof mix / sizeof mix[0];

struct load : network_fixture {};

TEST_F(load, thirty_two_clients_with_two_thousand_pipelined_requests_each_get_every_reply_in_order) {
    constexpr int clients = 32;
    constexpr int requests = 2000;
    settings.scope_type = configuration_settings::autostar;
    serve();
    const int port = listen();
    {
        tcp_test_client first(port);
        ASSERT_EQ(first.request("play"), "ok=(model=1)");
    }

    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int k = 0; k < clients; ++k) {
        threads.emplace_back([&, k] {
            tcp_test_client client(port);
            // Each client its own order, so that a reply sent to the wrong
            // connection or out of turn shows.
            const auto pick = [k](int i) -> const exchange& { return mix[std::size_t(i * 7 + k) % mix_size]; };
            std::thread writer([&] {
                for (int i = 0; i < requests; ++i) client.send(std::string(pick(i).request) + "\r\n");
            });
            for (int i = 0; i < requests; ++i) {
                const exchange& e = pick(i);
                if (!e.reply) continue;
                const std::optional<std::string> reply = client.line();
                const std::optional<std::string> blank = client.line();
                if (reply != e.reply || blank != "") ++wrong;
                // Nothing more coming: stop waiting for it.
                if (!reply || !blank) break;
            }
            writer.join();
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(on_model([this] { return network->server_active(); }));
}

} // namespace
