// The user's input, as the view hands it to the model: each function does
// what the user's gesture does, on the model thread. The view posts them as
// tasks (resolving a control_handle first); tests call them directly.
//
// Input reaches only a control that accepts it (it and everything around it
// enabled and visible, in a visible form); each function answers whether it
// did. Input to a form makes it the active one, and a control that takes
// the focus gets it first (on_exit of the previous one, then on_enter).
#pragma once

#include <string>

#include "forms/control.h"
#include "forms/up_down.h"

namespace forms {

class combo_box;
class edit;
class form;
class page_control;
class popup_menu;
class radio_group;
class track_bar;

namespace user {

// A left click: runs on_click; a check box toggles first, a glyph button is
// pressed first (see glyph_button). A click into an edit focuses it first.
bool click(control& target);
// The keyboard focus moves to the control.
bool focus(control& target);
// The edit's whole text after the user's keystroke, paste or deletion.
// Refused by a read-only edit.
bool type_text(edit& target, std::string text);
// Typing in an editable list: its text changes and on_change runs.
bool type_text(combo_box& target, std::string text);
bool press_enter(edit& target);
// Picking an entry of the list: its text shows, and on_change runs.
bool choose_item(combo_box& target, int index);
bool choose_item(radio_group& target, int index);
bool press_arrow(up_down& target, arrow which);
bool move_track(track_bar& target, int position);
// Selecting another tab runs on_change; the tab already shown does nothing.
bool select_page(page_control& target, int index);
// A right click at `where` (client pixels of the target). The request goes
// from the control up through its parents until a handler marks it handled.
bool context_popup(control& target, point where);
// Picking an enabled item of a popup menu runs its handler.
bool choose_menu_item(popup_menu& menu, int index);

// Window gestures.
bool move_window(form& target, int left, int top);
// The close box: on_close_query decides (see form::close).
bool request_close(form& target);
// The view painted the window: runs on_paint.
bool paint(form& target);
// The help key: the help topic of the window's keyword.
bool request_help(form& target);
bool activate(form& target);

} // namespace user
} // namespace forms
