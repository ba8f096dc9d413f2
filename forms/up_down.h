// An up-down (spin) control bound to an edit box: its position, a whole
// number within its range, is written into the edit as text.
#pragma once

#include <functional>
#include <string>

#include "forms/control.h"

namespace forms {

class edit;

enum class arrow { up, down };

// Setting the position, from code or by an arrow, first runs on_changing
// (handlers of the bound edits' values hook it, and guard against the
// nested calls it invites), then limits the position to the range and
// writes it into the edit as a whole number, which runs the edit's
// on_change when the text differs.
//
// An arrow steps the whole number the edit shows (read after on_changing
// has run; the position when the text is not a whole number) by one. Past
// an end it wraps to the other end when wrapping, else it stays. Then
// on_click runs.
class up_down : public control {
public:
    explicit up_down(std::string name = {}, control* parent = nullptr)
        : control(control_kind::up_down, std::move(name), parent) {}

    int min() const { return min_; }
    int max() const { return max_; }
    // Quietly limits the position to the new range.
    void set_range(int min, int max);
    int position() const { return position_; }
    void set_position(int position);
    bool wraps() const { return wraps_; }
    void set_wraps(bool wraps);
    edit* associate() const;
    void set_associate(edit* buddy);

    // What a click on an arrow does (the user's input goes through forms::user).
    void press(arrow which);

    std::function<void()> on_changing;

private:
    void write_position(int position);

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool wraps_ = false;
    control_handle associate_;
};

} // namespace forms
