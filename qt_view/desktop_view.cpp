#include "qt_view/desktop_view.h"

#include <QApplication>
#include <QMenu>
#include <QSignalBlocker>
#include <algorithm>

#include "qt_view/display_text.h"
#include "qt_view/notice_windows.h"
#include "qt_view/screen_watch.h"

namespace qt_view {

desktop_view::desktop_view(forms::toolkit& kit)
    : kit_(kit),
      queue_([this] {
          QMetaObject::invokeMethod(wake_target_, [this] { apply_pending(); }, Qt::QueuedConnection);
      }),
      feed_(kit, queue_), notices_(std::make_unique<notice_windows>()), wake_target_(new QObject()) {
    screens_ = std::make_unique<screen_watch>([this](std::vector<screen> list) {
        forms::toolkit* kit = &kit_;
        kit_.loop().post([kit, list = std::move(list)] { kit->screens().set(list); });
    });
}

desktop_view::~desktop_view() {
    delete wake_target_;
    for (auto& [id, e] : entries_) {
        if (e->adapter->top_level()) delete e->widget.data();
        delete e->menu;
    }
}

void desktop_view::attach() {
    model_feed* feed = &feed_;
    kit_.loop().post([feed] { feed->attach(); });
}

void desktop_view::apply_pending() {
    std::vector<view_update> updates = queue_.take_all();
    for (view_update& update : updates) apply(update);
}

QWidget* desktop_view::widget_of(control_id id) const {
    const auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : found->second->widget.data();
}

QMenu* desktop_view::menu_of(control_id id) const {
    const auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : found->second->menu;
}

void desktop_view::apply(view_update& update) {
    using type = view_update::type;
    const auto found = entries_.find(update.state.id);
    entry* e = found == entries_.end() ? nullptr : found->second.get();
    switch (update.what) {
    case type::state:
        if (e) {
            show_properties(*e, update.state, false);
            if (update.state.has_children) set_children(*e, update.state.children);
        } else if (adapter_for(update.state.kind).top_level()) {
            create(update.state, nullptr);
        }
        // Anything else unknown arrives with its parent's children.
        break;
    case type::input_done:
        if (e) {
            e->pending_input = std::max(0, e->pending_input - 1);
            show_properties(*e, update.state, true);
        }
        break;
    case type::line_added:
        if (e) e->adapter->add_line(*e, update.text);
        break;
    case type::removed:
        if (e) remove(update.state.id);
        break;
    case type::bring_to_front:
        if (e && e->widget) {
            e->widget->raise();
            e->widget->activateWindow();
        }
        break;
    case type::repaint:
        if (e && e->widget) e->widget->update();
        break;
    case type::message:
        notices_->show_message(to_display(update.text));
        break;
    case type::help:
        notices_->show_help(update.file, update.text);
        break;
    }
}

QWidget* desktop_view::container_of(control_id parent) const {
    return parent ? widget_of(parent) : nullptr;
}

void desktop_view::create(control_state& state, control_id parent) {
    auto made = std::make_unique<entry>();
    entry& e = *made;
    e.id = state.id;
    e.parent = parent;
    e.adapter = &adapter_for(state.kind);
    e.handle = state.handle;
    e.popups_seen = state.popups;
    entries_[state.id] = std::move(made);
    QWidget* outer = container_of(parent);
    if (!outer && e.adapter->needs_container()) return; // a parent the view cannot show
    e.adapter->make(e, outer);
    wire_input(e);
    show_properties(e, state, true);
    if (state.has_children) set_children(e, state.children);
}

void desktop_view::set_children(entry& e, std::vector<control_state>& children) {
    std::vector<control_id> now;
    now.reserve(children.size());
    for (control_state& child : children) {
        now.push_back(child.id);
        const auto found = entries_.find(child.id);
        if (found != entries_.end() && found->second->parent == e.id) {
            entry& known = *found->second;
            show_properties(known, child, false);
            if (child.has_children) set_children(known, child.children);
        } else {
            if (found != entries_.end()) remove(child.id); // moved here from another parent
            create(child, e.id);
        }
    }
    for (control_id gone : e.children)
        if (std::find(now.begin(), now.end(), gone) == now.end()) remove(gone);
    e.children = std::move(now);
}

void desktop_view::remove(control_id id) {
    const auto found = entries_.find(id);
    if (found == entries_.end()) return;
    const std::vector<control_id> children = found->second->children;
    for (control_id child : children) remove(child);
    entry& e = *entries_.at(id);
    QWidget* outer = nullptr;
    if (e.parent) {
        if (const auto p = entries_.find(e.parent); p != entries_.end()) {
            std::erase(p->second->children, id);
            outer = p->second->widget.data();
        }
    }
    // A page control that loses a page picks another: that is no gesture.
    const QSignalBlocker quiet(outer);
    delete e.widget.data();
    delete e.menu;
    entries_.erase(id);
}

void desktop_view::show_properties(entry& e, const control_state& state, bool after_input) {
    // The user's own gesture is still on its way: keep what they see.
    const bool keep_value = e.pending_input > 0 && !after_input;
    const control_state before = std::move(e.shown);
    e.shown = state;
    e.shown.lines.clear();
    e.shown.has_lines = false;
    e.shown.children.clear();
    e.shown.has_children = false;
    if (keep_value) {
        e.shown.text = before.text;
        e.shown.checked = before.checked;
        e.shown.position = before.position;
        e.shown.item_index = before.item_index;
    }
    e.adapter->show(e, state, before, *this);
}

} // namespace qt_view
