// Reading the values of a reply line: "ok=(" name=value { "," ... } ")".
// Request lines are read with the grammar of text/call_syntax.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The items of a reply that begins "ok=(", in order: each split at its
// first "="; an item without one has an empty name and is all value.
void split_reply_values(std::string_view reply, std::vector<std::string>& names,
                        std::vector<std::string>& values);
