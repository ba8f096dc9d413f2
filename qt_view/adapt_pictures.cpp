// The adapters of the controls that only draw: an image (a built-in
// bitmap) and a shape (the panels' lamps). A click on them is a gesture.
#include <QLabel>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/gesture_filter.h"
#include "qt_view/pictures.h"
#include "qt_view/widgets.h"

namespace qt_view::adapters {

namespace {

class image_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        s.picture = as<forms::image>(c).picture();
    }
    void make(shown_control& e, QWidget* parent) const override { e.widget = new QLabel(parent); }
    void wire(shown_control& e, adapter_host& host) const override {
        gesture_filter::watch(e.widget.data(), click_of(e, host), {});
    }

protected:
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<QLabel*>(e.widget.data())->setPixmap(load_picture(state.picture));
    }
};

// Its colour is its fill, which it paints itself.
class shape_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        s.shape = as<forms::shape>(c).type();
    }
    void make(shown_control& e, QWidget* parent) const override { e.widget = new shape_widget(parent); }
    void wire(shown_control& e, adapter_host& host) const override {
        gesture_filter::watch(e.widget.data(), click_of(e, host), {});
    }

protected:
    void show_colour(QWidget&, const forms::colour&) const override {}
    void show_own(shown_control& e, const control_state& state, const control_state&, adapter_host&) const override {
        static_cast<shape_widget*>(e.widget.data())
            ->set_shape(state.shape, state.colour.themed ? QColor(Qt::white) : colour_of(state.colour));
    }
};

} // namespace

const control_adapter& image() { return one<image_adapter>(); }
const control_adapter& shape() { return one<shape_adapter>(); }

} // namespace qt_view::adapters
