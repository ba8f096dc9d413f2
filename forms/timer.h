// A timer of a window: while enabled it runs on_timer every interval
// milliseconds of the program's clock, on the model thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "forms/event_loop.h"

namespace forms {

// Enabling starts the interval from now; changing the interval of a running
// timer restarts it; a tick never overlaps the previous one, and ticks missed
// while the model thread was busy are not made up (one tick, then the
// rhythm goes on from then). An interval of 0 never ticks. Created disabled,
// with an interval of 1000 ms.
// Model thread only; the loop must outlive the timer.
class timer {
public:
    explicit timer(event_loop& loop, std::string name = {});
    ~timer();
    timer(const timer&) = delete;
    timer& operator=(const timer&) = delete;

    std::function<void()> on_timer;

    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    void set_interval(int milliseconds);
    bool enabled() const { return enabled_; }
    void set_enabled(bool on);
    void start() { set_enabled(true); }
    void stop() { set_enabled(false); }

private:
    friend class event_loop;
    void rearm();

    event_loop& loop_;
    std::string name_;
    int interval_ = 1000;
    bool enabled_ = false;
    // Kept by the loop.
    bool armed_ = false;
    milliseconds due_{0};
    std::uint64_t sequence_ = 0;
    std::uint64_t last_round_ = 0;
    std::uint64_t id_ = 0; // tells a timer from a later one at the same address
    bool in_tick_ = false;
};

} // namespace forms
