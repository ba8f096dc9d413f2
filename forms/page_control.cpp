#include "forms/page_control.h"

#include <algorithm>

namespace forms {

tab_sheet& page_control::add_page(std::string caption, std::string name) {
    tab_sheet& page = make_child<tab_sheet>(std::move(name));
    page.set_fills_parent(true);
    page.set_caption(std::move(caption));
    if (active_page()) page.set_visible(false);
    else active_ = page.handle();
    return page;
}

std::vector<tab_sheet*> page_control::pages() const {
    std::vector<tab_sheet*> found;
    for (control* child : children())
        if (child->kind() == control_kind::tab_sheet) found.push_back(static_cast<tab_sheet*>(child));
    return found;
}

tab_sheet* page_control::active_page() const {
    control* page = active_.get();
    return page && page->parent() == this ? static_cast<tab_sheet*>(page) : nullptr;
}

int page_control::active_page_index() const {
    const std::vector<tab_sheet*> all = pages();
    const auto found = std::find(all.begin(), all.end(), active_page());
    return found == all.end() ? -1 : static_cast<int>(found - all.begin());
}

void page_control::set_active_page(int index) {
    const std::vector<tab_sheet*> all = pages();
    if (index < 0 || index >= static_cast<int>(all.size())) return;
    set_active_page(*all[index]);
}

void page_control::set_active_page(tab_sheet& page) {
    if (page.parent() != this || &page == active_page()) return;
    if (tab_sheet* old = active_page()) old->set_visible(false);
    active_ = page.handle();
    page.set_visible(true);
    changed(change::value);
}

void page_control::set_multi_line(bool on) {
    if (on == multi_line_) return;
    multi_line_ = on;
    changed(change::value);
}

} // namespace forms
