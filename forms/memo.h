// A multi-line text box (the status log): lines appended at the end, the
// oldest dropped beyond an optional limit so a long run cannot grow it without end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

class memo : public control {
public:
    explicit memo(std::string name = {}, control* parent = nullptr)
        : control(control_kind::memo, std::move(name), parent) {}
    bool takes_focus() const override { return true; }

    const std::vector<std::string>& lines() const { return lines_; }
    void add_line(std::string line);
    void set_lines(std::vector<std::string> lines);
    void clear() { set_lines({}); }
    // At most this many lines (0: no limit); on overflow the oldest quarter goes.
    std::size_t max_lines() const { return max_lines_; }
    void set_max_lines(std::size_t max_lines);
    bool read_only() const { return read_only_; }
    void set_read_only(bool read_only);
    bool vertical_scroll_bar() const { return vertical_scroll_bar_; }
    void set_vertical_scroll_bar(bool on);

private:
    bool trim();

    std::vector<std::string> lines_;
    std::size_t max_lines_ = 0;
    bool read_only_ = false;
    bool vertical_scroll_bar_ = false;
};

} // namespace forms
