// The line framing shared by every connection.
#include "platform/tcp_connection.h"

#include <cstring>

line_framer::line_framer(std::size_t max_length)
    : buffer_(max_length + 2, '\0'), max_length_(max_length) {}

std::span<char> line_framer::space() {
    return {buffer_.data() + used_, buffer_.size() - used_};
}

void line_framer::commit(std::size_t count) { used_ += count; }

read_status line_framer::next(std::string& line, bool& waiting) {
    waiting = false;
    const std::string_view held(buffer_.data(), used_);
    const std::size_t end = held.find("\r\n");
    if (end == std::string_view::npos) {
        // More than max_length characters without CR LF, unless the last
        // of them is the CR of a terminator still on its way.
        const bool over = used_ > max_length_ + 1 || (used_ == max_length_ + 1 && held.back() != '\r');
        if (over) return read_status::too_long;
        waiting = true;
        return read_status::line;
    }
    if (end > max_length_) return read_status::too_long;
    line.assign(held.substr(0, end));
    const std::size_t rest = used_ - (end + 2);
    std::memmove(buffer_.data(), buffer_.data() + end + 2, rest);
    used_ = rest;
    return read_status::line;
}

bool tcp_connection::write_line(std::string_view text) {
    std::string bytes(text);
    bytes += "\r\n";
    return write(bytes);
}
