// The adapters of the controls the user clicks: button, check box, glyph
// (speed) button and radio group. A toggle shows its new state at once and
// the model's answer confirms or undoes it.
#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/display_text.h"
#include "qt_view/gesture_filter.h"
#include "qt_view/pictures.h"
#include "qt_view/widgets.h"

namespace qt_view::adapters {

namespace {

void send_clicks(QAbstractButton* b, shown_control& e, adapter_host& host, bool shows_at_once) {
    QObject::connect(b, &QAbstractButton::clicked, b, [&host, at = &e, shows_at_once] {
        host.send(*at, [](forms::control& c) { forms::user::click(c); }, shows_at_once);
    });
}

class button_adapter final : public control_adapter {
public:
    void make(shown_control& e, QWidget* parent) const override {
        auto* b = new QPushButton(parent);
        b->setAutoDefault(false);
        e.widget = b;
    }
    void wire(shown_control& e, adapter_host& host) const override {
        auto* b = static_cast<QPushButton*>(e.widget.data());
        gesture_filter::watch(b, {}, focus_of(e, host));
        send_clicks(b, e, host, false);
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<QPushButton*>(e.widget.data())->setText(to_display(state.caption));
    }
    void show_colour(QWidget& w, const forms::colour& colour) const override {
        paint(w, colour, QPalette::Button, false);
    }
};

class check_box_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        s.checked = as<forms::check_box>(c).checked();
    }
    void make(shown_control& e, QWidget* parent) const override { e.widget = new QCheckBox(parent); }
    void wire(shown_control& e, adapter_host& host) const override {
        auto* b = static_cast<QCheckBox*>(e.widget.data());
        gesture_filter::watch(b, {}, focus_of(e, host));
        send_clicks(b, e, host, true);
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<QCheckBox*>(e.widget.data())->setText(to_display(state.caption));
    }
    void show_value(QWidget& w, const control_state& s) const override { static_cast<QCheckBox&>(w).setChecked(s.checked); }
};

// Down is its value when it belongs to a group; its glyph and caption sit
// side by side.
class glyph_button_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& b = as<forms::glyph_button>(c);
        s.checked = b.down();
        s.group_index = b.group_index();
        s.picture = b.glyph();
    }
    void make(shown_control& e, QWidget* parent) const override { e.widget = new QToolButton(parent); }
    void wire(shown_control& e, adapter_host& host) const override {
        send_clicks(static_cast<QToolButton*>(e.widget.data()), e, host, true);
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        auto* b = static_cast<QToolButton*>(e.widget.data());
        const QString caption = to_display(state.caption);
        b->setText(caption);
        const QPixmap glyph = load_picture(state.picture);
        b->setIcon(glyph.isNull() ? QIcon() : QIcon(glyph));
        if (!glyph.isNull()) b->setIconSize(glyph.size());
        b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                              : glyph.isNull() ? Qt::ToolButtonTextOnly
                                               : Qt::ToolButtonTextBesideIcon);
        b->setCheckable(state.group_index != 0);
    }
    void show_value(QWidget& w, const control_state& s) const override {
        static_cast<QToolButton&>(w).setChecked(s.checked);
    }
    void show_colour(QWidget& w, const forms::colour& colour) const override {
        paint(w, colour, QPalette::Button, false);
    }
};

class radio_group_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& group = as<forms::radio_group>(c);
        s.items = group.items();
        s.item_index = group.item_index();
        s.columns = group.columns();
    }
    void make(shown_control& e, QWidget* parent) const override { e.widget = new radio_group_widget(parent); }
    void wire(shown_control& e, adapter_host& host) const override {
        static_cast<radio_group_widget*>(e.widget.data())->on_chosen = [&host, at = &e](int index) {
            host.send(*at, [index](forms::control& c) { forms::user::choose_item(as<forms::radio_group>(c), index); },
                      true);
        };
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<radio_group_widget*>(e.widget.data())->setTitle(to_display(state.caption));
    }
    void show_value(QWidget& w, const control_state& s) const override {
        auto& group = static_cast<radio_group_widget&>(w);
        std::vector<QString> items;
        for (const std::string& item : s.items) items.push_back(to_display(item));
        group.set_items(items, s.columns);
        group.set_choice(s.item_index);
    }
};

} // namespace

const control_adapter& button() { return one<button_adapter>(); }
const control_adapter& check_box() { return one<check_box_adapter>(); }
const control_adapter& glyph_button() { return one<glyph_button_adapter>(); }
const control_adapter& radio_group() { return one<radio_group_adapter>(); }

} // namespace qt_view::adapters
