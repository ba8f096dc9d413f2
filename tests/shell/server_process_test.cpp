// orb_server as a user starts it: headless in a folder of its own, closed by
// a signal.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/tcp_listener.h"
#include "shell/settings_file.h"
#include "tests/fixtures/tcp_test_client.h"
#include "tests/fixtures/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// A running orb_server whose standard output the test reads line by line.
class server_process {
public:
    explicit server_process(const std::string& program_dir, const std::string& listen = {}) {
        int pipe_ends[2];
        if (::pipe(pipe_ends) != 0) throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(pipe_ends[1], STDOUT_FILENO);
            ::close(pipe_ends[0]);
            if (listen.empty())
                ::execl(ORB_SERVER_PATH, ORB_SERVER_PATH, "--headless", "--dir", program_dir.c_str(),
                        static_cast<char*>(nullptr));
            else
                ::execl(ORB_SERVER_PATH, ORB_SERVER_PATH, "--headless", "--dir", program_dir.c_str(), "--listen",
                        listen.c_str(), static_cast<char*>(nullptr));
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

TEST(server_process, sigterm_with_clients_mid_request_closes_every_connection_and_saves) {
    int port = -1;
    {
        auto probe = make_tcp_listener();
        ASSERT_EQ(probe->open({{"127.0.0.1", 0}}), "");
        port = probe->ports().front();
    }
    temp_dir dir;
    server_process server(dir.path(), "127.0.0.1:" + std::to_string(port));
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

} // namespace
