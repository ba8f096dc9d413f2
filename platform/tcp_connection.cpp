// The line framing shared by every connection.
#include "platform/tcp_connection.h"

#include <algorithm>
#include <cstring>

line_framer::line_framer(std::size_t max_length, std::size_t read_size)
    : buffer_(std::max(read_size, max_length + 2), '\0'), max_length_(max_length) {}

std::span<char> line_framer::space() {
    // Only the start of a line is ever held back when a read is due, so
    // moving it to the front is cheap.
    if (start_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + start_, used_ - start_);
        used_ -= start_;
        start_ = 0;
    }
    return {buffer_.data() + used_, buffer_.size() - used_};
}

void line_framer::commit(std::size_t count) { used_ += count; }

read_status line_framer::next(std::string& line, bool& waiting) {
    waiting = false;
    const std::string_view held(buffer_.data() + start_, used_ - start_);
    const std::size_t end = held.find("\r\n");
    if (end == std::string_view::npos) {
        // More than max_length characters without CR LF, unless the last
        // of them is the CR of a terminator still on its way.
        const std::size_t size = held.size();
        const bool over = size > max_length_ + 1 || (size == max_length_ + 1 && held.back() != '\r');
        if (over) return read_status::too_long;
        waiting = true;
        return read_status::line;
    }
    if (end > max_length_) return read_status::too_long;
    line.assign(held.substr(0, end));
    start_ += end + 2;
    if (start_ == used_) start_ = used_ = 0;
    return read_status::line;
}
