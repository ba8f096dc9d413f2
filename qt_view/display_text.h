// The program's 8-bit texts as the desktop shows them, and back: the
// telescope's degree byte 0xDF shows as the degree sign, every other byte as
// its Latin-1 character.
#pragma once

#include <QString>
#include <string>

namespace qt_view {

QString to_display(const std::string& bytes);
// The degree sign becomes 0xDF again; a character outside Latin-1 becomes '?'.
std::string from_display(const QString& text);

} // namespace qt_view
