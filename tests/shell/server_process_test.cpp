// orb_server as a user starts it: headless in a folder of its own, closed by
// a signal, with its standard output read or left unread, and in front of a
// scope that never answers.
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "settings/settings_file.h"
#include "tests/fixtures/fake_lx200.h"
#include "tests/fixtures/tcp_test_client.h"
#include "tests/fixtures/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// A running orb_server whose standard output the test reads line by line.
class server_process {
public:
    // pipe_size: what standard output holds before it is full (0: the
    // system's default).
    explicit server_process(const std::string& program_dir, std::vector<std::string> more_args = {},
                            int pipe_size = 0) {
        int pipe_ends[2];
        if (::pipe(pipe_ends) != 0) throw std::runtime_error("pipe");
        if (pipe_size > 0) ::fcntl(pipe_ends[1], F_SETPIPE_SZ, pipe_size);
        std::vector<std::string> args{ORB_SERVER_PATH, "--headless", "--dir", program_dir};
        args.insert(args.end(), more_args.begin(), more_args.end());
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(pipe_ends[1], STDOUT_FILENO);
            ::close(pipe_ends[0]);
            ::execv(ORB_SERVER_PATH, argv.data());
            ::_exit(127);
        }
        ::close(pipe_ends[1]);
        output_ = pipe_ends[0];
    }
    ~server_process() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(output_);
    }

    // Reads until a line holding `text` arrives; false after `limit`.
    bool wait_for(const std::string& text, std::chrono::milliseconds limit = 10s) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (seen_.find(text) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            pollfd ready{output_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&ready, 1, int(left.count())) <= 0) return false;
            char buffer[512];
            const ssize_t n = ::read(output_, buffer, sizeof buffer);
            if (n <= 0) return false;
            seen_.append(buffer, std::size_t(n));
        }
        return true;
    }

    // Reads what the server has written so far, without waiting for more.
    void take_what_is_there() {
        pollfd ready{output_, POLLIN, 0};
        char buffer[4096];
        while (::poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN)) {
            const ssize_t n = ::read(output_, buffer, sizeof buffer);
            if (n <= 0) return;
            seen_.append(buffer, std::size_t(n));
        }
    }

    void signal(int number) { ::kill(pid_, number); }

    // The exit status, or -1 when it has not exited within `limit`.
    int wait_exit(std::chrono::milliseconds limit = 10s) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            pollfd nothing{-1, 0, 0};
            ::poll(&nothing, 0, 10);
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
    bool exited_ = false;
    std::string seen_;
};

TEST(server_process, starts_headless_and_saves_its_settings_on_sigterm) {
    temp_dir dir;
    server_process server(dir.path());
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
    server_process server(dir.path());
    ASSERT_TRUE(server.wait_for("running headless"));
    server.signal(SIGINT);
    ASSERT_TRUE(server.wait_for("Unable to write to " + dir.file("server.ini")));
    EXPECT_EQ(server.wait_exit(100ms), -1); // still running
    server.signal(SIGTERM);
    EXPECT_EQ(server.wait_exit(), 0);
    EXPECT_EQ(dir.read("server.ini"), "[config]\nscope_type=2\n");
}

// A port on 127.0.0.1 that nothing listens on just now.
int free_port() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no free port");
    ::close(fd);
    return ntohs(address.sin_port);
}

TEST(server_process, standard_output_that_nobody_reads_never_stops_the_server_nor_its_sigterm) {
    temp_dir dir;
    // Every request puts a block of lines into the status log, and so on
    // standard output, which holds one page here.
    dir.write("server.ini", "[network]\nmessage_logging=1\n");
    const int port = free_port();
    server_process server(dir.path(), {"--listen", "127.0.0.1:" + std::to_string(port)}, 4096);
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
    server_process server(dir.path(), {"--listen", "127.0.0.1:" + std::to_string(port)});
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
