// The desktop view, on the Qt thread: one Qt widget per control of every
// window of a forms toolkit, kept up to date from the model's queued updates,
// with the user's gestures sent back to the model thread as tasks. It never
// touches the model from its own thread. What differs between kinds of
// control is each kind's adapter's business (control_adapter.h).
#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/toolkit.h"
#include "qt_view/control_adapter.h"
#include "qt_view/control_state.h"
#include "qt_view/model_feed.h"
#include "qt_view/shown_control.h"
#include "qt_view/view_update.h"

class QMenu;

namespace qt_view {

class notice_windows;
class screen_watch;

class desktop_view final : private adapter_host {
public:
    // Qt thread, with a QApplication made. `kit` is only reached through
    // tasks posted to its loop, which must outlive the view's input.
    explicit desktop_view(forms::toolkit& kit);
    ~desktop_view();
    desktop_view(const desktop_view&) = delete;
    desktop_view& operator=(const desktop_view&) = delete;

    // Posts the task that starts the model's feed; the windows appear once
    // the model loop runs it.
    void attach();
    // Detach the feed on the model thread, or once its loop has ended; the
    // view must not be destroyed while the feed may still push.
    model_feed& feed() { return feed_; }

    // Shows everything queued so far. Runs by itself on the Qt thread when
    // the model queues something; tests may call it too.
    void apply_pending();

    // The widget showing a control (a form's window for a form); nullptr
    // when the view does not show it (yet).
    QWidget* widget_of(control_id id) const override;
    QMenu* menu_of(control_id id) const;
    notice_windows& notices() { return *notices_; }

private:
    using entry = shown_control;

    // ---- adapter_host ----
    void send(entry& e, gesture g, bool shows_at_once = false) override;
    void post(std::function<void()> task) override;
    QPoint to_qt(forms::point p) const override;
    QPoint from_qt(QPoint p) const override;

    void apply(view_update& update);
    void create(control_state& state, control_id parent);
    void remove(control_id id);
    void set_children(entry& e, std::vector<control_state>& children);
    void show_properties(entry& e, const control_state& state, bool after_input);
    QWidget* container_of(control_id parent) const;
    // The gestures every kind shares (the right click), then the kind's own.
    void wire_input(entry& e);

    forms::toolkit& kit_;
    update_queue queue_;
    model_feed feed_;
    std::unordered_map<control_id, std::unique_ptr<entry>> entries_;
    std::unique_ptr<notice_windows> notices_;
    std::unique_ptr<screen_watch> screens_;
    // Receives the model thread's wake-ups; deleting it drops those pending.
    QObject* wake_target_;
};

} // namespace qt_view
