// orb_server as a user starts it: headless in a folder of its own, closed by
// a signal, with its standard output read or left unread, and in front of a
// scope that never answers.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#include "settings/settings_file.h"
#include "tests/fixtures/fake_lx200.h"
#include "tests/fixtures/local_ports.h"
#include "tests/fixtures/tcp_test_client.h"
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

TEST(server_process, standard_output_that_nobody_reads_never_stops_the_server_nor_its_sigterm) {
    temp_dir dir;
    // Every request puts a block of lines into the status log, and so on
    // standard output, which holds one page here.
    dir.write("server.ini", "[network]\nmessage_logging=1\n");
    const int port = free_port();
    server_process server(ORB_SERVER_PATH,
                          {"--headless", "--dir", dir.path(), "--listen", "127.0.0.1:" + std::to_string(port)}, {},
                          4096);
    ASSERT_TRUE(server.wait_for("Server running"));

    // From here on nobody reads the server's output until said so.
    tcp_test_client client(port);
    ASSERT_TRUE(client.connected());
    // The replies that came, up to the first that did not.
    const auto answered = [&client](int requests) {
        int count = 0;
        while (count < requests && client.request("get_info").starts_with("ok=")) ++count;
        return count;
    };
    ASSERT_EQ(client.request("play"), "ok=(model=0)");
    ASSERT_EQ(answered(200), 200);

    // Read again: the next line that gets through says how many were lost.
    server.take_what_is_there();
    ASSERT_EQ(answered(1), 1);
    EXPECT_TRUE(server.wait_for(" lines lost: the output could not take them]", 5s));

    ASSERT_EQ(answered(200), 200);
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(7s), 0);
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("main", "num_control_panels", ""), "3");
    EXPECT_TRUE(saved.read_bool("network", "message_logging", false));
}

TEST(server_process, sigterm_with_clients_mid_request_closes_every_connection_and_saves) {
    const int port = free_port();
    temp_dir dir;
    server_process server(ORB_SERVER_PATH,
                          {"--headless", "--dir", dir.path(), "--listen", "127.0.0.1:" + std::to_string(port)});
    ASSERT_TRUE(server.wait_for("Server running"));
    tcp_test_client playing(port), unfinished(port), flooding(port);
    ASSERT_TRUE(playing.request("play").starts_with("ok=(model="));
    unfinished.send("get_ra_d"); // a line still on its way
    std::string burst;
    for (int i = 0; i < 20000; ++i) burst += "get_info\r\n";
    flooding.send(burst); // its replies unread, more requests behind them
    playing.send("get_ra_dec\r\n");

    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(), 0);
    EXPECT_TRUE(playing.closed_within());
    EXPECT_TRUE(unfinished.closed_within());
    EXPECT_TRUE(flooding.closed_within());
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("main", "num_control_panels", ""), "3");
}

// A scope that never answers, with `timeout` typed as 20000: a request fails
// at the answer watchdog's 5 seconds, not after 20, and a SIGTERM that comes
// while a request waits ends the program soon after, with its settings saved.
TEST(server_process, a_silent_scope_with_a_long_timeout_fails_within_the_watchdog_and_sigterm_ends_it) {
    temp_dir dir;
    fake_lx200 scope;
    scope.set_silent(true);
    dir.write("server.ini", "[config]\nscope_enabled=1\nscope_type=1\n[comms]\ntimeout=20000\n"
                            "interval=30\n[serial_devices]\nCOM1=" + scope.device_path() + "\n");
    const int port = free_port();
    server_process server(ORB_SERVER_PATH,
                          {"--headless", "--dir", dir.path(), "--listen", "127.0.0.1:" + std::to_string(port)});
    ASSERT_TRUE(server.wait_for("Server running"));
    tcp_test_client client(port);
    ASSERT_TRUE(client.connected());
    ASSERT_TRUE(client.request("play").starts_with("ok"));

    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(client.send("connect\r\n"));
    const std::optional<std::string> reply = client.line(10s);
    ASSERT_TRUE(reply.has_value());
    EXPECT_TRUE(reply->starts_with("fail")) << *reply;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 6s);
    EXPECT_EQ(client.line(1s), std::optional<std::string>(""));

    // Once more, and the signal comes while the server waits for the scope.
    const std::size_t seen = scope.commands().size();
    ASSERT_TRUE(client.send("connect\r\n"));
    ASSERT_TRUE(scope.wait_for_commands(seen + 1, 2s));
    start = std::chrono::steady_clock::now();
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(7s), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 7s);
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("main", "num_control_panels", ""), "3");
    EXPECT_EQ(saved.read_string("comms", "timeout", ""), "20000");
    EXPECT_EQ(saved.read_string("serial_devices", "COM1", ""), scope.device_path());
}

} // namespace
