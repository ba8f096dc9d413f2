// Buttons: a push button, and a glyph (speed) button that may stay down and
// belong to an exclusive group of its siblings.
#pragma once

#include <string>

#include "forms/control.h"

namespace forms {

// A click runs on_click.
class button : public control {
public:
    explicit button(std::string name = {}, control* parent = nullptr)
        : control(control_kind::button, std::move(name), parent) {}
    bool takes_focus() const override { return true; }
};

// With group index 0 it is a push button that is never down. Otherwise it
// is a toggle: pressing it (down) releases the sibling with the same group
// index that was down; a down button is released only by pressing another,
// unless all_up is allowed. A user's click presses it (or, allowed, releases
// it) and then runs on_click, even when it was down already. It takes no focus.
class glyph_button : public control {
public:
    explicit glyph_button(std::string name = {}, control* parent = nullptr)
        : control(control_kind::glyph_button, std::move(name), parent) {}

    bool down() const { return down_; }
    // From code: runs no handler. Refused where a click would be.
    void set_down(bool down);
    int group_index() const { return group_index_; }
    void set_group_index(int index);
    bool all_up_allowed() const { return all_up_allowed_; }
    void set_all_up_allowed(bool allowed);
    // The resource name of the picture on the button; the view loads it.
    const std::string& glyph() const { return glyph_; }
    void set_glyph(std::string glyph);

private:
    void set_down_quietly(bool down);

    bool down_ = false;
    int group_index_ = 0;
    bool all_up_allowed_ = false;
    std::string glyph_;
};

} // namespace forms
