#include "qt_view/view_update.h"

#include <utility>

namespace qt_view {

void update_queue::push(view_update update) {
    bool was_empty = false;
    {
        std::lock_guard lock(mutex_);
        was_empty = pending_.empty();
        pending_.push_back(std::move(update));
    }
    // One wake per batch: a burst of log lines costs the view one event.
    if (was_empty && wake_) wake_();
}

std::vector<view_update> update_queue::take_all() {
    std::lock_guard lock(mutex_);
    return std::exchange(pending_, {});
}

} // namespace qt_view
