// The view's ear on the model thread: it watches every property change of
// every window, copies what changed and queues it for the view thread. It is
// also where message boxes and help requests go while the desktop is shown.
#pragma once

#include <string>

#include "forms/notifications.h"
#include "forms/toolkit.h"
#include "qt_view/view_update.h"

namespace qt_view {

class model_feed final : public forms::notification_sink {
public:
    model_feed(forms::toolkit& kit, update_queue& out) : kit_(kit), out_(out) {}
    ~model_feed() override;
    model_feed(const model_feed&) = delete;
    model_feed& operator=(const model_feed&) = delete;

    // Model thread: starts watching and queues every window as it is now.
    void attach();
    // Model thread (or any thread once the model loop has ended).
    void detach();
    bool attached() const { return observer_ != 0; }

    // Model thread: the state of a control after one of the user's gestures.
    void input_done(const forms::control& target);
    // Model thread: menus popped up from now on open this far from where
    // the model placed them. A right click sets it for its own handlers, so
    // that the menu opens where the user clicked whatever the model thinks
    // the window's layout is (a page's tabs take room the model knows nothing of).
    void shift_popups(forms::point by) { popup_shift_ = by; }

    void show_message(const std::string& text) override;
    void show_help(const std::string& help_file, const std::string& keyword) override;

private:
    void changed(forms::control& which, forms::change what);
    void push(view_update::type what, control_state state, std::string text = {});

    forms::toolkit& kit_;
    update_queue& out_;
    int observer_ = 0;
    forms::point popup_shift_;
};

} // namespace qt_view
