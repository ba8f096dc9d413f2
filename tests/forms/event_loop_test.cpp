// The model thread's loop: posted tasks, waiting for a task from another
// thread, release at quit, watched descriptors, and errors that must not
// stop the loop.
#include "forms/event_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "forms/timer.h"

namespace {

struct reported {
    std::string what;
    forms::error_source source;
};

struct event_loop_test : ::testing::Test {
    manual_clock clock;
    forms::event_loop loop{clock};
    std::vector<reported> errors;

    event_loop_test() {
        loop.set_error_handler([this](const std::string& what, forms::error_source source) {
            errors.push_back({what, source});
        });
    }

    void wait_until_queued(std::size_t count) {
        while (loop.queued() < count) std::this_thread::yield();
    }
};

TEST_F(event_loop_test, tasks_posted_from_several_threads_all_run_in_each_threads_order) {
    constexpr int per_thread = 200;
    std::vector<std::vector<int>> seen(3);
    std::vector<std::thread> posters;
    for (int t = 0; t < 3; ++t)
        posters.emplace_back([&, t] {
            for (int i = 0; i < per_thread; ++i) loop.post([&seen, t, i] { seen[t].push_back(i); });
        });
    for (auto& poster : posters) poster.join();

    EXPECT_EQ(loop.run_pending(), 3u * per_thread);
    for (const auto& one : seen) {
        ASSERT_EQ(one.size(), std::size_t(per_thread));
        for (int i = 0; i < per_thread; ++i) EXPECT_EQ(one[i], i);
    }
}

TEST_F(event_loop_test, run_serves_waiting_threads_until_quit) {
    int on_model_thread = 0; // touched only by tasks, so only by the model thread
    std::thread model([&] { loop.run(); });

    std::vector<std::thread> clients;
    std::atomic<int> answered{0};
    for (int c = 0; c < 4; ++c)
        clients.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                const forms::task_result<int> result = loop.run_and_wait([&] { return ++on_model_thread; });
                if (result.outcome == forms::task_outcome::done && result.value && *result.value > 0) ++answered;
            }
        });
    for (auto& client : clients) client.join();
    EXPECT_EQ(answered.load(), 200);

    const forms::task_outcome last = loop.run_and_wait([&] { EXPECT_EQ(on_model_thread, 200); });
    EXPECT_EQ(last, forms::task_outcome::done);
    loop.quit();
    model.join();
    EXPECT_FALSE(loop.post([] {}));
}

TEST_F(event_loop_test, quit_releases_a_waiter_whose_task_is_queued_and_the_task_never_runs) {
    bool ran = false;
    auto waiter = std::async(std::launch::async, [&] { return loop.run_and_wait([&] { ran = true; }); });
    wait_until_queued(1);
    loop.quit();
    EXPECT_EQ(waiter.get(), forms::task_outcome::stopped);
    loop.run_pending();
    EXPECT_FALSE(ran);
    // And a request made after the quit is refused at once.
    auto late = std::async(std::launch::async, [&] { return loop.run_and_wait([] { return 1; }); });
    EXPECT_EQ(late.get().outcome, forms::task_outcome::stopped);
}

TEST_F(event_loop_test, waiting_on_the_model_thread_runs_the_task_in_place) {
    const forms::task_result<std::string> result = loop.run_and_wait([] { return std::string("ok"); });
    EXPECT_EQ(result.outcome, forms::task_outcome::done);
    EXPECT_EQ(result.value, "ok");
    EXPECT_EQ(loop.queued(), 0u);
}

TEST_F(event_loop_test, errors_are_reported_with_their_source_and_the_loop_goes_on) {
    bool later_ran = false;
    loop.post([] { throw std::runtime_error("handler broke"); });
    loop.post([] { throw 42; });
    loop.post([&] { later_ran = true; });
    auto request = std::async(std::launch::async, [&] {
        return loop.run_and_wait([]() -> int { throw std::runtime_error("bad request"); });
    });
    wait_until_queued(4);
    loop.run_pending();

    const forms::task_result<int> failed = request.get();
    EXPECT_EQ(failed.outcome, forms::task_outcome::failed);
    EXPECT_FALSE(failed.value);
    EXPECT_TRUE(later_ran);
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0].what, "handler broke");
    EXPECT_EQ(errors[0].source, forms::error_source::task);
    EXPECT_EQ(errors[1].what, "unknown error");
    EXPECT_EQ(errors[2].what, "bad request");
    EXPECT_EQ(errors[2].source, forms::error_source::request);
}

TEST_F(event_loop_test, a_failing_error_handler_does_not_stop_the_loop) {
    loop.set_error_handler([](const std::string&, forms::error_source) { throw std::runtime_error("log full"); });
    bool later_ran = false;
    loop.post([] { throw std::runtime_error("first"); });
    loop.post([&] { later_ran = true; });
    loop.run_pending();
    EXPECT_TRUE(later_ran);
}

// Both ends of a local stream socket, closed at the end.
struct socket_pair {
    int ends[2] = {-1, -1};
    socket_pair() { EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, ends), 0); }
    ~socket_pair() {
        ::close(ends[0]);
        ::close(ends[1]);
    }
    void send(const std::string& bytes) const { EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    std::string take() const {
        char buffer[64];
        const ssize_t got = ::read(ends[0], buffer, sizeof buffer);
        return got > 0 ? std::string(buffer, std::size_t(got)) : std::string();
    }
};

TEST(event_loop_io, a_ready_descriptor_a_posted_task_and_a_timer_each_wake_a_sleeping_loop) {
    steady_clock_source real;
    forms::event_loop loop(real);
    socket_pair pair;
    std::string got;
    std::thread::id served_on;
    int ticks = 0;
    forms::timer beat(loop);
    beat.set_interval(5);
    beat.on_timer = [&] {
        // Three ticks: the sleep is bounded by the timer, not by traffic.
        if (++ticks == 3) beat.stop();
    };
    loop.watch(pair.ends[0], true, false, [&](forms::io_ready ready) {
        EXPECT_TRUE(ready.readable);
        got += pair.take();
        served_on = std::this_thread::get_id();
        if (got == "ab") loop.post([&] { loop.quit(); });
    });
    std::thread model([&] {
        loop.post([&] { beat.start(); });
        loop.run();
    });
    pair.send("a");
    while (loop.run_and_wait([&] { return got; }).value != "a") std::this_thread::yield();
    while (loop.run_and_wait([&] { return ticks; }).value != 3) std::this_thread::yield();
    pair.send("b");
    const std::thread::id model_id = model.get_id();
    model.join();
    EXPECT_EQ(got, "ab");
    EXPECT_EQ(served_on, model_id);
    EXPECT_EQ(ticks, 3);
}

TEST_F(event_loop_test, call_again_serves_once_more_and_an_unwatched_descriptor_is_never_served) {
    socket_pair pairs[2];
    int calls[2] = {0, 0};
    forms::event_loop::watch_id ids[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        // Whichever is served first takes its input, silences the other in
        // the same turn, and asks to be called again.
        ids[i] = loop.watch(pairs[i].ends[0], true, false, [&, i](forms::io_ready) {
            if (++calls[i] == 1) {
                pairs[i].take();
                loop.unwatch(ids[1 - i]);
                loop.call_again(ids[i]);
            } else {
                loop.unwatch(ids[i]);
                loop.quit();
            }
        });
        pairs[i].send("x");
    }
    EXPECT_EQ(loop.readable_now(), 2u);

    // Should call_again fail, nothing would end the run: end it after a while.
    std::promise<void> ended;
    std::thread guard([&, over = ended.get_future()] {
        if (over.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) loop.quit();
    });
    loop.run();
    ended.set_value();
    guard.join();
    EXPECT_EQ(calls[0] + calls[1], 2);
    EXPECT_TRUE(calls[0] == 0 || calls[1] == 0);
}

} // namespace
