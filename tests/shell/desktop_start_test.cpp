// orb_server started for the desktop where it cannot show windows: no
// display, or no desktop view module beside it (a build without Qt), or one
// that does not load. It says what it needs and exits with an error before
// it touches any file, instead of failing inside Qt.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "tests/fixtures/server_process.h"
#include "tests/fixtures/temp_dir.h"

namespace {

TEST(desktop_start, orb_server_without_headless_asks_for_a_display_or_headless_and_exits_1) {
    temp_dir dir;
    server_process server(ORB_SERVER_PATH, {"--dir", dir.path()}, {"DISPLAY", "WAYLAND_DISPLAY"});
    EXPECT_TRUE(server.wait_for("--headless")) << server.output();
    EXPECT_NE(server.output().find("display"), std::string::npos) << server.output();
    EXPECT_EQ(server.wait_exit(), 1);
}

// A copy of orb_server in a folder of its own, where the view module is
// missing or is no library at all.
TEST(desktop_start, without_a_view_module_that_loads_orb_server_says_so_and_exits_1) {
    struct setup {
        const char* module; // what lies beside the executable as orb_qt_view.so
        const char* said;
    };
    const setup cases[] = {
        {nullptr, "the windows need the desktop view (orb_qt_view.so beside orb_server"},
        {"not a library", "orb_qt_view.so does not load"},
    };
    for (const setup& c : cases) {
        SCOPED_TRACE(c.said);
        temp_dir bin;
        temp_dir dir;
        std::filesystem::copy_file(ORB_SERVER_PATH, bin.file("orb_server"));
        if (c.module) bin.write("orb_qt_view.so", c.module);
        server_process server(bin.file("orb_server"), {"--dir", dir.path()}, {"DISPLAY=:99", "WAYLAND_DISPLAY"});
        EXPECT_TRUE(server.wait_for(c.said)) << server.output();
        EXPECT_TRUE(server.wait_for("--headless")) << server.output();
        EXPECT_EQ(server.wait_exit(), 1);
        EXPECT_TRUE(std::filesystem::is_empty(dir.path())); // no settings written
    }
}

} // namespace
