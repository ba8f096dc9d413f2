// A drop-down list, editable or not. Code that sets its text or selects an
// entry runs nothing; the user's choice of an entry, or typing (editable
// lists only), runs on_change.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

// item_index is the chosen entry, -1 for none. It stays only while the text
// is that entry's text: a text that differs from it (typed or set) leaves no
// entry chosen.
class combo_box : public control {
public:
    explicit combo_box(std::string name = {}, control* parent = nullptr)
        : control(control_kind::combo_box, std::move(name), parent) {}
    bool takes_focus() const override { return true; }

    const std::vector<std::string>& items() const { return items_; }
    // Leaves the text as it is and no entry chosen.
    void set_items(std::vector<std::string> items);
    void add_item(std::string item);
    void insert_item(int index, std::string item);
    int item_index() const { return item_index_; }
    // Also shows the entry's text; -1 (or an index outside the list) only
    // clears the choice.
    void set_item_index(int index);
    const std::string& text() const { return text_; }
    void set_text(std::string text);
    // An editable list accepts typed text besides its entries.
    bool editable() const { return editable_; }
    void set_editable(bool editable);

    std::function<void()> on_change;

private:
    std::vector<std::string> items_;
    int item_index_ = -1;
    std::string text_;
    bool editable_ = true;
};

} // namespace forms
