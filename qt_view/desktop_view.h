// The desktop view, on the Qt thread: one Qt widget per control of every
// window of a forms toolkit, kept up to date from the model's queued updates,
// with the user's gestures sent back to the model thread as tasks. It never
// touches the model from its own thread.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/toolkit.h"
#include "qt_view/control_state.h"
#include "qt_view/model_feed.h"
#include "qt_view/view_update.h"

class QMenu;

namespace qt_view {

class notice_windows;
class screen_watch;

class desktop_view {
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
    QWidget* widget_of(control_id id) const;
    QMenu* menu_of(control_id id) const;
    notice_windows& notices() { return *notices_; }

private:
    // One control as the view shows it.
    struct entry {
        control_id id = nullptr;
        control_id parent = nullptr;
        forms::control_kind kind = forms::control_kind::panel;
        forms::control_handle handle;
        QPointer<QWidget> widget; // a form's window, a page of a page control...
        QMenu* menu = nullptr;    // a popup menu's, owned
        std::vector<control_id> children;
        control_state shown;      // the model's latest state, without lines or children
        // Gestures that show at once in the widget (typing, dragging) and
        // whose answer from the model has not come back: until it has, the
        // model's older values must not overwrite what the user sees.
        int pending_input = 0;
        int popups_seen = 0;
        // Forms: where the view last put the window, the frame last reported,
        // and whether a paint report is on its way to the model.
        QPoint placed_at;
        bool frame_reported = false;
        QMargins frame;
        std::shared_ptr<std::atomic<bool>> paint_queued = std::make_shared<std::atomic<bool>>(false);
    };

    void apply(view_update& update);
    void show_state(control_state& state, control_id parent);
    void create(control_state& state, control_id parent);
    void remove(control_id id);
    void set_children(entry& e, std::vector<control_state>& children);
    void show_properties(entry& e, const control_state& state, bool after_input);
    void show_value(entry& e);
    void show_form(entry& e, bool focus_moved);
    void show_menu(entry& e, const control_state& state, const std::vector<menu_entry>& before);
    QWidget* container_of(control_id parent) const;
    QWidget* make_widget(entry& e, QWidget* parent);

    // ---- input (view_input.cpp) ----
    void wire_input(entry& e);
    void wire_form(entry& e);
    // Runs `gesture` on the model thread with the control, if it still
    // exists, then reports its state back.
    void send(entry& e, std::function<void(forms::control&)> gesture, bool shows_at_once = false);
    void form_moved(entry& e);
    void report_frame(entry& e);
    QPoint to_qt(int left, int top) const;
    QPoint from_qt(QPoint p) const;

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
