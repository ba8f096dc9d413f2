// Plain containers: a panel and a captioned group box. Children are placed
// relative to their top-left corner. A click on either runs on_click.
#pragma once

#include "forms/control.h"

namespace forms {

class panel : public control {
public:
    explicit panel(std::string name = {}, control* parent = nullptr)
        : control(control_kind::panel, std::move(name), parent) {}
};

class group_box : public control {
public:
    explicit group_box(std::string name = {}, control* parent = nullptr)
        : control(control_kind::group_box, std::move(name), parent) {}
};

} // namespace forms
