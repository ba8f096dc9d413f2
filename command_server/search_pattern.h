// The model of the ring search, in pixels of the camera window relative to
// where the search was last reset (x to the right, y downwards): the chain
// of boxes, one per ring, and the position of the window's centre. Each
// command changes the model and says which window step the telescope makes
// and which side of the ring it now walks; the processor makes the steps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command_server/server_panels.h"

// One ring's outer rectangle; level 0 is the first field of view.
struct search_box {
    std::int32_t level = 0;
    std::int32_t top_edge = 0;
    std::int32_t left_edge = 0;
    std::int32_t right_edge = 0;
    std::int32_t bottom_edge = 0;
};

// Left is a step that increases right ascension, up one that increases
// declination.
enum class window_step { left, right, up, down };
enum class ring_side { none, north, south, east, west };

// "north", "south", "east", "west"; empty for none.
std::string side_name(ring_side side);

struct search_move {
    window_step step = window_step::left;
    ring_side side = ring_side::none;
};

class search_pattern {
public:
    search_pattern() { reset({}); }

    // Starts afresh here: only the first field of view, at level 0.
    void reset(const search_window& window);
    // Out to the next ring; none when its edges would not fit 32 bits, when
    // it would be no larger than this one, or past max_rings.
    std::optional<search_move> break_out();

    // No search goes near this many rings, and each ring is kept: a client
    // that asks for more must not make the chain grow without a bound.
    static constexpr std::int32_t max_rings = 10000;
    // Back to the ring inside: the steps that bring the window onto it, at
    // most one across and one up or down; none at level 0.
    std::vector<window_step> fall_in();
    // One step along the ring walked; none at level 0.
    std::optional<search_move> clockwise();
    std::optional<search_move> counter();

    const search_box& current_box() const { return boxes_[current_]; }
    const search_box& root_box() const { return boxes_.front(); }
    std::size_t box_count() const { return boxes_.size(); }

    std::int32_t search_width = 320;
    std::int32_t search_height = 240;
    double width_factor = 0.8;
    double height_factor = 0.8;
    double search_x = 0;
    double search_y = 0;

    // The step sizes in pixels.
    double sx() const { return search_width * width_factor; }
    double sy() const { return search_height * height_factor; }

private:
    // The ring walked: the box inside the current one.
    const search_box& inner_box() const { return boxes_[current_ - 1]; }

    // boxes_[n] is the box of level n; each is the outer box of the one before.
    std::vector<search_box> boxes_;
    std::size_t current_ = 0;
};
