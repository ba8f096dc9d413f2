// A control panel on its own: the command processor with no window over
// the test scope (processor_fixture), a toolkit on the same manual clock and
// a temporary program_dir for its server.ini. Panels are made from
// server.ini as it is when make() runs, and shown, so that clicks reach them.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "forms/forms.h"
#include "tests/command_server/processor_fixture.h"
#include "tests/fixtures/folder_host.h"

template <class Panel>
struct single_panel_fixture : processor_fixture {
    forms::toolkit kit{clock};
    folder_host host{dir.path()};
    std::unique_ptr<Panel> panel;

    template <class... A>
    Panel& make(A&&... args) {
        panel = std::make_unique<Panel>(kit, host, std::forward<A>(args)...);
        panel->network.wire(processor);
        panel->show();
        return *panel;
    }

    void advance(int ms) { kit.loop().advance(clock, milliseconds(ms)); }

    // How many status-log lines hold the text.
    long lines_with(const std::string& text) const {
        return std::count_if(shown.begin(), shown.end(),
                             [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }
};
