// Planetarium programs over real sockets, with the fake LX200 behind the
// real termios link: what SkySafari, Stellarium and INDI's LX200 drivers
// send on connect, poll, goto, sync, slew, stop and site set, each answer
// byte for byte, and the commands that reach the scope; the shared target,
// the position cache, the gate beside our own clients, and bad bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "tests/command_server/network_fixture.h"
#include "tests/fixtures/fake_lx200.h"

namespace {

using namespace std::chrono_literals;

struct attached_lx200 {
    std::unique_ptr<fake_lx200> scope = std::make_unique<fake_lx200>(lx200_model::lx200);
};

struct lx200_endpoint_test : attached_lx200, network_fixture {
    int port = -1;       // our own clients
    int lx200_port = -1; // planetarium programs

    lx200_endpoint_test()
        : network_fixture("[config]\nscope_enabled=1\nscope_type=1\n"
                          "[comms]\ntimeout=300\ninterval=30\n"
                          "[lx200]\nenabled=1\naddress=127.0.0.1\nport=0\nposition_age=2000\n"
                          "[serial_devices]\nCOM1=" + scope->device_path() + "\n") {
        scope->set_position({12 + 8 / 60.0 + 54 / 3600.0, 42 + 8 / 60.0 + 59 / 3600.0, 15.77, 329.4575});
    }

    void SetUp() override {
        serve();
        port = listen();
        ASSERT_GT(port, 0);
        lx200_port = on_model([this] { return network->lx200_port().value_or(-1); });
        ASSERT_GT(lx200_port, 0);
    }

    // The commands the scope received after the first `from`.
    std::vector<std::string> commands_after(std::size_t from) const {
        const std::vector<std::string> all = scope->commands();
        return {all.begin() + std::ptrdiff_t(std::min(from, all.size())), all.end()};
    }

    // Sends the bytes and reads exactly the answer expected.
    static std::string exchange(tcp_test_client& client, const std::string& sent, std::size_t answer_size) {
        client.send(sent);
        return client.bytes(answer_size).value_or("<none>");
    }
};

// One exchange of a client's session: what it sends and the answer it reads.
struct step {
    std::string sent;
    std::string answer;
};

void replay(tcp_test_client& client, const std::vector<step>& session) {
    for (const step& s : session) {
        EXPECT_EQ(lx200_endpoint_test::exchange(client, s.sent, s.answer.size()), s.answer) << s.sent;
    }
    // Nothing more than what each command answers.
    EXPECT_TRUE(client.silent_for(100ms));
}

TEST_F(lx200_endpoint_test, skysafari_polls_goes_to_a_target_nudges_and_sets_the_site) {
    tcp_test_client client(lx200_port);
    const std::size_t before = scope->commands().size();
    replay(client, {
        {":RS#:GD#", "+42\xDF" "08:59#"}, // two commands in one packet
        {":GR#", "12:08:54#"},
        {":Sr12:30:00#:Sd+42*06:00#", "11"},
        {":MS#", "0"},
        {":D#", "#"},
        {":Mn#:Qn#:Me#:Qe#:RG#", ""},
        {":St+52*10#:Sg004*30#:SG-01#", "111"},
        {":SL21:30:00#:SC12/11/26#", "11Updating Planetary Data#                              #"},
    });
    // The connect of the first command, then what each command sends.
    const std::vector<std::string> sent = commands_after(before);
    const std::vector<std::string> expected{"GR", "GD", "GR", "RS", "GR", "GD", "Sr12:30:00", "Sd+42\xDF" "06:00",
                                            "MS", "D", "Mn", "Qn", "Me", "Qe", "RG"};
    EXPECT_EQ(sent, expected);
}

TEST_F(lx200_endpoint_test, stellarium_polls_with_a_leading_hash_and_syncs) {
    tcp_test_client client(lx200_port);
    replay(client, {
        {"#:GR#", "12:08:54#"},
        {"#:GD#", "+42\xDF" "08:59#"},
        {"#:Q#:Sr01:02:03#:Sd-05*30:00#:CM#", "11 M31 EX GAL MAG 3.5 SZ178.0'#"},
        // The sync moved the scope to the target; low precision from here.
        {"#:U#:GR#", "01:02.1#"},
    });
    const std::vector<std::string> all = scope->commands();
    EXPECT_NE(std::find(all.begin(), all.end(), "CM"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "Q"), all.end());
}

TEST_F(lx200_endpoint_test, indi_standard_lx200_handshake_and_site_queries) {
    tcp_test_client client(lx200_port);
    replay(client, {
        {"\x06", "P"},
        {"\x06", "P"},
        {":GR#", "12:08:54#"},
        {":Gc#", "24#"},
        {":GM#", "ORB#"},
        {":GT#", "60.1#"},
        {":GG#", "+00#"},
        {":Gt#", "+51\xDF" "00#"},
        {":Gg#", "004\xDF" "00#"},
        {":D#", "#"},
    });
    // The time and the date are the clock's: only their form is fixed.
    client.send(":GL#:GC#");
    const std::string time_and_date = client.bytes(18).value_or("");
    ASSERT_EQ(time_and_date.size(), 18u);
    EXPECT_EQ(time_and_date[2], ':');
    EXPECT_EQ(time_and_date[8], '#');
    EXPECT_EQ(time_and_date[11], '/');
    EXPECT_EQ(time_and_date[17], '#');
}

TEST_F(lx200_endpoint_test, the_target_is_the_endpoints_and_polls_share_one_read) {
    {
        tcp_test_client first(lx200_port);
        EXPECT_EQ(exchange(first, ":Sr10:30:00#", 1), "1");
    }
    {
        tcp_test_client second(lx200_port);
        EXPECT_EQ(exchange(second, ":Sd+20*15:00#", 1), "1");
    }
    const std::size_t before = scope->commands().size();
    tcp_test_client a(lx200_port), b(lx200_port), c(lx200_port);
    for (tcp_test_client* client : {&a, &b, &c}) {
        EXPECT_EQ(exchange(*client, ":GR#:GD#", 19), "12:08:54#+42\xDF" "08:59#");
    }
    // Three clients polling within the age cost the line one read (and the
    // connect of the first).
    const std::vector<std::string> polls = commands_after(before);
    EXPECT_EQ(std::count(polls.begin(), polls.end(), "GD"), 2);
    EXPECT_EQ(exchange(c, ":MS#", 1), "0");
    EXPECT_EQ(commands_after(before).back(), "MS");
    const std::vector<std::string> all = scope->commands();
    EXPECT_NE(std::find(all.begin(), all.end(), "Sr10:30:00"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "Sd+20\xDF" "15:00"), all.end());
}

TEST_F(lx200_endpoint_test, a_goto_and_our_clients_stopped_agree_and_a_refused_goto_says_why) {
    scope->set_slew_polls(2);
    tcp_test_client planetarium(lx200_port), ours(port);
    EXPECT_EQ(exchange(planetarium, ":Sr10:30:00#:Sd+20*15:00#:MS#", 3), "110");
    // The LX200 command played: our client's requests pass the gate too.
    EXPECT_EQ(ours.request("stopped"), "ok=(moving=true)");
    EXPECT_EQ(exchange(planetarium, ":D#", 2), "|#");
    EXPECT_EQ(exchange(planetarium, ":D#", 1), "#");
    EXPECT_EQ(ours.request("stopped"), "ok=(moving=false)");

    scope->refuse_slews("Object Below Horizon");
    EXPECT_EQ(exchange(planetarium, ":MS#", 22), "1Object Below Horizon#");
}

TEST_F(lx200_endpoint_test, bored_takes_control_back_until_the_next_lx200_command) {
    tcp_test_client planetarium(lx200_port), ours(port);
    EXPECT_EQ(ours.request("get_info").substr(0, 4), "fail");
    EXPECT_EQ(exchange(planetarium, ":GR#", 9), "12:08:54#");
    EXPECT_EQ(ours.request("connected"), "ok=(connected=true)");
    EXPECT_EQ(ours.request("bored"), "ok");
    EXPECT_EQ(ours.request("connected"), "fail");
    EXPECT_EQ(exchange(planetarium, ":Q#:GR#", 9), "12:08:54#");
    EXPECT_EQ(ours.request("connected"), "ok=(connected=true)");
    const std::vector<std::string> lines = log_lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find(" : play") != std::string::npos; }),
              1);
}

TEST_F(lx200_endpoint_test, unknown_commands_junk_and_a_vanished_client_harm_nothing) {
    tcp_test_client client(lx200_port);
    client.send(":ED#xyz\r\n\x01##:" + std::string(100, 'a') + "#");
    EXPECT_TRUE(client.silent_for(200ms));
    {
        tcp_test_client gone(lx200_port);
        gone.send(":Sr12:3"); // and away, mid-command
    }
    EXPECT_EQ(exchange(client, ":GR#", 9), "12:08:54#");
    std::vector<std::unique_ptr<tcp_test_client>> many;
    for (int i = 0; i < 8; ++i) many.push_back(std::make_unique<tcp_test_client>(lx200_port));
    for (auto& other : many) EXPECT_EQ(exchange(*other, ":GVP#", 6), "LX200#");
    const std::vector<std::string> lines = log_lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.find("LX200 client #2 disconnected") != std::string::npos; }));
}

} // namespace
