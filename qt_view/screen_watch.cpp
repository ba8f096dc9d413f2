#include "qt_view/screen_watch.h"

#include <QGuiApplication>
#include <QScreen>

namespace qt_view {

screen_watch::screen_watch(std::function<void(std::vector<screen>)> send) : send_(std::move(send)) {
    for (QScreen* s : QGuiApplication::screens()) watch(s);
    QObject::connect(qApp, &QGuiApplication::screenAdded, &context_, [this](QScreen* s) {
        watch(s);
        refresh();
    });
    QObject::connect(qApp, &QGuiApplication::screenRemoved, &context_, [this] { refresh(); });
    QObject::connect(qApp, &QGuiApplication::primaryScreenChanged, &context_, [this] { refresh(); });
    refresh();
}

screen_watch::~screen_watch() = default;

void screen_watch::watch(QScreen* s) {
    QObject::connect(s, &QScreen::geometryChanged, &context_, [this] { refresh(); });
}

std::vector<screen> screen_watch::current() const {
    std::vector<screen> list;
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QPoint origin = primary ? primary->geometry().topLeft() : QPoint();
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        list.push_back(screen{static_cast<int>(list.size()), g.left() - origin.x(), g.top() - origin.y(),
                              g.width(), g.height(), s == primary});
    }
    return list;
}

void screen_watch::refresh() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    origin_ = primary ? primary->geometry().topLeft() : QPoint();
    if (send_) send_(current());
}

} // namespace qt_view
