#include "forms/toolkit.h"

#include <algorithm>

#include "forms/form.h"

namespace forms {

toolkit::toolkit(const program_clock& clock) : loop_(clock) {}

toolkit::~toolkit() = default;

int toolkit::observe(observer watcher) {
    observers_.emplace_back(++next_observer_, std::move(watcher));
    return next_observer_;
}

void toolkit::forget(int id) {
    for (auto& [key, watcher] : observers_)
        if (key == id) watcher = nullptr;
    if (notifying_ == 0)
        std::erase_if(observers_, [](const auto& entry) { return !entry.second; });
}

void toolkit::notify(control& which, change what) {
    ++notifying_;
    // By index: an observer may add another, which hears the next change.
    const std::size_t count = observers_.size();
    for (std::size_t i = 0; i < count; ++i) fire(observers_[i].second, which, what);
    if (--notifying_ == 0)
        std::erase_if(observers_, [](const auto& entry) { return !entry.second; });
}

void toolkit::add_form(form& f) {
    forms_.push_back(&f);
    notify(f, change::form_added);
}

void toolkit::remove_form(form& f) {
    notify(f, change::form_removed);
    std::erase(forms_, &f);
    if (active_ == &f) active_ = nullptr;
}

void toolkit::show_message(const std::string& text) {
    if (sink_) sink_->show_message(text);
    else log_.show_message(text);
}

void toolkit::show_help(const std::string& keyword) {
    if (keyword.empty()) return;
    if (sink_) sink_->show_help(help_file_, keyword);
    else log_.show_help(help_file_, keyword);
}

} // namespace forms
