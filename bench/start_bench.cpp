// What a headless orb_server costs before any client comes: the time from
// its start until it accepts a connection on its --listen address, its
// resident memory once idle (VmRSS), and whether it maps any Qt library.
// Beside it, as the floor, this benchmark started again as a bare process
// that only listens, measured the same way.
//   start_bench [ORB_SERVER] [RUNS]
#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tests/fixtures/server_process.h"
#include "tests/fixtures/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using steady = std::chrono::steady_clock;

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    return address;
}

// A port nobody listens on right now.
int free_port() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

bool accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

long rss_kb(pid_t pid) {
    const std::string status = read_file("/proc/" + std::to_string(pid) + "/status");
    const std::size_t at = status.find("VmRSS:");
    return at == std::string::npos ? -1 : std::stol(status.substr(at + 6));
}

struct sample {
    double start_ms = -1;
    long rss_kb = -1;
    bool maps_qt = false;
};

// Starts a program that listens on `port`, times its start until it
// accepts, lets it sit idle for a second, reads its memory, stops it.
sample measure(const std::string& program, std::vector<std::string> arguments) {
    sample s;
    const auto began = steady::now();
    server_process server(program, arguments);
    const int port = std::stoi(arguments.back().substr(arguments.back().rfind(':') + 1));
    while (!accepts(port)) {
        if (steady::now() - began > 10s) return s;
        std::this_thread::sleep_for(100us);
    }
    s.start_ms = std::chrono::duration<double, std::milli>(steady::now() - began).count();
    std::this_thread::sleep_for(1s);
    s.rss_kb = rss_kb(server.pid());
    s.maps_qt = server.memory_map().find("/libQt") != std::string::npos;
    server.signal(SIGTERM);
    server.wait_exit();
    return s;
}

template <class T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The floor: a process that only binds, listens and waits.
int listen_only(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0)
        return 1;
    ::pause();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--listen-only") {
        const std::string where = argv[2];
        return listen_only(std::stoi(where.substr(where.rfind(':') + 1)));
    }
    const std::string server = argc > 1 ? argv[1] : ORB_SERVER_PATH;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    char self[4096] = {};
    if (::readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;

    std::vector<double> starts, floor_starts;
    std::vector<long> rss, floor_rss;
    bool qt = false;
    for (int i = 0; i < runs; ++i) {
        temp_dir dir;
        dir.write("server.ini", "[config]\nscope_enabled=0\n");
        const sample s = measure(server, {"--headless", "--dir", dir.path(), "--listen",
                                          "127.0.0.1:" + std::to_string(free_port())});
        const sample floor = measure(self, {"--listen-only", "127.0.0.1:" + std::to_string(free_port())});
        if (s.start_ms < 0 || floor.start_ms < 0) {
            std::fprintf(stderr, "start_bench: a server never listened\n");
            return 1;
        }
        starts.push_back(s.start_ms);
        rss.push_back(s.rss_kb);
        floor_starts.push_back(floor.start_ms);
        floor_rss.push_back(floor.rss_kb);
        qt = qt || s.maps_qt;
    }
    std::printf("%s, headless, idle, %d runs (medians)\n", server.c_str(), runs);
    std::printf("  start to listening: %7.1f ms   bare listener %5.1f ms   ratio %.1f\n", median(starts),
                median(floor_starts), median(starts) / median(floor_starts));
    std::printf("  idle VmRSS:         %7.1f MB   bare listener %5.1f MB   ratio %.1f\n", median(rss) / 1024.0,
                median(floor_rss) / 1024.0, double(median(rss)) / double(median(floor_rss)));
    std::printf("  Qt libraries mapped: %s\n", qt ? "yes" : "no");
    return 0;
}
