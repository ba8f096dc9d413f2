// The validity test: when both sides read as numbers they are compared as
// numbers (condition on the left), otherwise the condition's first character
// ("=" or "!") compares the rest of it with the answer's last word as text.
#include "scope_link/answer_validity.h"

#include "text/number_text.h"

namespace {

// The reader of the validity test answers -1 for text that is not a number,
// so -1 itself never counts as a number here.
constexpr double not_a_number = -1;

double read_number(std::string_view text) {
    double value = 0;
    return parse_general_number(text, value) ? value : not_a_number;
}

bool is_number(std::string_view text) { return read_number(text) != not_a_number; }

bool is_non_negative_number(std::string_view text) {
    const double value = read_number(text);
    return value != not_a_number && value >= 0;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool compare_numbers(const std::string& op, double condition, double answer) {
    if (op == "=") return condition == answer;
    if (op == "<>") return condition != answer;
    if (op == ">=") return condition >= answer;
    if (op == "<=") return condition <= answer;
    if (op == ">") return condition > answer;
    if (op == "<") return condition < answer;
    return false;
}

// A run of leading zeros shrinks to one, so that "007" compares as "07" would.
void squeeze_leading_zeros(std::string& text) {
    const auto zeros = text.find_first_not_of('0');
    const std::size_t count = zeros == std::string::npos ? text.size() : zeros;
    if (count >= 2) text.erase(0, count - 1);
}

} // namespace

bool answer_is_valid(std::string condition, std::string& remaining) {
    if (is_non_negative_number(condition)) squeeze_leading_zeros(remaining);
    std::string part = remaining.substr(0, condition.size());

    std::string op;
    if (is_non_negative_number(part)) {
        std::size_t k = 0;
        while (k < condition.size() && !is_digit(condition[k])) ++k;
        op = condition.substr(0, k);
        condition.erase(0, k);
        if (condition.empty()) condition.push_back('0'); // empty: compare with 0
    }

    bool valid = false;
    if (is_number(condition) && is_number(part)) {
        valid = compare_numbers(op, read_number(condition), read_number(part));
    } else {
        // Text answers such as "1Object below horizon#" are judged by their
        // last word only.
        const auto last_space = remaining.rfind(' ');
        if (last_space != std::string::npos) remaining.erase(0, last_space + 1);
        if (!condition.empty()) {
            op += condition.front();
            condition.erase(0, 1);
        }
        part = remaining.substr(0, condition.size());
        valid = (op == "=" && condition == part) || (op == "!" && condition != part);
    }
    remaining.erase(0, part.size());
    return valid;
}
