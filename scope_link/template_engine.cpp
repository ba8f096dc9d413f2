// The two template interpreters. A "$" opens a placeholder and the next "$"
// closes it; everything outside placeholders is literal text. Templates come
// from an editable file, so any text must give a result or a failure text.
#include "scope_link/template_engine.h"

#include "scope_link/answer_validity.h"
#include "text/integer_text.h"
#include "scope_link/orb_server_object.h"

#include "settings/configuration_settings.h"
#include "text/number_text.h"

#include <functional>
#include <optional>

namespace {

using failure = std::optional<std::string>;

failure unknown_template(std::string_view name) {
    return "fail : unknown template : " + std::string(name);
}

// Calls literal for each character outside placeholders and placeholder for
// each placeholder name, in template order; stops at the first failure.
failure walk_template(std::string_view pattern, const std::function<void(char)>& literal,
                      const std::function<failure(std::string_view)>& placeholder) {
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != '$') {
            literal(pattern[i]);
            ++i;
            continue;
        }
        const auto close = pattern.find('$', i + 1);
        if (close == std::string_view::npos) return "fail : missing closing $";
        if (failure f = placeholder(pattern.substr(i + 1, close - i - 1))) return f;
        i = close + 1;
    }
    return std::nullopt;
}

bool starts_with(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The quantities the coordinate placeholders carry.
enum class coordinate { ra, dec, alt, az };

struct coordinate_name {
    std::string_view name;
    coordinate quantity;
    bool full;              // full text (else short text)
    std::size_t length;     // characters of that text form
};

constexpr coordinate_name coordinate_names[] = {
    {"hms", coordinate::ra, true, 8},    {"hmt", coordinate::ra, false, 7},
    {"ams", coordinate::alt, true, 9},   {"am", coordinate::alt, false, 6},
    {"dms", coordinate::dec, true, 9},   {"dm", coordinate::dec, false, 6},
    {"ddms", coordinate::az, true, 9},   {"ddmt", coordinate::az, false, 8},
};

const coordinate_name* find_coordinate(std::string_view name) {
    for (const auto& entry : coordinate_names)
        if (entry.name == name) return &entry;
    return nullptr;
}

std::string format_coordinate(const coordinate_name& entry, double value, tscope_object& result,
                              const configuration_settings& settings) {
    const auto text = [&](const angle_record& record) {
        return entry.full ? record.full_text : record.short_text;
    };
    switch (entry.quantity) {
    case coordinate::ra: { hms r; result.format_ra(r, value, settings); return text(r); }
    case coordinate::dec: { dms r; result.format_dec(r, value, settings); return text(r); }
    case coordinate::alt: { ams r; result.format_alt(r, value, settings); return text(r); }
    case coordinate::az: { dms r; result.format_az(r, value, settings); return text(r); }
    }
    return {};
}

// "[a-b]": the value, a whole number, limited to the digits a and b.
failure format_range(std::string_view name, std::string_view value_text, std::string& output) {
    const failure out_of_range = "fail : value out of range";
    std::int32_t value = 0;
    if (!parse_decimal_integer(value_text, value) || value < 0) return out_of_range;
    const auto digit = [&](std::size_t i) -> std::optional<std::int32_t> {
        if (i >= name.size() || name[i] < '0' || name[i] > '9') return std::nullopt;
        return name[i] - '0';
    };
    const auto lower = digit(1);
    const auto upper = digit(3);
    if (!lower || !upper) return out_of_range;
    if (value < *lower)
        output += std::to_string(*lower);
    else if (value > *upper)
        output += std::to_string(*upper);
    else
        output += value_text;
    return std::nullopt;
}

// A fresh record holding the first entry.length characters of the answer.
bool parse_coordinate(const coordinate_name& entry, std::string_view text, tscope_object& result,
                      const configuration_settings& settings) {
    switch (entry.quantity) {
    case coordinate::ra: { hms r; r.full_text = text; return parse_ra(result, r); }
    case coordinate::dec: { dms r; r.full_text = text; return parse_dec(result, r); }
    case coordinate::alt: { ams r; r.full_text = text; return parse_alt(result, r); }
    case coordinate::az: { dms r; r.full_text = text; return parse_az(result, r, settings); }
    }
    return false;
}

std::string parse_failure(coordinate quantity, std::string_view name) {
    const char* what = quantity == coordinate::ra    ? "ra"
                       : quantity == coordinate::dec ? "dec"
                       : quantity == coordinate::alt ? "alt"
                                                     : "az";
    return "fail : incorrect " + std::string(what) + " : " + std::string(name);
}

} // namespace

std::string format_argument(std::string_view pattern, std::string_view value_text,
                            tscope_object& result, const configuration_settings& settings) {
    double value = 0;
    if (!parse_general_number(value_text, value)) value = 0;
    std::string output;
    const failure f = walk_template(
        pattern, [&](char c) { output += c; },
        [&](std::string_view name) -> failure {
            if (const coordinate_name* entry = find_coordinate(name)) {
                output += format_coordinate(*entry, value, result, settings);
                return std::nullopt;
            }
            if (starts_with(name, "[")) return format_range(name, value_text, output);
            return unknown_template(name);
        });
    return f ? *f : output;
}

std::string decode_answer(std::string_view pattern, std::string_view answer,
                          tscope_object& result, const configuration_settings& settings) {
    std::string remaining(answer); // R: what the placeholders have not read yet
    std::string whole;             // W: the whole answer once a coordinate was read
    std::string output;            // O
    const failure f = walk_template(
        pattern, [&](char c) { output += c; },
        [&](std::string_view name) -> failure {
            if (const coordinate_name* entry = find_coordinate(name)) {
                const std::string text = remaining.substr(0, entry->length);
                remaining.erase(0, text.size());
                if (!parse_coordinate(*entry, text, result, settings))
                    return parse_failure(entry->quantity, name);
                whole = answer;
                return std::nullopt;
            }
            if (starts_with(name, "*")) {
                output += remaining;
                remaining.clear();
                return std::nullopt;
            }
            // A bare "valid" names no condition and is rejected.
            if (starts_with(name, "valid") && name.size() > 5) {
                output += answer_is_valid(std::string(name.substr(5)), remaining) ? "true"
                                                                                   : "false";
                return std::nullopt;
            }
            return unknown_template(name);
        });
    return f ? *f : whole + output;
}
