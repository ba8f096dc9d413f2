// A track bar: a position within a range. A change of the position, from
// code or by the user, runs on_change; setting the same position runs nothing.
#pragma once

#include <functional>
#include <string>

#include "forms/control.h"

namespace forms {

class track_bar : public control {
public:
    explicit track_bar(std::string name = {}, control* parent = nullptr)
        : control(control_kind::track_bar, std::move(name), parent) {}
    bool takes_focus() const override { return true; }

    int min() const { return min_; }
    int max() const { return max_; }
    // A position outside the new range is moved to it, which is a change.
    void set_range(int min, int max);
    int position() const { return position_; }
    // Limited to the range.
    void set_position(int position);

    std::function<void()> on_change;

private:
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
};

} // namespace forms
