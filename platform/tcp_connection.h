// One TCP client as the command server sees it: a non-blocking socket that
// the event loop watches, read and written in whatever pieces the kernel
// takes, and the framer that cuts its bytes into CR LF lines.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

enum class read_status {
    line,     // a complete line, terminator removed
    closed,   // the peer closed, or an error
    too_long, // more characters than the limit before the terminator
};

// Cuts one connection's byte stream into requests: the bytes of each read
// go into space(), commit() says how many came, and next() hands out the
// requests they complete, in order.
class request_framer {
public:
    virtual ~request_framer() = default;
    // Where the next read may put its bytes; empty when the buffer is full.
    virtual std::span<char> space() = 0;
    virtual void commit(std::size_t count) = 0;
    // The next complete request, if one is buffered. When none is yet,
    // `waiting` is set; too_long when the stream can no longer be cut.
    virtual read_status next(std::string& request, bool& waiting) = 0;
};

// Splits a byte stream into lines ended by CR LF exactly. An LF alone is an
// ordinary character of the line. It gives up on a line as soon as it has
// more than max_length characters, so a client that never ends its line
// cannot make it grow. Each read may bring up to read_size bytes: the lines
// they complete are handed out without copying the rest along.
class line_framer final : public request_framer {
public:
    explicit line_framer(std::size_t max_length, std::size_t read_size = 0);

    std::span<char> space() override;
    void commit(std::size_t count) override;
    // too_long as soon as the line cannot end in time.
    read_status next(std::string& line, bool& waiting) override;

private:
    std::string buffer_;
    std::size_t start_ = 0; // the first byte not handed out yet
    std::size_t used_ = 0;  // the end of the bytes read
    std::size_t max_length_;
};

// What a read or write on a non-blocking socket came to.
struct io_result {
    enum class state { done, would_block, closed };
    state status = state::closed;
    std::size_t count = 0; // bytes moved, when done
};

class tcp_connection {
public:
    virtual ~tcp_connection() = default;

    // The descriptor the event loop watches.
    virtual int descriptor() const = 0;
    // Reads what is there, at most into.size() bytes; closed at the end of
    // the stream or on an error.
    virtual io_result read(std::span<char> into) = 0;
    // Writes as many of the bytes as the kernel takes now.
    virtual io_result write(std::string_view bytes) = 0;
};
