// What the desktop view does with one kind of control, in one place: the
// copy of the kind's state taken on the model thread, the widget made for
// it, how a new state shows in that widget, and how the user's gestures on
// it go back to the model. Adding a kind to the forms toolkit means writing
// one adapter and naming it in adapter_for.
#pragma once

#include <QPalette>
#include <QPoint>
#include <functional>

#include "forms/control.h"
#include "qt_view/control_state.h"
#include "qt_view/shown_control.h"

class QWidget;

namespace qt_view {

// A gesture, run on the model thread with the control it was made on.
using gesture = std::function<void(forms::control&)>;

// What an adapter may ask of the desktop view (Qt thread only).
class adapter_host {
public:
    // Runs `g` on the model thread with the control, if it still exists,
    // then reports its state back. `shows_at_once`: the widget already
    // shows the gesture's effect, and keeps it until the answer comes.
    virtual void send(shown_control& e, gesture g, bool shows_at_once = false) = 0;
    // Runs `task` on the model thread, with no report back.
    virtual void post(std::function<void()> task) = 0;
    // Virtual-desktop pixels of the model to Qt's global coordinates, and back.
    virtual QPoint to_qt(forms::point p) const = 0;
    virtual QPoint from_qt(QPoint p) const = 0;
    virtual QWidget* widget_of(control_id id) const = 0;

protected:
    ~adapter_host() = default;
};

class control_adapter {
public:
    // Model thread: copies the kind's own properties into `s`; `with_lines`
    // copies a memo's lines.
    virtual void take(const forms::control& c, control_state& s, bool with_lines) const;

    // Qt thread: makes the widget (or menu) of `e` inside `parent`, which is
    // null only for a top-level kind.
    virtual void make(shown_control& e, QWidget* parent) const = 0;
    // A window of its own: it arrives from the model without a parent.
    virtual bool top_level() const { return false; }
    // Whether it can only be shown inside its parent's widget.
    virtual bool needs_container() const { return !top_level(); }

    // Qt thread: shows `state`, the model's latest (e.shown is the same
    // without lines and children, with the values of gestures still on
    // their way kept as the user sees them); `before` is what was shown.
    // By default: what every widget shares, the kind's own properties, the
    // value, then the bounds and visibility.
    virtual void show(shown_control& e, const control_state& state, const control_state& before,
                      adapter_host& host) const;
    // Qt thread: appends a line to a memo.
    virtual void add_line(shown_control&, const std::string&) const {}

    // Qt thread: connects the widget's signals to gestures.
    virtual void wire(shown_control& e, adapter_host& host) const = 0;
    // Whether a right click asks the model for its context menu; text boxes
    // keep Qt's own menu of cut and paste.
    virtual bool asks_for_context_menu() const { return true; }

protected:
    ~control_adapter() = default;

    // The kind's own properties: caption, read-only, items...
    virtual void show_own(shown_control&, const control_state&, const control_state&, adapter_host&) const {}
    // The part of the state the user changes by a gesture (e.shown), with
    // the widget's signals blocked.
    virtual void show_value(QWidget&, const control_state&) const {}
    // By default the colour fills the widget's background.
    virtual void show_colour(QWidget& w, const forms::colour& colour) const;
    virtual void place(QWidget& w, const control_state& state) const;

    // Enabled, hint, font and colour.
    void show_shared(QWidget& w, const control_state& state) const;
    static void paint(QWidget& w, const forms::colour& colour, QPalette::ColorRole role, bool fill);
    // Gestures every kind may send.
    static std::function<void()> click_of(shown_control& e, adapter_host& host);
    static std::function<void()> focus_of(shown_control& e, adapter_host& host);
};

// The adapter of every kind; the one place that lists them.
const control_adapter& adapter_for(forms::control_kind kind);

template <class C>
C& as(forms::control& c) {
    return static_cast<C&>(c);
}
template <class C>
const C& as(const forms::control& c) {
    return static_cast<const C&>(c);
}

// The Qt colour of a model colour.
inline QColor colour_of(const forms::colour& c) { return QColor(c.red, c.green, c.blue); }

} // namespace qt_view
