// The view over a small test window: model changes reach the widgets,
// gestures reach the handlers on the model thread, typing ends with the
// model's text, and a busy model leaves the windows painting.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <atomic>
#include <future>
#include <gtest/gtest.h>

#include "forms/forms.h"
#include "platform/clock.h"
#include "tests/qt_view/desktop_harness.h"

namespace {

// A window with one control of each kind the tests drive.
struct test_window : forms::form {
    explicit test_window(forms::toolkit& kit) : forms::form(kit, "test_window") {
        set_caption("Test window");
        set_help_keyword("Network");
        set_client_size(200, 120);
        title.set_bounds({8, 8, 100, 13});
        title.set_caption("Rate");
        rate.set_bounds({8, 24, 80, 21});
        digits.set_bounds({100, 24, 80, 21});
        go.set_bounds({8, 56, 75, 25});
        go.set_caption("Go");
        lock.set_bounds({100, 56, 80, 17});
        lock.set_caption("Lock");
    }
    forms::label title{"title", this};
    forms::edit rate{"rate", this};
    forms::edit digits{"digits", this};
    forms::button go{"go", this};
    forms::check_box lock{"lock", this};
};

struct view_test : ::testing::Test {
    manual_clock clock;
    forms::toolkit kit{clock};
    test_window window{kit};
    desktop_harness desktop{kit};

    void SetUp() override {
        window.show();
        desktop.start();
        ASSERT_TRUE(desktop.wait_until([&] { return shown(window) && shown(window)->isVisible(); }));
    }
    void TearDown() override { desktop.stop(); }

    QWidget* shown(const forms::control& c) { return desktop.view().widget_of(&c); }

    // Holds the model thread in a task until release(), as a wait for a
    // silent telescope does.
    std::promise<void> gate;
    void block_model() {
        std::shared_future<void> opened = gate.get_future().share();
        kit.loop().post([opened] { opened.wait(); });
    }
    void release() { gate.set_value(); }
};

TEST_F(view_test, the_window_shows_its_caption_client_size_and_controls_at_their_bounds) {
    QWidget* w = shown(window);
    EXPECT_EQ(w->windowTitle(), "Test window");
    EXPECT_EQ(w->size(), QSize(200, 120));
    auto* go = desktop.widget<QPushButton>(window.go);
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->text(), "Go");
    EXPECT_EQ(go->geometry(), QRect(8, 56, 75, 25));
    EXPECT_EQ(go->window(), w);
}

TEST_F(view_test, a_click_runs_the_handler_on_the_model_thread) {
    std::atomic<int> clicks{0};
    std::thread::id ran_on;
    desktop.on_model([&] {
        window.go.on_click = [&] {
            ran_on = std::this_thread::get_id();
            ++clicks;
        };
    });
    desktop.widget<QPushButton>(window.go)->click();
    ASSERT_TRUE(desktop.wait_until([&] { return clicks == 1; }));
    EXPECT_EQ(ran_on, desktop.model_thread());
}

TEST_F(view_test, model_changes_of_caption_text_enabled_and_colour_show_in_the_widgets) {
    auto* title = desktop.widget<QLabel>(window.title);
    auto* rate = desktop.widget<QLineEdit>(window.rate);
    auto* go = desktop.widget<QPushButton>(window.go);
    auto* lock = desktop.widget<QCheckBox>(window.lock);
    desktop.on_model([&] {
        window.title.set_caption("Dec 45\xDF" "30");
        window.title.set_colour(forms::colours::red);
        window.rate.set_text("60.1");
        window.go.set_enabled(false);
        window.lock.set_checked(true);
        window.set_caption("Renamed");
    });
    EXPECT_TRUE(desktop.wait_until([&] {
        return title->text() == QString::fromUtf8("Dec 45°30") && rate->text() == "60.1" && !go->isEnabled() &&
               lock->isChecked() && shown(window)->windowTitle() == "Renamed" &&
               title->palette().color(QPalette::Window) == QColor(255, 0, 0);
    }));
    EXPECT_TRUE(title->autoFillBackground());
}

// The tracking rate box undoes any typing; the digits box keeps only digits.
// Either way the widget ends with the model's text, even when the keys
// arrive while the model is busy and are answered all at once afterwards.
TEST_F(view_test, typing_into_an_edit_ends_with_the_text_its_handler_wrote) {
    desktop.on_model([&] {
        window.rate.set_text("60.1");
        window.rate.on_change = [&] { window.rate.set_text("60.1"); };
        window.digits.on_change = [&] {
            std::string kept;
            for (char c : window.digits.text())
                if (c >= '0' && c <= '9') kept += c;
            window.digits.set_text(kept);
        };
    });
    auto* rate = desktop.widget<QLineEdit>(window.rate);
    auto* digits = desktop.widget<QLineEdit>(window.digits);
    ASSERT_TRUE(desktop.wait_until([&] { return rate->text() == "60.1"; }));

    struct typing {
        QLineEdit* box;
        forms::edit& model;
        const char* keys;
        const char* expected;
        bool model_busy;
    };
    const typing cases[] = {
        {rate, window.rate, "x", "60.1", false},
        {rate, window.rate, "abc", "60.1", true},
        {digits, window.digits, "1a2", "12", false},
        {digits, window.digits, "3b4c", "1234", true},
    };
    for (const typing& t : cases) {
        SCOPED_TRACE(t.keys);
        if (t.model_busy) {
            gate = {};
            block_model();
        }
        QTest::keyClicks(t.box, t.keys);
        if (t.model_busy) release();
        EXPECT_TRUE(desktop.wait_until([&] { return t.box->text() == t.expected; }));
        EXPECT_EQ(desktop.on_model([&] { return t.model.text(); }), t.expected);
        // Nothing still on its way changes it afterwards.
        desktop.on_model([] {});
        QCoreApplication::processEvents();
        EXPECT_EQ(t.box->text(), t.expected);
    }
}

TEST_F(view_test, a_check_box_ends_showing_the_model_s_answer_to_a_click) {
    auto* lock = desktop.widget<QCheckBox>(window.lock);
    lock->click();
    EXPECT_TRUE(desktop.wait_until([&] { return desktop.on_model([&] { return window.lock.checked(); }); }));
    EXPECT_TRUE(lock->isChecked());

    // The model disables the box before it gets to a click the user made
    // meanwhile: the click is refused and the box goes back to ticked.
    block_model();
    kit.loop().post([&] { window.lock.set_enabled(false); });
    lock->click();
    EXPECT_FALSE(lock->isChecked()); // shown at once...
    release();
    EXPECT_TRUE(desktop.wait_until([&] { return !lock->isEnabled() && lock->isChecked(); })); // ...then undone
    EXPECT_TRUE(desktop.on_model([&] { return window.lock.checked(); }));
}

TEST_F(view_test, while_the_model_is_busy_the_window_paints_and_a_click_waits_its_turn) {
    std::atomic<int> clicks{0};
    desktop.on_model([&] { window.go.on_click = [&] { ++clicks; }; });
    auto* go = desktop.widget<QPushButton>(window.go);

    block_model();
    struct paint_counter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    go->installEventFilter(&counter);
    go->click();
    go->update();
    EXPECT_TRUE(desktop.wait_until([&] { return counter.paints > 0; }));
    EXPECT_FALSE(shown(window)->grab().isNull());
    EXPECT_EQ(clicks, 0); // the model has not got to it

    release();
    EXPECT_TRUE(desktop.wait_until([&] { return clicks == 1; }));
    go->removeEventFilter(&counter);
}

TEST_F(view_test, message_boxes_do_not_wait_and_the_help_key_opens_the_window_s_topic) {
    // The model shows the message and goes on at once.
    EXPECT_TRUE(desktop.on_model([&] {
        kit.show_message("Unable to stop focus");
        return true;
    }));
    ASSERT_TRUE(desktop.wait_until([&] {
        QMessageBox* box = desktop.view().notices().last_message();
        return box && box->isVisible();
    }));
    EXPECT_EQ(desktop.view().notices().last_message()->text(), "Unable to stop focus");
    EXPECT_FALSE(desktop.view().notices().last_message()->isModal());
    desktop.view().notices().last_message()->close();

    QTest::keyClick(shown(window), Qt::Key_F1);
    ASSERT_TRUE(desktop.wait_until([&] {
        QTextBrowser* help = desktop.view().notices().help_window();
        return help && help->isVisible();
    }));
    EXPECT_TRUE(desktop.view().notices().help_window()->toPlainText().contains("Enable network"));
    desktop.view().notices().help_window()->close();
}

} // namespace
