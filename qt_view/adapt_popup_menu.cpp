// The adapter of a popup menu: a QMenu of the model's items, rebuilt when
// they change, popped up each time the model asks; a chosen item goes back
// to the model.
#include <QAction>
#include <QMenu>
#include <algorithm>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/display_text.h"

namespace qt_view::adapters {

namespace {

bool same_menu(const std::vector<menu_entry>& a, const std::vector<menu_entry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const menu_entry& x, const menu_entry& y) {
        return x.caption == y.caption && x.checked == y.checked && x.enabled == y.enabled;
    });
}

class popup_menu_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& menu = as<forms::popup_menu>(c);
        for (const forms::menu_item& item : menu.items()) s.menu.push_back({item.caption, item.checked, item.enabled});
        s.popup_point = menu.popup_point();
        s.popups = menu.popups();
    }

    // A menu is no widget: it needs no parent to be shown.
    void make(shown_control& e, QWidget*) const override { e.menu = new QMenu(); }
    bool needs_container() const override { return false; }
    bool asks_for_context_menu() const override { return false; }
    // Its items are wired as they are made.
    void wire(shown_control&, adapter_host&) const override {}

    void show(shown_control& e, const control_state& state, const control_state& before,
              adapter_host& host) const override {
        if (!e.menu) return;
        if (e.menu->actions().size() != static_cast<qsizetype>(state.menu.size()) ||
            !same_menu(state.menu, before.menu)) {
            e.menu->clear();
            for (std::size_t i = 0; i < state.menu.size(); ++i) {
                const menu_entry& item = state.menu[i];
                QAction* action = e.menu->addAction(to_display(item.caption));
                action->setCheckable(item.checked);
                action->setChecked(item.checked);
                action->setEnabled(item.enabled);
                const int index = static_cast<int>(i);
                QObject::connect(action, &QAction::triggered, e.menu, [&host, at = &e, index] {
                    host.send(*at, [index](forms::control& c) {
                        forms::user::choose_menu_item(as<forms::popup_menu>(c), index);
                    });
                });
            }
        }
        if (state.popups > e.popups_seen) {
            e.popups_seen = state.popups;
            e.menu->popup(host.to_qt(state.popup_point));
        }
    }
};

} // namespace

const control_adapter& popup_menu() { return one<popup_menu_adapter>(); }

} // namespace qt_view::adapters
