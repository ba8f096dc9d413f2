#include "qt_view/display_text.h"

namespace qt_view {

namespace {
constexpr unsigned char degree_byte = 0xDF;
constexpr char16_t degree_sign = u'\u00B0';
} // namespace

QString to_display(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(byte == degree_byte ? QChar(degree_sign) : QChar(byte));
    }
    return text;
}

std::string from_display(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.unicode() == degree_sign) bytes.push_back(static_cast<char>(degree_byte));
        else if (c.unicode() <= 0xFF) bytes.push_back(static_cast<char>(c.unicode()));
        else bytes.push_back('?');
    }
    return bytes;
}

} // namespace qt_view
