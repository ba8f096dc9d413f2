// orb_server on a desktop (Qt's offscreen platform stands in for one): it
// loads the view module beside it, shows its windows, and closes on SIGTERM
// as from the main window's close box.
#include <csignal>
#include <gtest/gtest.h>
#include <string>

#include "settings/settings_file.h"
#include "tests/fixtures/server_process.h"
#include "tests/fixtures/temp_dir.h"

namespace {

TEST(desktop_module, orb_server_loads_the_qt_view_and_closes_on_sigterm) {
    temp_dir dir;
    server_process server(ORB_SERVER_PATH, {"--dir", dir.path()},
                          {"DISPLAY=:99", "QT_QPA_PLATFORM=offscreen", "QT_STYLE_OVERRIDE"});
    ASSERT_TRUE(server.wait_for("running on the desktop")) << server.output();
    const std::string mapped = server.memory_map();
    EXPECT_NE(mapped.find("/orb_qt_view.so"), std::string::npos) << mapped;
    EXPECT_NE(mapped.find("/libQt6Widgets"), std::string::npos) << mapped;
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(), 0) << server.output();
    EXPECT_EQ(ini_file(dir.file("server.ini")).read_string("main", "num_control_panels", ""), "3");
}

} // namespace
