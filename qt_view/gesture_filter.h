// Left clicks and focus arrivals on widgets whose own signals do not say.
#pragma once

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <functional>

namespace qt_view {

class gesture_filter : public QObject {
public:
    // Installs itself on `w`, which owns it.
    static void watch(QObject* w, std::function<void()> on_click, std::function<void()> on_focus) {
        w->installEventFilter(new gesture_filter(w, std::move(on_click), std::move(on_focus)));
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease && on_click_ &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            on_click_();
        else if (event->type() == QEvent::FocusIn && on_focus_)
            on_focus_();
        return false;
    }

private:
    gesture_filter(QObject* owner, std::function<void()> on_click, std::function<void()> on_focus)
        : QObject(owner), on_click_(std::move(on_click)), on_focus_(std::move(on_focus)) {}

    std::function<void()> on_click_;
    std::function<void()> on_focus_;
};

} // namespace qt_view
