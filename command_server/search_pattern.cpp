#include "command_server/search_pattern.h"

#include <cmath>
#include <limits>

namespace {

bool fits_32_bits(long long value) {
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

// trunc(step) as a box edge grows by it; none when it is beyond 32 bits.
std::optional<long long> edge_growth(double step) {
    const double whole = std::trunc(step);
    if (!(whole >= std::numeric_limits<std::int32_t>::min() && whole <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<long long>(whole);
}

} // namespace

std::string side_name(ring_side side) {
    switch (side) {
    case ring_side::north: return "north";
    case ring_side::south: return "south";
    case ring_side::east: return "east";
    case ring_side::west: return "west";
    case ring_side::none: break;
    }
    return {};
}

void search_pattern::reset(const search_window& window) {
    search_height = window.height;
    search_width = window.width;
    height_factor = (100 - window.height_part) / 100;
    width_factor = (100 - window.width_part) / 100;
    search_box root;
    root.top_edge = -(search_height / 2);
    root.left_edge = -(search_width / 2);
    root.right_edge = -root.left_edge;
    root.bottom_edge = -root.top_edge;
    boxes_.assign(1, root);
    current_ = 0;
    search_x = 0;
    search_y = 0;
}

std::optional<search_move> search_pattern::break_out() {
    if (current_ + 1 == boxes_.size()) {
        const search_box& c = boxes_[current_];
        const std::optional<long long> gx = edge_growth(sx());
        const std::optional<long long> gy = edge_growth(sy());
        if (!gx || !gy || (*gx <= 0 && *gy <= 0) || c.level >= max_rings) return std::nullopt;
        const long long top = c.top_edge - *gy, left = c.left_edge - *gx;
        const long long right = c.right_edge + *gx, bottom = c.bottom_edge + *gy;
        if (!fits_32_bits(top) || !fits_32_bits(left) || !fits_32_bits(right) || !fits_32_bits(bottom))
            return std::nullopt;
        boxes_.push_back({c.level + 1, std::int32_t(top), std::int32_t(left), std::int32_t(right),
                          std::int32_t(bottom)});
    }
    ++current_;
    const search_box& n = boxes_[current_];
    if (search_x < search_y) {
        search_x = n.left_edge + search_width / 2.0;
        return search_move{window_step::left, ring_side::west};
    }
    if (search_x > search_y) {
        search_x = n.right_edge - search_width / 2.0;
        return search_move{window_step::right, ring_side::east};
    }
    search_y = n.bottom_edge - search_height / 2.0;
    return search_move{window_step::down, ring_side::south};
}

std::vector<window_step> search_pattern::fall_in() {
    std::vector<window_step> steps;
    if (current_box().level <= 0) return steps;
    --current_;
    const search_box& n = boxes_[current_];
    if (n.right_edge < search_x) {
        search_x = n.right_edge - search_width / 2.0;
        steps.push_back(window_step::left);
    } else if (n.left_edge > search_x) {
        search_x = n.left_edge + search_width / 2.0;
        steps.push_back(window_step::right);
    }
    if (n.bottom_edge < search_y) {
        search_y = n.bottom_edge - search_height / 2.0;
        steps.push_back(window_step::up);
    } else if (n.top_edge > search_y) {
        search_y = n.top_edge + search_height / 2.0;
        steps.push_back(window_step::down);
    }
    return steps;
}

// Top leg to the right, right leg down, bottom leg to the left, left leg up.
std::optional<search_move> search_pattern::clockwise() {
    if (current_box().level <= 0) return std::nullopt;
    const search_box& n = inner_box();
    double& x = search_x;
    double& y = search_y;
    if (n.bottom_edge < y) {
        if (n.left_edge > x) {
            y -= sy();
            return search_move{window_step::up, ring_side::west};
        }
        const bool corner = n.right_edge < x;
        x -= sx();
        return search_move{window_step::left, corner ? ring_side::south : ring_side::none};
    }
    if (n.top_edge > y) {
        if (n.right_edge < x) {
            y += sy();
            return search_move{window_step::down, ring_side::east};
        }
        const bool corner = n.left_edge > x;
        x += sx();
        return search_move{window_step::right, corner ? ring_side::north : ring_side::none};
    }
    if (n.right_edge < x) {
        y += sy();
        return search_move{window_step::down, ring_side::none};
    }
    y -= sy();
    return search_move{window_step::up, ring_side::none};
}

// Top leg to the left, left leg down, bottom leg to the right, right leg up.
std::optional<search_move> search_pattern::counter() {
    if (current_box().level <= 0) return std::nullopt;
    const search_box& n = inner_box();
    double& x = search_x;
    double& y = search_y;
    if (n.top_edge > y) {
        if (n.left_edge > x) {
            y += sy();
            return search_move{window_step::down, ring_side::west};
        }
        const bool corner = n.right_edge < x;
        x -= sx();
        return search_move{window_step::left, corner ? ring_side::north : ring_side::none};
    }
    if (n.bottom_edge < y) {
        if (n.right_edge < x) {
            y -= sy();
            return search_move{window_step::up, ring_side::east};
        }
        const bool corner = n.left_edge > x;
        x += sx();
        return search_move{window_step::right, corner ? ring_side::south : ring_side::none};
    }
    if (n.left_edge > x) {
        y += sy();
        return search_move{window_step::down, ring_side::none};
    }
    y -= sy();
    return search_move{window_step::up, ring_side::none};
}
