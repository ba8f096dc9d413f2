// Pictures of every window, for looking at the desktop view by eye: starts
// the program in a fresh folder, shows all fifteen windows (one main-window
// button made sticky, so its bold caption shows), and saves each window and
// a sheet of the built-in bitmaps as PNG files into the folder given.
//   window_shots OUT_DIR        (under xvfb-run, or QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "qt_view/desktop.h"
#include "qt_view/desktop_view.h"
#include "qt_view/pictures.h"
#include "shell/program.h"

namespace {

bool wait_for(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

void bitmap_sheet(const QString& path) {
    const char* names[] = {"NORTH_CLOCK", "NORTH_ANTI", "EAST_CLOCK", "EAST_ANTI", "SOUTH_CLOCK", "SOUTH_ANTI",
                           "WEST_CLOCK", "WEST_ANTI", "ARROW_NORTH", "ARROW_SOUTH", "ARROW_EAST", "ARROW_WEST",
                           "STOP", "FOCUS_MINUS", "FOCUS_PLUS", "STEP_DOWN", "STEP_UP"};
    QImage sheet(8 * 140, 3 * 150, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int i = 0;
    for (const char* name : names) {
        const QPixmap p = qt_view::load_picture(name);
        const int x = (i % 8) * 140 + 4, y = (i / 8) * 150 + 4;
        painter.drawPixmap(QRect(x, y, p.width() * 4, p.height() * 4), p);
        painter.drawText(x, y + 140, name);
        ++i;
    }
    sheet.save(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_shots OUT_DIR\n");
        return 2;
    }
    const QString out = argv[1];
    QDir().mkpath(out);
    const std::string dir = (std::filesystem::temp_directory_path() / "orb_window_shots/").string();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);

    QApplication app(argc, argv);
    qt_view::use_program_look();
    steady_clock_source clock;
    orb_program program(clock, dir);
    program.start();
    qt_view::desktop_view view(program.kit());
    view.attach();
    std::thread model([&] { program.kit().loop().run(); });

    // Every window shown; the About button made sticky.
    program.kit().loop().run_and_wait([&] {
        for (forms::form* f : program.kit().forms()) f->show();
        Tscope& main = *program.main_window;
        auto buttons = main.buttons_on(*main.controller_pages.pages()[0]);
        main.popup_button = buttons[1];
        main.sticky_handler();
    });
    std::vector<std::pair<forms::form*, std::string>> windows;
    program.kit().loop().run_and_wait([&] {
        for (forms::form* f : program.kit().forms()) windows.emplace_back(f, f->caption());
    });
    int status = 0;
    for (const auto& [f, caption] : windows) {
        QWidget* w = nullptr;
        if (!wait_for([&] { return (w = view.widget_of(f)) && w->isVisible(); })) {
            std::fprintf(stderr, "window_shots: %s never showed\n", caption.c_str());
            status = 1;
            continue;
        }
        QString name = QString::fromStdString(caption);
        name.replace(' ', '_');
        w->grab().save(out + "/" + name + ".png");
        std::printf("%s: %dx%d \"%s\"\n", caption.c_str(), w->width(), w->height(),
                    w->windowTitle().toUtf8().constData());
    }
    bitmap_sheet(out + "/bitmaps.png");

    program.kit().loop().quit();
    model.join();
    view.feed().detach();
    return status;
}
