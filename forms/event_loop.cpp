#include "forms/event_loop.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "forms/timer.h"

namespace forms {

namespace {

// The meeting point of a thread waiting in run_and_wait and its task.
struct wait_state {
    enum class phase { queued, running, finished, abandoned };
    std::mutex mutex;
    std::condition_variable_any changed;
    phase at = phase::queued;
    task_outcome outcome = task_outcome::stopped;

    bool over() const { return at == phase::finished || at == phase::abandoned; }
};

// Travels inside the queued task: a task dropped without running (the loop
// quit, or refused it) releases its waiter as it is destroyed.
struct release_on_drop {
    explicit release_on_drop(std::shared_ptr<wait_state> s) : state(std::move(s)) {}
    release_on_drop(const release_on_drop&) = delete;
    release_on_drop& operator=(const release_on_drop&) = delete;
    ~release_on_drop() {
        {
            std::lock_guard lock(state->mutex);
            if (state->at != wait_state::phase::queued) return;
            state->at = wait_state::phase::abandoned;
        }
        state->changed.notify_all();
    }

    std::shared_ptr<wait_state> state;
};

const char* source_name(error_source source) {
    switch (source) {
    case error_source::task: return "task";
    case error_source::timer: return "timer";
    case error_source::request: return "request";
    }
    return "task";
}

} // namespace

event_loop::event_loop(const program_clock& clock)
    : clock_(clock), model_thread_(std::this_thread::get_id()) {
    on_error_ = [](const std::string& what, error_source source) {
        std::cerr << "orb: error in a " << source_name(source) << ": " << what << "\n";
    };
}

event_loop::~event_loop() { quit(); }

bool event_loop::post(task t) {
    {
        std::lock_guard lock(mutex_);
        if (quit_) return false;
        queue_.push_back(std::move(t));
    }
    wake_.notify_one();
    return true;
}

void event_loop::quit() {
    std::deque<task> dropped;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        dropped.swap(queue_);
    }
    wake_.notify_all();
    // `dropped` goes here, outside the lock, releasing its waiters.
}

bool event_loop::has_quit() const {
    std::lock_guard lock(mutex_);
    return quit_;
}

std::size_t event_loop::queued() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

bool event_loop::on_loop_thread() const {
    std::lock_guard lock(mutex_);
    return model_thread_ == std::this_thread::get_id();
}

task_outcome event_loop::wait_for_task(std::function<void()> body, std::stop_token stop) {
    if (on_loop_thread()) {
        // Waiting here for ourselves would never end: run it in place.
        try {
            body();
            return task_outcome::done;
        } catch (const std::exception& error) {
            report(error.what(), error_source::request);
        } catch (...) {
            report("unknown error", error_source::request);
        }
        return task_outcome::failed;
    }

    auto state = std::make_shared<wait_state>();
    // Only the queued task holds the guard, so that dropping the task is
    // what releases the waiter.
    const bool queued = post([this, guard = std::make_shared<release_on_drop>(state), body = std::move(body)] {
        wait_state& s = *guard->state;
        {
            std::lock_guard lock(s.mutex);
            if (s.at != wait_state::phase::queued) return; // its waiter has gone
            s.at = wait_state::phase::running;
        }
        task_outcome outcome = task_outcome::done;
        try {
            body();
        } catch (const std::exception& error) {
            report(error.what(), error_source::request);
            outcome = task_outcome::failed;
        } catch (...) {
            report("unknown error", error_source::request);
            outcome = task_outcome::failed;
        }
        {
            std::lock_guard lock(s.mutex);
            s.outcome = outcome;
            s.at = wait_state::phase::finished;
        }
        s.changed.notify_all();
    });
    if (!queued) return task_outcome::stopped;

    std::unique_lock lock(state->mutex);
    state->changed.wait(lock, stop, [&] { return state->over(); });
    if (state->at == wait_state::phase::queued) {
        // Stop requested before the task started: it will never run now.
        state->at = wait_state::phase::abandoned;
        return task_outcome::stopped;
    }
    // Started already: the model thread is running it and will finish.
    state->changed.wait(lock, [&] { return state->over(); });
    return state->at == wait_state::phase::finished ? state->outcome : task_outcome::stopped;
}

void event_loop::set_error_handler(error_handler handler) { on_error_ = std::move(handler); }

void event_loop::report(const std::string& what, error_source source) {
    if (!on_error_) return;
    try {
        on_error_(what, source);
    } catch (...) {
        // A failing reporter must not take the loop down with it.
    }
}

void event_loop::run_guarded(const std::function<void()>& body, error_source source) {
    try {
        body();
    } catch (const std::exception& error) {
        report(error.what(), source);
    } catch (...) {
        report("unknown error", source);
    }
}

bool event_loop::run_one_task() {
    task next;
    {
        std::lock_guard lock(mutex_);
        if (quit_ || queue_.empty()) return false;
        next = std::move(queue_.front());
        queue_.pop_front();
    }
    run_guarded(next, error_source::task);
    return true;
}

std::size_t event_loop::run_pending() {
    std::size_t count = 0;
    while (run_one_task()) ++count;
    return count;
}

void event_loop::add_timer(timer& t) {
    t.id_ = ++sequence_;
    timers_.push_back(&t);
}

void event_loop::remove_timer(timer& t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &t), timers_.end());
}

void event_loop::arm(timer& t, milliseconds due) {
    t.armed_ = true;
    t.due_ = due;
    t.sequence_ = ++sequence_;
}

std::optional<milliseconds> event_loop::next_due() const {
    std::optional<milliseconds> next;
    for (const timer* t : timers_)
        if (t->armed_ && !t->in_tick_ && (!next || t->due_ < *next)) next = t->due_;
    return next;
}

bool event_loop::tick_one(std::uint64_t round) {
    const milliseconds now = clock_.now();
    timer* chosen = nullptr;
    for (timer* t : timers_) {
        if (!t->armed_ || t->in_tick_ || t->due_ > now || t->last_round_ == round) continue;
        if (!chosen || t->due_ < chosen->due_ ||
            (t->due_ == chosen->due_ && t->sequence_ < chosen->sequence_))
            chosen = t;
    }
    if (!chosen) return false;

    // The next tick is scheduled before the handler runs, so that whatever
    // the handler does to its timer (stop it, change the interval) holds.
    const milliseconds interval(chosen->interval_);
    milliseconds next = chosen->due_ + interval;
    if (next <= now) next = now + interval; // missed ticks are not made up
    arm(*chosen, next);
    chosen->last_round_ = round;
    chosen->in_tick_ = true;

    const std::uint64_t id = chosen->id_;
    const std::function<void()> handler = chosen->on_timer; // the timer may go in its own tick
    if (handler) run_guarded(handler, error_source::timer);

    for (timer* t : timers_)
        if (t == chosen && t->id_ == id) t->in_tick_ = false;
    return true;
}

void event_loop::run_due() {
    const std::uint64_t round = ++round_;
    run_pending();
    while (tick_one(round)) run_pending();
}

void event_loop::advance(manual_clock& clock, milliseconds step) {
    if (static_cast<const program_clock*>(&clock) != &clock_)
        throw std::logic_error("event_loop::advance: not the loop's clock");
    const milliseconds target = clock.now() + step;
    run_due();
    for (;;) {
        const std::optional<milliseconds> next = next_due();
        if (!next || *next > target || *next <= clock.now()) break;
        clock.advance(*next - clock.now());
        run_due();
    }
    if (target > clock.now()) clock.advance(target - clock.now());
    run_due();
}

void event_loop::run() {
    {
        std::lock_guard lock(mutex_);
        model_thread_ = std::this_thread::get_id();
    }
    for (;;) {
        // Tasks first, as they were queued, then the ticks that are due; a
        // tick never waits behind more than one batch of tasks.
        std::size_t batch;
        {
            std::lock_guard lock(mutex_);
            batch = queue_.size();
        }
        while (batch-- > 0 && run_one_task()) {
        }
        const std::uint64_t round = ++round_;
        while (tick_one(round)) {
        }

        std::unique_lock lock(mutex_);
        if (quit_) return;
        if (!queue_.empty()) continue;
        const auto woken = [this] { return quit_ || !queue_.empty(); };
        if (const std::optional<milliseconds> next = next_due()) {
            const milliseconds wait = *next - clock_.now();
            if (wait > milliseconds(0)) wake_.wait_for(lock, wait, woken);
        } else {
            wake_.wait(lock, woken);
        }
    }
}

} // namespace forms
