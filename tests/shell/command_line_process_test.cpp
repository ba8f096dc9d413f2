// orb_server's command line as a shell meets it: what goes to standard
// output and what to standard error, and the exit status.
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "orb_build_info.h"
#include "shell/command_line.h"
#include "tests/fixtures/server_process.h"
#include "tests/fixtures/temp_dir.h"

namespace {

struct outcome {
    int status;
    std::string output; // standard output, or standard error
};

// Runs orb_server through the shell, so that one of its two outputs can be
// thrown away and the other read alone.
outcome run(const std::string& arguments, const char* kept) {
    const std::string redirect = kept == std::string("stdout") ? " 2>/dev/null" : " 2>&1 >/dev/null";
    server_process shell("/bin/sh", {"-c", "exec \"$0\" " + arguments + redirect, ORB_SERVER_PATH});
    const int status = shell.wait_exit();
    shell.take_what_is_there();
    return {status, shell.output()};
}

TEST(command_line_process, help_and_version_go_to_standard_output_and_exit_0) {
    const outcome help = run("--help", "stdout");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output, usage_text());
    EXPECT_EQ(run("--help", "stderr").output, "");

    const outcome version = run("--version", "stdout");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, std::string("orb_server ") + orb_version + "\n");
}

TEST(command_line_process, a_bad_option_says_what_and_the_usage_on_standard_error_and_exits_2) {
    temp_dir dir;
    dir.write("server.ini", "[config]\nscope_type=2\n");
    struct refusal {
        std::string arguments;
        std::string first_line;
    };
    const refusal cases[] = {
        {"--listen 1.2.3", "orb_server: --listen 1.2.3: wants ADDR:PORT, as 127.0.0.1:8383"},
        {"--headless --dir " + dir.file("server.ini"), "orb_server: --dir " + dir.file("server.ini") + ": not a folder"},
        {"--frobnicate", "orb_server: unknown option --frobnicate"},
    };
    for (const refusal& c : cases) {
        SCOPED_TRACE(c.arguments);
        const outcome refused = run(c.arguments, "stderr");
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.output, c.first_line + "\n" + usage_text());
        EXPECT_EQ(run(c.arguments, "stdout").output, "");
    }
    EXPECT_EQ(dir.read("server.ini"), "[config]\nscope_type=2\n"); // not touched
}

TEST(command_line_process, the_lx200_place_is_taken_beside_the_listen_address) {
    temp_dir dir;
    server_process server(ORB_SERVER_PATH,
                          {"--headless", "--dir", dir.path(), "--listen", "127.0.0.1:0", "--lx200", "127.0.0.1:0"});
    ASSERT_TRUE(server.wait_for("Server running")) << server.output();
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(), 0);
}

} // namespace
