#include "forms/form.h"

#include "forms/toolkit.h"

namespace forms {

form::form(toolkit& kit, std::string name) : control(control_kind::form, std::move(name), nullptr), kit_(kit) {
    kit_.add_form(*this);
    set_bounds({0, 0, frame_.left + frame_.right, frame_.top + frame_.bottom});
}

form::~form() { kit_.remove_form(*this); }

event_loop& form::loop() const { return kit_.loop(); }

void form::set_client_size(int width, int height) {
    set_bounds({left(), top(), width + frame_.left + frame_.right, height + frame_.top + frame_.bottom});
}

void form::set_frame(frame_size frame) {
    if (frame == frame_) return;
    const int width = client_width();
    const int height = client_height();
    const rect before = bounds();
    frame_ = frame;
    set_client_size(width, height);
    // The client area moved inside the window even if the outer size did not change.
    if (bounds() == before) changed(change::bounds);
}

bool form::close() {
    bool can_close = true;
    fire(on_close_query, can_close);
    if (!can_close) return false;
    hide();
    fire(on_close);
    return true;
}

bool form::is_active() const { return kit_.active_form() == this; }

void form::set_focus(control* c) {
    control* old = focused_.get();
    if (c == old || (c && c->owner_form() != this)) return;
    focused_ = c ? c->handle() : control_handle();
    if (old) fire(old->on_exit);
    changed(change::focus);
    if (c && focused_.get() == c) fire(c->on_enter);
}

void form::set_minimise_box(bool on) {
    if (on == minimise_box_) return;
    minimise_box_ = on;
    changed(change::value);
}

void form::set_snaps_to_screen_edges(bool on) {
    if (on == snaps_to_edges_) return;
    snaps_to_edges_ = on;
    changed(change::value);
}

void form::visibility_changed() {
    if (visible()) fire(on_show);
    else fire(on_hide);
}

} // namespace forms
