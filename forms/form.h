// A top-level window: caption, position on the desktop, client size, shown
// or hidden, the focused control, and the hooks a window class hangs its
// behaviour on (show, close query, paint).
#pragma once

#include <functional>
#include <string>

#include "forms/control.h"

namespace forms {

class event_loop;
class toolkit;

// Border of a window around its client area. The default is a typical fixed
// dialog border; the view may set the real one.
struct frame_size {
    int left = 3;
    int top = 22;
    int right = 3;
    int bottom = 3;
    friend bool operator==(const frame_size&, const frame_size&) = default;
};

// Forms start hidden. Showing a hidden form runs on_show each time; showing
// a shown form, or hiding a hidden one, does nothing. The form joins the
// toolkit's list while it exists; the toolkit must outlive it.
class form : public control {
public:
    form(toolkit& kit, std::string name);
    ~form() override;

    toolkit& kit() const { return kit_; }
    event_loop& loop() const;

    // The outer bounds (set_bounds, left, top, width, height) are the
    // frame plus the client area.
    int client_width() const { return bounds().width - frame_.left - frame_.right; }
    int client_height() const { return bounds().height - frame_.top - frame_.bottom; }
    void set_client_size(int width, int height);
    void set_client_width(int width) { set_client_size(width, client_height()); }
    void set_client_height(int height) { set_client_size(client_width(), height); }
    const frame_size& frame() const { return frame_; }
    // Keeps the client size; the outer size follows.
    void set_frame(frame_size frame);
    rect client_area() const override { return {0, 0, client_width(), client_height()}; }
    point client_origin() const override { return {frame_.left, frame_.top}; }

    void show() { set_visible(true); }
    void hide() { set_visible(false); }
    // As the close box does: asks on_close_query (no handler: yes); on
    // consent hides the form and runs on_close. Answers whether it closed.
    bool close();
    void bring_to_front() { changed(change::bring_to_front); }
    // The window the user works in (the view says which).
    bool is_active() const;

    // The control holding the form's keyboard focus, if any. Moving it runs
    // the old control's on_exit, then the new one's on_enter.
    control* focused() const { return focused_.get(); }
    void set_focus(control* c);

    const std::string& help_keyword() const { return help_keyword_; }
    void set_help_keyword(std::string keyword) { help_keyword_ = std::move(keyword); }
    // Window decorations the view honours.
    bool minimise_box() const { return minimise_box_; }
    void set_minimise_box(bool on);
    bool snaps_to_screen_edges() const { return snaps_to_edges_; }
    void set_snaps_to_screen_edges(bool on);

    std::function<void()> on_show;  // each time it becomes visible
    std::function<void()> on_hide;  // each time it becomes hidden
    std::function<void()> on_paint; // the view painted it
    std::function<void(bool& can_close)> on_close_query;
    std::function<void()> on_close; // closed after consent

protected:
    void visibility_changed() override;

private:
    toolkit& kit_;
    frame_size frame_;
    control_handle focused_;
    std::string help_keyword_;
    bool minimise_box_ = false;
    bool snaps_to_edges_ = false;
};

} // namespace forms
