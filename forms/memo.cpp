#include "forms/memo.h"

namespace forms {

void memo::add_line(std::string line) {
    lines_.push_back(std::move(line));
    // Dropping lines at the front is a replacement for the view; a plain
    // append is cheaper to show.
    changed(trim() ? change::lines : change::line_added);
}

void memo::set_lines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    trim();
    changed(change::lines);
}

void memo::set_max_lines(std::size_t max_lines) {
    max_lines_ = max_lines;
    if (trim()) changed(change::lines);
}

bool memo::trim() {
    if (max_lines_ == 0 || lines_.size() <= max_lines_) return false;
    // A quarter at a time, so that a full log does not turn every append
    // into a replacement of the whole text for the view.
    const std::size_t keep = max_lines_ - max_lines_ / 4;
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(lines_.size() - keep));
    return true;
}

void memo::set_read_only(bool read_only) {
    if (read_only == read_only_) return;
    read_only_ = read_only;
    changed(change::value);
}

void memo::set_vertical_scroll_bar(bool on) {
    if (on == vertical_scroll_bar_) return;
    vertical_scroll_bar_ = on;
    changed(change::value);
}

} // namespace forms
