// Cutting an LX200 client's bytes into commands. A command runs from ":" to
// "#" ("#:GR#" from Stellarium has a "#" before it, which is skipped); the
// ACK byte 0x06 stands alone. Several commands may come in one read and one
// command across several: each connection keeps its own framer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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
