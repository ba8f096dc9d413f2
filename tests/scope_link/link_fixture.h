// The scope link with no window: the serial link and the operations
// interpreter over the in-memory device on a manual clock, the comms
// panel's lists as plain values, and one fake for everything above.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "scope_link/command_set_files.h"
#include "scope_link/scope_operations.h"
#include "scope_link/serial_link.h"
#include "settings/configuration_settings.h"
#include "settings/settings_file.h"
#include "tests/fixtures/memory_serial_device.h"
#include "tests/fixtures/temp_dir.h"
#include "tests/scope_link/fake_link_ports.h"

#include <gtest/gtest.h>

// The answers of a scope on COM1 that reports 12:08:54 / +42°08:59 as
// "connect" asks it.
inline void queue_connect_answers(memory_serial_device& device) {
    device.queue_answer("12:08:54#");
    device.queue_answer("+42\xDF" "08:59#");
    device.queue_answer("12:08:54#"); // query
}

struct plain_lists final : serial_settings_source {
    serial_settings values;
    serial_settings current_serial_settings() const override { return values; }
};

struct link_fixture : ::testing::Test {
    manual_clock clock;
    temp_dir dir;
    configuration_settings settings;
    memory_serial_device device{&clock};
    tscope_object scope_object;
    fake_link_ports above;
    link_ports ports;
    plain_lists lists;
    std::unique_ptr<serial_link> link;
    std::unique_ptr<scope_operations> operations;
    std::vector<std::string>& messages = above.messages;
    std::vector<int>& focus_timers = above.focus_timers;

    // Makes the link as the comms panel does: the command set of the
    // configured model from program_dir, the device paths from server.ini.
    void make() {
        ports.wire(above, above);
        ports.io_logging = true;
        link = std::make_unique<serial_link>(ports, settings, device, clock);
        link->serial_devices.load(ini_file(dir.file("server.ini")));
        operations = std::make_unique<scope_operations>(ports, settings, *link, lists, scope_object);
        read_escape_scopes(operations->commands, dir.path(), settings.scope_type);
    }

    bool logged(const std::string& text) const { return above.logged(text); }

    std::string connect() {
        queue_connect_answers(device);
        return tell("connect");
    }

    std::string tell(const std::string& operation) {
        tscope_object result;
        return operations->tell(operation, result);
    }
};
