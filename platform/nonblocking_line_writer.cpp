#include "platform/nonblocking_line_writer.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A descriptor of our own for the output fd leads to, that never waits.
// O_NONBLOCK belongs to the open file, which fd shares with whoever else
// holds it (the shell's terminal, say), so pipes and terminals are opened
// anew through /proc. Files never wait for a reader and sockets take a flag
// per call; both keep fd's open file.
int own_descriptor(int fd, bool& socket) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return -1;
    socket = S_ISSOCK(info.st_mode);
    if (socket || S_ISREG(info.st_mode) || S_ISBLK(info.st_mode)) return ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    const int own = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (own >= 0) return own;
    // No /proc, or a pipe whose reader has gone (its lines are lost anyway):
    // the shared open file is made non-blocking.
    const int shared = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (shared >= 0) ::fcntl(shared, F_SETFL, ::fcntl(shared, F_GETFL) | O_NONBLOCK);
    return shared;
}

} // namespace

nonblocking_line_writer::nonblocking_line_writer(int fd) { fd_ = own_descriptor(fd, socket_); }

nonblocking_line_writer::~nonblocking_line_writer() {
    if (fd_ >= 0) ::close(fd_);
}

std::string nonblocking_line_writer::lost_notice(std::uint64_t count) {
    return "[" + std::to_string(count) + (count == 1 ? " line" : " lines") +
           " lost: the output could not take them]";
}

std::size_t nonblocking_line_writer::put(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = socket_ ? ::send(fd_, bytes.data() + done, bytes.size() - done,
                                           MSG_DONTWAIT | MSG_NOSIGNAL)
                                  : ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) done += std::size_t(n);
        else if (n < 0 && errno == EINTR) continue;
        else break;  // full (EAGAIN), or gone (EPIPE, EIO): no waiting either way
    }
    return done;
}

bool nonblocking_line_writer::finish_unfinished() {
    if (unfinished_.empty()) return true;
    unfinished_.erase(0, put(unfinished_));
    return unfinished_.empty();
}

bool nonblocking_line_writer::write_line(std::string_view line) {
    if (fd_ < 0 || !finish_unfinished()) {
        ++lost_;
        return false;
    }
    std::string text;
    if (lost_ > 0) text = lost_notice(lost_) + "\n";
    text.append(line);
    text.push_back('\n');
    const std::size_t written = put(text);
    if (written == 0) {
        ++lost_;
        return false;
    }
    // Part of it went out: the rest must follow, or the output would show a
    // line cut short and run into the next.
    unfinished_ = text.substr(written);
    lost_ = 0;
    return true;
}
