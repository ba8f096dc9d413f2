// The model thread's loop: posted tasks, waiting for a task from another
// thread, release at quit, and errors that must not stop the loop.
#include "forms/event_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

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

TEST_F(event_loop_test, a_stop_request_releases_a_waiter_the_model_thread_is_not_serving) {
    // The model thread joins a client thread (as a server stop does) while
    // that thread waits for a task queued behind the join.
    bool ran = false;
    std::promise<forms::task_outcome> outcome;
    std::jthread client([&](std::stop_token stop) {
        outcome.set_value(loop.run_and_wait([&] { ran = true; }, stop));
    });
    wait_until_queued(1);
    client.request_stop();
    client.join();
    EXPECT_EQ(outcome.get_future().get(), forms::task_outcome::stopped);
    loop.run_pending();
    EXPECT_FALSE(ran);
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

} // namespace
