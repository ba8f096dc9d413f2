#include "forms/user_input.h"

#include "forms/buttons.h"
#include "forms/choices.h"
#include "forms/combo_box.h"
#include "forms/edit.h"
#include "forms/form.h"
#include "forms/page_control.h"
#include "forms/popup_menu.h"
#include "forms/toolkit.h"
#include "forms/track_bar.h"

namespace forms::user {

namespace {

// The common start of every gesture on a control: it must be reachable,
// its window becomes the active one and, if it takes the focus, it gets it.
// Answers false when the input goes nowhere.
bool reach(control& target) {
    if (!target.accepts_input()) return false;
    form* window = target.owner_form();
    window->kit().set_active_form(window);
    if (target.takes_focus()) {
        const control_handle still = target.handle();
        window->set_focus(&target);
        // A focus handler may have disabled or removed it meanwhile.
        if (!still.get() || !target.accepts_input()) return false;
    }
    return true;
}

} // namespace

bool click(control& target) {
    if (!reach(target)) return false;
    switch (target.kind()) {
    case control_kind::check_box: {
        auto& box = static_cast<check_box&>(target);
        box.set_checked(!box.checked()); // runs on_click
        return true;
    }
    case control_kind::glyph_button: {
        auto& pressed = static_cast<glyph_button&>(target);
        if (pressed.group_index() != 0) {
            if (!pressed.down()) pressed.set_down(true);
            else if (pressed.all_up_allowed()) pressed.set_down(false);
        }
        break;
    }
    case control_kind::radio_group:
        return true; // only choosing one of its items does something
    default:
        break;
    }
    fire(target.on_click);
    return true;
}

bool focus(control& target) {
    return target.takes_focus() && reach(target);
}

bool type_text(edit& target, std::string text) {
    if (target.read_only() || !reach(target)) return false;
    target.set_text(std::move(text));
    return true;
}

bool type_text(combo_box& target, std::string text) {
    if (!target.editable() || !reach(target)) return false;
    if (text == target.text()) return true;
    target.set_text(std::move(text));
    fire(target.on_change);
    return true;
}

bool press_enter(edit& target) {
    if (!reach(target)) return false;
    fire(target.on_key_enter);
    return true;
}

bool choose_item(combo_box& target, int index) {
    if (index < 0 || index >= static_cast<int>(target.items().size()) || !reach(target)) return false;
    target.set_item_index(index);
    fire(target.on_change);
    return true;
}

bool choose_item(radio_group& target, int index) {
    if (index < 0 || index >= static_cast<int>(target.items().size()) || !reach(target)) return false;
    target.set_item_index(index); // runs on_click when it is another item
    return true;
}

bool press_arrow(up_down& target, arrow which) {
    if (!reach(target)) return false;
    target.press(which);
    return true;
}

bool move_track(track_bar& target, int position) {
    if (!reach(target)) return false;
    target.set_position(position); // runs on_change when it moved
    return true;
}

bool select_page(page_control& target, int index) {
    if (index < 0 || index >= target.page_count() || !reach(target)) return false;
    if (index == target.active_page_index()) return true;
    target.set_active_page(index);
    fire(target.on_change);
    return true;
}

bool context_popup(control& target, point where) {
    if (!reach(target)) return false;
    control* at = &target;
    while (at) {
        if (at->on_context_popup) {
            bool handled = false;
            const control_handle still = at->handle();
            fire(at->on_context_popup, *at, where, handled);
            if (handled || !still.get()) break;
        }
        where.x += at->left();
        where.y += at->top();
        at = at->parent();
    }
    return true;
}

bool choose_menu_item(popup_menu& menu, int index) {
    if (index < 0 || index >= static_cast<int>(menu.items().size())) return false;
    const menu_item& item = menu.items()[index];
    if (!item.enabled) return false;
    fire(item.on_click);
    return true;
}

bool move_window(form& target, int left, int top) {
    if (!target.visible()) return false;
    target.set_bounds({left, top, target.width(), target.height()});
    return true;
}

bool request_close(form& target) {
    if (!target.visible()) return false;
    target.close();
    return true;
}

bool paint(form& target) {
    if (!target.visible()) return false;
    fire(target.on_paint);
    return true;
}

bool request_help(form& target) {
    if (!target.visible()) return false;
    target.kit().show_help(target.help_keyword());
    return true;
}

bool activate(form& target) {
    if (!target.visible()) return false;
    target.kit().set_active_form(&target);
    return true;
}

} // namespace forms::user
