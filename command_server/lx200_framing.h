// Cutting an LX200 client's bytes into commands. A command runs from ":" to
// "#" ("#:GR#" from Stellarium has a "#" before it, which is skipped); the
// ACK byte 0x06 stands alone. Several commands may come in one read and one
// command across several: each connection keeps its own framer.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tcp_connection.h"

class lx200_framer {
public:
    // The longest command kept; a longer one without "#" is dropped whole.
    static constexpr std::size_t max_frame = 64;
    static constexpr char ack = '\x06';

    // The commands that the bytes complete, in order: the text between ":"
    // and "#" ("GR", "Sr12:30:00"), or the ACK byte alone.
    std::vector<std::string> feed(std::string_view bytes);

private:
    enum class state { between, in_frame, dropping };
    state state_ = state::between;
    std::string frame_;
};

// The same framing as the TCP server reads a connection: the bytes of each
// read are cut at once, and the commands wait to be handed out.
class lx200_request_framer final : public request_framer {
public:
    std::span<char> space() override { return buffer_; }
    void commit(std::size_t count) override;
    // Never too_long: a frame that is, the framer drops itself.
    read_status next(std::string& command, bool& waiting) override;

private:
    std::array<char, 4096> buffer_{};
    lx200_framer framer_;
    std::deque<std::string> ready_;
};
