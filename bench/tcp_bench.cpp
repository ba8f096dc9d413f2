// What the command server costs over TCP, side by side with a loopback echo
// written the plain way (blocking sockets, a thread per connection, one write
// per line), in one run on one machine:
// - get_ra_dec on the built-in test scope, one client, one request at a time:
//   median and p99 round trip, and the request's processing with no socket;
// - 8 clients each keeping 100 requests in flight: replies per second;
// - 100 idle clients for 10 s: the CPU the server spends;
// - orb_server itself, headless: time from start to listening, and idle RSS.
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "command_server/orb_server_network.h"
#include "forms/forms.h"
#include "shell/program.h"

namespace {

using steady = std::chrono::steady_clock;

// The end of every reply, the server's and the echo's: its line and the empty one.
const std::string reply_end = "\r\n\r\n";

int connect_to(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

bool send_all(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// A blocking client of CR LF requests whose replies end in an empty line.
class client {
public:
    explicit client(int port) : fd_(connect_to(port)) {
        if (fd_ < 0) {
            std::perror("connect");
            std::exit(1);
        }
    }
    ~client() { ::close(fd_); }
    client(const client&) = delete;
    client& operator=(const client&) = delete;

    void ask(const std::string& request) {
        send_all(fd_, request);
        std::string got;
        char chunk[512];
        while (got.size() < reply_end.size() || got.compare(got.size() - reply_end.size(), reply_end.size(), reply_end) != 0) {
            const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) {
                std::fprintf(stderr, "connection lost\n");
                std::exit(1);
            }
            got.append(chunk, std::size_t(n));
        }
    }

    // Keeps `window` requests outstanding until `total` replies have come.
    void pipeline(const std::string& request, int window, int total) {
        std::string burst;
        for (int i = 0; i < std::min(window, total); ++i) burst += request;
        int sent = std::min(window, total);
        send_all(fd_, burst);
        int replies = 0;
        std::size_t matched = 0; // how much of reply_end the bytes so far end with
        char chunk[16384];
        while (replies < total) {
            const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) {
                std::fprintf(stderr, "connection lost after %d replies\n", replies);
                std::exit(1);
            }
            int ended = 0;
            for (ssize_t i = 0; i < n; ++i) {
                if (chunk[i] == reply_end[matched]) {
                    if (++matched == reply_end.size()) {
                        ++ended;
                        matched = 0;
                    }
                } else {
                    matched = chunk[i] == reply_end[0] ? 1 : 0;
                }
            }
            replies += ended;
            std::string more;
            for (; ended > 0 && sent < total; --ended, ++sent) more += request;
            if (!more.empty()) send_all(fd_, more);
        }
    }

private:
    int fd_;
};

// The baseline: a thread per connection, blocking reads, and for every CR LF
// line read one write of that line followed by an empty line.
class echo_server {
public:
    echo_server() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 128);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        accepting_ = std::thread([this] {
            for (;;) {
                const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
                if (fd < 0) return;
                const int on = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                std::thread([fd] { serve(fd); }).detach();
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
    static void serve(int fd) {
        std::string held;
        char chunk[4096];
        for (ssize_t n; (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;) {
            held.append(chunk, std::size_t(n));
            std::size_t start = 0;
            for (std::size_t end; (end = held.find("\r\n", start)) != std::string::npos; start = end + 2) {
                if (!send_all(fd, held.substr(start, end - start) + reply_end)) break;
            }
            held.erase(0, start);
        }
        ::close(fd);
    }

    int listener_;
    std::thread accepting_;
};

struct percentiles {
    double median_us, p99_us;
};

percentiles round_trips(int port, int count) {
    client c(port);
    for (int i = 0; i < 2000; ++i) c.ask("get_ra_dec\r\n"); // warm up
    std::vector<double> times;
    times.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const auto start = steady::now();
        c.ask("get_ra_dec\r\n");
        times.push_back(std::chrono::duration<double, std::micro>(steady::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 99 / 100]};
}

double pipelined_per_second(int port, int clients, int window, int each) {
    std::vector<std::unique_ptr<client>> connected;
    for (int k = 0; k < clients; ++k) connected.push_back(std::make_unique<client>(port));
    std::vector<std::thread> threads;
    const auto start = steady::now();
    for (auto& c : connected)
        threads.emplace_back([&c, window, each] { c->pipeline("get_ra_dec\r\n", window, each); });
    for (auto& t : threads) t.join();
    const double seconds = std::chrono::duration<double>(steady::now() - start).count();
    return clients * each / seconds;
}

double cpu_ms() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec)) / 1e3;
}

int free_port() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

long rss_kib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Starts orb_server headless with --listen, times it until a client gets in,
// lets it sit idle for a second, reads its RSS, and ends it with SIGTERM.
void measure_process(const std::string& dir) {
    const int port = free_port();
    const std::string listen = "127.0.0.1:" + std::to_string(port);
    const auto start = steady::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execl(ORB_SERVER_PATH, ORB_SERVER_PATH, "--headless", "--dir", dir.c_str(), "--listen", listen.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    double listening_ms = -1;
    for (int i = 0; i < 20000; ++i) {
        const int fd = connect_to(port);
        if (fd >= 0) {
            listening_ms = std::chrono::duration<double, std::milli>(steady::now() - start).count();
            ::close(fd);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long rss = rss_kib(pid);
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::printf("orb_server --headless --listen: start to listening %.1f ms (target <= 50), "
                "idle RSS %.1f MB (target <= 6)\n",
                listening_ms, double(rss) / 1024);
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

    client(port).ask("play\r\n");
    {
        echo_server echo;
        const int count = 20000;
        const percentiles server = round_trips(port, count);
        const percentiles floor = round_trips(echo.port, count);
        std::printf("get_ra_dec, one client, one request at a time, %d requests:\n", count);
        std::printf("  server  median %7.1f us   p99 %7.1f us\n", server.median_us, server.p99_us);
        std::printf("  echo    median %7.1f us   p99 %7.1f us\n", floor.median_us, floor.p99_us);
        std::printf("  ratio   median %7.2f      p99 %7.2f   (targets: <= 1.2, <= 1.5)\n",
                    server.median_us / floor.median_us, server.p99_us / floor.p99_us);
        // What the request itself costs on the model thread with no socket at
        // all: the part of the round trip that no arrangement of I/O removes.
        const auto processing = kit.loop().run_and_wait([&] {
            const auto start = steady::now();
            for (int i = 0; i < count; ++i) network->scope_serverExecute("get_ra_dec");
            return std::chrono::duration<double, std::micro>(steady::now() - start).count() / count;
        });
        std::printf("  processing alone, no socket: %.1f us per request\n", processing.value.value_or(0));

        const int each = 25000;
        const double served = pipelined_per_second(port, 8, 100, each);
        const double echoed = pipelined_per_second(echo.port, 8, 100, each);
        std::printf("8 clients, 100 requests in flight each, %d requests each:\n", each);
        std::printf("  server %9.0f replies/s\n  echo   %9.0f replies/s\n  ratio  %9.2f   (target: >= 0.25)\n",
                    served, echoed, served / echoed);
    }

    {
        // The server takes at most 64 clients; the rest are turned away at once.
        std::vector<std::unique_ptr<client>> idle;
        for (int i = 0; i < 100; ++i) idle.push_back(std::make_unique<client>(port));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const double before = cpu_ms();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        std::printf("100 idle clients for 10 s: %.3f ms of CPU (whole process; target <= 5)\n", cpu_ms() - before);
    }

    kit.loop().post([&] { network->kill(); });
    kit.loop().run_and_wait([] {});
    kit.loop().quit();
    model.join();
    program.reset();

    measure_process(dir);
    std::filesystem::remove_all(made);
    return 0;
}
