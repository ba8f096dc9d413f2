#include "qt_view/pictures.h"

#include <QFile>

namespace qt_view {

QPixmap load_picture(const std::string& name) {
    if (name.empty()) return {};
    return QPixmap(":/" + QString::fromStdString(name) + ".bmp", "BMP");
}

QString load_help_topic(const std::string& keyword) {
    if (keyword.empty()) return {};
    QFile file(":/help/" + QString::fromStdString(keyword) + ".html");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace qt_view
