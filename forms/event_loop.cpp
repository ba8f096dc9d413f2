#include "forms/event_loop.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <future>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "forms/timer.h"

namespace forms {

namespace {

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
    : clock_(clock), poller_(make_poller()), model_thread_(std::this_thread::get_id()) {
    if (!poller_) throw std::system_error(errno, std::generic_category(), "event loop: no poller");
    on_error_ = [](const std::string& what, error_source source) {
        std::cerr << "orb: error in a " << source_name(source) << ": " << what << "\n";
    };
}

event_loop::~event_loop() { quit(); }

bool event_loop::post(task t) {
    bool first;
    {
        std::lock_guard lock(mutex_);
        if (quit_) return false;
        first = queue_.empty();
        queue_.push_back(std::move(t));
    }
    // The loop looks at the queue before every sleep, so only a task that
    // finds it empty may have to wake it.
    if (first) poller_->wake();
    return true;
}

void event_loop::quit() {
    std::deque<task> dropped;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        dropped.swap(queue_);
    }
    poller_->wake();
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

task_outcome event_loop::wait_for_task(std::function<void()> body) {
    const auto run = [this, &body] {
        try {
            body();
            return task_outcome::done;
        } catch (const std::exception& error) {
            report(error.what(), error_source::request);
        } catch (...) {
            report("unknown error", error_source::request);
        }
        return task_outcome::failed;
    };
    // Waiting here for ourselves would never end: run it in place.
    if (on_loop_thread()) return run();

    // The queued task holds the only promise: a task dropped without running
    // (the loop quit) breaks it, which releases the waiter.
    auto done = std::make_shared<std::promise<task_outcome>>();
    std::future<task_outcome> outcome = done->get_future();
    if (!post([done = std::move(done), run] { done->set_value(run()); })) return task_outcome::stopped;
    try {
        return outcome.get();
    } catch (const std::future_error&) {
        return task_outcome::stopped;
    }
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

event_loop::watch_id event_loop::watch(int fd, bool read, bool write, io_handler handler) {
    const watch_id id = ++last_watch_;
    if (!poller_->watch(fd, id, read, write)) return 0;
    watches_.emplace(id, io_watch{fd, std::move(handler)});
    return id;
}

void event_loop::set_interest(watch_id id, bool read, bool write) {
    const auto found = watches_.find(id);
    if (found != watches_.end()) poller_->watch(found->second.fd, id, read, write);
}

void event_loop::call_again(watch_id id) {
    if (watches_.contains(id)) again_.push_back(id);
}

void event_loop::unwatch(watch_id id) {
    const auto found = watches_.find(id);
    if (found == watches_.end()) return;
    poller_->forget(found->second.fd);
    watches_.erase(found);
}

std::size_t event_loop::readable_now() {
    // Any wake-up this swallows is harmless: the loop looks at its queue
    // before every sleep.
    std::vector<poll_ready> ready;
    poller_->wait(milliseconds(0), ready);
    return std::size_t(std::count_if(ready.begin(), ready.end(), [this](const poll_ready& r) {
        return r.readable && watches_.contains(r.tag);
    }));
}

void event_loop::serve_ready(std::optional<milliseconds> timeout) {
    if (!again_.empty()) timeout = milliseconds(0);
    poller_->wait(timeout, ready_);
    for (const watch_id id : again_) {
        const auto same = [id](const poll_ready& r) { return r.tag == id; };
        const auto found = std::find_if(ready_.begin(), ready_.end(), same);
        if (found == ready_.end()) ready_.push_back({id, true, false});
        else found->readable = true;
    }
    again_.clear();
    // A handler may unwatch any descriptor, its own included, so each is
    // looked up afresh; an id is never reused, so a late event finds nothing.
    std::vector<poll_ready> turn;
    turn.swap(ready_);
    for (const poll_ready& r : turn) {
        const auto found = watches_.find(r.tag);
        if (found == watches_.end()) continue;
        const io_handler handler = found->second.handler;
        run_guarded([&] { handler({r.readable, r.writable}); }, error_source::task);
    }
    turn.clear();
    ready_.swap(turn); // keeps its room for the next turn
}

void event_loop::run() {
    {
        std::lock_guard lock(mutex_);
        model_thread_ = std::this_thread::get_id();
    }
    for (;;) {
        // Tasks first, as they were queued, then the ticks that are due, then
        // the descriptors that are ready; none waits behind more than one
        // batch of the others.
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

        std::optional<milliseconds> timeout;
        {
            std::lock_guard lock(mutex_);
            if (quit_) return;
            if (!queue_.empty()) timeout = milliseconds(0);
        }
        if (!timeout) {
            if (const std::optional<milliseconds> next = next_due())
                timeout = std::max(*next - clock_.now(), milliseconds(0));
        }
        serve_ready(timeout);
    }
}

} // namespace forms
