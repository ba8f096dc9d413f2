// Message boxes and the help window. Neither blocks anything: a message box
// is shown and the program goes on; the help window shows one topic at a
// time, written for this program and built in from resources/help.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QString>
#include <string>


namespace qt_view {

class notice_windows {
public:
    notice_windows() = default;
    ~notice_windows();
    notice_windows(const notice_windows&) = delete;
    notice_windows& operator=(const notice_windows&) = delete;

    void show_message(const QString& text);
    void show_help(const std::string& help_file, const std::string& keyword);

    // The latest of each, while it is open (for tests).
    QMessageBox* last_message() const { return last_message_; }
    QTextBrowser* help_window() const { return help_; }

private:
    QPointer<QMessageBox> last_message_;
    QPointer<QTextBrowser> help_;
};

} // namespace qt_view
