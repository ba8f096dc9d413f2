#include "command_server/lx200_framing.h"

std::vector<std::string> lx200_framer::feed(std::string_view bytes) {
    std::vector<std::string> commands;
    for (const char c : bytes) {
        switch (state_) {
        case state::between:
            // Between commands only ":" and ACK mean anything; a stray "#",
            // a line end or junk is passed over.
            if (c == ':') {
                frame_.clear();
                state_ = state::in_frame;
            } else if (c == ack) {
                commands.emplace_back(1, ack);
            }
            break;
        case state::in_frame:
            if (c == '#') {
                commands.push_back(std::move(frame_));
                frame_.clear();
                state_ = state::between;
            } else if (frame_.size() == max_frame) {
                // Too long to be a command: everything up to its "#" goes.
                frame_.clear();
                state_ = state::dropping;
            } else {
                frame_ += c;
            }
            break;
        case state::dropping:
            if (c == '#') state_ = state::between;
            break;
        }
    }
    return commands;
}

void lx200_request_framer::commit(std::size_t count) {
    for (std::string& command : framer_.feed(std::string_view(buffer_.data(), count)))
        ready_.push_back(std::move(command));
}

read_status lx200_request_framer::next(std::string& command, bool& waiting) {
    waiting = ready_.empty();
    if (waiting) return read_status::line;
    command = std::move(ready_.front());
    ready_.pop_front();
    return read_status::line;
}
