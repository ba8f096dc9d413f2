// A one-line edit box. Its text changes run on_change whether the user typed
// them or code wrote them, but only when the text really differs, so a
// handler that writes back the same text does not run itself again.
#pragma once

#include <functional>
#include <string>

#include "forms/control.h"

namespace forms {

// Events: on_change (text differs), on_key_enter (Enter pressed in it),
// on_click, on_enter and on_exit (focus).
class edit : public control {
public:
    explicit edit(std::string name = {}, control* parent = nullptr)
        : control(control_kind::edit, std::move(name), parent) {}
    bool takes_focus() const override { return true; }

    const std::string& text() const { return text_; }
    void set_text(std::string text);
    // The user cannot type into it; code still can.
    bool read_only() const { return read_only_; }
    void set_read_only(bool read_only);

    std::function<void()> on_change;
    std::function<void()> on_key_enter;

private:
    std::string text_;
    bool read_only_ = false;
};

} // namespace forms
