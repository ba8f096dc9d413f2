// Draws the program's bitmaps into a folder (resources/ in the repository):
// the eight direction pictures of the search panel, the glyphs of the
// arrow, stop, focus and step buttons and the about panel's two pictures,
// all black on a green ground, as
// 256-colour BMP files. Run it again after changing a drawing:
//   make_bitmaps resources/
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

enum colour_index : std::uint8_t { black = 0, green = 1 };

struct picture {
    int size;
    std::vector<std::uint8_t> pixels; // row 0 is the top

    explicit picture(int side) : size(side), pixels(std::size_t(side * side), green) {}
    void set(int x, int y) {
        if (x >= 0 && y >= 0 && x < size && y < size) pixels[std::size_t(y * size + x)] = black;
    }
    bool is_black(int x, int y) const { return pixels[std::size_t(y * size + x)] == black; }
    void fill(int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) set(x, y);
    }
    // A filled triangle (corners in pixel centres).
    void triangle(double ax, double ay, double bx, double by, double cx, double cy) {
        const auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
            return (qx - px) * (ry - py) - (qy - py) * (rx - px);
        };
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const double d1 = side(ax, ay, bx, by, x, y);
                const double d2 = side(bx, by, cx, cy, x, y);
                const double d3 = side(cx, cy, ax, ay, x, y);
                const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
                const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
                if (!(negative && positive)) set(x, y);
            }
    }
    // The pixels whose centres lie between two distances of a point.
    void ring(double cx, double cy, double inner, double outer) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (d2 >= inner * inner && d2 <= outer * outer) set(x, y);
            }
    }
    // A quarter turn clockwise.
    picture turned() const {
        picture out(size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                out.pixels[std::size_t(x * size + (size - 1 - y))] = pixels[std::size_t(y * size + x)];
        return out;
    }
};

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// An uncompressed 8-bit BMP with a full 256-entry palette.
bool write_bmp(const std::string& path, const picture& p) {
    const std::uint32_t row = std::uint32_t((p.size + 3) / 4 * 4);
    const std::uint32_t palette = 256 * 4;
    const std::uint32_t offset = 14 + 40 + palette;
    const std::uint32_t image = row * std::uint32_t(p.size);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + image);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, std::uint32_t(p.size));
    put32(out, std::uint32_t(p.size));
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // no compression
    put32(out, image);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        // Blue, green, red, reserved. Entry 1 is the ground's green.
        const std::uint8_t g = i == green ? 128 : 0;
        out.insert(out.end(), {0, g, 0, 0});
    }
    for (int y = p.size - 1; y >= 0; --y) { // bottom row first
        for (int x = 0; x < p.size; ++x) out.push_back(p.pixels[std::size_t(y * p.size + x)]);
        for (std::uint32_t pad = std::uint32_t(p.size); pad < row; ++pad) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

// A square path open at the middle of its top side, walked clockwise or
// anticlockwise, with an arrowhead where the walk ends. The other sides are
// this picture turned.
picture open_towards_north(bool clockwise) {
    picture p(32);
    const int lo = 6, hi = 25, gap_left = 12, gap_right = 19;
    p.fill(lo, lo, gap_left - 1, lo + 1);  // top, left of the gap
    p.fill(gap_right + 1, lo, hi, lo + 1); // top, right of the gap
    p.fill(lo, lo, lo + 1, hi);            // left side
    p.fill(hi - 1, lo, hi, hi);            // right side
    p.fill(lo, hi - 1, hi, hi);            // bottom
    // Clockwise the walk leaves the gap eastwards and comes back from the
    // west: it ends at the gap's left edge heading east. Anticlockwise it
    // ends at the right edge heading west.
    const double y = lo + 0.5;
    if (clockwise) p.triangle(gap_left + 3, y, gap_left - 1, y - 4, gap_left - 1, y + 4);
    else p.triangle(gap_right - 3, y, gap_right + 1, y - 4, gap_right + 1, y + 4);
    return p;
}

picture turned(picture p, int quarters) {
    for (int i = 0; i < quarters; ++i) p = p.turned();
    return p;
}

// A 16-pixel arrowhead pointing up; turned for the other directions.
picture arrow_up() {
    picture p(16);
    p.triangle(7.5, 2, 1.5, 12, 13.5, 12);
    return p;
}

picture stop_glyph() {
    picture p(16);
    p.fill(3, 3, 12, 12);
    return p;
}

picture minus_glyph() {
    picture p(16);
    p.fill(2, 6, 13, 9);
    return p;
}

picture plus_glyph() {
    picture p = minus_glyph();
    p.fill(6, 2, 9, 13);
    return p;
}

// A step: an arrowhead against a bar, pointing left (down) or right (up).
picture step_glyph(bool up) {
    picture p(16);
    if (up) {
        p.triangle(11, 7.5, 3, 1.5, 3, 13.5);
        p.fill(12, 2, 13, 13);
    } else {
        p.triangle(4, 7.5, 12, 1.5, 12, 13.5);
        p.fill(2, 2, 3, 13);
    }
    return p;
}

// The about panel's icon: a planet on its orbit, with a moon on the orbit.
picture orb_icon() {
    picture p(32);
    p.ring(15.5, 15.5, 0, 7);
    p.ring(15.5, 15.5, 12, 13.5);
    p.ring(24.5, 6.5, 0, 3);
    return p;
}

// The about panel's second picture: a shield bearing a telescope on its
// tripod.
picture orb_arms() {
    picture p(32);
    p.fill(4, 2, 27, 3);  // the shield's top
    p.fill(4, 2, 5, 17);  // its sides
    p.fill(26, 2, 27, 17);
    for (int i = 0; i < 11; ++i) { // and the two edges down to its point
        p.fill(4 + i, 17 + i, 5 + i, 18 + i);
        p.fill(26 - i, 17 + i, 27 - i, 18 + i);
    }
    for (int i = 0; i < 10; ++i) p.fill(9 + i, 15 - i, 11 + i, 16 - i); // the tube, pointing up right
    p.fill(14, 13, 15, 19);                                                // the tripod's head and legs
    for (int i = 0; i < 5; ++i) {
        p.set(13 - i, 20 + i);
        p.set(16 + i, 20 + i);
    }
    p.fill(14, 20, 15, 24);
    return p;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bitmaps FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';

    const std::array<const char*, 4> sides = {"NORTH", "EAST", "SOUTH", "WEST"};
    // Arrows are named by where they point on the screen: the slew panel's
    // east button sits left of centre, so its arrow points left.
    const std::array<const char*, 4> pointing = {"UP", "RIGHT", "DOWN", "LEFT"};
    std::vector<std::pair<std::string, picture>> all;
    for (int quarter = 0; quarter < 4; ++quarter) {
        all.emplace_back(std::string(sides[std::size_t(quarter)]) + "_CLOCK", turned(open_towards_north(true), quarter));
        all.emplace_back(std::string(sides[std::size_t(quarter)]) + "_ANTI", turned(open_towards_north(false), quarter));
        all.emplace_back(std::string("ARROW_") + pointing[std::size_t(quarter)], turned(arrow_up(), quarter));
    }
    all.emplace_back("STOP", stop_glyph());
    all.emplace_back("FOCUS_MINUS", minus_glyph());
    all.emplace_back("FOCUS_PLUS", plus_glyph());
    all.emplace_back("STEP_DOWN", step_glyph(false));
    all.emplace_back("STEP_UP", step_glyph(true));
    all.emplace_back("ORB_ICON", orb_icon());
    all.emplace_back("ORB_ARMS", orb_arms());

    for (const auto& [name, p] : all) {
        if (!write_bmp(folder + name + ".bmp", p)) {
            std::fprintf(stderr, "make_bitmaps: cannot write %s%s.bmp\n", folder.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
