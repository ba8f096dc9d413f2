// The program's clock. Every timer, watchdog and timeout reads it, so tests
// can run on a manual clock that only moves when they step it.
#pragma once

#include <atomic>
#include <chrono>

using milliseconds = std::chrono::milliseconds;

class program_clock {
public:
    virtual ~program_clock() = default;
    // Time since an arbitrary start; never goes backwards.
    virtual milliseconds now() const = 0;
};

class steady_clock_source final : public program_clock {
public:
    milliseconds now() const override;
};

// Starts at zero and moves only when advanced.
class manual_clock final : public program_clock {
public:
    milliseconds now() const override { return milliseconds(now_.load()); }
    void advance(milliseconds step) { now_ += step.count(); }

private:
    std::atomic<long long> now_{0};
};
