// The adapters of the controls that step through a range: the up-down's
// arrows and the track bar.
#include <QSlider>

#include "forms/forms.h"
#include "qt_view/adapter_kinds.h"
#include "qt_view/gesture_filter.h"
#include "qt_view/widgets.h"

namespace qt_view::adapters {

namespace {

void take_range(int min, int max, int position, control_state& s) {
    s.min = min;
    s.max = max;
    s.position = position;
}

// Only its arrows show: the model writes the position into the bound edit.
class up_down_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& spin = as<forms::up_down>(c);
        take_range(spin.min(), spin.max(), spin.position(), s);
    }
    void make(shown_control& e, QWidget* parent) const override { e.widget = new spin_arrows(parent); }
    void wire(shown_control& e, adapter_host& host) const override {
        static_cast<spin_arrows*>(e.widget.data())->on_arrow = [&host, at = &e](bool up) {
            host.send(*at, [up](forms::control& c) {
                forms::user::press_arrow(as<forms::up_down>(c), up ? forms::arrow::up : forms::arrow::down);
            });
        };
    }
};

class track_bar_adapter final : public control_adapter {
public:
    void take(const forms::control& c, control_state& s, bool) const override {
        const auto& track = as<forms::track_bar>(c);
        take_range(track.min(), track.max(), track.position(), s);
    }
    void make(shown_control& e, QWidget* parent) const override {
        auto* track = new QSlider(Qt::Horizontal, parent);
        track->setTickPosition(QSlider::TicksBelow);
        track->setPageStep(1);
        e.widget = track;
    }
    void wire(shown_control& e, adapter_host& host) const override {
        auto* track = static_cast<QSlider*>(e.widget.data());
        gesture_filter::watch(track, {}, focus_of(e, host));
        QObject::connect(track, &QSlider::valueChanged, track, [&host, at = &e](int position) {
            host.send(*at, [position](forms::control& c) {
                forms::user::move_track(as<forms::track_bar>(c), position);
            }, true);
        });
    }

protected:
    // A drag in progress is the user's: the model's position waits for its end.
    void show_value(QWidget& w, const control_state& s) const override {
        auto& track = static_cast<QSlider&>(w);
        track.setRange(s.min, s.max);
        if (!track.isSliderDown()) track.setValue(s.position);
    }
};

} // namespace

const control_adapter& up_down() { return one<up_down_adapter>(); }
const control_adapter& track_bar() { return one<track_bar_adapter>(); }

} // namespace qt_view::adapters
