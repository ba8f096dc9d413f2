// The Qt widgets that have no ready-made twin among Qt's own: the window of
// a form, the arrows of an up-down, a filled shape, and a radio group. They
// only draw and report; what a report means is the desktop view's business.
#pragma once

#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <vector>

#include "forms/pictures.h"

namespace qt_view {

// A top-level window of fixed client size. Its close box only asks: the
// model decides whether it hides.
class form_window : public QWidget {
public:
    form_window();

    std::function<void()> on_close_request;
    std::function<void()> on_moved;     // the window's frame moved, by anyone
    std::function<void()> on_painted;
    std::function<void()> on_activated;
    std::function<void()> on_help_key;
    std::function<void()> on_shown;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// Two stacked arrow buttons; holding one repeats it.
class spin_arrows : public QWidget {
public:
    explicit spin_arrows(QWidget* parent);
    std::function<void(bool up)> on_arrow;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

// A rectangle or circle filled with the control's colour, outlined in black
// (the panels' lamps).
class shape_widget : public QWidget {
public:
    explicit shape_widget(QWidget* parent) : QWidget(parent) {}
    void set_shape(forms::shape_type type, QColor fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    forms::shape_type type_ = forms::shape_type::rectangle;
    QColor fill_ = Qt::white;
};

// A captioned box of exclusive choices laid out in columns.
class radio_group_widget : public QGroupBox {
public:
    explicit radio_group_widget(QWidget* parent) : QGroupBox(parent) {}
    // Rebuilds the buttons when the items differ.
    void set_items(const std::vector<QString>& items, int columns);
    void set_choice(int index);
    std::function<void(int index)> on_chosen;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void lay_out();

    std::vector<QRadioButton*> buttons_;
    std::vector<QString> items_;
    int columns_ = 1;
};

} // namespace qt_view
