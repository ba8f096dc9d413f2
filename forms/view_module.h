// The one entry of a view module: a shared library, loaded at run time only
// when windows are shown, that shows every window of a toolkit on a desktop
// and feeds the user's input back (the Qt view is one). The program finds
// the function by its name; a headless program never loads the library.
#pragma once

#include "forms/toolkit.h"

namespace forms {

// Shows the toolkit's windows and runs until the model's event loop quits;
// answers the exit status. The toolkit's loop must not be running yet: the
// view runs it on a thread of its own and takes the calling thread.
extern "C" {
using view_entry = int(toolkit* kit, int argc, char** argv);
}

// The name under which a view module exports its view_entry.
inline constexpr const char* view_entry_name = "orb_view_run";

} // namespace forms
