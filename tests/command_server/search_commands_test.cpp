// The ring search on the processor with fake panels: the boxes and the
// walk of the first ring, fall_in and break_out to the second, the side
// pictures, the replies, the reset, and the guard against edges that would
// overflow.
#include <gtest/gtest.h>

#include <utility>

#include "tests/command_server/processor_fixture.h"

namespace {

struct search : processor_fixture {
    // The steps the telescope made, read from the targets: l, r, u, d.
    std::string steps;
    double ra = 6, dec = 10;

    search() {
        teller.answer = [this](std::string_view operation, tscope_object& result) -> std::string {
            if (operation == "get_ra_dec") {
                result.ra = ra;
                result.dec = dec;
            } else if (operation.starts_with("goto_ra_dec(")) {
                double r = 0, d = 0;
                std::sscanf(std::string(operation).c_str(), "goto_ra_dec(ra=%lf,dec=%lf)", &r, &d);
                steps += r > ra ? "l" : r < ra ? "r" : d > dec ? "u" : "d";
            }
            return "ok";
        };
        EXPECT_EQ(request("reset_search"), "ok");
    }

    std::pair<double, double> at() const { return {processor.search.search_x, processor.search.search_y}; }
};

TEST_F(search, reset_makes_the_first_field_and_stops_the_poll) {
    const search_box& root = processor.search.root_box();
    EXPECT_EQ(root.level, 0);
    EXPECT_EQ(root.top_edge, -120);
    EXPECT_EQ(root.left_edge, -160);
    EXPECT_EQ(root.right_edge, 160);
    EXPECT_EQ(root.bottom_edge, 120);
    EXPECT_EQ(panels.timer_calls, (std::vector<std::string>{"stop"}));
    EXPECT_TRUE(operations.empty());
    // With the slew panel busy, the poll is ended as a stopped scope would end it.
    panels.busy = true;
    panels.timer_calls.clear();
    request("reset_search");
    EXPECT_FALSE(panels.busy);
    EXPECT_EQ(panels.timer_calls, (std::vector<std::string>{"disable", "stop"}));
}

TEST_F(search, nothing_walks_before_the_first_ring) {
    for (const char* command : {"clockwise", "counter", "fall_in"}) EXPECT_EQ(request(command), "ok") << command;
    EXPECT_TRUE(operations.empty());
    EXPECT_TRUE(panels.glyphs.empty());
}

TEST_F(search, the_first_ring_walked_clockwise_and_back_in) {
    EXPECT_EQ(request("break_out"), "ok=(button=south)");
    const search_box& ring = processor.search.current_box();
    EXPECT_EQ(ring.level, 1);
    EXPECT_EQ(ring.top_edge, -312);
    EXPECT_EQ(ring.left_edge, -416);
    EXPECT_EQ(ring.right_edge, 416);
    EXPECT_EQ(ring.bottom_edge, 312);
    EXPECT_EQ(at(), std::make_pair(0.0, 192.0));
    EXPECT_EQ(steps, "d");

    struct walk {
        double x, y;
        const char* reply;
    } expected[] = {
        {-256, 192, "ok"}, {-256, 0, "ok=(button=west)"}, {-256, -192, "ok"}, {0, -192, "ok=(button=north)"},
        {256, -192, "ok"}, {256, 0, "ok=(button=east)"},  {256, 192, "ok"},   {0, 192, "ok=(button=south)"},
    };
    for (const walk& w : expected) {
        EXPECT_EQ(request("clockwise"), w.reply);
        EXPECT_EQ(at(), std::make_pair(w.x, w.y));
    }
    EXPECT_EQ(steps, "dluurrddl");
    EXPECT_EQ(panels.glyphs, (std::vector<std::string>{"SOUTH_CLOCK", "WEST_CLOCK", "NORTH_CLOCK", "EAST_CLOCK",
                                                       "SOUTH_CLOCK"}));

    EXPECT_EQ(request("fall_in"), "ok");
    EXPECT_EQ(at(), std::make_pair(0.0, 0.0));
    EXPECT_EQ(processor.search.current_box().level, 0);
    EXPECT_EQ(steps.back(), 'u');
}

TEST_F(search, counter_walks_the_other_way_round) {
    request("break_out");
    const char* replies[] = {"ok", "ok=(button=east)", "ok", "ok=(button=north)",
                             "ok", "ok=(button=west)", "ok", "ok=(button=south)"};
    for (const char* reply : replies) EXPECT_EQ(request("counter"), reply);
    EXPECT_EQ(at(), std::make_pair(0.0, 192.0));
    EXPECT_EQ(steps, "druullddr");
}

TEST_F(search, breaking_out_again_reaches_the_second_ring_and_reuses_it) {
    request("break_out");
    EXPECT_EQ(request("break_out"), "ok=(button=west)");
    EXPECT_EQ(at(), std::make_pair(-512.0, 192.0));
    EXPECT_EQ(processor.search.current_box().level, 2);
    EXPECT_EQ(processor.search.current_box().left_edge, -672);
    EXPECT_EQ(steps, "dl");
    // In and out again: the second box is used again unchanged.
    request("fall_in");
    EXPECT_EQ(processor.search.current_box().level, 1);
    request("break_out");
    EXPECT_EQ(processor.search.box_count(), 3u);
    EXPECT_EQ(processor.search.current_box().left_edge, -672);
}

TEST_F(search, a_text_that_is_not_a_number_gives_its_substitute) {
    panels.window = {400, 300, 50, 25};
    request("reset_search");
    EXPECT_EQ(processor.search.root_box().right_edge, 200);
    EXPECT_DOUBLE_EQ(processor.search.sx(), 200);
    EXPECT_DOUBLE_EQ(processor.search.sy(), 225);
}

TEST_F(search, the_rings_stop_before_their_edges_overflow) {
    panels.window = {2000000000, 2000000000, 0, 0};
    request("reset_search");
    EXPECT_EQ(request("break_out"), "fail");
    EXPECT_TRUE(operations.empty());
    EXPECT_EQ(processor.search.current_box().level, 0);

    panels.window = {1000000000, 1000000000, 0, 0};
    request("reset_search");
    EXPECT_EQ(request("break_out"), "ok=(button=south)");
    EXPECT_EQ(request("break_out"), "fail");
    EXPECT_EQ(processor.search.current_box().level, 1);
    EXPECT_EQ(processor.search.current_box().bottom_edge, 1500000000);
}

TEST_F(search, rings_that_would_not_grow_or_go_past_the_limit_are_refused) {
    // Fields that overlap whole: the next ring would be this one again.
    panels.window = {320, 240, 100, 100};
    request("reset_search");
    EXPECT_EQ(request("break_out"), "fail");
    EXPECT_TRUE(operations.empty());
    EXPECT_EQ(processor.search.box_count(), 1u);

    search_pattern pattern;
    pattern.reset({1, 1, 0, 0});
    for (int ring = 0; ring < search_pattern::max_rings; ++ring) ASSERT_TRUE(pattern.break_out()) << ring;
    EXPECT_FALSE(pattern.break_out());
    EXPECT_EQ(pattern.box_count(), std::size_t(search_pattern::max_rings) + 1);
    EXPECT_EQ(pattern.current_box().level, search_pattern::max_rings);
}

TEST_F(search, a_remote_client_searches_without_the_poll) {
    processor.local_control = false;
    processor.client_playing = true;
    panels.timer_calls.clear();
    EXPECT_EQ(request("break_out"), "ok=(button=south)");
    EXPECT_EQ(request("clockwise"), "ok");
    EXPECT_TRUE(panels.timer_calls.empty());
    // Behind the gate like every other command.
    processor.client_playing = false;
    EXPECT_EQ(request("clockwise"), "fail");
}

} // namespace
