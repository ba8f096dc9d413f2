// Runs the desktop view over a toolkit the way the program does: Qt on the
// test's thread (the offscreen platform), the toolkit's loop on a model
// thread of its own. Waits are bounded and driven by Qt's events.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <thread>

#include "forms/toolkit.h"
#include "qt_view/desktop.h"
#include "qt_view/desktop_view.h"
#include "qt_view/notice_windows.h"

// One QApplication for the whole test program.
inline QApplication& test_application() {
    static int argc = 1;
    static char name[] = "qt_view_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* made = new QApplication(argc, argv);
        qt_view::use_program_look();
        return made;
    }();
    return *app;
}

class desktop_harness {
public:
    explicit desktop_harness(forms::toolkit& kit) : kit_(kit) { test_application(); }
    ~desktop_harness() { stop(); }

    // Attaches the view and starts the model thread.
    void start() {
        view_ = std::make_unique<qt_view::desktop_view>(kit_);
        view_->attach();
        model_ = std::thread([this] { kit_.loop().run(); });
    }
    void stop() {
        if (!model_.joinable()) return;
        kit_.loop().quit();
        model_.join();
        view_.reset();
    }

    qt_view::desktop_view& view() { return *view_; }
    std::thread::id model_thread() const { return model_.get_id(); }

    // Runs f on the model thread and answers its result.
    template <class F>
    auto on_model(F f) {
        if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
            kit_.loop().run_and_wait(f);
        } else {
            return *kit_.loop().run_and_wait(f).value;
        }
    }

    // Handles Qt's events until `done` holds, for at most ten seconds.
    static bool wait_until(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > 10000) return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        return true;
    }

    // The widget of a control once the view shows it, as type W.
    template <class W>
    W* widget(const forms::control& c) {
        W* found = nullptr;
        wait_until([&] { return (found = dynamic_cast<W*>(view_->widget_of(&c))) != nullptr; });
        return found;
    }

private:
    forms::toolkit& kit_;
    std::unique_ptr<qt_view::desktop_view> view_;
    std::thread model_;
};
