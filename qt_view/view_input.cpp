// The user's gestures on the desktop, turned into tasks for the model thread:
// each runs the matching forms::user function there and reports the
// control's state back, so the widget ends up showing the model's answer.
// Each kind's adapter says which gestures its widget makes; the right click
// that asks for a context menu is the same for every kind.
#include <QWidget>

#include "forms/forms.h"
#include "qt_view/desktop_view.h"
#include "qt_view/screen_watch.h"

namespace qt_view {

QPoint desktop_view::to_qt(forms::point p) const { return QPoint(p.x, p.y) + screens_->origin(); }

QPoint desktop_view::from_qt(QPoint p) const { return p - screens_->origin(); }

void desktop_view::post(std::function<void()> task) { kit_.loop().post(std::move(task)); }

void desktop_view::send(entry& e, gesture g, bool shows_at_once) {
    if (shows_at_once) ++e.pending_input;
    model_feed* feed = &feed_;
    kit_.loop().post([handle = e.handle, g = std::move(g), feed] {
        forms::control* target = handle.get();
        if (!target) return;
        g(*target);
        // The gesture's handlers may have destroyed it.
        if (forms::control* still = handle.get()) feed->input_done(*still);
    });
}

void desktop_view::wire_input(entry& e) {
    e.adapter->wire(e, *this);
    QWidget* w = e.widget.data();
    if (!w || !e.adapter->asks_for_context_menu()) return;
    entry* at = &e;
    // The menu opens where the user clicked, whatever the model thinks the
    // window's layout is.
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(w, &QWidget::customContextMenuRequested, w, [this, at, w](const QPoint& where) {
        const QPoint clicked = from_qt(w->mapToGlobal(where));
        model_feed* feed = &feed_;
        send(*at, [feed, where, clicked](forms::control& c) {
            const forms::point placed = c.client_to_screen({where.x(), where.y()});
            feed->shift_popups({clicked.x() - placed.x, clicked.y() - placed.y});
            forms::user::context_popup(c, {where.x(), where.y()});
            feed->shift_popups({});
        });
    });
}

} // namespace qt_view
