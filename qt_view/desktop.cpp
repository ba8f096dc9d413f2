#include "qt_view/desktop.h"

#include <QApplication>
#include <QFont>
#include <thread>

#include "qt_view/desktop_view.h"

namespace qt_view {

void use_program_look() {
    // Its small margins leave the captions of narrow buttons whole.
    if (!qEnvironmentVariableIsSet("QT_STYLE_OVERRIDE")) QApplication::setStyle("Windows");
    // The panels were laid out for a narrow 8-point sans-serif face; Liberation
    // Sans has the widths they expect, and any sans-serif stands in for it.
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    QApplication::setFont(font);
}

int run_desktop(forms::toolkit& kit, int argc, char** argv) {
    QApplication app(argc, argv);
    // The task bar groups and names the windows by the program's title.
    if (!kit.application_title().empty())
        QApplication::setApplicationName(QString::fromStdString(kit.application_title()));
    // Hidden panels are not closed windows: only the model ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    use_program_look();

    desktop_view view(kit);
    view.attach();
    std::thread model([&kit, &app] {
        kit.loop().run();
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    const int status = QApplication::exec();
    // Qt may end first (the display went away): the model ends with it.
    kit.loop().quit();
    model.join();
    view.feed().detach();
    return status;
}

} // namespace qt_view
