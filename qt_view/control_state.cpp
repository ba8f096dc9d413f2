#include "qt_view/control_state.h"

#include "forms/forms.h"

namespace qt_view {

namespace {

void take_kind_state(const forms::control& c, control_state& s, bool with_lines) {
    using forms::control_kind;
    switch (c.kind()) {
    case control_kind::form: {
        const auto& f = static_cast<const forms::form&>(c);
        s.client_width = f.client_width();
        s.client_height = f.client_height();
        s.minimise_box = f.minimise_box();
        s.snaps_to_edges = f.snaps_to_screen_edges();
        s.focused = f.focused();
        s.help_keyword = f.help_keyword();
        break;
    }
    case control_kind::edit: {
        const auto& e = static_cast<const forms::edit&>(c);
        s.text = e.text();
        s.read_only = e.read_only();
        break;
    }
    case control_kind::combo_box: {
        const auto& box = static_cast<const forms::combo_box&>(c);
        s.text = box.text();
        s.editable = box.editable();
        s.items = box.items();
        s.item_index = box.item_index();
        break;
    }
    case control_kind::check_box:
        s.checked = static_cast<const forms::check_box&>(c).checked();
        break;
    case control_kind::radio_group: {
        const auto& group = static_cast<const forms::radio_group&>(c);
        s.items = group.items();
        s.item_index = group.item_index();
        s.columns = group.columns();
        break;
    }
    case control_kind::glyph_button: {
        const auto& b = static_cast<const forms::glyph_button&>(c);
        s.checked = b.down();
        s.group_index = b.group_index();
        s.picture = b.glyph();
        break;
    }
    case control_kind::up_down: {
        const auto& spin = static_cast<const forms::up_down&>(c);
        s.min = spin.min();
        s.max = spin.max();
        s.position = spin.position();
        break;
    }
    case control_kind::track_bar: {
        const auto& track = static_cast<const forms::track_bar&>(c);
        s.min = track.min();
        s.max = track.max();
        s.position = track.position();
        break;
    }
    case control_kind::page_control: {
        const auto& pages = static_cast<const forms::page_control&>(c);
        s.position = pages.active_page_index();
        s.multi_line = pages.multi_line();
        break;
    }
    case control_kind::memo: {
        const auto& m = static_cast<const forms::memo&>(c);
        s.read_only = m.read_only();
        s.vertical_scroll_bar = m.vertical_scroll_bar();
        if (with_lines) {
            s.has_lines = true;
            s.lines = m.lines();
        }
        break;
    }
    case control_kind::popup_menu: {
        const auto& menu = static_cast<const forms::popup_menu&>(c);
        for (const forms::menu_item& item : menu.items())
            s.menu.push_back({item.caption, item.checked, item.enabled});
        s.popup_point = menu.popup_point();
        s.popups = menu.popups();
        break;
    }
    case control_kind::image:
        s.picture = static_cast<const forms::image&>(c).picture();
        break;
    case control_kind::shape:
        s.shape = static_cast<const forms::shape&>(c).type();
        break;
    case control_kind::panel:
    case control_kind::group_box:
    case control_kind::tab_sheet:
    case control_kind::label:
    case control_kind::button:
        break;
    }
}

} // namespace

control_state take_state(const forms::control& c, bool with_lines, bool with_children) {
    control_state s;
    s.id = &c;
    s.handle = c.handle();
    s.kind = c.kind();
    s.caption = c.caption();
    s.enabled = c.enabled();
    s.visible = c.visible();
    s.bounds = c.bounds();
    s.font = c.font();
    s.colour = c.colour();
    s.hint = c.hint();
    take_kind_state(c, s, with_lines);
    if (with_children) {
        s.has_children = true;
        s.children.reserve(c.children().size());
        for (const forms::control* child : c.children()) s.children.push_back(take_state(*child, true, true));
    }
    return s;
}

} // namespace qt_view
