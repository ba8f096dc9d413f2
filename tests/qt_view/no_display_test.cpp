// orb_server started for the desktop where there is none: it says what it
// needs and exits with an error instead of failing inside Qt.
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

#include "tests/fixtures/temp_dir.h"

TEST(no_display, orb_server_without_headless_asks_for_a_display_or_headless_and_exits_1) {
    temp_dir dir;
    const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY '") + ORB_SERVER_PATH + "' --dir '" +
                                dir.path() + "' 2>&1";
    FILE* server = ::popen(command.c_str(), "r");
    ASSERT_NE(server, nullptr);
    std::string said;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, server)) said += buffer;
    const int status = ::pclose(server);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(said.find("display"), std::string::npos) << said;
    EXPECT_NE(said.find("--headless"), std::string::npos) << said;
}
