#include "qt_view/widgets.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPainter>
#include <QKeyEvent>
#include <algorithm>

namespace qt_view {

namespace {
void call(const std::function<void()>& f) {
    if (f) f();
}
} // namespace

form_window::form_window() : QWidget(nullptr) {
    // A fixed dialog border: no maximise box, no resizing.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

// F1 reaches the window when the control with the focus has no use for it.
void form_window::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        call(on_help_key);
        return;
    }
    QWidget::keyPressEvent(event);
}

void form_window::closeEvent(QCloseEvent* event) {
    event->ignore();
    call(on_close_request);
}

void form_window::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    call(on_moved);
}

void form_window::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    call(on_painted);
}

void form_window::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) call(on_activated);
}

void form_window::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    call(on_shown);
}

spin_arrows::spin_arrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    QObject::connect(up_, &QToolButton::clicked, this, [this] { if (on_arrow) on_arrow(true); });
    QObject::connect(down_, &QToolButton::clicked, this, [this] { if (on_arrow) on_arrow(false); });
}

void spin_arrows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void shape_widget::set_shape(forms::shape_type type, QColor fill) {
    if (type == type_ && fill == fill_) return;
    type_ = type;
    fill_ = fill;
    update();
}

void shape_widget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    if (type_ == forms::shape_type::circle) {
        painter.setRenderHint(QPainter::Antialiasing);
        const int side = std::min(area.width(), area.height());
        painter.drawEllipse(QRect(area.left() + (area.width() - side) / 2, area.top() + (area.height() - side) / 2,
                                  side, side));
    } else {
        painter.drawRect(area);
    }
}

void radio_group_widget::set_items(const std::vector<QString>& items, int columns) {
    if (items == items_ && columns == columns_) return;
    items_ = items;
    columns_ = std::max(1, columns);
    for (QRadioButton* b : buttons_) delete b;
    buttons_.clear();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(items_[i], this);
        // The model decides which item is chosen: a click only asks.
        b->setAutoExclusive(false);
        const int index = static_cast<int>(i);
        QObject::connect(b, &QRadioButton::clicked, this, [this, index] { if (on_chosen) on_chosen(index); });
        b->show();
        buttons_.push_back(b);
    }
    lay_out();
}

void radio_group_widget::set_choice(int index) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setChecked(static_cast<int>(i) == index);
}

void radio_group_widget::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    lay_out();
}

// Items fill the box below its caption in columns, top to bottom, as the
// rows fit.
void radio_group_widget::lay_out() {
    if (buttons_.empty()) return;
    const int count = static_cast<int>(buttons_.size());
    const int rows = (count + columns_ - 1) / columns_;
    const int caption = fontMetrics().height();
    const int left = 8;
    const int column_width = (width() - 2 * left) / columns_;
    const int row_height = std::max(1, (height() - caption - 4) / rows);
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        const int line = fontMetrics().height() + 4;
        buttons_[std::size_t(i)]->setGeometry(left + column * column_width,
                                              caption + row * row_height + (row_height - line) / 2,
                                              column_width, line);
    }
}

} // namespace qt_view
