#include "scope_link/link_numbers.h"

#include "shell/settings_file.h"

int link_timeout(std::string_view text) {
    int value = 0;
    return parse_settings_integer(text, value) && value > 0 ? value : 1000;
}

int link_interval(std::string_view text) {
    int value = 0;
    return parse_settings_integer(text, value) && value >= 0 ? value : 100;
}
