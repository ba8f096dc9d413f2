// Pictures of every window, for looking at the desktop view by eye: starts
// the program in a fresh folder, shows all fifteen windows (one main-window
// button made sticky, so its bold caption shows) and a sample window with a
// control of every kind, and saves each window and a sheet of the built-in
// bitmaps as PNG files into the folder given.
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

// One control of every kind the panels use, as they set them up.
struct sample_window : forms::form {
    explicit sample_window(forms::toolkit& kit) : forms::form(kit, "sample") {
        set_caption("Sample of every control");
        set_client_size(300, 260);
        group.set_caption("Move ");
        group.set_bounds({8, 8, 140, 110});
        const char* glyphs[] = {"ARROW_UP", "ARROW_LEFT", "STOP", "ARROW_RIGHT", "ARROW_DOWN"};
        const forms::rect places[] = {{48, 16, 25, 25}, {16, 44, 25, 25}, {48, 44, 25, 25}, {80, 44, 25, 25},
                                      {48, 72, 25, 25}};
        for (int i = 0; i < 5; ++i) {
            arrows[i].set_parent(&group);
            arrows[i].set_glyph(glyphs[i]);
            arrows[i].set_bounds(places[i]);
        }
        east.set_caption("E");
        east.set_font({"", 0, true});
        east.set_bounds({6, 50, 8, 13});
        percent.set_caption("%");
        percent.set_group_index(1);
        percent.set_down(true);
        percent.set_bounds({112, 16, 22, 22});
        search.set_glyph("NORTH_CLOCK");
        search.set_bounds({160, 8, 40, 40});
        for (int i = 0; i < 3; ++i) {
            lamps[i].set_type(forms::shape_type::circle);
            lamps[i].set_bounds({210 + 22 * i, 16, 16, 16});
        }
        lamps[0].set_colour(forms::colours::red);
        lamps[1].set_colour(forms::colours::lime);
        lamps[2].set_colour(forms::colours::yellow);
        degrees.set_text("45\xDF" "30");
        degrees.set_bounds({160, 56, 60, 21});
        spin.set_associate(&degrees);
        spin.set_bounds({220, 56, 15, 21});
        lock.set_caption("Lock");
        lock.set_checked(true);
        lock.set_bounds({8, 124, 60, 17});
        track.set_range(0, 50);
        track.set_position(40);
        track.set_bounds({80, 120, 150, 30});
        choice.set_caption("Model");
        choice.set_items({"LX200", "AutoStar"});
        choice.set_item_index(1);
        choice.set_bounds({8, 150, 120, 60});
        log.set_bounds({136, 156, 156, 96});
        log.set_vertical_scroll_bar(true);
        log.set_lines({"connect >>", "    get_ra_dec : ", "    ra=12:34:56 dec=+45\xDF" "30:15", "<< connect"});
        altitude.set_caption("-05\xDF" "10");
        altitude.set_colour(forms::colours::red);
        altitude.set_bounds({8, 220, 60, 13});
    }
    forms::group_box group{"group", this};
    forms::glyph_button arrows[5];
    forms::label east{"east", &group};
    forms::glyph_button percent{"percent", &group};
    forms::glyph_button search{"search", this};
    forms::shape lamps[3] = {forms::shape{"", this}, forms::shape{"", this}, forms::shape{"", this}};
    forms::edit degrees{"degrees", this};
    forms::up_down spin{"spin", this};
    forms::check_box lock{"lock", this};
    forms::track_bar track{"track", this};
    forms::radio_group choice{"choice", this};
    forms::memo log{"log", this};
    forms::label altitude{"altitude", this};
};

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
                           "WEST_CLOCK", "WEST_ANTI", "ARROW_UP", "ARROW_DOWN", "ARROW_LEFT", "ARROW_RIGHT",
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
    sample_window sample(program.kit());
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
