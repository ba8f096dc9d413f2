#include "forms/combo_box.h"

#include <algorithm>

namespace forms {

void combo_box::set_items(std::vector<std::string> items) {
    items_ = std::move(items);
    item_index_ = -1;
    changed(change::items);
}

void combo_box::add_item(std::string item) {
    items_.push_back(std::move(item));
    changed(change::items);
}

void combo_box::insert_item(int index, std::string item) {
    index = std::clamp(index, 0, static_cast<int>(items_.size()));
    items_.insert(items_.begin() + index, std::move(item));
    if (item_index_ >= index) ++item_index_;
    changed(change::items);
}

void combo_box::set_item_index(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
    if (index == item_index_) return;
    item_index_ = index;
    if (index >= 0 && text_ != items_[index]) {
        text_ = items_[index];
        changed(change::text);
    }
    changed(change::value);
}

void combo_box::set_text(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed(change::text);
    if (item_index_ >= 0 && items_[item_index_] != text_) {
        item_index_ = -1;
        changed(change::value);
    }
}

void combo_box::set_editable(bool editable) {
    if (editable == editable_) return;
    editable_ = editable;
    changed(change::value);
}

} // namespace forms
