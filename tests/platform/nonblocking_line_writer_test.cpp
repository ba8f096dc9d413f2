// The console's line writer on real pipes: lines pass while the pipe is read,
// are dropped and counted while it is full, and the first line after tells how
// many were lost; a line the pipe took only part of is finished first.
#include "platform/nonblocking_line_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A blocking pipe of one page, so that a few lines fill it.
class small_pipe {
public:
    small_pipe() {
        if (::pipe(ends_) != 0) throw std::runtime_error("pipe");
        ::fcntl(ends_[1], F_SETPIPE_SZ, 4096);
        ::fcntl(ends_[0], F_SETFL, O_NONBLOCK);  // the test's reads never wait
    }
    ~small_pipe() {
        ::close(ends_[0]);
        ::close(ends_[1]);
    }
    int write_end() const { return ends_[1]; }

    // Everything in the pipe now.
    std::string drain() {
        std::string got;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(ends_[0], buffer, sizeof buffer)) > 0) got.append(buffer, std::size_t(n));
        return got;
    }

private:
    int ends_[2];
};

TEST(nonblocking_line_writer, lines_pass_and_the_given_descriptor_stays_blocking) {
    small_pipe pipe;
    nonblocking_line_writer writer(pipe.write_end());
    EXPECT_TRUE(writer.write_line("Server started"));
    EXPECT_TRUE(writer.write_line(""));
    EXPECT_EQ(pipe.drain(), "Server started\n\n");
    // Whoever else shares it (a shell on the same terminal) sees no change.
    EXPECT_EQ(::fcntl(pipe.write_end(), F_GETFL) & O_NONBLOCK, 0);
}

TEST(nonblocking_line_writer, a_full_pipe_drops_and_counts_lines_and_the_next_line_through_says_so) {
    small_pipe pipe;
    nonblocking_line_writer writer(pipe.write_end());
    const std::string line(99, 'x');  // 100 bytes with its newline
    int written = 0;
    while (writer.write_line(line)) ++written;  // ends: the writer never waits
    ASSERT_GT(written, 0);
    EXPECT_EQ(writer.lines_lost(), 1u);
    EXPECT_FALSE(writer.write_line(line));  // with the notice before it, longer still
    EXPECT_EQ(writer.lines_lost(), 2u);

    // Only whole lines went in: the pipe took each line or nothing of it.
    const std::string shown = pipe.drain();
    EXPECT_EQ(shown.size(), std::size_t(written) * 100);
    EXPECT_EQ(shown.find_first_not_of(line + "\n"), std::string::npos);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), written);
    ASSERT_TRUE(writer.write_line("read again"));
    EXPECT_EQ(writer.lines_lost(), 0u);
    EXPECT_EQ(pipe.drain(), nonblocking_line_writer::lost_notice(2) + "\nread again\n");
    EXPECT_TRUE(writer.write_line("and on"));
    EXPECT_EQ(pipe.drain(), "and on\n");
}

TEST(nonblocking_line_writer, a_line_taken_in_part_is_finished_before_the_next) {
    small_pipe pipe;
    nonblocking_line_writer writer(pipe.write_end());
    const std::string long_line(6000, 'y');  // more than the pipe holds
    ASSERT_TRUE(writer.write_line(long_line));
    EXPECT_FALSE(writer.write_line("behind it"));  // the rest still waits for room
    std::string shown = pipe.drain();
    ASSERT_TRUE(writer.write_line("after"));
    shown += pipe.drain();
    EXPECT_EQ(shown, long_line + "\n" + nonblocking_line_writer::lost_notice(1) + "\nafter\n");
}

TEST(nonblocking_line_writer, lost_notice_counts_in_words) {
    EXPECT_EQ(nonblocking_line_writer::lost_notice(1), "[1 line lost: the output could not take them]");
    EXPECT_EQ(nonblocking_line_writer::lost_notice(250), "[250 lines lost: the output could not take them]");
}

} // namespace
