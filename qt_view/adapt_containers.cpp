// The adapters of the controls that hold others: panel, group box, the page
// control and its tab sheets. A click on them is still a gesture.
#include <QFrame>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QTabWidget>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/display_text.h"
#include "qt_view/gesture_filter.h"

namespace qt_view::adapters {

namespace {

// A container that only reports clicks.
class clicked_container : public control_adapter {
public:
    void wire(shown_control& e, adapter_host& host) const override {
        gesture_filter::watch(e.widget.data(), click_of(e, host), {});
    }
};

class panel_adapter final : public clicked_container {
public:
    void make(shown_control& e, QWidget* parent) const override {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        e.widget = frame;
    }
};

class group_box_adapter final : public clicked_container {
public:
    void make(shown_control& e, QWidget* parent) const override { e.widget = new QGroupBox(parent); }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<QGroupBox*>(e.widget.data())->setTitle(to_display(state.caption));
    }
};

// A page of a page control: its caption is the tab's text, and the page
// control shows it or not.
class tab_sheet_adapter final : public clicked_container {
public:
    void make(shown_control& e, QWidget* parent) const override {
        auto* page = new QWidget();
        if (auto* tabs = dynamic_cast<QTabWidget*>(parent)) {
            const QSignalBlocker quiet(tabs);
            tabs->addTab(page, QString());
        } else {
            page->setParent(parent);
        }
        e.widget = page;
    }

    void show(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        QWidget* w = e.widget.data();
        if (!w) return;
        show_shared(*w, state);
        if (auto* tabs = dynamic_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
            const int index = tabs->indexOf(w);
            if (index >= 0) tabs->setTabText(index, to_display(state.caption));
        }
    }
};

// The active page is its value.
class page_control_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& pages = as<forms::page_control>(c);
        s.position = pages.active_page_index();
        s.multi_line = pages.multi_line();
    }

    void make(shown_control& e, QWidget* parent) const override {
        auto* tabs = new QTabWidget(parent);
        tabs->setUsesScrollButtons(true);
        e.widget = tabs;
    }

    void wire(shown_control& e, adapter_host& host) const override {
        auto* tabs = static_cast<QTabWidget*>(e.widget.data());
        QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [&host, at = &e](int index) {
            host.send(*at, [index](forms::control& c) { forms::user::select_page(as<forms::page_control>(c), index); },
                      true);
        });
    }

protected:
    void show_value(QWidget& w, const control_state& s) const override {
        auto& tabs = static_cast<QTabWidget&>(w);
        if (s.position >= 0 && s.position < tabs.count()) tabs.setCurrentIndex(s.position);
    }
};

} // namespace

const control_adapter& panel() { return one<panel_adapter>(); }
const control_adapter& group_box() { return one<group_box_adapter>(); }
const control_adapter& tab_sheet() { return one<tab_sheet_adapter>(); }
const control_adapter& page_control() { return one<page_control_adapter>(); }

} // namespace qt_view::adapters
