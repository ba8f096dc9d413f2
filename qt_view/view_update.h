// What the model thread tells the view thread, and the queue that carries it:
// the model side pushes without waiting, the view side takes everything
// queued in one go when it is woken.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "qt_view/control_state.h"

namespace qt_view {

struct view_update {
    enum class type {
        state,          // show `state` (with its subtree when it carries one)
        input_done,     // `state` after the model ran one of the user's gestures on it
        line_added,     // append `text` to the memo `state.id`
        removed,        // the window `state.id` is gone, with all its controls
        bring_to_front, // raise the window `state.id`
        repaint,        // repaint the control `state.id`
        message,        // a message box saying `text`
        help,           // the help topic `text` of the help file `file`
    };
    type what = type::state;
    control_state state;
    std::string text;
    std::string file;
};

class update_queue {
public:
    // `wake` runs on the pushing thread whenever the queue stops being empty;
    // it must only arrange for take_all to be called on the view thread.
    explicit update_queue(std::function<void()> wake) : wake_(std::move(wake)) {}

    void push(view_update update);
    std::vector<view_update> take_all();

private:
    std::function<void()> wake_;
    std::mutex mutex_;
    std::vector<view_update> pending_;
};

} // namespace qt_view
