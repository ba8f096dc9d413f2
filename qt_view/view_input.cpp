// The user's gestures on the desktop, turned into tasks for the model thread:
// each runs the matching forms::user function there and reports the
// control's state back, so the widget ends up showing the model's answer.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <cstdlib>

#include "forms/forms.h"
#include "qt_view/desktop_view.h"
#include "qt_view/display_text.h"
#include "qt_view/screen_watch.h"
#include "qt_view/widgets.h"

namespace qt_view {

namespace {

using forms::control_kind;

// Left clicks and focus arrivals on widgets whose own signals do not say.
class gesture_filter : public QObject {
public:
    gesture_filter(QObject* owner, std::function<void()> on_click, std::function<void()> on_focus)
        : QObject(owner), on_click_(std::move(on_click)), on_focus_(std::move(on_focus)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && on_click_ &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            on_click_();
        else if (event->type() == QEvent::FocusIn && on_focus_)
            on_focus_();
        return false;
    }

private:
    std::function<void()> on_click_;
    std::function<void()> on_focus_;
};

// How close to a monitor's edge a window that snaps is pulled onto it.
constexpr int snap_distance = 10;

QPoint snapped(const QRect& frame) {
    const QScreen* s = QGuiApplication::screenAt(frame.center());
    if (!s) return frame.topLeft();
    const QRect area = s->availableGeometry();
    QPoint to = frame.topLeft();
    if (std::abs(frame.left() - area.left()) <= snap_distance) to.setX(area.left());
    else if (std::abs(frame.right() - area.right()) <= snap_distance) to.setX(area.right() - frame.width() + 1);
    if (std::abs(frame.top() - area.top()) <= snap_distance) to.setY(area.top());
    else if (std::abs(frame.bottom() - area.bottom()) <= snap_distance) to.setY(area.bottom() - frame.height() + 1);
    return to;
}

template <class C>
C& as(forms::control& c) {
    return static_cast<C&>(c);
}

} // namespace

QPoint desktop_view::to_qt(int left, int top) const { return QPoint(left, top) + screens_->origin(); }

QPoint desktop_view::from_qt(QPoint p) const { return p - screens_->origin(); }

void desktop_view::send(entry& e, std::function<void(forms::control&)> gesture, bool shows_at_once) {
    if (shows_at_once) ++e.pending_input;
    model_feed* feed = &feed_;
    kit_.loop().post([handle = e.handle, gesture = std::move(gesture), feed] {
        forms::control* target = handle.get();
        if (!target) return;
        gesture(*target);
        // The gesture's handlers may have destroyed it.
        if (forms::control* still = handle.get()) feed->input_done(*still);
    });
}

void desktop_view::wire_input(entry& e) {
    if (e.kind == control_kind::form) {
        wire_form(e);
        return;
    }
    QWidget* w = e.widget.data();
    if (!w) return;
    entry* at = &e;
    const auto focus = [this, at] { send(*at, [](forms::control& c) { forms::user::focus(c); }); };
    const auto click = [this, at] { send(*at, [](forms::control& c) { forms::user::click(c); }); };

    switch (e.kind) {
    case control_kind::label:
    case control_kind::panel:
    case control_kind::group_box:
    case control_kind::image:
    case control_kind::shape:
    case control_kind::tab_sheet:
        w->installEventFilter(new gesture_filter(w, click, {}));
        break;
    case control_kind::edit: {
        auto* line = static_cast<QLineEdit*>(w);
        w->installEventFilter(new gesture_filter(w, click, focus));
        QObject::connect(line, &QLineEdit::textEdited, line, [this, at](const QString& text) {
            send(*at, [typed = from_display(text)](forms::control& c) {
                forms::user::type_text(as<forms::edit>(c), typed);
            }, true);
        });
        QObject::connect(line, &QLineEdit::returnPressed, line, [this, at] {
            send(*at, [](forms::control& c) { forms::user::press_enter(as<forms::edit>(c)); });
        });
        break;
    }
    case control_kind::combo_box: {
        auto* box = static_cast<QComboBox*>(w);
        if (QLineEdit* line = box->lineEdit()) {
            line->installEventFilter(new gesture_filter(line, {}, focus));
            QObject::connect(line, &QLineEdit::textEdited, line, [this, at](const QString& text) {
                send(*at, [typed = from_display(text)](forms::control& c) {
                    forms::user::type_text(as<forms::combo_box>(c), typed);
                }, true);
            });
        }
        if (e.shown.id) break; // re-wiring a new line edit only
        w->installEventFilter(new gesture_filter(w, {}, focus));
        QObject::connect(box, &QComboBox::activated, box, [this, at](int index) {
            send(*at, [index](forms::control& c) { forms::user::choose_item(as<forms::combo_box>(c), index); }, true);
        });
        break;
    }
    case control_kind::check_box:
    case control_kind::button:
    case control_kind::glyph_button: {
        auto* b = static_cast<QAbstractButton*>(w);
        if (e.kind != control_kind::glyph_button) w->installEventFilter(new gesture_filter(w, {}, focus));
        const bool shows = e.kind != control_kind::button; // a toggle shows its new state at once
        QObject::connect(b, &QAbstractButton::clicked, b, [this, at, shows] {
            send(*at, [](forms::control& c) { forms::user::click(c); }, shows);
        });
        break;
    }
    case control_kind::radio_group:
        static_cast<radio_group_widget*>(w)->on_chosen = [this, at](int index) {
            send(*at, [index](forms::control& c) { forms::user::choose_item(as<forms::radio_group>(c), index); }, true);
        };
        break;
    case control_kind::up_down:
        static_cast<spin_arrows*>(w)->on_arrow = [this, at](bool up) {
            send(*at, [up](forms::control& c) {
                forms::user::press_arrow(as<forms::up_down>(c), up ? forms::arrow::up : forms::arrow::down);
            });
        };
        break;
    case control_kind::track_bar: {
        auto* track = static_cast<QSlider*>(w);
        w->installEventFilter(new gesture_filter(w, {}, focus));
        QObject::connect(track, &QSlider::valueChanged, track, [this, at](int position) {
            send(*at, [position](forms::control& c) { forms::user::move_track(as<forms::track_bar>(c), position); }, true);
        });
        break;
    }
    case control_kind::page_control: {
        auto* tabs = static_cast<QTabWidget*>(w);
        QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this, at](int index) {
            send(*at, [index](forms::control& c) { forms::user::select_page(as<forms::page_control>(c), index); }, true);
        });
        break;
    }
    case control_kind::memo:
        w->installEventFilter(new gesture_filter(w, {}, focus));
        break;
    case control_kind::form:
    case control_kind::popup_menu:
        break;
    }

    // A right click asks the model for a context menu; text boxes keep their
    // own menu of cut and paste.
    if (e.kind != control_kind::edit && e.kind != control_kind::combo_box && e.kind != control_kind::memo) {
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
}

void desktop_view::wire_form(entry& e) {
    auto* window = static_cast<form_window*>(e.widget.data());
    entry* at = &e;
    window->on_close_request = [this, at] {
        send(*at, [](forms::control& c) { forms::user::request_close(as<forms::form>(c)); });
    };
    window->on_activated = [this, at] {
        send(*at, [](forms::control& c) { forms::user::activate(as<forms::form>(c)); });
    };
    window->on_help_key = [this, at] {
        send(*at, [](forms::control& c) { forms::user::request_help(as<forms::form>(c)); });
    };
    window->on_moved = [this, at] { form_moved(*at); };
    window->on_shown = [this, at] { report_frame(*at); };
    // A window repaints often; one report at a time is on its way to the model.
    window->on_painted = [this, at] {
        if (at->paint_queued->exchange(true)) return;
        kit_.loop().post([handle = at->handle, queued = at->paint_queued] {
            queued->store(false);
            if (auto* f = handle.get_as<forms::form>()) forms::user::paint(*f);
        });
    };
}

// A move the view made itself is the model's own; any other came from the
// user (or the window manager) and is reported, pulled to a monitor's edge
// first when the window snaps to edges.
void desktop_view::form_moved(entry& e) {
    QWidget* window = e.widget.data();
    if (!window || !window->isVisible()) return;
    report_frame(e);
    QPoint now = window->pos();
    if (now == e.placed_at) return;
    if (e.shown.snaps_to_edges) {
        const QPoint to = snapped(window->frameGeometry());
        if (to != now) {
            now = to;
            window->move(to);
        }
    }
    e.placed_at = now;
    const QPoint model = from_qt(now);
    send(e, [x = model.x(), y = model.y()](forms::control& c) { forms::user::move_window(as<forms::form>(c), x, y); });
}

// The model lays out and places windows by their outer size: tell it the
// border the window system really gave.
void desktop_view::report_frame(entry& e) {
    QWidget* window = e.widget.data();
    if (!window || !window->isVisible()) return;
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    if (e.frame_reported && frame == e.frame) return;
    e.frame_reported = true;
    e.frame = frame;
    kit_.loop().post([handle = e.handle, frame] {
        if (auto* f = handle.get_as<forms::form>())
            f->set_frame({frame.left(), frame.top(), frame.right(), frame.bottom()});
    });
}

} // namespace qt_view
