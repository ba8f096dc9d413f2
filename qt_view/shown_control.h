// One control as the desktop view shows it: its place in the tree, its
// widget (or menu), the model's latest state, and what the view remembers
// about the user's gestures still on their way to the model.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <memory>
#include <vector>

#include "qt_view/control_state.h"

class QMenu;

namespace qt_view {

class control_adapter;

struct shown_control {
    control_id id = nullptr;
    control_id parent = nullptr;
    const control_adapter* adapter = nullptr; // what the view does with this kind
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

} // namespace qt_view
