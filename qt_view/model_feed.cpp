#include "qt_view/model_feed.h"

#include <utility>

#include "forms/form.h"
#include "forms/memo.h"

namespace qt_view {

namespace {

control_state id_only(const forms::control& c) {
    control_state s;
    s.id = &c;
    s.kind = c.kind();
    return s;
}

} // namespace

model_feed::~model_feed() { detach(); }

void model_feed::attach() {
    if (attached()) return;
    observer_ = kit_.observe([this](forms::control& which, forms::change what) { changed(which, what); });
    kit_.set_notification_sink(this);
    for (const forms::form* window : kit_.forms()) push(view_update::type::state, take_state(*window, true, true));
}

void model_feed::detach() {
    if (!attached()) return;
    kit_.forget(observer_);
    kit_.set_notification_sink(nullptr);
    observer_ = 0;
}

void model_feed::input_done(const forms::control& target) {
    push(view_update::type::input_done, take_state(target, false, false));
}

void model_feed::show_message(const std::string& text) {
    push(view_update::type::message, {}, text);
}

void model_feed::show_help(const std::string& help_file, const std::string& keyword) {
    view_update update;
    update.what = view_update::type::help;
    update.text = keyword;
    update.file = help_file;
    out_.push(std::move(update));
}

void model_feed::changed(forms::control& which, forms::change what) {
    using forms::change;
    using type = view_update::type;
    switch (what) {
    case change::form_added:
        push(type::state, take_state(which, true, true));
        break;
    case change::form_removed:
        push(type::removed, id_only(which));
        break;
    case change::children:
        push(type::state, take_state(which, false, true));
        break;
    case change::line_added: {
        const auto& log = static_cast<const forms::memo&>(which);
        if (!log.lines().empty()) push(type::line_added, id_only(which), log.lines().back());
        break;
    }
    case change::lines:
        push(type::state, take_state(which, true, false));
        break;
    case change::popped_up: {
        control_state menu = take_state(which, false, false);
        menu.popup_point.x += popup_shift_.x;
        menu.popup_point.y += popup_shift_.y;
        push(type::state, std::move(menu));
        break;
    }
    case change::bring_to_front:
        push(type::bring_to_front, id_only(which));
        break;
    case change::repaint:
        push(type::repaint, id_only(which));
        break;
    default:
        push(type::state, take_state(which, false, false));
        break;
    }
}

void model_feed::push(view_update::type what, control_state state, std::string text) {
    view_update update;
    update.what = what;
    update.state = std::move(state);
    update.text = std::move(text);
    out_.push(std::move(update));
}

} // namespace qt_view
