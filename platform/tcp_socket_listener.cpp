// The POSIX listener: one non-blocking listening socket per binding; the
// event loop watches them and asks for a client when one is ready.
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/tcp_listener.h"
#include "platform/tcp_socket_connection.h"

namespace {

class socket_listener final : public tcp_listener {
public:
    socket_listener() = default;
    ~socket_listener() override { close(); }
    socket_listener(const socket_listener&) = delete;
    socket_listener& operator=(const socket_listener&) = delete;

    std::string open(const std::vector<tcp_binding>& bindings) override {
        close();
        for (const tcp_binding& binding : bindings) {
            std::string error = bind_one(binding);
            if (!error.empty()) {
                close();
                return error;
            }
        }
        return {};
    }

    std::unique_ptr<tcp_connection> accept(int descriptor) override {
        for (;;) {
            const int client = ::accept4(descriptor, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (client < 0 && errno == EINTR) continue;
            // None waiting, gone before we took it, or out of descriptors.
            if (client < 0) return nullptr;
            // Replies are small and each is awaited: send them at once.
            const int on = 1;
            ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            return std::make_unique<socket_connection>(client);
        }
    }

    void close() override {
        for (int fd : sockets_) ::close(fd);
        sockets_.clear();
        ports_.clear();
    }

    std::vector<int> descriptors() const override { return sockets_; }
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
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
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

    std::vector<int> sockets_;
    std::vector<int> ports_;
};

} // namespace

std::unique_ptr<tcp_listener> make_tcp_listener() { return std::make_unique<socket_listener>(); }
