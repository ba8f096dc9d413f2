// The scope panels as the program makes and wires them, on a manual clock
// and the built-in test scope of an AutoStar, in a temporary program_dir.
// Every request a panel sends is read back from the status log's notes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "platform/clock.h"
#include "shell/program.h"
#include "tests/fixtures/temp_dir.h"

struct panel_fixture : ::testing::Test {
    manual_clock clock;
    temp_dir dir;
    std::unique_ptr<orb_program> program;
    Tscope_control* control = nullptr;
    Tscope_info* info = nullptr;
    Tscope_search* search = nullptr;
    command_processor* processor = nullptr;

    // server.ini before the start; the test scope of an AutoStar unless it says otherwise.
    void start(const std::string& ini = "") {
        program.reset();
        dir.write("server.ini", "[config]\nscope_enabled=0\nscope_type=2\n" + ini);
        make();
    }

    // Saves every setting as a shut-down does, and starts again from them.
    void restart() {
        ASSERT_TRUE(program->request_close());
        program.reset();
        make();
    }

    // The program from server.ini as it is now, with the status log's notes on.
    void make() {
        program = std::make_unique<orb_program>(clock, dir.path());
        control = program->control.get();
        info = program->info.get();
        search = program->search.get();
        processor = &program->network->processor;
        program->network->logger.message_logging = true;
        forget_sent();
    }

    ~panel_fixture() override { program.reset(); }

    void forget_sent() { program->network->status_log.clear(); }

    // The requests the panels sent since the last forget_sent, in order.
    std::vector<std::string> sent() const {
        std::vector<std::string> said;
        const std::string mark = "i said : ";
        for (const std::string& line : program->network->status_log.lines()) {
            const auto at = line.find(mark);
            if (at == std::string::npos) continue;
            std::string rest = line.substr(at + mark.size());
            if (const auto tail = rest.find(" : "); tail != std::string::npos) rest.erase(tail);
            said.push_back(rest);
        }
        return said;
    }

    bool logged(const std::string& text) const {
        for (const std::string& line : program->network->status_log.lines())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    // Connects as the user does and forgets what that sent.
    void connect() {
        control->connect_to_scope_click();
        forget_sent();
    }

    void advance(int ms) { program->kit().loop().advance(clock, milliseconds(ms)); }
};
