// Timers on the manual clock: when ticks come, in which order, and what
// enabling, disabling and changing the interval do to a running timer.
#include "forms/timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct timer_test : ::testing::Test {
    manual_clock clock;
    forms::event_loop loop{clock};
    std::vector<std::string> ticks; // "name@ms"

    void count_ticks(forms::timer& t) {
        t.on_timer = [this, &t] { ticks.push_back(t.name() + "@" + std::to_string(clock.now().count())); };
    }
    void advance(int ms) { loop.advance(clock, milliseconds(ms)); }
};

TEST_F(timer_test, running_timers_tick_in_time_order_from_when_they_were_enabled) {
    forms::timer a(loop, "a"), b(loop, "b");
    count_ticks(a);
    count_ticks(b);
    a.set_interval(300);
    b.set_interval(200);
    a.start();
    advance(100);
    b.start(); // its interval counts from now: 300, 500, 700
    advance(600);
    EXPECT_EQ(ticks, (std::vector<std::string>{"a@300", "b@300", "b@500", "a@600", "b@700"}));
    // a and b fell due together at 300: the one armed first ticks first.
}

TEST_F(timer_test, enable_and_interval_rules) {
    forms::timer t(loop, "t");
    count_ticks(t);
    t.set_interval(1000);
    EXPECT_FALSE(t.enabled()); // created stopped
    advance(5000);
    EXPECT_TRUE(ticks.empty());

    t.start();
    advance(600);
    t.start(); // already running: the interval is not restarted
    advance(400);
    EXPECT_EQ(ticks, (std::vector<std::string>{"t@6000"}));

    advance(500);
    t.set_interval(1000); // the same interval: nothing happens
    advance(500);
    EXPECT_EQ(ticks.back(), "t@7000");

    advance(300);
    t.set_interval(400); // a new interval restarts the running timer from now
    advance(400);
    EXPECT_EQ(ticks.back(), "t@7700");

    t.stop();
    t.set_interval(100); // a stopped timer stays stopped
    advance(1000);
    EXPECT_EQ(ticks.size(), 3u);

    t.set_interval(0);
    t.start(); // an interval of 0 never ticks
    advance(1000);
    EXPECT_EQ(ticks.size(), 3u);
    EXPECT_FALSE(loop.next_due());
}

TEST_F(timer_test, a_tick_that_stops_and_restarts_its_timer_sets_the_next_tick) {
    // The retry pattern: stop, try, and on failure start again with a new interval.
    forms::timer retry(loop, "retry");
    retry.set_interval(500);
    int attempts = 0;
    retry.on_timer = [&] {
        retry.stop();
        ++attempts;
        ticks.push_back(std::to_string(clock.now().count()));
        if (attempts < 3) {
            retry.set_interval(700);
            retry.start();
        }
    };
    retry.start();
    advance(5000);
    EXPECT_EQ(ticks, (std::vector<std::string>{"500", "1200", "1900"}));
}

TEST_F(timer_test, ticks_missed_while_the_model_was_busy_are_not_made_up) {
    forms::timer t(loop, "t");
    count_ticks(t);
    t.set_interval(100);
    t.start();
    clock.advance(milliseconds(1050)); // the model thread was busy for ten intervals
    loop.run_due();
    loop.run_due();
    EXPECT_EQ(ticks, (std::vector<std::string>{"t@1050"}));
    advance(100);
    EXPECT_EQ(ticks.back(), "t@1150");
}

TEST_F(timer_test, a_tick_never_overlaps_itself) {
    forms::timer t(loop, "t");
    t.set_interval(100);
    int depth = 0, deepest = 0;
    t.on_timer = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        clock.advance(milliseconds(250)); // the handler takes longer than the interval
        loop.run_due();
        --depth;
    };
    t.start();
    advance(100);
    EXPECT_EQ(deepest, 1);
}

TEST_F(timer_test, a_failing_tick_is_reported_and_the_timer_goes_on) {
    std::vector<std::string> errors;
    loop.set_error_handler([&](const std::string& what, forms::error_source source) {
        EXPECT_EQ(source, forms::error_source::timer);
        errors.push_back(what);
    });
    forms::timer t(loop, "t");
    t.set_interval(100);
    t.on_timer = [] { throw std::runtime_error("tick failed"); };
    t.start();
    advance(300);
    EXPECT_EQ(errors.size(), 3u);
}

TEST_F(timer_test, a_timer_may_be_destroyed_by_its_own_tick) {
    auto owned = std::make_unique<forms::timer>(loop, "once");
    owned->set_interval(100);
    int ticked = 0;
    owned->on_timer = [&] {
        ++ticked;
        owned.reset();
    };
    owned->start();
    advance(500);
    EXPECT_EQ(ticked, 1);
    EXPECT_FALSE(loop.next_due());
}

TEST_F(timer_test, tasks_posted_by_a_tick_run_before_the_next_tick) {
    forms::timer t(loop, "t");
    t.set_interval(100);
    t.on_timer = [&] {
        ticks.push_back("tick");
        loop.post([&] { ticks.push_back("task"); });
    };
    t.start();
    advance(200);
    EXPECT_EQ(ticks, (std::vector<std::string>{"tick", "task", "tick", "task"}));
}

} // namespace
