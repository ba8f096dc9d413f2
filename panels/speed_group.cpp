#include "panels/speed_group.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "text/integer_text.h"

speed_button_size speed_button_size_for(int count, int box_width, int box_height) {
    int s = int(std::trunc(std::sqrt(double(count))));
    int k = 0;
    if (s > 1) {
        const int q = count / (s + 1);
        if (s > q) {
            k = q;
        } else if (count % (s + 1) != 0) {
            k = -1;
            s += 1;
        } else {
            k = q;
        }
    }
    if (s <= 1) return {box_width, box_height / count};
    const bool square = k < 0 || (count % s == 0 && s > k);
    return {box_width / s, square ? box_height / s : box_height / (s + 1)};
}

void update_speed_group(forms::panel& box, std::vector<forms::glyph_button*>& chain, bool on,
                        const std::function<void()>& click, int count, int first_number) {
    if (!on || chain.empty()) return;
    count = std::clamp(count, 2, 9);
    while (int(chain.size()) > count) {
        box.destroy_child(*chain.back());
        chain.pop_back();
    }
    while (int(chain.size()) < count) chain.push_back(&box.make_child<forms::glyph_button>());

    const int box_width = box.width();
    const speed_button_size size = speed_button_size_for(count, box_width, box.height());
    int x = 0, y = 0, n = first_number;
    for (forms::glyph_button* button : chain) {
        button->set_bounds({x, y, size.width, size.height});
        button->set_all_up_allowed(true);
        button->set_down(false);
        button->set_group_index(1);
        button->set_all_up_allowed(false);
        button->set_caption(std::to_string(n));
        button->set_visible(true);
        button->set_enabled(true);
        button->on_click = click;
        ++n;
        x += size.width;
        if (box_width < x + size.width / 2) {
            x = 0;
            y += size.height;
        }
    }
    chain.front()->set_down(true);
}

int set_slew_speed(const forms::control& box) {
    int place = 0;
    for (const forms::control* child : box.children()) {
        ++place;
        if (child->kind() != forms::control_kind::glyph_button) continue;
        if (!static_cast<const forms::glyph_button*>(child)->down()) continue;
        const std::optional<std::int32_t> number = read_integer(child->caption());
        return number ? *number : place;
    }
    return 1;
}
