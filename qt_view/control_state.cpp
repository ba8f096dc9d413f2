#include "qt_view/control_state.h"

#include "qt_view/control_adapter.h"

namespace qt_view {

control_state take_state(const forms::control& c, bool with_lines, bool with_children) {
    control_state s;
    s.id = &c;
    s.handle = c.handle();
    s.kind = c.kind();
    s.caption = c.caption();
    s.enabled = c.enabled();
    s.visible = c.visible();
    s.bounds = c.bounds();
    s.font = c.font();
    s.colour = c.colour();
    s.hint = c.hint();
    adapter_for(c.kind()).take(c, s, with_lines);
    if (with_children) {
        s.has_children = true;
        s.children.reserve(c.children().size());
        for (const forms::control* child : c.children()) s.children.push_back(take_state(*child, true, true));
    }
    return s;
}

} // namespace qt_view
