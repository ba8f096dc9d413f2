// Check box and radio group: controls whose state the user toggles or picks,
// and whose click handler runs whenever that state changes, from code too.
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

// Setting the state from code runs on_click when it changes, as a click does.
class check_box : public control {
public:
    explicit check_box(std::string name = {}, control* parent = nullptr)
        : control(control_kind::check_box, std::move(name), parent) {}
    bool takes_focus() const override { return true; }

    bool checked() const { return checked_; }
    void set_checked(bool checked);

private:
    bool checked_ = false;
};

// A captioned group of exclusive choices; item_index -1 is no choice.
// Choosing another item, from code or by the user, runs on_click.
class radio_group : public control {
public:
    explicit radio_group(std::string name = {}, control* parent = nullptr)
        : control(control_kind::radio_group, std::move(name), parent) {}
    bool takes_focus() const override { return true; }

    const std::vector<std::string>& items() const { return items_; }
    // Clears the choice.
    void set_items(std::vector<std::string> items);
    int item_index() const { return item_index_; }
    // An index outside the items means no choice.
    void set_item_index(int index);
    int columns() const { return columns_; }
    void set_columns(int columns);

private:
    std::vector<std::string> items_;
    int item_index_ = -1;
    int columns_ = 1;
};

} // namespace forms
