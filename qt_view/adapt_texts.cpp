// The adapters of the controls that show text: label, edit, combo box and
// memo (the status and comms logs). Typing shows at once in the widget and
// the model's answer replaces it.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/display_text.h"
#include "qt_view/gesture_filter.h"

namespace qt_view::adapters {

namespace {

QString lines_text(const std::vector<std::string>& lines) {
    QString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += to_display(lines[i]);
    }
    return text;
}

// A box the user types into: the colour is its text area's, and it keeps
// Qt's own context menu.
class text_box : public control_adapter {
public:
    bool asks_for_context_menu() const override { return false; }

protected:
    void show_colour(QWidget& w, const forms::colour& colour) const override {
        paint(w, colour, QPalette::Base, false);
    }
};

class label_adapter final : public control_adapter {
public:
    void make(shown_control& e, QWidget* parent) const override { e.widget = new QLabel(parent); }
    void wire(shown_control& e, adapter_host& host) const override {
        gesture_filter::watch(e.widget.data(), click_of(e, host), {});
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<QLabel*>(e.widget.data())->setText(to_display(state.caption));
    }
    // Labels size themselves to their text, so a wider face does not cut them.
    void place(QWidget& w, const control_state& state) const override {
        const forms::rect& b = state.bounds;
        w.setGeometry(b.left, b.top, std::max(b.width, w.sizeHint().width()), b.height);
        w.setVisible(state.visible);
    }
};

class edit_adapter final : public text_box {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& e = as<forms::edit>(c);
        s.text = e.text();
        s.read_only = e.read_only();
    }

    void make(shown_control& e, QWidget* parent) const override { e.widget = new QLineEdit(parent); }

    void wire(shown_control& e, adapter_host& host) const override {
        auto* line = static_cast<QLineEdit*>(e.widget.data());
        gesture_filter::watch(line, click_of(e, host), focus_of(e, host));
        QObject::connect(line, &QLineEdit::textEdited, line, [&host, at = &e](const QString& text) {
            host.send(*at, [typed = from_display(text)](forms::control& c) {
                forms::user::type_text(as<forms::edit>(c), typed);
            }, true);
        });
        QObject::connect(line, &QLineEdit::returnPressed, line, [&host, at = &e] {
            host.send(*at, [](forms::control& c) { forms::user::press_enter(as<forms::edit>(c)); });
        });
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<QLineEdit*>(e.widget.data())->setReadOnly(state.read_only);
    }
    void show_value(QWidget& w, const control_state& s) const override {
        auto& line = static_cast<QLineEdit&>(w);
        const QString text = to_display(s.text);
        if (line.text() != text) line.setText(text);
    }
};

class combo_box_adapter final : public text_box {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& box = as<forms::combo_box>(c);
        s.text = box.text();
        s.editable = box.editable();
        s.items = box.items();
        s.item_index = box.item_index();
    }

    void make(shown_control& e, QWidget* parent) const override {
        auto* box = new QComboBox(parent);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setEditable(true);
        e.widget = box;
    }

    void wire(shown_control& e, adapter_host& host) const override {
        auto* box = static_cast<QComboBox*>(e.widget.data());
        wire_line(e, host);
        gesture_filter::watch(box, {}, focus_of(e, host));
        QObject::connect(box, &QComboBox::activated, box, [&host, at = &e](int index) {
            host.send(*at, [index](forms::control& c) { forms::user::choose_item(as<forms::combo_box>(c), index); },
                      true);
        });
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state& before,
                  adapter_host& host) const override {
        auto* box = static_cast<QComboBox*>(e.widget.data());
        const QSignalBlocker quiet(box);
        if (box->isEditable() != state.editable) {
            box->setEditable(state.editable);
            if (state.editable) wire_line(e, host); // a new line edit to listen to
        }
        if (state.items != before.items || box->count() != static_cast<int>(state.items.size())) {
            box->clear();
            for (const std::string& item : state.items) box->addItem(to_display(item));
        }
    }

    void show_value(QWidget& w, const control_state& s) const override {
        auto& box = static_cast<QComboBox&>(w);
        if (s.item_index >= 0 && s.item_index < box.count()) box.setCurrentIndex(s.item_index);
        const QString text = to_display(s.text);
        if (box.isEditable()) {
            const QSignalBlocker quiet_line(box.lineEdit());
            if (box.currentText() != text) box.setEditText(text);
        } else if (s.item_index < 0) {
            box.setCurrentIndex(box.findText(text));
        }
    }

private:
    // An editable box's line edit, made anew whenever the box becomes editable.
    static void wire_line(shown_control& e, adapter_host& host) {
        QLineEdit* line = static_cast<QComboBox*>(e.widget.data())->lineEdit();
        if (!line) return;
        gesture_filter::watch(line, {}, focus_of(e, host));
        QObject::connect(line, &QLineEdit::textEdited, line, [&host, at = &e](const QString& text) {
            host.send(*at, [typed = from_display(text)](forms::control& c) {
                forms::user::type_text(as<forms::combo_box>(c), typed);
            }, true);
        });
    }
};

// Lines travel whole only when they were replaced; appended lines arrive
// one at a time.
class memo_adapter final : public text_box {
public:
    void take(const forms::control& c, control_state& s, bool with_lines) const override {
        const auto& m = as<forms::memo>(c);
        s.read_only = m.read_only();
        s.vertical_scroll_bar = m.vertical_scroll_bar();
        if (with_lines) {
            s.has_lines = true;
            s.lines = m.lines();
        }
    }

    void make(shown_control& e, QWidget* parent) const override {
        auto* log = new QPlainTextEdit(parent);
        // The user reads the status log; nothing types into a memo.
        log->setReadOnly(true);
        e.widget = log;
    }

    void add_line(shown_control& e, const std::string& line) const override {
        if (auto* log = static_cast<QPlainTextEdit*>(e.widget.data())) log->appendPlainText(to_display(line));
    }

    void wire(shown_control& e, adapter_host& host) const override {
        gesture_filter::watch(e.widget.data(), {}, focus_of(e, host));
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        auto* log = static_cast<QPlainTextEdit*>(e.widget.data());
        log->setVerticalScrollBarPolicy(state.vertical_scroll_bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        if (state.has_lines) {
            log->setPlainText(lines_text(state.lines));
            log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
        }
    }
};

} // namespace

const control_adapter& label() { return one<label_adapter>(); }
const control_adapter& edit() { return one<edit_adapter>(); }
const control_adapter& combo_box() { return one<combo_box_adapter>(); }
const control_adapter& memo() { return one<memo_adapter>(); }

} // namespace qt_view::adapters
