// The adapter of a form: a window of its own, placed on the virtual desktop
// by the model. Moves, the frame the window system gave, closes, activation,
// F1 and paints go back to the model.
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdlib>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/display_text.h"
#include "qt_view/widgets.h"

namespace qt_view::adapters {

namespace {

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

// The model lays out and places windows by their outer size: tell it the
// border the window system really gave.
void report_frame(shown_control& e, adapter_host& host) {
    QWidget* window = e.widget.data();
    if (!window || !window->isVisible()) return;
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    if (e.frame_reported && frame == e.frame) return;
    e.frame_reported = true;
    e.frame = frame;
    host.post([handle = e.handle, frame] {
        if (auto* f = handle.get_as<forms::form>())
            f->set_frame({frame.left(), frame.top(), frame.right(), frame.bottom()});
    });
}

// A move the view made itself is the model's own; any other came from the
// user (or the window manager) and is reported, pulled to a monitor's edge
// first when the window snaps to edges.
void form_moved(shown_control& e, adapter_host& host) {
    QWidget* window = e.widget.data();
    if (!window || !window->isVisible()) return;
    report_frame(e, host);
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
    const QPoint model = host.from_qt(now);
    host.send(e, [x = model.x(), y = model.y()](forms::control& c) {
        forms::user::move_window(as<forms::form>(c), x, y);
    });
}

class form_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& f = as<forms::form>(c);
        s.client_width = f.client_width();
        s.client_height = f.client_height();
        s.minimise_box = f.minimise_box();
        s.snaps_to_edges = f.snaps_to_screen_edges();
        s.focused = f.focused();
        s.help_keyword = f.help_keyword();
    }

    void make(shown_control& e, QWidget*) const override { e.widget = new form_window(); }
    bool top_level() const override { return true; }
    bool asks_for_context_menu() const override { return false; }

    void show(shown_control& e, const control_state& state, const control_state& before,
              adapter_host& host) const override {
        auto* window = static_cast<form_window*>(e.widget.data());
        if (!window) return;
        show_shared(*window, state);
        const control_state& s = e.shown;
        window->setWindowTitle(to_display(s.caption));
        window->setFixedSize(std::max(0, s.client_width), std::max(0, s.client_height));
        // Window flags change only while hidden: changing them hides a window.
        if (window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint) != s.minimise_box && !window->isVisible())
            window->setWindowFlag(Qt::WindowMinimizeButtonHint, s.minimise_box);
        const QPoint wanted = host.to_qt({s.bounds.left, s.bounds.top});
        if (window->pos() != wanted) {
            e.placed_at = wanted;
            window->move(wanted);
        }
        if (s.visible && !window->isVisible()) {
            e.placed_at = wanted;
            window->show();
            window->raise();
        } else if (!s.visible && window->isVisible()) {
            window->hide();
        }
        if (before.focused != state.focused && s.focused) {
            QWidget* focus = host.widget_of(s.focused);
            if (focus && !focus->hasFocus()) focus->setFocus(Qt::OtherFocusReason);
        }
    }

    void wire(shown_control& e, adapter_host& host) const override {
        auto* window = static_cast<form_window*>(e.widget.data());
        shown_control* at = &e;
        window->on_close_request = [&host, at] {
            host.send(*at, [](forms::control& c) { forms::user::request_close(as<forms::form>(c)); });
        };
        window->on_activated = [&host, at] {
            host.send(*at, [](forms::control& c) { forms::user::activate(as<forms::form>(c)); });
        };
        window->on_help_key = [&host, at] {
            host.send(*at, [](forms::control& c) { forms::user::request_help(as<forms::form>(c)); });
        };
        window->on_moved = [&host, at] { form_moved(*at, host); };
        window->on_shown = [&host, at] { report_frame(*at, host); };
        // A window repaints often; one report at a time is on its way to the model.
        window->on_painted = [&host, at] {
            if (at->paint_queued->exchange(true)) return;
            host.post([handle = at->handle, queued = at->paint_queued] {
                queued->store(false);
                if (auto* f = handle.get_as<forms::form>()) forms::user::paint(*f);
            });
        };
    }

protected:
    // The window's background is the colour; Qt fills a window by itself.
    void show_colour(QWidget& w, const forms::colour& colour) const override {
        paint(w, colour, QPalette::Window, false);
    }
};

} // namespace

const control_adapter& form() { return one<form_adapter>(); }

} // namespace qt_view::adapters
