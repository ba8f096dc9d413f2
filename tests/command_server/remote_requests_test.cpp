// Requests from clients over real sockets on 127.0.0.1: the gate, the line
// framing, and what a misbehaving client can and cannot do to the others.
#include <gtest/gtest.h>

#include <regex>

#include "tests/command_server/network_fixture.h"

namespace {

using namespace std::chrono_literals;

struct remote_requests : network_fixture {
    int port = -1;
    void SetUp() override {
        serve();
        port = listen();
        ASSERT_GT(port, 0);
    }
};

TEST_F(remote_requests, nothing_reaches_the_scope_until_play_and_after_bored) {
    settings.scope_type = configuration_settings::autostar;
    tcp_test_client client(port);
    EXPECT_EQ(client.request("get_info"), "fail");
    EXPECT_EQ(on_model([this] { return int(network->processor.send_message_check("get_ra_dec")); }), 4);
    EXPECT_EQ(client.request("play"), "ok=(model=1)");
    EXPECT_EQ(client.request("get_info"), "ok=(name=AutoStar,can_query=true,can_sync=true,can_goto=true,"
                                          "can_slew=true,can_focus=true,can_track=true,focus_speeds=2)");
    // The claim is the server's, not the client's: panels pass too.
    EXPECT_EQ(on_model([this] { return int(network->processor.send_message_check("get_ra_dec")); }), 1);
    tcp_test_client other(port);
    EXPECT_EQ(other.request("get_ra_dec"), "ok=(ra=12.1483333333333,dec=42.1497222222222)");
    EXPECT_EQ(client.request("bored"), "ok");
    EXPECT_EQ(client.request("get_info"), "fail");
    EXPECT_EQ(client.request("bored"), "fail");
}

TEST_F(remote_requests, replies_and_their_framing_byte_for_byte) {
    tcp_test_client client(port);
    client.request("play");
    EXPECT_EQ(client.request("GOTO(ra=1,dec=2)"), "fail");
    EXPECT_EQ(client.request("goto(ra=12.5, dec=42.1)"), "fail");
    EXPECT_EQ(client.request("goto(RA=12.5,DEC=42.1)"), "ok");
    EXPECT_EQ(client.request(" \tconnected  "), "ok=(connected=true)");
    // A malformed list: its own CR LF, then the writer's.
    EXPECT_EQ(client.request("goto(ra=12.5,dec=42.1"), "No closing )");
    EXPECT_EQ(client.request("goto("), "No closing )");
    // "ok" and the empty line get nothing: the next reply is the first one back.
    client.send("ok\r\n\r\nconnected\r\n");
    EXPECT_EQ(client.line(), "ok=(connected=true)");
    EXPECT_EQ(client.line(), "");
    // An LF alone does not end a line; its text starts the next request.
    client.send("connected\n");
    EXPECT_TRUE(client.silent_for(100ms));
    client.send("\r\n");
    EXPECT_EQ(client.line(), "ok=(connected=true)");
    EXPECT_EQ(client.line(), "");
    client.send("get_in\n");
    EXPECT_EQ(client.request("fo"), "fail");
}

TEST_F(remote_requests, a_line_of_240_characters_is_served_and_one_of_241_ends_the_connection) {
    tcp_test_client client(port);
    client.request("play");
    const std::string line_240 = "get_info(" + std::string(230, 'x') + ")";
    ASSERT_EQ(line_240.size(), 240u);
    EXPECT_TRUE(client.request(line_240).starts_with("ok=(name="));
    client.send(line_240 + "y\r\n");
    EXPECT_TRUE(client.closed_within());
    // Bytes without any end cannot pile up either.
    tcp_test_client endless(port);
    endless.send(std::string(241, 'z'));
    EXPECT_TRUE(endless.closed_within());
    tcp_test_client next(port);
    EXPECT_EQ(next.request("connected"), "ok=(connected=true)");
}

TEST_F(remote_requests, set_observer_with_a_word_for_a_number_closes_only_that_client) {
    tcp_test_client bad(port), good(port);
    good.request("play");
    EXPECT_EQ(good.request("set_observer(lat=52.5,long=-1.25)"), "ok");
    bad.send("set_observer(lat=north,long=1)\r\n");
    EXPECT_TRUE(bad.closed_within());
    EXPECT_EQ(good.request("get_ra_dec"), "ok=(ra=12.1483333333333,dec=42.1497222222222)");
    EXPECT_TRUE(on_model([this] { return network->server_active(); }));
}

TEST_F(remote_requests, switching_the_network_off_ends_every_connection_and_the_claim) {
    tcp_test_client client(port);
    client.request("play");
    on_model([this] { network->enable_network_check.set_checked(false); });
    EXPECT_TRUE(client.closed_within());
    EXPECT_FALSE(on_model([this] { return network->processor.client_playing; }));
    EXPECT_FALSE(on_model([this] { return network->server_active(); }));
    EXPECT_TRUE(on_model([this] { return network->processor.local_control; }));
    EXPECT_EQ(log_lines().back(), "Server stopped");

    const int again = listen();
    tcp_test_client next(again);
    EXPECT_EQ(next.request("get_info"), "fail");
}

TEST_F(remote_requests, a_remote_get_ra_dec_leaves_an_indented_block_in_the_status_log) {
    tcp_test_client client(port);
    client.request("play");
    on_model([this] {
        network->messages_buttonClick();
        network->status_log.clear();
    });
    client.send("\r\n"); // no line at all for an empty one
    EXPECT_EQ(client.request("get_ra_dec"), "ok=(ra=12.1483333333333,dec=42.1497222222222)");
    const std::vector<std::string> lines = log_lines();
    ASSERT_EQ(lines.size(), 7u);
    const std::regex start("start remote command : \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d");
    const std::regex end("end remote command : \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d");
    EXPECT_TRUE(std::regex_match(lines[0], start)) << lines[0];
    EXPECT_EQ(lines[1], "  process_input >>");
    EXPECT_EQ(lines[2], "    get_ra_dec : ");  // the processor's header
    EXPECT_EQ(lines[3], "    get_ra_dec : ");  // the link's own
    EXPECT_EQ(lines[4], "    (ra=12.1483333333333,dec=42.1497222222222)");
    EXPECT_EQ(lines[5], "  << process_input");
    EXPECT_TRUE(std::regex_match(lines[6], end)) << lines[6];
}

} // namespace
