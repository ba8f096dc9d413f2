// How close get_ra_dec and goto_ra_dec come to the serial line's own limit:
// each is timed against the fake LX200 pacing its bytes at 9600 baud, and
// printed as a ratio to its floor, the wire time of every byte sent and
// received plus one `interval` of quiet that ends each answer's read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/fixtures/folder_host.h"
#include "forms/forms.h"
#include "platform/termios_serial_device.h"
#include "scope_link/orb_server_comms.h"
#include "settings/configuration_settings.h"
#include "tests/fixtures/fake_lx200.h"
#include "tests/scope_link/fake_link_ports.h"

#include <fstream>
#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr int baud = 9600;
constexpr int interval_ms = 10;
constexpr int runs = 40;


struct operation {
    const char* text;
    std::size_t bytes;  // sent and received, on the wire
    int answers;
};

double floor_ms(const operation& op) {
    const double byte_ms = 10.0 * 1000.0 / baud;  // start, 8 data and stop bits
    return static_cast<double>(op.bytes) * byte_ms + op.answers * interval_ms;
}

}  // namespace

int main() {
    char dir_template[] = "/tmp/orb_link_bench_XXXXXX";
    if (!::mkdtemp(dir_template)) return 1;
    const std::string dir = std::string(dir_template) + "/";

    fake_lx200 scope;
    scope.set_baud(baud);
    std::ofstream(dir + "server.ini") << "[comms]\ntimeout=1000\ninterval=" << interval_ms
                                      << "\nbaud=" << baud << "\n[serial_devices]\nCOM1="
                                      << scope.device_path() << "\n";

    steady_clock_source clock;
    forms::toolkit kit(clock);
    folder_host host(dir);
    configuration_settings settings;
    settings.scope_type = configuration_settings::lx200;
    termios_serial_device device;
    tscope_object scope_object;
    auto comms = std::make_unique<Tscope_comms>(kit, host, settings, device, scope_object);
    fake_link_ports above;
    comms->ports.wire(above, above);

    tscope_object result;
    if (comms->operations.tell("connect", result) != "ok") {
        std::fprintf(stderr, "link_bench: the fake scope does not connect\n");
        return 1;
    }

    // "#:GR#" 12:08:54#  "#:GD#" +42\xDF08:59#
    // "#:Sr12:30:00#" 1  "#:Sd+42\xDF06:00#" 1  "#:MS#" 0
    const operation operations[] = {
        {"get_ra_dec", 5 + 9 + 5 + 10, 2},
        {"goto_ra_dec(ra=12.5,dec=42.1)", 13 + 1 + 14 + 1 + 5 + 1, 3},
    };
    std::printf("%-32s %9s %9s %9s %7s\n", "operation", "mean ms", "best ms", "floor ms", "ratio");
    bool within = true;
    for (const operation& op : operations) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const std::string reply = comms->operations.tell(op.text, result);
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            if (reply != "ok") {
                std::fprintf(stderr, "link_bench: %s gave %s\n", op.text, reply.c_str());
                return 1;
            }
            times.push_back(took.count());
        }
        double mean = 0;
        for (double t : times) mean += t;
        mean /= static_cast<double>(times.size());
        const double best = *std::min_element(times.begin(), times.end());
        const double floor = floor_ms(op);
        std::printf("%-32s %9.2f %9.2f %9.2f %7.3f\n", op.text, mean, best, floor, mean / floor);
        within = within && mean / floor <= 1.2;
    }
    comms.reset();
    std::remove((dir + "server.ini").c_str());
    ::rmdir(dir_template);
    return within ? 0 : 2;
}
