#include "forms/track_bar.h"

#include <algorithm>
#include <utility>

namespace forms {

void track_bar::set_range(int min, int max) {
    if (min > max) std::swap(min, max);
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    changed(change::value);
    set_position(position_);
}

void track_bar::set_position(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    changed(change::value);
    fire(on_change);
}

} // namespace forms
