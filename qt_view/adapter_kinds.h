// The adapter of each kind of control, one function each, defined beside
// the kinds they resemble (adapt_*.cpp); adapter_for picks among them.
#pragma once

#include "qt_view/control_adapter.h"

namespace qt_view::adapters {

// The one adapter of type A.
template <class A>
const control_adapter& one() {
    static const A adapter;
    return adapter;
}

const control_adapter& form();
const control_adapter& popup_menu();
// containers
const control_adapter& panel();
const control_adapter& group_box();
const control_adapter& tab_sheet();
const control_adapter& page_control();
// texts
const control_adapter& label();
const control_adapter& edit();
const control_adapter& combo_box();
const control_adapter& memo();
// buttons
const control_adapter& button();
const control_adapter& check_box();
const control_adapter& glyph_button();
const control_adapter& radio_group();
// ranges
const control_adapter& up_down();
const control_adapter& track_bar();
// pictures
const control_adapter& image();
const control_adapter& shape();

} // namespace qt_view::adapters
