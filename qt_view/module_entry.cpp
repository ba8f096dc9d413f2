// The Qt view as a module: the entry that orb_server finds by name once it
// has loaded the library (forms/view_module.h).
#include <type_traits>

#include "forms/view_module.h"
#include "qt_view/desktop.h"

extern "C" __attribute__((visibility("default"))) int orb_view_run(forms::toolkit* kit, int argc, char** argv) {
    return qt_view::run_desktop(*kit, argc, argv);
}

static_assert(std::is_same_v<decltype(orb_view_run), forms::view_entry>);
