// A comms panel on a manual clock with the in-memory serial device, a
// temporary program_dir, and one fake in place of everything above the link:
// it collects every status message and records what the panels were asked.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "scope_link/orb_server_comms.h"
#include "settings/configuration_settings.h"
#include "tests/fixtures/folder_host.h"
#include "tests/fixtures/memory_serial_device.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/scope_link/fake_link_ports.h"
#include "tests/scope_link/link_fixture.h"

#include <gtest/gtest.h>

struct comms_fixture : ::testing::Test {
    manual_clock clock;
    forms::toolkit kit{clock};
    temp_dir dir;
    folder_host host{dir.path()};
    configuration_settings settings;
    memory_serial_device device{&clock};
    tscope_object scope_object;
    fake_link_ports above;
    std::unique_ptr<Tscope_comms> comms;
    std::vector<std::string>& messages = above.messages;
    std::vector<int>& focus_timers = above.focus_timers;

    // Makes the panel as start-up does, from server.ini as it is now.
    Tscope_comms& make() {
        comms = std::make_unique<Tscope_comms>(kit, host, settings, device, scope_object);
        comms->ports.wire(above, above);
        comms->ports.io_logging = true;
        return *comms;
    }

    bool logged(const std::string& text) const { return above.logged(text); }

    std::string connect() {
        queue_connect_answers(device);
        return tell("connect");
    }

    std::string tell(const std::string& operation) {
        tscope_object result;
        return comms->operations.tell(operation, result);
    }
};
