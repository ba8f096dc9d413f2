// A label: a caption (lines separated by "\n"), clickable through on_click.
// It never takes the keyboard focus.
#pragma once

#include "forms/control.h"

namespace forms {

class label : public control {
public:
    explicit label(std::string name = {}, control* parent = nullptr)
        : control(control_kind::label, std::move(name), parent) {}
};

} // namespace forms
