// The general number format of every reply, operation text and settings
// file: "." whatever the locale (replies separate their items with ","), and
// at most 15 significant digits without trailing zeros (printf "%.15g").
#pragma once

#include <string>
#include <string_view>

std::string format_general_number(double value);
// The whole text, blanks around it aside, must be a finite decimal number.
bool parse_general_number(std::string_view text, double& value);
