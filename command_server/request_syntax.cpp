// The request grammar of the command processor.
#include "command_server/request_syntax.h"

#include "shell/same_name.h"

std::string_view trim_request(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return text;
}

parsed_request parse_request(std::string_view text) {
    parsed_request parsed;
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos) {
        parsed.word = text;
        return parsed;
    }
    parsed.word = text.substr(0, open);
    std::string_view rest = text.substr(open + 1);
    if (rest.empty() || rest.back() != ')') {
        parsed.shape = parsed_request::form::no_closing;
        return parsed;
    }
    parsed.shape = parsed_request::form::with_list;
    rest.remove_suffix(1);
    // "()" is one item with an empty name and value.
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const std::size_t equals = item.find('=');
        parsed.names.emplace_back(item.substr(0, equals));
        parsed.values.emplace_back(equals == std::string_view::npos ? std::string_view{}
                                                                    : item.substr(equals + 1));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return parsed;
}

void split_reply_values(std::string_view reply, std::vector<std::string>& names,
                        std::vector<std::string>& values) {
    names.clear();
    values.clear();
    // The closing ")" becomes the "," that ends the last item. A "," or ")"
    // inside a value cannot be told apart: replies have no quoting.
    std::string rest(reply.substr(4));
    if (rest.empty()) return;
    rest.back() = ',';
    std::string_view left = rest;
    for (std::size_t comma; (comma = left.find(',')) != std::string_view::npos;) {
        const std::string_view item = left.substr(0, comma);
        left.remove_prefix(comma + 1);
        const std::size_t equals = item.find('=');
        names.emplace_back(equals == std::string_view::npos ? std::string_view{} : item.substr(0, equals));
        values.emplace_back(equals == std::string_view::npos ? item : item.substr(equals + 1));
    }
}

bool find_option(const std::vector<std::string>& names, const std::vector<std::string>& values,
                 std::string_view name, std::string& value) {
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
        if (same_name(names[i], name)) {
            value = values[i];
            return true;
        }
    }
    return false;
}
