#include "forms/control.h"

#include <algorithm>

#include "forms/form.h"
#include "forms/toolkit.h"

namespace forms {

control* control_handle::get() const {
    const std::shared_ptr<control* const> alive = alive_.lock();
    return alive ? *alive : nullptr;
}

control::control(control_kind kind, std::string name, control* parent)
    : kind_(kind), name_(std::move(name)), visible_(kind != control_kind::form),
      alive_(std::make_shared<control* const>(this)) {
    if (parent) set_parent(parent);
}

control::~control() {
    // Quietly: observers learn of a window's end from form_removed, and of a
    // run-time child's from destroy_child.
    alive_.reset();
    owned_.clear(); // each detaches itself from children_
    for (control* child : children_) child->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void control::set_parent(control* parent) {
    if (parent == parent_) return;
    for (const control* above = parent; above; above = above->parent_)
        if (above == this) return; // a control cannot hold itself
    if (control* old = parent_) {
        old->children_.erase(std::remove(old->children_.begin(), old->children_.end(), this),
                             old->children_.end());
        old->changed(change::children);
    }
    parent_ = parent;
    if (parent_) {
        parent_->children_.push_back(this);
        parent_->changed(change::children);
        if (fills_parent_) set_bounds(parent_->client_area());
    }
}

void control::destroy_child(control& child) {
    auto found = std::find_if(owned_.begin(), owned_.end(),
                              [&](const std::unique_ptr<control>& c) { return c.get() == &child; });
    if (found == owned_.end()) return;
    std::unique_ptr<control> going = std::move(*found);
    owned_.erase(found);
    going.reset();
    changed(change::children);
}

control* control::find(const std::string& name) {
    for (control* child : children_) {
        if (child->name_ == name) return child;
        if (control* below = child->find(name)) return below;
    }
    return nullptr;
}

form* control::owner_form() {
    control* root = this;
    while (root->parent_) root = root->parent_;
    return root->kind_ == control_kind::form ? static_cast<form*>(root) : nullptr;
}

const form* control::owner_form() const { return const_cast<control*>(this)->owner_form(); }

void control::set_caption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    changed(change::caption);
}

void control::set_enabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed(change::enabled);
}

void control::set_visible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    changed(change::visible);
    visibility_changed();
}

void control::set_bounds(rect bounds) {
    if (bounds == bounds_) return;
    bounds_ = bounds;
    changed(change::bounds);
    lay_out_children();
}

void control::set_fills_parent(bool fills) {
    if (fills == fills_parent_) return;
    fills_parent_ = fills;
    if (fills_parent_ && parent_) set_bounds(parent_->client_area());
}

void control::lay_out_children() {
    const rect area = client_area();
    for (control* child : children_)
        if (child->fills_parent_) child->set_bounds(area);
}

void control::set_font(forms::font font) {
    if (font == font_) return;
    font_ = std::move(font);
    changed(change::font);
}

void control::set_font_bold(bool bold) {
    forms::font bolder = font_;
    bolder.bold = bold;
    set_font(std::move(bolder));
}

void control::set_colour(forms::colour colour) {
    if (colour == colour_) return;
    colour_ = colour;
    changed(change::colour);
}

void control::set_hint(std::string hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    changed(change::hint);
}

bool control::showing() const {
    const control* c = this;
    for (; c->parent_; c = c->parent_)
        if (!c->visible_) return false;
    return c->kind_ == control_kind::form && c->visible_;
}

bool control::accepts_input() const {
    for (const control* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return showing();
}

point control::client_to_screen(point p) const {
    const control* c = this;
    for (; c->parent_; c = c->parent_) {
        p.x += c->bounds_.left;
        p.y += c->bounds_.top;
    }
    const point origin = c->client_origin();
    p.x += c->bounds_.left + origin.x;
    p.y += c->bounds_.top + origin.y;
    return p;
}

void control::changed(change what) {
    if (form* f = owner_form()) f->kit().notify(*this, what);
}

} // namespace forms
