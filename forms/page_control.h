// A tabbed page control and its pages. Only the active page is visible.
// Choosing a page from code runs nothing; the user's choice of another tab
// runs on_change after the switch.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

// One page; its controls are its children.
class tab_sheet : public control {
public:
    explicit tab_sheet(std::string name = {}, control* parent = nullptr)
        : control(control_kind::tab_sheet, std::move(name), parent) {}
};

class page_control : public control {
public:
    explicit page_control(std::string name = {}, control* parent = nullptr)
        : control(control_kind::page_control, std::move(name), parent) {}

    // A new page at the end, owned by the page control. The first page
    // becomes the active one.
    tab_sheet& add_page(std::string caption, std::string name = {});
    // The pages in tab order.
    std::vector<tab_sheet*> pages() const;
    int page_count() const { return static_cast<int>(pages().size()); }
    tab_sheet* active_page() const;
    // -1 when there is no page.
    int active_page_index() const;
    // An index outside the pages is ignored.
    void set_active_page(int index);
    void set_active_page(tab_sheet& page);
    // Tabs on several rows when they do not fit on one.
    bool multi_line() const { return multi_line_; }
    void set_multi_line(bool on);

    std::function<void()> on_change;

private:
    control_handle active_;
    bool multi_line_ = false;
};

} // namespace forms
