// A context menu. Code asks for it at a point of the desktop; the view shows
// it there without waiting, and the user's choice of an item arrives later
// as input that runs the item's handler.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

struct menu_item {
    std::string caption;
    bool checked = false;
    bool enabled = true;
    std::function<void()> on_click;
};

// A member of its form (never shown among the form's controls).
class popup_menu : public control {
public:
    explicit popup_menu(std::string name = {}, control* parent = nullptr);

    // Answers the new item's index.
    int add_item(std::string caption, std::function<void()> on_click = {});
    const std::vector<menu_item>& items() const { return items_; }
    void set_item_checked(int index, bool checked);
    void set_item_enabled(int index, bool enabled);
    void set_item_handler(int index, std::function<void()> on_click);

    // Show it with its top-left corner at `where` (virtual-desktop pixels).
    void popup(point where);
    point popup_point() const { return popup_point_; }
    // How many times popup() was called; tells a view (or a test) that asks
    // twice at the same point that it was asked again.
    int popups() const { return popups_; }

private:
    bool valid(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }

    std::vector<menu_item> items_;
    point popup_point_;
    int popups_ = 0;
};

} // namespace forms
