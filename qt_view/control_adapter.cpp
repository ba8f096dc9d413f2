#include "qt_view/control_adapter.h"

#include <QApplication>
#include <QWidget>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/display_text.h"

namespace qt_view {

namespace {

// The forms' default face: the desktop's own small sans-serif stands in for it.
constexpr const char* classic_face = "MS Sans Serif";

QFont font_of(const forms::font& f) {
    QFont font = QApplication::font();
    if (!f.name.empty() && f.name != classic_face) font.setFamily(QString::fromStdString(f.name));
    if (f.size > 0) font.setPointSize(f.size);
    font.setBold(f.bold);
    return font;
}

} // namespace

// The compiler checks that every kind has its line here.
const control_adapter& adapter_for(forms::control_kind kind) {
    using forms::control_kind;
    switch (kind) {
    case control_kind::form: return adapters::form();
    case control_kind::popup_menu: return adapters::popup_menu();
    case control_kind::panel: return adapters::panel();
    case control_kind::group_box: return adapters::group_box();
    case control_kind::tab_sheet: return adapters::tab_sheet();
    case control_kind::page_control: return adapters::page_control();
    case control_kind::label: return adapters::label();
    case control_kind::edit: return adapters::edit();
    case control_kind::combo_box: return adapters::combo_box();
    case control_kind::memo: return adapters::memo();
    case control_kind::button: return adapters::button();
    case control_kind::check_box: return adapters::check_box();
    case control_kind::glyph_button: return adapters::glyph_button();
    case control_kind::radio_group: return adapters::radio_group();
    case control_kind::up_down: return adapters::up_down();
    case control_kind::track_bar: return adapters::track_bar();
    case control_kind::image: return adapters::image();
    case control_kind::shape: return adapters::shape();
    }
    return adapters::panel(); // not reached: the kinds above are all there are
}

void control_adapter::take(const forms::control&, control_state&, bool) const {}

void control_adapter::show(shown_control& e, const control_state& state, const control_state& before,
                           adapter_host& host) const {
    QWidget* w = e.widget.data();
    if (!w) return;
    show_shared(*w, state);
    show_own(e, state, before, host);
    {
        const QSignalBlocker quiet(w);
        show_value(*w, e.shown);
    }
    place(*w, state);
}

void control_adapter::show_shared(QWidget& w, const control_state& state) const {
    w.setEnabled(state.enabled);
    w.setToolTip(to_display(state.hint));
    w.setFont(font_of(state.font));
    show_colour(w, state.colour);
}

void control_adapter::show_colour(QWidget& w, const forms::colour& colour) const {
    paint(w, colour, QPalette::Window, true);
}

void control_adapter::paint(QWidget& w, const forms::colour& colour, QPalette::ColorRole role, bool fill) {
    if (colour.themed) {
        w.setPalette(QPalette());
        w.setAutoFillBackground(false);
        return;
    }
    QPalette palette = w.palette();
    palette.setColor(role, colour_of(colour));
    w.setPalette(palette);
    if (fill) w.setAutoFillBackground(true);
}

void control_adapter::place(QWidget& w, const control_state& state) const {
    const forms::rect& b = state.bounds;
    w.setGeometry(b.left, b.top, b.width, b.height);
    w.setVisible(state.visible);
}

std::function<void()> control_adapter::click_of(shown_control& e, adapter_host& host) {
    return [&host, at = &e] { host.send(*at, [](forms::control& c) { forms::user::click(c); }); };
}

std::function<void()> control_adapter::focus_of(shown_control& e, adapter_host& host) {
    return [&host, at = &e] { host.send(*at, [](forms::control& c) { forms::user::focus(c); }); };
}

} // namespace qt_view
