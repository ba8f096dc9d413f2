#include "forms/buttons.h"

namespace forms {

void glyph_button::set_down(bool down) {
    if (group_index_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !all_up_allowed_) return;
    set_down_quietly(down);
    if (!down_ || !parent()) return;
    for (control* sibling : parent()->children()) {
        if (sibling == this || sibling->kind() != control_kind::glyph_button) continue;
        auto& other = static_cast<glyph_button&>(*sibling);
        if (other.group_index_ == group_index_) other.set_down_quietly(false);
    }
}

void glyph_button::set_down_quietly(bool down) {
    if (down == down_) return;
    down_ = down;
    changed(change::value);
}

void glyph_button::set_group_index(int index) {
    if (index == group_index_) return;
    group_index_ = index;
    if (group_index_ == 0) set_down_quietly(false);
    changed(change::value);
}

void glyph_button::set_all_up_allowed(bool allowed) {
    if (allowed == all_up_allowed_) return;
    all_up_allowed_ = allowed;
    changed(change::value);
}

void glyph_button::set_glyph(std::string glyph) {
    if (glyph == glyph_) return;
    glyph_ = std::move(glyph);
    changed(change::value);
}

} // namespace forms
