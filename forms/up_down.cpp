#include "forms/up_down.h"

#include <algorithm>
#include <utility>
#include <string_view>

#include "forms/edit.h"
#include "text/integer_text.h"

namespace forms {

namespace {

// The edit's text as a whole number: optional blanks, an optional sign and
// digits, nothing else.
bool read_whole_number(std::string_view text, int& value) {
    const std::optional<std::int32_t> read = read_integer(text, {.blanks_around = true});
    if (read) value = *read;
    return read.has_value();
}

} // namespace

void up_down::set_range(int min, int max) {
    if (min > max) std::swap(min, max);
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, max_);
    changed(change::value);
}

void up_down::set_position(int position) {
    fire(on_changing);
    write_position(std::clamp(position, min_, max_));
}

void up_down::set_wraps(bool wraps) {
    if (wraps == wraps_) return;
    wraps_ = wraps;
    changed(change::value);
}

edit* up_down::associate() const {
    control* buddy = associate_.get();
    return buddy && buddy->kind() == control_kind::edit ? static_cast<edit*>(buddy) : nullptr;
}

void up_down::set_associate(edit* buddy) {
    associate_ = buddy ? buddy->handle() : control_handle();
    changed(change::value);
}

void up_down::press(arrow which) {
    fire(on_changing);
    int current = position_;
    if (const edit* buddy = associate()) read_whole_number(buddy->text(), current);
    current = std::clamp(current, min_, max_);
    long long next = which == arrow::up ? current + 1LL : current - 1LL;
    if (next > max_) next = wraps_ ? min_ : max_;
    if (next < min_) next = wraps_ ? max_ : min_;
    write_position(static_cast<int>(next));
    fire(on_click);
}

void up_down::write_position(int position) {
    if (position != position_) {
        position_ = position;
        changed(change::value);
    }
    if (edit* buddy = associate()) buddy->set_text(std::to_string(position_));
}

} // namespace forms
