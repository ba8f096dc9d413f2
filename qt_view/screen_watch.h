// Follows the desktop's monitors: the list the model's window placement
// works with is Qt's screens, sent again whenever one comes, goes or
// changes. Positions are relative to the primary monitor's top-left corner.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <vector>

#include "platform/screens.h"

class QScreen;

namespace qt_view {

class screen_watch {
public:
    // `send` receives each new list on the Qt thread (the view posts it on).
    explicit screen_watch(std::function<void(std::vector<screen>)> send);
    ~screen_watch();
    screen_watch(const screen_watch&) = delete;
    screen_watch& operator=(const screen_watch&) = delete;

    // Where the primary monitor's top-left corner is in Qt's coordinates.
    QPoint origin() const { return origin_; }
    // The monitors now, as the model sees them.
    std::vector<screen> current() const;

private:
    void refresh();
    void watch(QScreen* s);

    std::function<void(std::vector<screen>)> send_;
    QObject context_;
    QPoint origin_;
};

} // namespace qt_view
