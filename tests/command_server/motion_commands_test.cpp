// The motion commands on the processor with fake panels: the sizes of
// window steps and distance moves, the labels' senses, the wrap of right
// ascension and the clamp of declination, the pole guard, refused targets
// and what each does to the search panel's poll and the slew panel's flag.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <regex>

#include "tests/command_server/processor_fixture.h"

namespace {

struct motion : processor_fixture {
    double ra = 0, dec = 0;
    bool refuse_goto = false;
    std::optional<double> target_ra, target_dec;

    motion() {
        teller.answer = [this](std::string_view operation, tscope_object& result) -> std::string {
            if (operation == "get_ra_dec") {
                result.ra = ra;
                result.dec = dec;
                return "ok";
            }
            std::cmatch m;
            static const std::regex go(R"(goto_ra_dec\(ra=([^,]*),dec=([^)]*)\))");
            if (std::regex_match(operation.begin(), operation.end(), m, go)) {
                target_ra = std::stod(m[1]);
                target_dec = std::stod(m[2]);
                return refuse_goto ? "fail : " : "ok";
            }
            return "ok";
        };
    }

    void at(double r, double d) {
        ra = r;
        dec = d;
        target_ra.reset();
        target_dec.reset();
        operations.clear();
        panels.timer_calls.clear();
    }
};

TEST_F(motion, window_steps_are_a_camera_field_less_the_overlap) {
    // 320 x 240, 20 % overlap, 30 arc-seconds per pixel.
    struct step_case {
        const char* command;
        double dec, expect_ra, expect_dec;
    } cases[] = {
        {"move_screen_left", 0, 12 + 0.142458, 0},
        {"move_screen_right", 0, 12 - 0.142458, 0},
        {"move_screen_left", 60, 12 + 0.283678, 60},
        {"move_screen_up", 0, 12, 1.6},
        {"move_screen_down", 10, 12, 8.4},
    };
    for (const step_case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " at dec " + std::to_string(c.dec));
        at(12, c.dec);
        EXPECT_EQ(request(c.command), "ok");
        ASSERT_TRUE(target_ra);
        EXPECT_NEAR(*target_ra, c.expect_ra, 5e-7);
        EXPECT_NEAR(*target_dec, c.expect_dec, 1e-9);
        // Under local control the poll is stopped first and started after.
        EXPECT_EQ(panels.timer_calls, (std::vector<std::string>{"disable", "enable"}));
    }
    // A window step does not wrap.
    at(23.95, 0);
    request("move_screen_left");
    EXPECT_NEAR(*target_ra, 24.092458, 5e-7);
}

TEST_F(motion, distance_moves_follow_the_labels_wrap_and_clamp) {
    struct distance_case {
        const char* command;
        double ra, dec;
        const char* north;
        const char* west;
        const char* east;
        double expect_ra, expect_dec;
    } cases[] = {
        {"move_right(distance=15)", 23.5, 0, "N", "W", "E", 0.501657, 0},
        {"move_right(distance=15)", 1.5, 0, "N", "E", "W", 0.498343, 0},
        {"move_left(distance=15)", 0.5, 0, "N", "W", "E", 23.498343, 0},
        {"move_left(distance=15)", 23.5, 0, "N", "E", "W", 0.501657, 0},
        {"move_up(distance=2)", 5, 89, "N", "W", "E", 5, 90},
        {"move_up(distance=2)", 5, 89, "S", "W", "E", 5, 87},
        {"move_down(distance=2)", 5, -89, "N", "W", "E", 5, -90},
        {"move_down(distance=2)", 5, 10, "S", "W", "E", 5, 12},
        // P at the signed declination: 1 degree at -60 is 0.328734 h.
        {"move_right(distance=1)", 6, -60, "N", "W", "E", 6.328734, -60},
        // One sixtieth as the slew panel writes it.
        {"move_up(distance=0.0166666666666667)", 5, 0, "N", "W", "E", 5, 1 / 60.0},
    };
    for (const distance_case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.north + c.west + c.east);
        at(c.ra, c.dec);
        panels.north = c.north;
        panels.west = c.west;
        panels.east = c.east;
        EXPECT_EQ(request(c.command), "ok");
        ASSERT_TRUE(target_ra);
        // The examples are given to six decimals.
        EXPECT_NEAR(*target_ra, c.expect_ra, 2e-6);
        EXPECT_NEAR(*target_dec, c.expect_dec, 1e-9);
    }
}

TEST_F(motion, a_distance_that_is_not_positive_moves_nothing_and_says_so) {
    logger.message_logging = true;
    for (const char* command : {"move_left(distance=0)", "move_left(distance=abc)", "move_left", "move_left(distance=-2)"}) {
        SCOPED_TRACE(command);
        at(3, 4);
        shown.clear();
        EXPECT_EQ(request(command), "ok");
        EXPECT_EQ(operations, (std::vector<std::string>{"get_ra_dec"}));
        EXPECT_NE(std::find(shown.begin(), shown.end(), "    west - wrong parameter"), shown.end()) << shown.size();
        // The poll was stopped and is not started again.
        EXPECT_EQ(panels.timer_calls, (std::vector<std::string>{"disable"}));
    }
}

TEST_F(motion, a_refused_target_fails_and_clears_the_busy_flag) {
    logger.message_logging = true;
    refuse_goto = true;
    at(3, 4);
    panels.busy = true;
    // The fake's disable_timer clears the flag as the panel's does: set it after.
    panels.timer_calls.clear();
    processor.local_control = false;
    processor.client_playing = true;
    shown.clear();
    EXPECT_EQ(request("move_up(distance=1)"), "fail");
    EXPECT_FALSE(panels.busy);
    // A remote client's move leaves the poll alone.
    EXPECT_TRUE(panels.timer_calls.empty());
    EXPECT_NE(std::find(shown.begin(), shown.end(), "    north - failed to move scope"), shown.end());

    panels.busy = true;
    EXPECT_EQ(request("move_screen_left"), "fail");
    EXPECT_FALSE(panels.busy);

    // An accepted one leaves it set.
    refuse_goto = false;
    panels.busy = true;
    EXPECT_EQ(request("move_screen_left"), "ok");
    EXPECT_TRUE(panels.busy);
    EXPECT_TRUE(panels.timer_calls.empty());
}

TEST_F(motion, a_position_that_cannot_be_read_moves_nothing) {
    logger.message_logging = true;
    teller.answer = [](std::string_view, tscope_object&) { return std::string("fail : read from scope failed"); };
    EXPECT_EQ(request("move_screen_up"), "fail : read from scope failed");
    EXPECT_EQ(request("move_down(distance=1)"), "fail : read from scope failed");
    EXPECT_NE(std::find(shown.begin(), shown.end(), "    south - failed to read position"), shown.end());
    EXPECT_EQ(operations, (std::vector<std::string>{"get_ra_dec", "get_ra_dec"}));
}

TEST_F(motion, sideways_moves_at_the_pole_are_refused) {
    logger.message_logging = true;
    for (const char* command : {"move_screen_left", "move_screen_right", "move_left(distance=1)", "move_right(distance=1)"}) {
        for (double d : {89.97, 90.0, -89.99}) {
            SCOPED_TRACE(std::string(command) + " at " + std::to_string(d));
            at(3, d);
            panels.busy = true;
            EXPECT_EQ(request(command), "fail");
            EXPECT_EQ(operations, (std::vector<std::string>{"get_ra_dec"}));
            EXPECT_FALSE(panels.busy);
        }
    }
    // Just short of the root of the cubic the step is large but finite.
    at(3, 89.96);
    EXPECT_EQ(request("move_screen_left"), "ok");
    ASSERT_TRUE(target_ra);
    EXPECT_GT(*target_ra, 3);
    // Up and down still move there.
    at(3, 89.99);
    EXPECT_EQ(request("move_down(distance=1)"), "ok");
    EXPECT_NEAR(*target_dec, 88.99, 1e-9);
}

TEST_F(motion, the_factor_matches_its_cosine_table) {
    const declination_factor p;
    EXPECT_NEAR(double(p.at(0)), 99.83, 0.005);
    EXPECT_NEAR(double(p.at(60)), 50.14, 0.005);
    EXPECT_NEAR(double(p.at(89)), 1.74, 0.005);
    EXPECT_NEAR(double(p.at(-60)), 20.28, 0.005);
    EXPECT_GT(double(p.at(89.96)), 0);
    EXPECT_LT(double(p.at(89.97)), 0);
}

} // namespace
