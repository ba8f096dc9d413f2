#include "qt_view/desktop_view.h"

#include "forms/forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "qt_view/display_text.h"
#include "qt_view/notice_windows.h"
#include "qt_view/pictures.h"
#include "qt_view/screen_watch.h"
#include "qt_view/widgets.h"

namespace qt_view {

namespace {

using forms::control_kind;

// The forms' default face: the desktop's own small sans-serif stands in for it.
constexpr const char* classic_face = "MS Sans Serif";

QFont font_of(const forms::font& f) {
    QFont font = QApplication::font();
    if (!f.name.empty() && f.name != classic_face) font.setFamily(QString::fromStdString(f.name));
    if (f.size > 0) font.setPointSize(f.size);
    font.setBold(f.bold);
    return font;
}

QColor colour_of(const forms::colour& c) { return QColor(c.red, c.green, c.blue); }

bool same_menu(const std::vector<menu_entry>& a, const std::vector<menu_entry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const menu_entry& x, const menu_entry& y) {
        return x.caption == y.caption && x.checked == y.checked && x.enabled == y.enabled;
    });
}

QString lines_text(const std::vector<std::string>& lines) {
    QString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += to_display(lines[i]);
    }
    return text;
}

// Which palette role a control's colour paints.
QPalette::ColorRole colour_role(control_kind kind) {
    switch (kind) {
    case control_kind::edit:
    case control_kind::combo_box:
    case control_kind::memo: return QPalette::Base;
    case control_kind::button:
    case control_kind::glyph_button: return QPalette::Button;
    default: return QPalette::Window;
    }
}

void show_colour(QWidget& w, control_kind kind, const forms::colour& colour) {
    if (kind == control_kind::shape) return; // its fill, painted by itself
    if (colour.themed) {
        w.setPalette(QPalette());
        w.setAutoFillBackground(false);
        return;
    }
    QPalette palette = w.palette();
    palette.setColor(colour_role(kind), colour_of(colour));
    w.setPalette(palette);
    if (colour_role(kind) == QPalette::Window && kind != control_kind::form) w.setAutoFillBackground(true);
}

} // namespace

desktop_view::desktop_view(forms::toolkit& kit)
    : kit_(kit),
      queue_([this] {
          QMetaObject::invokeMethod(wake_target_, [this] { apply_pending(); }, Qt::QueuedConnection);
      }),
      feed_(kit, queue_), notices_(std::make_unique<notice_windows>()), wake_target_(new QObject()) {
    screens_ = std::make_unique<screen_watch>([this](std::vector<screen> list) {
        forms::toolkit* kit = &kit_;
        kit_.loop().post([kit, list = std::move(list)] { kit->screens().set(list); });
    });
}

desktop_view::~desktop_view() {
    delete wake_target_;
    for (auto& [id, e] : entries_) {
        if (e->kind == control_kind::form) delete e->widget.data();
        delete e->menu;
    }
}

void desktop_view::attach() {
    model_feed* feed = &feed_;
    kit_.loop().post([feed] { feed->attach(); });
}

void desktop_view::apply_pending() {
    std::vector<view_update> updates = queue_.take_all();
    for (view_update& update : updates) apply(update);
}

QWidget* desktop_view::widget_of(control_id id) const {
    const auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : found->second->widget.data();
}

QMenu* desktop_view::menu_of(control_id id) const {
    const auto found = entries_.find(id);
    return found == entries_.end() ? nullptr : found->second->menu;
}

void desktop_view::apply(view_update& update) {
    using type = view_update::type;
    const auto found = entries_.find(update.state.id);
    entry* e = found == entries_.end() ? nullptr : found->second.get();
    switch (update.what) {
    case type::state:
        if (e) {
            show_properties(*e, update.state, false);
            if (update.state.has_children) set_children(*e, update.state.children);
        } else if (update.state.kind == control_kind::form) {
            create(update.state, nullptr);
        }
        // Anything else unknown arrives with its parent's children.
        break;
    case type::input_done:
        if (e) {
            e->pending_input = std::max(0, e->pending_input - 1);
            show_properties(*e, update.state, true);
        }
        break;
    case type::line_added:
        if (e && e->widget) {
            auto* log = static_cast<QPlainTextEdit*>(e->widget.data());
            log->appendPlainText(to_display(update.text));
        }
        break;
    case type::removed:
        if (e) remove(update.state.id);
        break;
    case type::bring_to_front:
        if (e && e->widget) {
            e->widget->raise();
            e->widget->activateWindow();
        }
        break;
    case type::repaint:
        if (e && e->widget) e->widget->update();
        break;
    case type::message:
        notices_->show_message(to_display(update.text));
        break;
    case type::help:
        notices_->show_help(update.file, update.text);
        break;
    }
}

QWidget* desktop_view::container_of(control_id parent) const {
    return parent ? widget_of(parent) : nullptr;
}

void desktop_view::create(control_state& state, control_id parent) {
    auto made = std::make_unique<entry>();
    entry& e = *made;
    e.id = state.id;
    e.parent = parent;
    e.kind = state.kind;
    e.handle = state.handle;
    e.popups_seen = state.popups;
    entries_[state.id] = std::move(made);
    if (e.kind == control_kind::popup_menu) {
        e.menu = new QMenu();
    } else {
        QWidget* outer = container_of(parent);
        if (e.kind != control_kind::form && !outer) return; // a parent the view cannot show
        e.widget = make_widget(e, outer);
    }
    wire_input(e);
    show_properties(e, state, true);
    if (state.has_children) set_children(e, state.children);
}

void desktop_view::set_children(entry& e, std::vector<control_state>& children) {
    std::vector<control_id> now;
    now.reserve(children.size());
    for (control_state& child : children) {
        now.push_back(child.id);
        const auto found = entries_.find(child.id);
        if (found != entries_.end() && found->second->parent == e.id) {
            entry& known = *found->second;
            show_properties(known, child, false);
            if (child.has_children) set_children(known, child.children);
        } else {
            if (found != entries_.end()) remove(child.id); // moved here from another parent
            create(child, e.id);
        }
    }
    for (control_id gone : e.children)
        if (std::find(now.begin(), now.end(), gone) == now.end()) remove(gone);
    e.children = std::move(now);
}

void desktop_view::remove(control_id id) {
    const auto found = entries_.find(id);
    if (found == entries_.end()) return;
    const std::vector<control_id> children = found->second->children;
    for (control_id child : children) remove(child);
    entry& e = *entries_.at(id);
    QWidget* outer = nullptr;
    if (e.parent) {
        if (const auto p = entries_.find(e.parent); p != entries_.end()) {
            std::erase(p->second->children, id);
            outer = p->second->widget.data();
        }
    }
    // A page control that loses a page picks another: that is no gesture.
    const QSignalBlocker quiet(outer);
    delete e.widget.data();
    delete e.menu;
    entries_.erase(id);
}

QWidget* desktop_view::make_widget(entry& e, QWidget* parent) {
    switch (e.kind) {
    case control_kind::form: return new form_window();
    case control_kind::panel: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        return frame;
    }
    case control_kind::group_box: return new QGroupBox(parent);
    case control_kind::tab_sheet: {
        auto* page = new QWidget();
        if (auto* tabs = dynamic_cast<QTabWidget*>(parent)) {
            const QSignalBlocker quiet(tabs);
            tabs->addTab(page, QString());
        } else {
            page->setParent(parent);
        }
        return page;
    }
    case control_kind::page_control: {
        auto* tabs = new QTabWidget(parent);
        tabs->setUsesScrollButtons(true);
        return tabs;
    }
    case control_kind::label: return new QLabel(parent);
    case control_kind::edit: return new QLineEdit(parent);
    case control_kind::combo_box: {
        auto* box = new QComboBox(parent);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setEditable(true);
        return box;
    }
    case control_kind::check_box: return new QCheckBox(parent);
    case control_kind::radio_group: return new radio_group_widget(parent);
    case control_kind::button: {
        auto* b = new QPushButton(parent);
        b->setAutoDefault(false);
        return b;
    }
    case control_kind::glyph_button: return new QToolButton(parent);
    case control_kind::up_down: return new spin_arrows(parent);
    case control_kind::track_bar: {
        auto* track = new QSlider(Qt::Horizontal, parent);
        track->setTickPosition(QSlider::TicksBelow);
        track->setPageStep(1);
        return track;
    }
    case control_kind::memo: {
        auto* log = new QPlainTextEdit(parent);
        // The user reads the status log; nothing types into a memo.
        log->setReadOnly(true);
        return log;
    }
    case control_kind::image: return new QLabel(parent);
    case control_kind::shape: return new shape_widget(parent);
    case control_kind::popup_menu: break;
    }
    return nullptr;
}

void desktop_view::show_properties(entry& e, const control_state& state, bool after_input) {
    // The user's own gesture is still on its way: keep what they see.
    const bool keep_value = e.pending_input > 0 && !after_input;
    const control_state before = std::move(e.shown);
    e.shown = state;
    e.shown.lines.clear();
    e.shown.has_lines = false;
    e.shown.children.clear();
    e.shown.has_children = false;
    if (keep_value) {
        e.shown.text = before.text;
        e.shown.checked = before.checked;
        e.shown.position = before.position;
        e.shown.item_index = before.item_index;
    }

    if (e.kind == control_kind::popup_menu) {
        show_menu(e, state, before.menu);
        return;
    }
    QWidget* w = e.widget.data();
    if (!w) return;
    w->setEnabled(state.enabled);
    w->setToolTip(to_display(state.hint));
    w->setFont(font_of(state.font));
    show_colour(*w, e.kind, state.colour);
    const QString caption = to_display(state.caption);

    switch (e.kind) {
    case control_kind::form:
        show_form(e, before.focused != state.focused);
        return;
    case control_kind::tab_sheet:
        if (auto* tabs = dynamic_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
            const int index = tabs->indexOf(w);
            if (index >= 0) tabs->setTabText(index, caption);
        }
        return; // its page control shows it or not
    case control_kind::panel: break;
    case control_kind::group_box: static_cast<QGroupBox*>(w)->setTitle(caption); break;
    case control_kind::label: static_cast<QLabel*>(w)->setText(caption); break;
    case control_kind::check_box: static_cast<QCheckBox*>(w)->setText(caption); break;
    case control_kind::button: static_cast<QPushButton*>(w)->setText(caption); break;
    case control_kind::radio_group: static_cast<radio_group_widget*>(w)->setTitle(caption); break;
    case control_kind::glyph_button: {
        auto* b = static_cast<QToolButton*>(w);
        b->setText(caption);
        const QPixmap glyph = load_picture(state.picture);
        b->setIcon(glyph.isNull() ? QIcon() : QIcon(glyph));
        if (!glyph.isNull()) b->setIconSize(glyph.size());
        b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                              : glyph.isNull() ? Qt::ToolButtonTextOnly
                                               : Qt::ToolButtonTextBesideIcon);
        b->setCheckable(state.group_index != 0);
        break;
    }
    case control_kind::edit: static_cast<QLineEdit*>(w)->setReadOnly(state.read_only); break;
    case control_kind::combo_box: {
        auto* box = static_cast<QComboBox*>(w);
        const QSignalBlocker quiet(box);
        if (box->isEditable() != state.editable) {
            box->setEditable(state.editable);
            if (state.editable) wire_input(e); // a new line edit to listen to
        }
        if (state.items != before.items || box->count() != static_cast<int>(state.items.size())) {
            box->clear();
            for (const std::string& item : state.items) box->addItem(to_display(item));
        }
        break;
    }
    case control_kind::memo: {
        auto* log = static_cast<QPlainTextEdit*>(w);
        log->setVerticalScrollBarPolicy(state.vertical_scroll_bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        if (state.has_lines) {
            log->setPlainText(lines_text(state.lines));
            log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
        }
        break;
    }
    case control_kind::image: {
        auto* picture = static_cast<QLabel*>(w);
        picture->setPixmap(load_picture(state.picture));
        break;
    }
    case control_kind::shape:
        static_cast<shape_widget*>(w)->set_shape(state.shape,
                                                 state.colour.themed ? QColor(Qt::white) : colour_of(state.colour));
        break;
    case control_kind::page_control:
    case control_kind::up_down:
    case control_kind::track_bar:
    case control_kind::popup_menu: break;
    }

    show_value(e);
    const forms::rect& b = state.bounds;
    int width = b.width;
    // Labels size themselves to their text, so a wider face does not cut them.
    if (e.kind == control_kind::label) width = std::max(width, w->sizeHint().width());
    w->setGeometry(b.left, b.top, width, b.height);
    w->setVisible(state.visible);
}

// The part of a control's state the user changes by a gesture.
void desktop_view::show_value(entry& e) {
    QWidget* w = e.widget.data();
    if (!w) return;
    const control_state& s = e.shown;
    const QSignalBlocker quiet(w);
    switch (e.kind) {
    case control_kind::edit: {
        auto* line = static_cast<QLineEdit*>(w);
        const QString text = to_display(s.text);
        if (line->text() != text) line->setText(text);
        break;
    }
    case control_kind::combo_box: {
        auto* box = static_cast<QComboBox*>(w);
        if (s.item_index >= 0 && s.item_index < box->count()) box->setCurrentIndex(s.item_index);
        const QString text = to_display(s.text);
        if (box->isEditable()) {
            const QSignalBlocker quiet_line(box->lineEdit());
            if (box->currentText() != text) box->setEditText(text);
        } else if (s.item_index < 0) {
            box->setCurrentIndex(box->findText(text));
        }
        break;
    }
    case control_kind::check_box: static_cast<QCheckBox*>(w)->setChecked(s.checked); break;
    case control_kind::glyph_button: static_cast<QToolButton*>(w)->setChecked(s.checked); break;
    case control_kind::radio_group: {
        auto* group = static_cast<radio_group_widget*>(w);
        std::vector<QString> items;
        for (const std::string& item : s.items) items.push_back(to_display(item));
        group->set_items(items, s.columns);
        group->set_choice(s.item_index);
        break;
    }
    case control_kind::track_bar: {
        auto* track = static_cast<QSlider*>(w);
        track->setRange(s.min, s.max);
        if (!track->isSliderDown()) track->setValue(s.position);
        break;
    }
    case control_kind::page_control: {
        auto* tabs = static_cast<QTabWidget*>(w);
        if (s.position >= 0 && s.position < tabs->count()) tabs->setCurrentIndex(s.position);
        break;
    }
    default: break;
    }
}

void desktop_view::show_form(entry& e, bool focus_moved) {
    auto* window = static_cast<form_window*>(e.widget.data());
    const control_state& s = e.shown;
    window->setWindowTitle(to_display(s.caption));
    window->setFixedSize(std::max(0, s.client_width), std::max(0, s.client_height));
    // Window flags change only while hidden: changing them hides a window.
    if (window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint) != s.minimise_box && !window->isVisible())
        window->setWindowFlag(Qt::WindowMinimizeButtonHint, s.minimise_box);
    const QPoint wanted = to_qt(s.bounds.left, s.bounds.top);
    if (window->pos() != wanted) {
        e.placed_at = wanted;
        window->move(wanted);
    }
    if (s.visible && !window->isVisible()) {
        e.placed_at = wanted;
        window->show();
        window->raise();
    } else if (!s.visible && window->isVisible()) {
        window->hide();
    }
    if (focus_moved && s.focused) {
        const auto found = entries_.find(s.focused);
        if (found != entries_.end() && found->second->widget && !found->second->widget->hasFocus())
            found->second->widget->setFocus(Qt::OtherFocusReason);
    }
}

void desktop_view::show_menu(entry& e, const control_state& state, const std::vector<menu_entry>& before) {
    if (!e.menu) return;
    if (e.menu->actions().size() != static_cast<qsizetype>(state.menu.size()) || !same_menu(state.menu, before)) {
        e.menu->clear();
        for (std::size_t i = 0; i < state.menu.size(); ++i) {
            const menu_entry& item = state.menu[i];
            QAction* action = e.menu->addAction(to_display(item.caption));
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
            action->setEnabled(item.enabled);
            const int index = static_cast<int>(i);
            entry* menu_entry_of = &e;
            QObject::connect(action, &QAction::triggered, e.menu, [this, menu_entry_of, index] {
                send(*menu_entry_of, [index](forms::control& c) {
                    forms::user::choose_menu_item(static_cast<forms::popup_menu&>(c), index);
                });
            });
        }
    }
    if (state.popups > e.popups_seen) {
        e.popups_seen = state.popups;
        e.menu->popup(to_qt(state.popup_point.x, state.popup_point.y));
    }
}

} // namespace qt_view
