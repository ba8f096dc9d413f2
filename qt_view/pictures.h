// The program's pictures (direction bitmaps, button glyphs) and help topics,
// built into the program from resources/ and looked up by name.
#pragma once

#include <QPixmap>
#include <QString>
#include <string>

namespace qt_view {

// The bitmap of that resource name ("NORTH_CLOCK"); a null pixmap when there
// is none.
QPixmap load_picture(const std::string& name);
// The HTML of a help topic; empty when the keyword has no topic.
QString load_help_topic(const std::string& keyword);

} // namespace qt_view
