// The focus panel's speed buttons: a chain of toggle buttons laid out as a
// grid in their box, one per focuser speed, and the speed that the pressed
// one stands for. The slew panel's change_panel rebuilds them too.
#pragma once

#include <functional>
#include <vector>

#include "forms/buttons.h"
#include "forms/containers.h"

struct speed_button_size {
    int width = 0;
    int height = 0;
};

// The size of each of count buttons (2 to 9) in a box box_width wide and
// box_height high.
speed_button_size speed_button_size_for(int count, int box_width, int box_height);

// When on: keeps the first count buttons of the chain (chain[0] is the
// box's fixed first button) and destroys the others, or makes new ones in
// the box until there are count; lays them out row by row, captioned from
// first_number up, each an exclusive toggle that runs click; presses the
// first. A count below 2 is taken as 2, above 9 as 9.
void update_speed_group(forms::panel& box, std::vector<forms::glyph_button*>& chain, bool on,
                        const std::function<void()>& click, int count, int first_number);

// The speed of the first pressed button among the box's children: its
// caption as a whole number, or its 1-based place there when the caption is
// not one; 1 when none is pressed.
int set_slew_speed(const forms::control& box);
