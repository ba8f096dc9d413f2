// One TCP client as the command server sees it: a reader of CR LF lines with
// a length limit, a writer of whole replies, and a way for another thread to
// end it while a read or write is blocked.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

enum class read_status {
    line,     // a complete line, terminator removed
    closed,   // the peer closed, an error, or shut_down()
    too_long, // more characters than the limit before the terminator
};

// Splits a byte stream into lines ended by CR LF exactly. An LF alone is an
// ordinary character of the line. It holds at most max_length + 2 bytes, and
// gives up on a line as soon as it has more than max_length characters, so a
// client that never ends its line cannot make it grow.
class line_framer {
public:
    explicit line_framer(std::size_t max_length);

    // Where the next read may put its bytes; empty when the buffer is full.
    std::span<char> space();
    void commit(std::size_t count);
    // The next complete line, if one is buffered. When none is yet,
    // `waiting` is set; too_long as soon as the line cannot end in time.
    read_status next(std::string& line, bool& waiting);

private:
    std::string buffer_;
    std::size_t used_ = 0;
    std::size_t max_length_;
};

class tcp_connection {
public:
    virtual ~tcp_connection() = default;

    // Blocks until a complete line, the end of the connection, or shut_down().
    virtual read_status read_line(std::string& line) = 0;
    // Writes all the bytes; false when the connection is gone.
    virtual bool write(std::string_view bytes) = 0;
    // The line writer: text followed by CR LF.
    bool write_line(std::string_view text);
    // Any thread: ends the connection; a blocked read or write returns.
    virtual void shut_down() = 0;
};
