// The poller over epoll. Level-triggered: a descriptor with data left unread
// is reported again at the next wait, so a reader may stop part way.
#include <algorithm>
#include <cerrno>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <unordered_set>

#include "platform/poller.h"

namespace {

// The eventfd's tag; watched descriptors are given tags by their owner,
// which never uses this one.
constexpr std::uint64_t wake_tag = ~std::uint64_t(0);

class epoll_poller final : public poller {
public:
    epoll_poller(int epoll, int wake) : epoll_(epoll), wake_(wake) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = wake_tag;
        ::epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &event);
    }
    ~epoll_poller() override {
        ::close(wake_);
        ::close(epoll_);
    }
    epoll_poller(const epoll_poller&) = delete;
    epoll_poller& operator=(const epoll_poller&) = delete;

    bool watch(int fd, std::uint64_t tag, bool read, bool write) override {
        epoll_event event{};
        event.events = (read ? EPOLLIN : 0u) | (write ? EPOLLOUT : 0u);
        event.data.u64 = tag;
        const bool known = watched_.contains(fd);
        if (::epoll_ctl(epoll_, known ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &event) != 0) return false;
        watched_.insert(fd);
        return true;
    }

    void forget(int fd) override {
        if (watched_.erase(fd) == 0) return;
        ::epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr);
    }

    void wait(std::optional<milliseconds> timeout, std::vector<poll_ready>& ready) override {
        ready.clear();
        epoll_event events[64];
        const int limit = timeout ? int(std::max<long long>(timeout->count(), 0)) : -1;
        const int count = ::epoll_wait(epoll_, events, 64, limit);
        for (int i = 0; i < count; ++i) {
            const epoll_event& e = events[i];
            if (e.data.u64 == wake_tag) {
                std::uint64_t drained = 0;
                [[maybe_unused]] const ssize_t got = ::read(wake_, &drained, sizeof drained);
                continue;
            }
            const bool failed = (e.events & (EPOLLERR | EPOLLHUP)) != 0;
            ready.push_back({e.data.u64, failed || (e.events & EPOLLIN) != 0, failed || (e.events & EPOLLOUT) != 0});
        }
        // A signal (count < 0, EINTR) just ends the wait early.
    }

    void wake() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    }

private:
    int epoll_;
    int wake_;
    std::unordered_set<int> watched_; // model thread only, as every call but wake()
};

} // namespace

std::unique_ptr<poller> make_poller() {
    const int epoll = ::epoll_create1(EPOLL_CLOEXEC);
    if (epoll < 0) return nullptr;
    const int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        ::close(epoll);
        return nullptr;
    }
    return std::make_unique<epoll_poller>(epoll, wake);
}
