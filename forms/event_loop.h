// The model thread's event loop: tasks posted from any thread, timer ticks
// read from the program's clock, descriptors (network sockets) watched for
// input and room to write, and a way for another thread to run a task here
// and wait for its result. Handlers never run anywhere else. The loop sleeps
// in the poller: a posted task wakes it, the nearest timer bounds the sleep.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/poller.h"

namespace forms {

class timer;

// How a task that another thread waited for ended.
enum class task_outcome {
    done,    // it ran to its end
    failed,  // it raised; the loop has reported the error
    stopped, // it never ran: the loop quit first
};

template <class T>
struct task_result {
    task_outcome outcome = task_outcome::stopped;
    std::optional<T> value; // set when outcome is done
};

// Where an error caught by the loop came from: a failing request closes its
// client, while a failing handler is shown to the user.
enum class error_source { task, timer, request };

// What a watched descriptor is ready for.
struct io_ready {
    bool readable = false;
    bool writable = false;
};

class event_loop {
public:
    using task = std::function<void()>;
    using error_handler = std::function<void(const std::string& what, error_source source)>;
    using io_handler = std::function<void(io_ready)>;
    using watch_id = std::uint64_t;

    // The thread that creates the loop is its model thread until run() is
    // called from another one.
    explicit event_loop(const program_clock& clock);
    ~event_loop(); // quits, which releases every waiter
    event_loop(const event_loop&) = delete;
    event_loop& operator=(const event_loop&) = delete;

    const program_clock& clock() const { return clock_; }
    milliseconds now() const { return clock_.now(); }

    // ---- any thread ----

    // Queues a task behind those already queued. False once the loop has quit
    // (the task is dropped).
    bool post(task t);

    // Runs f on the model thread and waits for it (the view and tests do;
    // the network never does). Answers a task_result<R> (a task_outcome for a
    // void f). On the model thread itself f runs at once. A waiter is released
    // with "stopped" when the loop quits before f starts. The loop must
    // outlive every waiter.
    template <class F>
    auto run_and_wait(F&& f);

    // Makes run() return after the task in hand, drops every queued task
    // (releasing their waiters) and refuses new ones. Not async-signal-safe.
    void quit();
    bool has_quit() const;
    // Tasks waiting in the queue now.
    std::size_t queued() const;

    // ---- model thread ----

    // Runs tasks, timers and watched descriptors until quit(). Waits on the
    // real time the clock reports, so with a manual clock drive the timers
    // with advance().
    void run();
    // Runs queued tasks, including those they queue, until none is left.
    std::size_t run_pending();
    // Runs queued tasks and every timer tick that is due at the clock's time,
    // earliest first; each timer ticks at most once per call.
    void run_due();
    // For tests on a manual clock: steps it through every due time up to
    // now + step, running the ticks and tasks of each in turn, as if the time
    // had passed.
    void advance(manual_clock& clock, milliseconds step);
    // When the next tick is due, if any timer is running.
    std::optional<milliseconds> next_due() const;

    bool on_loop_thread() const;

    // Calls `handler` on the model thread whenever fd is ready for what it
    // is watched for; the caller keeps the descriptor open until unwatch().
    // An id of 0 means the OS refused.
    watch_id watch(int fd, bool read, bool write, io_handler handler);
    void set_interest(watch_id id, bool read, bool write);
    // Calls the handler once more at the next turn of the loop as if the
    // descriptor were readable: for a reader that stopped with input in hand
    // to let others have their turn.
    void call_again(watch_id id);
    // Before the descriptor is closed. Safe from within any handler.
    void unwatch(watch_id id);
    // How many watched descriptors have input waiting right now, left
    // unread (for tests that hold the loop while requests arrive).
    std::size_t readable_now();

    // Receives every exception that escapes a task, a tick or a request. The
    // default writes it to standard error; the program routes it to the
    // status log and, for handlers, a message.
    void set_error_handler(error_handler handler);
    void report(const std::string& what, error_source source);

private:
    friend class timer;
    void add_timer(timer& t);
    void remove_timer(timer& t);
    void arm(timer& t, milliseconds due);

    task_outcome wait_for_task(std::function<void()> body);
    bool run_one_task();
    void serve_ready(std::optional<milliseconds> timeout);
    bool tick_one(std::uint64_t round);
    void run_guarded(const std::function<void()>& body, error_source source);

    const program_clock& clock_;

    // Shared with other threads.
    std::unique_ptr<poller> poller_; // its wake() is the one call made from other threads
    mutable std::mutex mutex_;
    std::deque<task> queue_;
    bool quit_ = false;
    std::thread::id model_thread_;

    // Model thread only.
    error_handler on_error_;
    std::vector<timer*> timers_;
    timer* ticking_ = nullptr;  // the timer whose handler is running
    std::uint64_t sequence_ = 0; // orders ticks that fall due at the same time
    std::uint64_t round_ = 0;
    struct io_watch {
        int fd;
        io_handler handler;
    };
    std::unordered_map<watch_id, io_watch> watches_;
    std::vector<watch_id> again_; // call_again() since the last turn
    std::vector<poll_ready> ready_;
    watch_id last_watch_ = 0;
};

template <class F>
auto event_loop::run_and_wait(F&& f) {
    using R = std::invoke_result_t<F&>;
    if constexpr (std::is_void_v<R>) {
        return wait_for_task([&f] { f(); });
    } else {
        task_result<R> result;
        result.outcome = wait_for_task([&f, &result] { result.value.emplace(f()); });
        if (result.outcome != task_outcome::done) result.value.reset();
        return result;
    }
}

} // namespace forms
