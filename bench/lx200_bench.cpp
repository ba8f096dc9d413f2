// What planetarium programs polling the LX200 endpoint cost the serial line:
// 1, 3 and 8 clients each send ":GR#:GD#" four times a second for 10 s to
// the whole program, whose scope is the fake LX200 pacing its bytes at
// 9600 baud. For each: serial commands per second, as a ratio to one
// client's in the same run, and each client's p50 and p99 answer time.
// Targets: at 8 clients the serial load within 1.2x of one client's, and
// every p99 under 150 ms.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "shell/program.h"
#include "tests/fixtures/fake_lx200.h"
#include "tests/fixtures/tcp_test_client.h"

#include <stdlib.h>

namespace {

using namespace std::chrono;

constexpr int seconds_per_run = 10;
constexpr auto poll_every = milliseconds(250);

struct client_figures {
    double p50_ms = 0;
    double p99_ms = 0;
    int polls = 0;
    int wrong = 0;
};

double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

client_figures poll(int port, steady_clock::time_point until) {
    tcp_test_client client(port);
    std::vector<double> times;
    client_figures figures;
    auto next = steady_clock::now();
    while (next < until) {
        std::this_thread::sleep_until(next);
        next += poll_every;
        const auto sent = steady_clock::now();
        client.send(":GR#:GD#");
        const std::optional<std::string> answer = client.bytes(19, milliseconds(2000));
        times.push_back(duration<double, std::milli>(steady_clock::now() - sent).count());
        if (!answer || answer->back() != '#') ++figures.wrong;
    }
    figures.polls = int(times.size());
    figures.p50_ms = percentile(times, 0.5);
    figures.p99_ms = percentile(times, 0.99);
    return figures;
}

} // namespace

int main() {
    char dir_template[] = "/tmp/orb-lx200-bench-XXXXXX";
    const char* made = ::mkdtemp(dir_template);
    if (!made) return 1;
    const std::string dir = std::string(made) + "/";

    fake_lx200 scope(lx200_model::lx200);
    scope.set_baud(9600);
    scope.set_position({12.1483333333, 42.1497222222, 15.77, 329.4575});
    std::ofstream(dir + "server.ini") << "[config]\nscope_enabled=1\nscope_type=1\n"
                                      << "[comms]\ntimeout=1000\ninterval=10\n"
                                      << "[lx200]\nenabled=1\naddress=127.0.0.1\nport=0\n"
                                      << "[serial_devices]\nCOM1=" << scope.device_path() << "\n";
    steady_clock_source clock;
    auto program = std::make_unique<orb_program>(clock, dir);
    forms::toolkit& kit = program->kit();
    program->network->host_addresses = [] { return std::vector<std::string>{}; };
    program->network->refresh_ip_list();
    program->network->listen_on("127.0.0.1", "0");
    const std::optional<int> port = program->network->lx200_port();
    if (!port) {
        std::fprintf(stderr, "lx200_bench: the endpoint did not start\n");
        return 1;
    }
    std::thread model([&] { kit.loop().run(); });

    std::printf("%-8s %14s %10s %10s %10s %8s\n", "clients", "serial cmd/s", "ratio", "worst p50", "worst p99",
                "wrong");
    double one_client_rate = 0;
    bool within = true;
    for (const int clients : {1, 3, 8}) {
        const std::size_t before = scope.commands().size();
        const auto until = steady_clock::now() + seconds(seconds_per_run);
        std::vector<client_figures> figures(static_cast<std::size_t>(clients));
        std::vector<std::thread> threads;
        for (int i = 0; i < clients; ++i)
            threads.emplace_back([&, i] { figures[std::size_t(i)] = poll(*port, until); });
        for (std::thread& t : threads) t.join();
        const double rate = double(scope.commands().size() - before) / seconds_per_run;
        if (clients == 1) one_client_rate = rate;
        double p50 = 0, p99 = 0;
        int wrong = 0;
        for (const client_figures& f : figures) {
            p50 = std::max(p50, f.p50_ms);
            p99 = std::max(p99, f.p99_ms);
            wrong += f.wrong;
        }
        const double ratio = one_client_rate > 0 ? rate / one_client_rate : 0;
        std::printf("%-8d %14.1f %10.2f %9.1fms %9.1fms %8d\n", clients, rate, ratio, p50, p99, wrong);
        within = within && p99 < 150 && wrong == 0 && (clients != 8 || ratio <= 1.2);
    }

    kit.loop().post([&] { program->network->kill(); });
    kit.loop().run_and_wait([] {});
    kit.loop().quit();
    model.join();
    program.reset();
    std::filesystem::remove_all(made);
    return within ? 0 : 2;
}
