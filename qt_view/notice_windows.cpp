#include "qt_view/notice_windows.h"

#include <QMessageBox>
#include <QTextBrowser>

#include "qt_view/pictures.h"

namespace qt_view {

namespace {
const char* const program_title = "ORB Server";
}

notice_windows::~notice_windows() {
    delete help_;
}

void notice_windows::show_message(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, program_title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    last_message_ = box;
}

void notice_windows::show_help(const std::string& help_file, const std::string& keyword) {
    if (!help_) {
        help_ = new QTextBrowser();
        help_->setWindowFlags(Qt::Window);
        help_->resize(420, 320);
        help_->setOpenLinks(false);
    }
    QString topic = load_help_topic(keyword);
    if (topic.isEmpty())
        topic = "<p>There is no help on \"" + QString::fromStdString(keyword).toHtmlEscaped() + "\".</p>";
    help_->setWindowTitle(QString::fromStdString(help_file) + " - " + QString::fromStdString(keyword));
    help_->setHtml(topic);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

} // namespace qt_view
