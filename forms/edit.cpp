#include "forms/edit.h"

namespace forms {

void edit::set_text(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed(change::text);
    fire(on_change);
}

void edit::set_read_only(bool read_only) {
    if (read_only == read_only_) return;
    read_only_ = read_only;
    changed(change::value);
}

} // namespace forms
