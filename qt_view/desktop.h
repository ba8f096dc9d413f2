// Running the program on the desktop: Qt on the calling (main) thread, the
// forms' event loop on a thread of its own, every window of the toolkit shown.
#pragma once

#include "forms/toolkit.h"

namespace qt_view {

// Shows the toolkit's windows and runs until the model's event loop quits
// (the main window closed); answers the exit status. The toolkit's loop
// must not be running yet; it runs on its own thread meanwhile and this
// thread becomes Qt's.
int run_desktop(forms::toolkit& kit, int argc, char** argv);

// The classic look the panels were drawn for: Qt's Windows style (unless
// QT_STYLE_OVERRIDE names another) and a narrow 8-point sans-serif face.
void use_program_look();

} // namespace qt_view
