// A copy of one control's properties, taken on the model thread the moment
// something changed, so that the view thread can show it without ever reading
// the model. One flat record serves every kind; fields a kind lacks stay default.
// Each kind's adapter (control_adapter.h) fills in its own fields.
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/pictures.h"

namespace qt_view {

// Identifies a control to the view. It is only compared, never dereferenced
// off the model thread; the view drops it when told the control is gone,
// before the address can be reused.
using control_id = const forms::control*;

struct menu_entry {
    std::string caption;
    bool checked = false;
    bool enabled = true;
};

struct control_state {
    control_id id = nullptr;
    forms::control_handle handle; // for input sent back to the model
    forms::control_kind kind = forms::control_kind::panel;

    std::string caption;
    bool enabled = true;
    bool visible = true;
    forms::rect bounds;
    forms::font font;
    forms::colour colour;
    std::string hint;

    // edit, combo box
    std::string text;
    bool read_only = false;
    bool editable = true;
    // check box, glyph button
    bool checked = false;
    int group_index = 0;
    // glyph button's glyph, image's picture
    std::string picture;
    // combo box, radio group
    std::vector<std::string> items;
    int item_index = -1;
    int columns = 1;
    // up-down, track bar; page control (position = active page)
    int min = 0;
    int max = 0;
    int position = 0;
    bool multi_line = false;
    forms::shape_type shape = forms::shape_type::rectangle;
    // popup menu
    std::vector<menu_entry> menu;
    forms::point popup_point;
    int popups = 0;
    // memo: lines only travel when they were replaced, or with a whole snapshot
    bool has_lines = false;
    std::vector<std::string> lines;
    bool vertical_scroll_bar = false;
    // form
    int client_width = 0;
    int client_height = 0;
    bool minimise_box = false;
    bool snaps_to_edges = false;
    control_id focused = nullptr;
    std::string help_keyword;

    // Children in order, each with its own subtree, when the snapshot is of a
    // whole subtree (a new window, a change of children).
    bool has_children = false;
    std::vector<control_state> children;
};

// Model thread only. `with_lines` copies a memo's lines; `with_children`
// copies the whole subtree.
control_state take_state(const forms::control& c, bool with_lines, bool with_children);

} // namespace qt_view
