#include "forms/choices.h"

namespace forms {

void check_box::set_checked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    changed(change::value);
    fire(on_click);
}

void radio_group::set_items(std::vector<std::string> items) {
    items_ = std::move(items);
    item_index_ = -1;
    changed(change::items);
}

void radio_group::set_item_index(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
    if (index == item_index_) return;
    item_index_ = index;
    changed(change::value);
    fire(on_click);
}

void radio_group::set_columns(int columns) {
    if (columns < 1) columns = 1;
    if (columns == columns_) return;
    columns_ = columns;
    changed(change::value);
}

} // namespace forms
