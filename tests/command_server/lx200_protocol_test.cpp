// The LX200 endpoint's answers with no socket: the framing of a client's
// bytes, each command's answer byte for byte, the operations it runs, the
// shared target and precision, the position cache on the manual clock, and
// the gate.
#include <gtest/gtest.h>

#include "command_server/lx200_framing.h"
#include "command_server/lx200_protocol.h"
#include "tests/command_server/processor_fixture.h"

namespace {

TEST(lx200_framing, commands_are_cut_at_hash_whatever_the_packets) {
    lx200_framer framer;
    EXPECT_EQ(framer.feed(":RS#:GD#"), (std::vector<std::string>{"RS", "GD"}));
    // Stellarium's leading "#", a command across two reads, ACK alone.
    EXPECT_EQ(framer.feed("#:GR#:Sr12:3"), std::vector<std::string>{"GR"});
    EXPECT_EQ(framer.feed("0:00#\x06"), (std::vector<std::string>{"Sr12:30:00", "\x06"}));
    // Junk between commands, line ends and a lone "#" mean nothing.
    EXPECT_EQ(framer.feed(std::string("\r\nxyz##\0:GR#", 12)), std::vector<std::string>{"GR"});
    // A frame of 64 bytes is taken; a longer one goes up to its "#".
    EXPECT_EQ(framer.feed(":" + std::string(64, 'a') + "#"), std::vector<std::string>{std::string(64, 'a')});
    EXPECT_TRUE(framer.feed(":" + std::string(65, 'a')).empty());
    EXPECT_EQ(framer.feed("aaa:GR#:GD#"), std::vector<std::string>{"GD"});
}

struct lx200_protocol_test : processor_fixture {
    lx200_settings options;
    lx200_protocol protocol{processor, teller, panels, logger, clock, options};
    lx200_client client{"127.0.0.1:40000"};

    lx200_protocol_test() {
        protocol.version = "1.2.3";
        // Noon, 11 December 2026, universal time.
        protocol.universal_time = [] { return std::time_t(1796990400); };
        EXPECT_EQ(request("connect"), "ok");
        operations.clear();
        processor.local_control = false; // the network is on
    }

    std::optional<std::string> ask(std::string_view command) { return protocol.answer(command, client); }
};

TEST_F(lx200_protocol_test, every_command_answers_as_a_meade_does) {
    struct row {
        const char* command;
        std::optional<std::string> answer;
        std::vector<std::string> operations;
    };
    const std::optional<std::string> none;
    const row rows[] = {
        {"\x06", "A", {}}, // an AutoStar
        {"GR", "12:08:54#", {"get_ra_dec"}},
        {"GD", "+42\xDF" "08:59#", {}},
        {"GA", "+15\xDF" "46:12#", {"get_az_alt"}},
        {"GZ", "329\xDF" "27:27#", {}},
        {"Sr12:30:00", "1", {}},
        {"Sd+42*06:00", "1", {}},
        {"MS", "0", {"goto_ra_dec(ra=12.5,dec=42.1)"}},
        {"CM", " Coordinates     matched.        #", {"align(ra=12.5,dec=42.1)"}},
        {"Sr 25:00:00", "0", {}},
        {"Sr12:60:00", "0", {}},
        {"Sd+91*00:00", "0", {}},
        {"Sdnorth", "0", {}},
        {"D", "#", {"stopped"}}, // the test scope is never moving
        {"Q", none, {"stop_all"}},
        {"Mn", none, {"move_north"}},
        {"Qw", none, {"stop_west"}},
        {"RC", none, {"speed_center"}},
        {"RS", none, {"speed_slew"}},
        {"Gt", "+51\xDF" "00#", {}},
        {"Gg", "004\xDF" "00#", {}},
        {"GG", "+00#", {}},
        {"GL", "12:00:00#", {}},
        {"GC", "12/11/26#", {}},
        {"Gc", "24#", {}},
        {"GVP", "AutoStar#", {}},
        {"GVN", "1.2.3#", {}},
        {"St+52*10", "1", {}},
        {"Sg355*30", "1", {}},
        {"SG-01", "1", {}},
        {"St+95*00", "0", {}},
        {"SL21:30:00", "1", {}},
        {"SL25:00:00", "0", {}},
        {"SC12/11/26", "1Updating Planetary Data#                              #", {}},
        {"SC13/40/26", "0", {}},
        {"ED", none, {}},
        {"", none, {}},
    };
    for (const row& r : rows) {
        operations.clear();
        EXPECT_EQ(ask(r.command), r.answer) << r.command;
        EXPECT_EQ(operations, r.operations) << r.command;
    }
    EXPECT_EQ(panels.locations_set, (std::vector<std::vector<double>>{
                                        {52 + 10 / 60.0, 4, 0}, {51, 355.5, 0}, {51, 4, 1}}));
}

TEST_F(lx200_protocol_test, precision_and_target_are_the_endpoints_not_a_connections) {
    lx200_client other{"127.0.0.1:40001"};
    EXPECT_EQ(protocol.answer("Sr01:02:03", client), "1");
    EXPECT_EQ(protocol.answer("Sd-05*30:00", other), "1");
    EXPECT_EQ(protocol.answer("MS", other), "0");
    EXPECT_EQ(operations.back(), "goto_ra_dec(ra=1.03416666666667,dec=-5.5)");

    EXPECT_EQ(protocol.answer("U", client), std::nullopt);
    EXPECT_EQ(protocol.answer("GR", other), "12:08.9#");
    EXPECT_EQ(protocol.answer("GD", other), "+42\xDF" "09#"); // 08:59, to the nearest minute
    EXPECT_EQ(protocol.answer("GZ", other), "329\xDF" "27#");
    // Low-precision targets are read too.
    EXPECT_EQ(protocol.answer("Sr12:30.5", other), "1");
    EXPECT_EQ(protocol.answer("Sd+42*06", other), "1");
    EXPECT_EQ(protocol.answer("MS", client), "0");
    EXPECT_EQ(operations.back(), "goto_ra_dec(ra=12.5083333333333,dec=42.1)");
}

TEST_F(lx200_protocol_test, polls_within_the_age_share_one_read_of_the_scope) {
    lx200_client second{"b"}, third{"c"};
    for (lx200_client* c : {&client, &second, &third}) {
        EXPECT_EQ(protocol.answer("GR", *c), "12:08:54#");
        EXPECT_EQ(protocol.answer("GD", *c), "+42\xDF" "08:59#");
    }
    clock.advance(milliseconds(249));
    protocol.answer("GR", second);
    EXPECT_EQ(operations, std::vector<std::string>{"get_ra_dec"});
    clock.advance(milliseconds(1));
    protocol.answer("GR", third);
    EXPECT_EQ(operations, (std::vector<std::string>{"get_ra_dec", "get_ra_dec"}));
    // A goto moves the scope: the next poll reads it anew.
    protocol.answer("Sr01:00:00", client);
    protocol.answer("Sd+01*00:00", client);
    protocol.answer("MS", client);
    protocol.answer("GR", client);
    EXPECT_EQ(operations.back(), "get_ra_dec");
}

TEST_F(lx200_protocol_test, a_refused_goto_answers_one_and_a_reason) {
    protocol.answer("Sr01:00:00", client);
    protocol.answer("Sd+01*00:00", client);
    teller.answer = [](std::string_view, tscope_object&) { return std::string("fail : "); };
    EXPECT_EQ(ask("MS"), "1Slew refused#");
    teller.answer = [](std::string_view, tscope_object&) { return std::string("fail : read from scope failed"); };
    EXPECT_EQ(ask("MS"), "1read from scope failed#");
    lx200_protocol fresh{processor, teller, panels, logger, clock, options};
    EXPECT_EQ(fresh.answer("MS", client), "1No target set#");
    EXPECT_TRUE(operations.size() == 2);
}

TEST_F(lx200_protocol_test, a_command_that_reaches_the_scope_plays_and_says_so_once) {
    EXPECT_EQ(ask("\x06"), "A");
    EXPECT_EQ(ask("Sr01:00:00"), "1");
    EXPECT_FALSE(processor.client_playing);
    ask("GR");
    ask("GD");
    EXPECT_TRUE(processor.client_playing);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "LX200 client 127.0.0.1:40000 : play"), 1);
    // "bored" from one of our clients takes control back until the next one.
    EXPECT_EQ(request("bored"), "ok");
    EXPECT_FALSE(processor.client_playing);
    ask("Q");
    EXPECT_TRUE(processor.client_playing);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "LX200 client 127.0.0.1:40000 : play"), 1);
}

TEST_F(lx200_protocol_test, the_first_command_to_reach_the_scope_connects_it) {
    processor.local_control = true;
    EXPECT_EQ(request("disconnect"), "ok");
    processor.local_control = false;
    operations.clear();
    EXPECT_EQ(ask("GR"), "12:08:54#");
    EXPECT_EQ(operations, (std::vector<std::string>{"connect", "get_ra_dec"}));
}

TEST_F(lx200_protocol_test, the_mount_mode_follows_the_model_unless_a_key_says_otherwise) {
    panels.index = 0;
    EXPECT_EQ(ask("\x06"), "P");
    options.mount_mode = "L";
    EXPECT_EQ(ask("\x06"), "L");
}

} // namespace
