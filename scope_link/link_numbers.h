// The link's timeout and interval as read from the comms panel's lists.
#pragma once

#include <string_view>

// Milliseconds; a text that is not a positive whole number gives 1000, since
// a read with no total limit would wait for a silent scope forever.
int link_timeout(std::string_view text);
// Milliseconds between two bytes of one answer; 0 lets a read run its whole
// timeout. A text that is not a whole number, or a negative one, gives 100.
int link_interval(std::string_view text);
