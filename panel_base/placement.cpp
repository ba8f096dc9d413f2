#include "panel_base/placement.h"

#include <algorithm>
#include <cstdint>

#include "settings/settings_file.h"

namespace {

// Positions come from a file users edit by hand, so sums of them are taken in
// 64 bits and brought back into the 32-bit range the record holds.
int clamp_to_int(double value) {
    return int(std::clamp(value, double(INT32_MIN), double(INT32_MAX)));
}

const screen* monitor_at(const std::vector<screen>& screens, int index) {
    return index >= 0 && std::size_t(index) < screens.size() ? &screens[std::size_t(index)] : nullptr;
}

int first_primary(const std::vector<screen>& screens) {
    for (const screen& s : screens)
        if (s.primary) return s.index;
    return 0;
}

bool contains(const screen& s, int left, int top) {
    const std::int64_t x = left, y = top;
    return s.left <= x && x <= std::int64_t(s.left) + s.width && s.top <= y &&
           y <= std::int64_t(s.top) + s.height;
}

// One axis of the rescale: scale the stored offset by the size change, then
// keep the window on the monitor, its near edge first.
int rescale(int position, int previous_size, int size, int origin, int window_extent) {
    // A stored size that is not positive carries no scale (it was absent, or
    // written by hand); such a position is only kept on the monitor.
    double scaled = previous_size > 0 ? double(position) / previous_size * size : position;
    scaled = double(std::int64_t(scaled));
    if (double(origin) + size < scaled + window_extent) scaled = double(origin) + size - window_extent;
    if (scaled < origin) scaled = origin;
    return clamp_to_int(scaled);
}

} // namespace

void rebase_to_monitor(dimensions& record, const std::vector<screen>& screens) {
    const screen* m = monitor_at(screens, record.monitor);
    if (!m) return;
    record.left = clamp_to_int(double(m->left) + (double(record.left) - record.screen_left));
    record.top = clamp_to_int(double(m->top) + (double(record.top) - record.screen_top));
    record.screen_left = m->left;
    record.screen_top = m->top;
}

void find_vdu(window_size window, dimensions& record, const std::vector<screen>& screens) {
    if (screens.empty()) return;
    bool rescale_needed = false;
    if (record.monitor >= 0) {
        if (monitor_at(screens, record.another_monitor)) {
            if (record.another_monitor != record.monitor) {
                record.monitor = record.another_monitor;
                rebase_to_monitor(record, screens);
            }
            record.another_monitor = -1;
        }
        const auto holder = std::find_if(screens.begin(), screens.end(), [&](const screen& s) {
            return contains(s, record.left, record.top);
        });
        if (holder != screens.end()) {
            record.monitor = holder->index;
        } else {
            record.monitor = -1;
            rescale_needed = true;
        }
    }
    if (record.monitor < 0) {
        record.monitor = first_primary(screens);
        rescale_needed = true;
    }
    const screen& m = *monitor_at(screens, record.monitor);
    if (!rescale_needed) {
        record.screen_width = m.width;
        record.screen_height = m.height;
        return;
    }
    const int stored_width = record.screen_width, stored_height = record.screen_height;
    rebase_to_monitor(record, screens);
    if (stored_width == m.width && stored_height == m.height) return;
    record.previous_screen_width = record.screen_width;
    record.previous_screen_height = record.screen_height;
    record.screen_width = m.width;
    record.screen_height = m.height;
    record.left = rescale(record.left, record.previous_screen_width, m.width, m.left, window.width);
    record.top = rescale(record.top, record.previous_screen_height, m.height, m.top, window.height);
}

void get_dimensions(window_size window, dimensions& record, std::string_view section,
                    const ini_file& file, const std::vector<screen>& screens) {
    record.monitor = file.read_integer(section, "monitor", -1);
    record.another_monitor = file.read_integer(section, "another_monitor", -1);
    record.top = file.read_integer(section, "top", record.top);
    record.left = file.read_integer(section, "left", record.left);
    record.screen_left = file.read_integer(section, "screen_left", 0);
    record.screen_top = file.read_integer(section, "screen_top", 0);
    record.screen_width = record.previous_screen_width =
        file.read_integer(section, "screen_width", -1);
    record.screen_height = record.previous_screen_height =
        file.read_integer(section, "screen_height", -1);
    find_vdu(window, record, screens);
}

void write_dimensions(dimensions& record, int left, int top, std::string_view section,
                      ini_file& file, const std::vector<screen>& screens) {
    const bool has_primary =
        std::any_of(screens.begin(), screens.end(), [](const screen& s) { return s.primary; });
    if (has_primary && first_primary(screens) != record.monitor)
        record.another_monitor = record.monitor;
    const screen* m = monitor_at(screens, record.monitor);
    file.write_integer(section, "another_monitor", record.another_monitor);
    file.write_integer(section, "monitor", record.monitor);
    file.write_integer(section, "left", left);
    file.write_integer(section, "top", top);
    file.write_integer(section, "screen_width", record.screen_width);
    file.write_integer(section, "screen_height", record.screen_height);
    file.write_integer(section, "screen_left", m ? m->left : 0);
    file.write_integer(section, "screen_top", m ? m->top : 0);
}
