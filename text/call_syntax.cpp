#include "text/call_syntax.h"

#include "text/same_name.h"

call_text parse_call(std::string_view text) {
    call_text call;
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos) {
        call.name = text;
        return call;
    }
    call.name = text.substr(0, open);
    std::string_view rest = text.substr(open + 1);
    if (rest.empty() || rest.back() != ')') {
        call.shape = call_text::form::no_closing;
        return call;
    }
    call.shape = call_text::form::with_list;
    rest.remove_suffix(1);
    // The list's own end counts as a "," so that "()" holds one empty item.
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const std::size_t equals = item.find('=');
        call.keys.emplace_back(item.substr(0, equals));
        call.values.emplace_back(equals == std::string_view::npos ? std::string_view{} : item.substr(equals + 1));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return call;
}

std::optional<std::string> find_value(const std::vector<std::string>& keys,
                                      const std::vector<std::string>& values, std::string_view key) {
    for (std::size_t i = 0; i < keys.size() && i < values.size(); ++i)
        if (same_name(keys[i], key)) return values[i];
    return std::nullopt;
}
