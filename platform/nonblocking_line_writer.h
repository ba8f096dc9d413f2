// Lines to an output that may stop taking them, such as standard output into
// a pipe that nobody reads: a write never waits. A line that finds no room is
// dropped and counted, and the next line that gets through is preceded by one
// that says how many were lost.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class nonblocking_line_writer {
public:
    // Writes to where fd leads through a descriptor of its own, made
    // non-blocking without changing fd, which others (a shell sharing the
    // terminal) may be using; fd itself is left open. SIGPIPE should be
    // ignored: an output whose reader is gone then loses its lines.
    explicit nonblocking_line_writer(int fd);
    ~nonblocking_line_writer();
    nonblocking_line_writer(const nonblocking_line_writer&) = delete;
    nonblocking_line_writer& operator=(const nonblocking_line_writer&) = delete;

    // Hands line and a newline to the output if it has room now; true when
    // they went out. A line the output took only part of is finished before
    // anything else goes out.
    bool write_line(std::string_view line);

    // Lines dropped since the last one that got through.
    std::uint64_t lines_lost() const { return lost_; }

    // The line that tells of lost lines.
    static std::string lost_notice(std::uint64_t count);

private:
    // Writes what it can of bytes without waiting; the count written.
    std::size_t put(std::string_view bytes);
    bool finish_unfinished();

    int fd_ = -1;
    bool socket_ = false;
    std::string unfinished_;  // the rest of a line the output took part of
    std::uint64_t lost_ = 0;
};
