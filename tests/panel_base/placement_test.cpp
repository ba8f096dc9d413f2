#include "panel_base/placement.h"

#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "tests/fixtures/temp_dir.h"

namespace {

const screen primary_1920{0, 0, 0, 1920, 1080, true};
const screen left_1280{1, -1280, 0, 1280, 1024, false};
constexpr window_size small_window{200, 100};

dimensions stored(int monitor, int another, int left, int top, int screen_left, int screen_width,
                  int screen_height) {
    dimensions d;
    d.monitor = monitor;
    d.another_monitor = another;
    d.left = left;
    d.top = top;
    d.screen_left = screen_left;
    d.screen_width = d.previous_screen_width = screen_width;
    d.screen_height = d.previous_screen_height = screen_height;
    return d;
}

struct placement_case {
    const char* what;
    dimensions before;
    std::vector<screen> screens;
    window_size window;
    int monitor, another_monitor, left, top, screen_width;
};

TEST(placement, find_vdu_places_stored_positions_on_the_monitors_present) {
    const placement_case cases[] = {
        {"first start: nothing recorded goes to the primary's corner",
         stored(-1, -1, 0, 0, 0, -1, -1), {left_1280, {1, 0, 0, 1920, 1080, true}}, small_window,
         1, -1, 0, 0, 1920},
        {"a corner on the right and bottom edges is on that monitor",
         stored(0, -1, 1920, 1080, 0, 1920, 1080), {primary_1920}, small_window, 0, -1, 1920, 1080,
         1920},
        {"a monitor of another size is kept while the corner lies on it",
         stored(0, -1, 500, 40, 0, 1280, 1024), {primary_1920}, small_window, 0, -1, 500, 40,
         1920},
        {"a position on no monitor, stored for the same size: moved, not rescaled",
         stored(2, -1, 3100, 40, 3000, 1920, 1080), {primary_1920}, small_window, 0, -1, 100, 40,
         1920},
        {"the left monitor is gone: same offset, rescaled, secondary remembered",
         stored(1, 1, -1000, 0, -1280, 1280, 1024), {primary_1920}, small_window, 0, 1, 420, 0,
         1920},
        {"the secondary is back: the window returns to it",
         stored(0, 1, 420, 0, 0, 1920, 1080), {primary_1920, left_1280}, small_window, 1, -1,
         -860, 0, 1280},
        {"a rescaled window is kept on its monitor",
         stored(3, -1, 5000, 0, 3840, 1920, 1080), {{0, 0, 0, 1280, 1024, true}}, {600, 100}, 0,
         -1, 680, 0, 1280},
        {"stored sizes of zero carry no scale",
         stored(3, -1, 5100, 30, 5000, 0, 0), {primary_1920}, small_window, 0, -1, 100, 30, 1920},
        {"absurd numbers stay in range",
         stored(7, 2000000000, 2000000000, -2000000000, -2000000000, 1, 1), {primary_1920},
         small_window, 0, 2000000000, 1720, 0, 1920},
    };
    for (const placement_case& c : cases) {
        SCOPED_TRACE(c.what);
        dimensions d = c.before;
        find_vdu(c.window, d, c.screens);
        EXPECT_EQ(d.monitor, c.monitor);
        EXPECT_EQ(d.another_monitor, c.another_monitor);
        EXPECT_EQ(d.left, c.left);
        EXPECT_EQ(d.top, c.top);
        EXPECT_EQ(d.screen_width, c.screen_width);
    }
}

TEST(placement, a_window_saved_on_a_missing_monitor_goes_back_there_later) {
    temp_dir dir;
    {
        ini_file file(dir.file("server.ini"));
        dimensions d = stored(1, -1, -1000, 10, -1280, 1280, 1024);
        find_vdu(small_window, d, {primary_1920, left_1280});
        write_dimensions(d, d.left, d.top, "info", file, {primary_1920, left_1280});
    }
    EXPECT_EQ(dir.read("server.ini"),
              "[info]\nanother_monitor=1\nmonitor=1\nleft=-1000\ntop=10\nscreen_width=1280\n"
              "screen_height=1024\nscreen_left=-1280\nscreen_top=0\n");

    dimensions d;
    get_dimensions(small_window, d, "info", ini_file(dir.file("server.ini")), {primary_1920});
    EXPECT_EQ(d.monitor, 0);
    EXPECT_EQ(d.left, 420);
    {
        ini_file file(dir.file("server.ini"));
        write_dimensions(d, d.left, d.top, "info", file, {primary_1920});
    }
    EXPECT_EQ(ini_file(dir.file("server.ini")).read_integer("info", "another_monitor", 0), 1);

    get_dimensions(small_window, d, "info", ini_file(dir.file("server.ini")),
                   {primary_1920, left_1280});
    EXPECT_EQ(d.monitor, 1);
    EXPECT_EQ(d.left, -860);
}

} // namespace
