// The built-in pictures and the display of the program's 8-bit texts.
#include <QImage>
#include <QTransform>
#include <gtest/gtest.h>

#include "qt_view/display_text.h"
#include "qt_view/pictures.h"
#include "tests/qt_view/desktop_harness.h"

namespace {

const QRgb ground = qRgb(0, 128, 0);
const QRgb ink = qRgb(0, 0, 0);

QImage picture(const std::string& name) { return qt_view::load_picture(name).toImage(); }

TEST(display_text, the_degree_byte_shows_as_a_degree_sign_and_other_bytes_as_latin1) {
    struct text_case {
        std::string bytes;
        QString shown;
    };
    const text_case cases[] = {
        {"+45\xDF" "30:15", QString::fromUtf8("+45°30:15")},
        {"caf\xE9", QString::fromUtf8("café")},
        {"ok=(ra=12.5)", "ok=(ra=12.5)"},
        {"", ""},
    };
    for (const text_case& c : cases) {
        EXPECT_EQ(qt_view::to_display(c.bytes), c.shown) << c.bytes;
        EXPECT_EQ(qt_view::from_display(c.shown), c.bytes) << c.bytes;
    }
    EXPECT_EQ(qt_view::from_display(QString::fromUtf8("5€")), "5?"); // no byte for it
}

// Each direction picture is a black square path on green, open at the middle
// of its side; the anticlockwise picture is the clockwise one mirrored
// across the opening, so their arrowheads point opposite ways.
TEST(direction_pictures, are_32_by_32_with_256_colours_open_towards_their_side) {
    test_application();
    struct side {
        const char* name;
        QPoint opening;        // the middle of the open side
        QPoint closed;         // the middle of the opposite side
        bool mirror_left_right; // the mirror that keeps the opening in place
    };
    const side sides[] = {
        {"NORTH", {15, 6}, {15, 25}, true},
        {"SOUTH", {15, 25}, {15, 6}, true},
        {"EAST", {25, 15}, {6, 15}, false},
        {"WEST", {6, 15}, {25, 15}, false},
    };
    for (const side& s : sides) {
        SCOPED_TRACE(s.name);
        const QImage clock = picture(std::string(s.name) + "_CLOCK");
        const QImage anti = picture(std::string(s.name) + "_ANTI");
        ASSERT_EQ(clock.size(), QSize(32, 32));
        ASSERT_EQ(anti.size(), QSize(32, 32));
        const QImage raw(":/" + QString(s.name) + "_CLOCK.bmp");
        EXPECT_EQ(raw.format(), QImage::Format_Indexed8);
        EXPECT_EQ(raw.colorCount(), 256);
        EXPECT_EQ(clock.pixel(0, 0), ground);
        EXPECT_EQ(clock.pixel(31, 31), ground);
        EXPECT_EQ(clock.pixel(s.closed), ink);
        EXPECT_EQ(clock.pixel(s.opening), ground);
        EXPECT_EQ(anti, clock.mirrored(s.mirror_left_right, !s.mirror_left_right));
        EXPECT_NE(anti, clock);
    }
    // The other sides are the north pictures turned.
    EXPECT_EQ(picture("EAST_CLOCK"), picture("NORTH_CLOCK").transformed(QTransform().rotate(90)));
}

TEST(button_glyphs, the_arrow_stop_focus_and_step_glyphs_are_black_on_green) {
    test_application();
    for (const char* name : {"ARROW_UP", "ARROW_DOWN", "ARROW_LEFT", "ARROW_RIGHT", "STOP", "FOCUS_MINUS",
                             "FOCUS_PLUS", "STEP_DOWN", "STEP_UP"}) {
        SCOPED_TRACE(name);
        const QImage glyph = picture(name);
        ASSERT_FALSE(glyph.isNull());
        EXPECT_EQ(glyph.pixel(0, 0), ground);
        EXPECT_EQ(glyph.pixel(glyph.width() / 2, glyph.height() / 2), ink);
    }
    EXPECT_TRUE(qt_view::load_picture("NO_SUCH_PICTURE").isNull());
}

TEST(about_pictures, the_about_panels_two_pictures_are_built_in) {
    test_application();
    for (const char* name : {"ORB_ICON", "ORB_ARMS"}) {
        SCOPED_TRACE(name);
        const QImage shown = picture(name);
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown.size(), QSize(32, 32));
        EXPECT_EQ(shown.pixel(0, 0), ground);
    }
}

} // namespace
