// orb_client as a script runs it, against a real orb_server on 127.0.0.1 and
// against listeners that never answer or close at once: what it prints on
// standard output and standard error, and its exit status.
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "client/client_options.h"
#include "tests/fixtures/local_ports.h"
#include "tests/fixtures/server_process.h"
#include "tests/fixtures/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// orb_client started through the shell, with `input` on its standard input
// and its standard error kept apart from its standard output.
class client_run {
public:
    explicit client_run(const std::vector<std::string>& arguments, const std::string& input = "") {
        std::vector<std::string> words{"-c", "printf '%s' \"$ORB_INPUT\" | \"$0\" \"$@\" 2>\"$ORB_ERRORS\"",
                                       ORB_CLIENT_PATH};
        words.insert(words.end(), arguments.begin(), arguments.end());
        shell_ = std::make_unique<server_process>(
            "/bin/sh", words, std::vector<std::string>{"ORB_INPUT=" + input, "ORB_ERRORS=" + files_.file("errors")});
    }
    // Waits for the end: the exit status, or -1 when it did not come in time.
    int finish(std::chrono::milliseconds limit = 10s) {
        const int status = shell_->wait_exit(limit);
        shell_->take_what_is_there();
        return status;
    }
    const std::string& out() const { return shell_->output(); }
    std::string err() const { return files_.read("errors"); }

private:
    temp_dir files_;
    std::unique_ptr<server_process> shell_;
};

// A headless orb_server on the built-in test scope, listening on 127.0.0.1.
class client_against_server : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.write("server.ini", "[config]\nscope_enabled=0\n");
        server_ = std::make_unique<server_process>(
            ORB_SERVER_PATH,
            std::vector<std::string>{"--headless", "--dir", dir_.path(), "--listen", "127.0.0.1:" + port()});
        ASSERT_TRUE(server_->wait_for("Server running")) << server_->output();
    }
    void TearDown() override {
        server_->signal(SIGTERM);
        EXPECT_EQ(server_->wait_exit(), 0);
    }
    std::string port() const { return std::to_string(port_); }

    temp_dir dir_;
    int port_ = free_port();
    std::unique_ptr<server_process> server_;
};

TEST_F(client_against_server, prints_every_reply_and_exits_0_when_each_begins_ok) {
    client_run run({"--port", port(), "--play", "get_info", "goto(ra=12.5,dec=42.1)", "bored"});
    EXPECT_EQ(run.finish(), 0) << run.err();
    EXPECT_EQ(run.out(), "ok=(model=0)\n"
                         "ok=(name=LX200,can_query=true,can_sync=true,can_goto=true,can_slew=true,can_focus=true,"
                         "can_track=true,focus_speeds=2)\n"
                         "ok\n"
                         "ok\n");
    EXPECT_EQ(run.err(), "");
}

TEST_F(client_against_server, exits_1_when_a_reply_fails_and_still_sends_the_requests_after_it) {
    struct exchange {
        std::vector<std::string> requests;
        std::string printed;
    };
    const exchange cases[] = {
        {{"get_info"}, "fail\n"}, // not played: the gate turns it away
        {{"--play", "no_such_command", "bored"}, "ok=(model=0)\nfail\nok\n"},
        {{"--play", "goto(ra=12.5", "bored"}, "ok=(model=0)\nNo closing )\nok\n"},
    };
    for (const exchange& c : cases) {
        std::vector<std::string> arguments{"--port", port()};
        arguments.insert(arguments.end(), c.requests.begin(), c.requests.end());
        client_run run(arguments);
        EXPECT_EQ(run.finish(), 1) << c.printed;
        EXPECT_EQ(run.out(), c.printed);
    }
}

TEST_F(client_against_server, reads_one_request_a_line_from_standard_input_without_sending_blanks_or_ok) {
    client_run run({"--port", port(), "--play"}, "get_ra_dec\r\n\n   \nok\nconnected\n");
    EXPECT_EQ(run.finish(), 0) << run.err();
    EXPECT_EQ(run.out(), "ok=(model=0)\nok=(ra=12.1483333333333,dec=42.1497222222222)\nok=(connected=true)\n");
    EXPECT_EQ(run.err(), "orb_client: \"ok\" is no request (the server never answers it); left out\n");
}

TEST_F(client_against_server, exits_2_when_the_server_closes_the_connection_or_a_request_is_too_long) {
    // A latitude that is no number ends the request and the client's connection.
    client_run closed({"--port", port(), "--play", "set_observer(lat=north,long=1)", "get_info"});
    EXPECT_EQ(closed.finish(), 2);
    EXPECT_EQ(closed.out(), "ok=(model=0)\n");
    EXPECT_EQ(closed.err(), "orb_client: the server closed the connection (at \"set_observer(lat=north,long=1)\")\n");

    client_run too_long({"--port", port(), "get_info(" + std::string(231, 'x') + ")"});
    EXPECT_EQ(too_long.finish(), 2);
    EXPECT_EQ(too_long.out(), "");
    EXPECT_EQ(too_long.err(),
              "orb_client: a request of 241 characters is longer than the server takes (240); stopped there\n");

    client_run after({"--port", port(), "--play", "get_info(" + std::string(230, 'x') + ")"});
    EXPECT_EQ(after.finish(), 0) << after.err(); // 240 characters: served
}

TEST(client_process, exits_2_when_nothing_listens_or_a_listener_closes_at_once) {
    const int nothing = free_port();
    client_run refused({"--port", std::to_string(nothing), "get_info"});
    EXPECT_EQ(refused.finish(), 2);
    EXPECT_EQ(refused.err(), "orb_client: cannot connect to 127.0.0.1:" + std::to_string(nothing) +
                                 ": Connection refused\n");

    mute_listener closing;
    client_run closed({"--port", std::to_string(closing.port()), "get_info"});
    ASSERT_TRUE(closing.take_and_close());
    EXPECT_EQ(closed.finish(), 2);
    EXPECT_EQ(closed.err(), "orb_client: the server closed the connection (at \"get_info\")\n");
}

TEST(client_process, gives_up_after_the_timeout_when_the_server_never_answers) {
    mute_listener silent;
    client_run run({"--port", std::to_string(silent.port()), "--timeout", "0.3", "get_info"});
    ASSERT_TRUE(silent.take());
    EXPECT_EQ(run.finish(), 2);
    EXPECT_EQ(run.out(), "");
    EXPECT_EQ(run.err(), "orb_client: no reply to \"get_info\" within 0.3 s\n");
}

TEST(client_process, help_goes_to_standard_output_and_a_bad_option_to_standard_error_with_exit_2) {
    client_run help({"--help"});
    EXPECT_EQ(help.finish(), 0);
    EXPECT_EQ(help.out(), client_usage_text());

    client_run bad({"--port", "99999", "get_info"});
    EXPECT_EQ(bad.finish(), 2);
    EXPECT_EQ(bad.out(), "");
    EXPECT_EQ(bad.err(), "orb_client: --port 99999: the port must be a number from 1 to 65535\n" + client_usage_text());
}

} // namespace
