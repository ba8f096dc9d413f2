#include "scope_link/link_numbers.h"

#include "text/integer_text.h"

namespace {

// As the lists' texts are stored in server.ini and typed by the user.
constexpr integer_rules list_number{.blanks_around = true, .hexadecimal = true};

} // namespace

int link_timeout(std::string_view text) {
    const int value = read_integer(text, list_number).value_or(0);
    return value > 0 ? value : 1000;
}

int link_interval(std::string_view text) {
    const int value = read_integer(text, list_number).value_or(-1);
    return value >= 0 ? value : 100;
}
