// The POSIX listener: one listening socket per binding, all watched by one
// poll together with an eventfd that interrupt() signals. The poll has no
// timeout, so a server without clients costs nothing.
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/tcp_listener.h"
#include "platform/tcp_socket_connection.h"

namespace {

class socket_listener final : public tcp_listener {
public:
    socket_listener() : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~socket_listener() override {
        close();
        if (wake_ >= 0) ::close(wake_);
    }

    std::string open(const std::vector<tcp_binding>& bindings) override {
        close();
        if (wake_ < 0) return std::string("Could not create the wake-up event : ") + std::strerror(errno);
        for (const tcp_binding& binding : bindings) {
            std::string error = bind_one(binding);
            if (!error.empty()) {
                close();
                return error;
            }
        }
        return {};
    }

    std::unique_ptr<tcp_connection> accept(std::size_t max_line_length) override {
        std::vector<pollfd> watched;
        watched.push_back({wake_, POLLIN, 0});
        for (int fd : sockets_) watched.push_back({fd, POLLIN, 0});
        for (;;) {
            for (pollfd& p : watched) p.revents = 0;
            if (::poll(watched.data(), watched.size(), -1) < 0) {
                if (errno == EINTR) continue;
                return nullptr;
            }
            if (watched[0].revents != 0) return nullptr; // interrupted; the event stays set
            for (std::size_t i = 1; i < watched.size(); ++i) {
                if (watched[i].revents == 0) continue;
                const int client = ::accept4(watched[i].fd, nullptr, nullptr, SOCK_CLOEXEC);
                if (client < 0) continue; // gone before we took it, or out of descriptors
                // Replies are small and each is awaited: send them at once.
                const int on = 1;
                ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                return std::make_unique<socket_connection>(client, max_line_length);
            }
        }
    }

    void interrupt() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    }

    void close() override {
        for (int fd : sockets_) ::close(fd);
        sockets_.clear();
        ports_.clear();
        // Drain the wake-up so that the next open() starts afresh.
        if (wake_ >= 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t got = ::read(wake_, &count, sizeof count);
        }
    }

    std::vector<int> ports() const override { return ports_; }

private:
    std::string bind_one(const tcp_binding& binding) {
        const std::string where = binding.address + " on port " + std::to_string(binding.port);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        if (binding.port < 0 || binding.port > 65535) return "Invalid port " + std::to_string(binding.port);
        address.sin_port = htons(std::uint16_t(binding.port));
        if (::inet_pton(AF_INET, binding.address.c_str(), &address.sin_addr) != 1)
            return "Invalid IP address " + binding.address;
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return "Could not create socket : " + std::string(std::strerror(errno));
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(fd, 64) != 0) {
            const int error = errno;
            ::close(fd);
            return "Could not bind socket to " + where + " : " + std::strerror(error);
        }
        sockaddr_in bound{};
        socklen_t length = sizeof bound;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
        sockets_.push_back(fd);
        ports_.push_back(ntohs(bound.sin_port));
        return {};
    }

    int wake_;
    std::vector<int> sockets_;
    std::vector<int> ports_;
};

} // namespace

std::unique_ptr<tcp_listener> make_tcp_listener() { return std::make_unique<socket_listener>(); }
