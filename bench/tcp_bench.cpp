// How much the command server adds to a request over TCP: the round trip of
// get_ra_dec against the built-in test scope, next to a minimal loopback echo
// of the same bytes; requests per second with 1 and 8 clients; and the CPU
// the server spends while 100 clients sit idle.
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "command_server/orb_server_network.h"
#include "forms/forms.h"
#include "shell/program.h"

namespace {

using steady = std::chrono::steady_clock;


// A blocking client that sends a request and reads until `end` has come.
class client {
public:
    explicit client(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(std::uint16_t(port));
        ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            std::perror("connect");
            std::exit(1);
        }
        const int on = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    ~client() { ::close(fd_); }

    std::string ask(const std::string& request, const std::string& end) {
        ::send(fd_, request.data(), request.size(), MSG_NOSIGNAL);
        std::string got;
        char chunk[512];
        while (got.size() < end.size() || got.compare(got.size() - end.size(), end.size(), end) != 0) {
            const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) break;
            got.append(chunk, std::size_t(n));
        }
        return got;
    }

private:
    int fd_ = -1;
};

// The floor: a thread per client that sends back every byte it reads.
class echo_server {
public:
    echo_server() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        accepting_ = std::thread([this] {
            for (;;) {
                const int fd = ::accept(listener_, nullptr, nullptr);
                if (fd < 0) return;
                const int on = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                std::thread([fd] {
                    char chunk[512];
                    for (ssize_t n; (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;)
                        ::send(fd, chunk, std::size_t(n), MSG_NOSIGNAL);
                    ::close(fd);
                }).detach();
            }
        });
    }
    ~echo_server() {
        ::shutdown(listener_, SHUT_RDWR);
        accepting_.join();
        ::close(listener_);
    }
    int port = 0;

private:
    int listener_;
    std::thread accepting_;
};

struct percentiles {
    double median_us, p99_us;
};

percentiles round_trips(int port, const std::string& request, const std::string& end, int count) {
    client c(port);
    for (int i = 0; i < 1000; ++i) c.ask(request, end); // warm up
    std::vector<double> times;
    times.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const auto start = steady::now();
        c.ask(request, end);
        times.push_back(std::chrono::duration<double, std::micro>(steady::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 99 / 100]};
}

double requests_per_second(int port, int clients, int each) {
    std::vector<std::thread> threads;
    const auto start = steady::now();
    for (int k = 0; k < clients; ++k)
        threads.emplace_back([port, each] {
            client c(port);
            for (int i = 0; i < each; ++i) c.ask("get_ra_dec\r\n", "\r\n\r\n");
        });
    for (auto& t : threads) t.join();
    const double seconds = std::chrono::duration<double>(steady::now() - start).count();
    return clients * each / seconds;
}

double cpu_seconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main() {
    char dir_template[] = "/tmp/orb-tcp-bench-XXXXXX";
    const char* made = ::mkdtemp(dir_template);
    if (!made) return 1;
    const std::string dir = std::string(made) + "/";

    steady_clock_source clock;
    // The whole program as start-up wires it, on the built-in test scope.
    std::ofstream(dir + "server.ini") << "[config]\nscope_enabled=0\n";
    auto program = std::make_unique<orb_program>(clock, dir);
    forms::toolkit& kit = program->kit();
    Tscope_network* network = program->network.get();
    network->host_addresses = [] { return std::vector<std::string>{}; };
    network->refresh_ip_list();
    network->listen_on("127.0.0.1", "0");
    const int port = network->server_ports().at(0);
    std::thread model([&] { kit.loop().run(); });

    client(port).ask("play\r\n", "\r\n\r\n");
    echo_server echo;
    const int count = 20000;
    const percentiles server = round_trips(port, "get_ra_dec\r\n", "\r\n\r\n", count);
    const percentiles floor = round_trips(echo.port, "get_ra_dec\r\n", "get_ra_dec\r\n", count);
    std::printf("round trip of get_ra_dec, %d requests:\n", count);
    std::printf("  server  median %7.1f us   p99 %7.1f us\n", server.median_us, server.p99_us);
    std::printf("  echo    median %7.1f us   p99 %7.1f us\n", floor.median_us, floor.p99_us);
    std::printf("  ratio   median %7.2f      p99 %7.2f   (target: within 3)\n",
                server.median_us / floor.median_us, server.p99_us / floor.p99_us);

    std::printf("requests per second: 1 client %.0f, 8 clients %.0f\n", requests_per_second(port, 1, 20000),
                requests_per_second(port, 8, 10000));

    {
        // The server takes at most 64 clients; the rest are turned away at once.
        std::vector<std::unique_ptr<client>> idle;
        for (int i = 0; i < 100; ++i) idle.push_back(std::make_unique<client>(port));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const double before = cpu_seconds();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        const double used = cpu_seconds() - before;
        std::printf("CPU while 100 clients sit idle for 10 s: %.3f ms (process total)\n", used * 1000);
    }

    kit.loop().post([&] { network->kill(); });
    kit.loop().run_and_wait([] {});
    kit.loop().quit();
    model.join();
    program.reset();
    std::remove((dir + "server.ini").c_str());
    ::rmdir(made);
    return 0;
}
