#include "platform/screens.h"

#include <utility>

screen_list::screen_list() : screens_{headless_default()} {}

void screen_list::set(std::vector<screen> screens) {
    if (screens.empty()) screens.push_back(headless_default());
    for (std::size_t i = 0; i < screens.size(); ++i) screens[i].index = static_cast<int>(i);
    screens_ = std::move(screens);
}

screen screen_list::headless_default() {
    return screen{0, 0, 0, 1920, 1080, true};
}
