// orb_server as a user starts it: headless in a folder of its own, closed by
// a signal.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "shell/settings_file.h"
#include "tests/fixtures/server_process.h"
#include "tests/fixtures/temp_dir.h"

namespace {

using namespace std::chrono_literals;

server_process headless(const temp_dir& dir) {
    return server_process(ORB_SERVER_PATH, {"--headless", "--dir", dir.path()});
}

TEST(server_process, starts_headless_and_saves_its_settings_on_sigterm) {
    temp_dir dir;
    server_process server = headless(dir);
    ASSERT_TRUE(server.wait_for("running headless"));
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(), 0);
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("main", "num_control_panels", ""), "3");
    EXPECT_EQ(saved.read_integer("config", "scope_type", 0), 1);
}

TEST(server_process, a_second_signal_ends_it_when_the_settings_cannot_be_saved) {
    temp_dir dir;
    dir.write("server.ini", "[config]\nscope_type=2\n");
    std::filesystem::permissions(dir.file("server.ini"), std::filesystem::perms::owner_read);
    server_process server = headless(dir);
    ASSERT_TRUE(server.wait_for("running headless"));
    server.signal(SIGINT);
    ASSERT_TRUE(server.wait_for("Unable to write to " + dir.file("server.ini")));
    EXPECT_EQ(server.wait_exit(100ms), -1); // still running
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(), 0);
    EXPECT_EQ(dir.read("server.ini"), "[config]\nscope_type=2\n");
}

// A box at the mount never shows a window: its server loads no Qt library.
TEST(server_process, a_headless_server_maps_no_qt_library) {
    temp_dir dir;
    server_process server(ORB_SERVER_PATH, {"--headless", "--dir", dir.path(), "--listen", "127.0.0.1:0"});
    ASSERT_TRUE(server.wait_for("running headless"));
    ASSERT_TRUE(server.wait_for("Server started"));
    const std::string mapped = server.memory_map();
    ASSERT_NE(mapped.find("libc"), std::string::npos) << mapped;
    EXPECT_EQ(mapped.find("/libQt"), std::string::npos) << mapped;
    EXPECT_EQ(mapped.find("orb_qt_view"), std::string::npos) << mapped;
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(), 0);
}

} // namespace
