// The whole program on the desktop: its fifteen windows, its monitors, the
// main window's buttons, sticky menu and the panels' close boxes.
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "qt_view/pictures.h"
#include "shell/program.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/qt_view/desktop_harness.h"

namespace {

struct program_windows_test : ::testing::Test {
    temp_dir dir;
    manual_clock clock;
    orb_program program{clock, dir.path()};
    desktop_harness desktop{program.kit()};

    void SetUp() override {
        program.start();
        desktop.start();
    }
    void TearDown() override { desktop.stop(); }

    QWidget* shown(const forms::control& c) { return desktop.view().widget_of(&c); }
    bool showing(const forms::form& f) {
        return desktop.wait_until([&] { return shown(f) && shown(f)->isVisible(); });
    }
    bool hidden(const forms::form& f) {
        return desktop.wait_until([&] { return shown(f) && !shown(f)->isVisible(); });
    }
    Tscope& main() { return *program.main_window; }
    tscope_button& button(int page, int index) {
        return *main().buttons_on(*main().controller_pages.pages()[std::size_t(page)])[std::size_t(index)];
    }
};

TEST_F(program_windows_test, every_window_shows_with_its_caption_client_size_and_help_topic) {
    struct window {
        const forms::form* f;
        std::string caption, help;
        int width, height;
    };
    const auto windows = desktop.on_model([&] {
        std::vector<window> all;
        for (forms::form* f : program.kit().forms()) {
            f->show();
            all.push_back({f, f->caption(), f->help_keyword(), f->client_width(), f->client_height()});
        }
        return all;
    });
    ASSERT_EQ(windows.size(), 15u);
    for (const window& w : windows) {
        SCOPED_TRACE(w.caption);
        ASSERT_TRUE(showing(*w.f));
        EXPECT_EQ(shown(*w.f)->windowTitle().toStdString(), w.caption);
        EXPECT_EQ(shown(*w.f)->size(), QSize(w.width, w.height));
        EXPECT_FALSE(shown(*w.f)->grab().isNull());
        if (!w.help.empty()) {
            EXPECT_FALSE(qt_view::load_help_topic(w.help).isEmpty());
        }
    }
    auto* pages = desktop.widget<QTabWidget>(main().controller_pages);
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), "Setup");
    EXPECT_EQ(pages->tabText(2), "Objects");
}

TEST_F(program_windows_test, the_model_places_windows_on_qt_s_monitors) {
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(desktop.wait_until([&] {
        const auto screens = desktop.on_model([&] { return program.kit().screens().all(); });
        return screens.size() == std::size_t(QGuiApplication::screens().size()) && screens[0].primary &&
               screens[0].width == primary.width() && screens[0].height == primary.height();
    }));
}

TEST_F(program_windows_test, closing_a_panel_by_its_close_box_hides_it_and_keeps_its_button_state) {
    ASSERT_TRUE(showing(main()));
    auto* comms_button = desktop.widget<QPushButton>(button(0, 0));
    ASSERT_EQ(comms_button->text(), "Comms");
    comms_button->click();
    ASSERT_TRUE(showing(*program.comms));

    shown(*program.comms)->close();
    ASSERT_TRUE(hidden(*program.comms));
    EXPECT_FALSE(desktop.on_model([&] { return program.comms->visible(); }));
    EXPECT_FALSE(desktop.on_model([&] { return button(0, 0).hidden; }));

    comms_button->click(); // one click shows it again at once
    EXPECT_TRUE(showing(*program.comms));
}

TEST_F(program_windows_test, the_sticky_menu_opens_on_a_button_and_bolds_its_caption) {
    ASSERT_TRUE(showing(main()));
    auto* about = desktop.widget<QPushButton>(button(0, 1));
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(5, 6), about->mapToGlobal(QPoint(5, 6)));
    QCoreApplication::sendEvent(about, &right_click);

    QMenu* menu = nullptr;
    ASSERT_TRUE(desktop.wait_until([&] {
        menu = desktop.view().menu_of(&main().popup_menu);
        return menu && menu->isVisible();
    }));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Sticky Control");
    EXPECT_EQ(menu->pos(), about->mapToGlobal(QPoint(5, 6)));
    menu->actions()[0]->trigger();
    EXPECT_TRUE(desktop.wait_until([&] { return about->font().bold(); }));
    EXPECT_TRUE(desktop.on_model([&] { return button(0, 1).stuck; }));
}

} // namespace
