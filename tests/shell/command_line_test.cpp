// orb_server's command line read without a process: what each option sets,
// and the one line that says what is wrong with a bad one.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "tests/fixtures/temp_dir.h"

namespace {

using action = command_line::action;

TEST(command_line, no_options_run_with_windows_in_the_executables_folder_and_the_network_off) {
    temp_dir exe;
    const command_line line = parse_command_line({}, exe.path());
    ASSERT_EQ(line.what, action::run);
    EXPECT_FALSE(line.options.headless);
    EXPECT_EQ(line.options.program_dir, exe.path());
    EXPECT_FALSE(line.options.listen);
    EXPECT_FALSE(line.options.lx200);
}

TEST(command_line, every_option_with_its_value_apart_or_after_an_equals_sign) {
    temp_dir exe;
    temp_dir dir;
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--headless", "--dir", dir.path(), "--listen", "0.0.0.0:8383", "--lx200",
                                   "192.168.1.20:4030"},
          std::vector<std::string>{"--lx200=192.168.1.20:4030", "--listen=0.0.0.0:8383", "--dir=" + dir.path(),
                                   "--headless"}}) {
        const command_line line = parse_command_line(arguments, exe.path());
        ASSERT_EQ(line.what, action::run) << line.error;
        EXPECT_TRUE(line.options.headless);
        EXPECT_EQ(line.options.program_dir, dir.path());
        ASSERT_TRUE(line.options.listen);
        EXPECT_EQ(line.options.listen->address, "0.0.0.0");
        EXPECT_EQ(line.options.listen->port, 8383);
        ASSERT_TRUE(line.options.lx200);
        EXPECT_EQ(line.options.lx200->address, "192.168.1.20");
        EXPECT_EQ(line.options.lx200->port, 4030);
    }
}

TEST(command_line, a_relative_dir_becomes_absolute_and_ends_with_a_slash) {
    temp_dir exe;
    temp_dir dir;
    const std::string without_slash = dir.path().substr(0, dir.path().size() - 1);
    const command_line line = parse_command_line({"--dir", without_slash + "/./"}, exe.path());
    ASSERT_EQ(line.what, action::run) << line.error;
    EXPECT_EQ(line.options.program_dir, dir.path());
    EXPECT_EQ(parse_command_line({"--dir", "."}, exe.path()).options.program_dir.back(), '/');
}

TEST(command_line, help_and_version_win_over_what_follows_them) {
    temp_dir exe;
    EXPECT_EQ(parse_command_line({"--help", "--bogus"}, exe.path()).what, action::help);
    EXPECT_EQ(parse_command_line({"--headless", "--version", "--dir", "/nowhere"}, exe.path()).what, action::version);
}

TEST(command_line, a_bad_option_or_value_is_refused_with_one_line_saying_what) {
    temp_dir exe;
    temp_dir dir;
    dir.write("server.ini", "");
    struct refusal {
        std::vector<std::string> arguments;
        std::string error;
    };
    const refusal cases[] = {
        {{"--bogus"}, "orb_server: unknown option --bogus"},
        {{"-h"}, "orb_server: unknown option -h"},
        {{"get_info"}, "orb_server: unexpected argument \"get_info\" (requests go to orb_client, not to the server)"},
        {{"--listen"}, "orb_server: --listen wants a value"},
        {{"--headless=yes"}, "orb_server: --headless takes no value"},
        {{"--listen", "1.2.3"}, "orb_server: --listen 1.2.3: wants ADDR:PORT, as 127.0.0.1:8383"},
        {{"--listen", "1.2.3:8383"},
         "orb_server: --listen 1.2.3:8383: \"1.2.3\" is not an IPv4 address (as 127.0.0.1 or 0.0.0.0)"},
        {{"--listen", ":8383"}, "orb_server: --listen :8383: \"\" is not an IPv4 address (as 127.0.0.1 or 0.0.0.0)"},
        {{"--listen", "127.0.0.1:"}, "orb_server: --listen 127.0.0.1:: the port must be a number from 0 to 65535"},
        {{"--listen", "127.0.0.1:65536"},
         "orb_server: --listen 127.0.0.1:65536: the port must be a number from 0 to 65535"},
        {{"--lx200", "127.0.0.1:-1"}, "orb_server: --lx200 127.0.0.1:-1: the port must be a number from 0 to 65535"},
        {{"--lx200", "127.0.0.1:+40"}, "orb_server: --lx200 127.0.0.1:+40: the port must be a number from 0 to 65535"},
        {{"--dir", dir.file("server.ini")}, "orb_server: --dir " + dir.file("server.ini") + ": not a folder"},
        {{"--dir", dir.file("missing")}, "orb_server: --dir " + dir.file("missing") + ": no such folder"},
    };
    for (const refusal& c : cases) {
        const command_line line = parse_command_line(c.arguments, exe.path());
        EXPECT_EQ(line.what, action::refuse) << c.error;
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.error.find('\n'), std::string::npos);
    }
}

TEST(command_line, the_usage_has_one_line_per_option_and_names_the_serial_devices_section) {
    const std::string usage = usage_text();
    for (const char* option : {"--headless", "--dir DIR", "--listen ADDR:PORT", "--lx200 ADDR:PORT", "--help",
                               "--version"})
        EXPECT_NE(usage.find("\n  " + std::string(option) + " "), std::string::npos) << option;
    EXPECT_NE(usage.find("\"serial_devices\""), std::string::npos);
    EXPECT_TRUE(version_text().starts_with("orb_server "));
}

} // namespace
