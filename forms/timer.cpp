#include "forms/timer.h"

#include <utility>

namespace forms {

timer::timer(event_loop& loop, std::string name) : loop_(loop), name_(std::move(name)) {
    loop_.add_timer(*this);
}

timer::~timer() { loop_.remove_timer(*this); }

void timer::set_interval(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (enabled_) rearm();
}

void timer::set_enabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    rearm();
}

void timer::rearm() {
    armed_ = enabled_ && interval_ > 0;
    if (armed_) loop_.arm(*this, loop_.now() + milliseconds(interval_));
}

} // namespace forms
