#include "forms/popup_menu.h"

namespace forms {

popup_menu::popup_menu(std::string name, control* parent)
    : control(control_kind::popup_menu, std::move(name), parent) {
    set_visible(false);
}

int popup_menu::add_item(std::string caption, std::function<void()> on_click) {
    items_.push_back(menu_item{std::move(caption), false, true, std::move(on_click)});
    changed(change::items);
    return static_cast<int>(items_.size()) - 1;
}

void popup_menu::set_item_checked(int index, bool checked) {
    if (!valid(index) || items_[index].checked == checked) return;
    items_[index].checked = checked;
    changed(change::items);
}

void popup_menu::set_item_enabled(int index, bool enabled) {
    if (!valid(index) || items_[index].enabled == enabled) return;
    items_[index].enabled = enabled;
    changed(change::items);
}

void popup_menu::set_item_handler(int index, std::function<void()> on_click) {
    if (valid(index)) items_[index].on_click = std::move(on_click);
}

void popup_menu::popup(point where) {
    popup_point_ = where;
    ++popups_;
    changed(change::popped_up);
}

} // namespace forms
