// The reply grammar of the local command path.
#include "command_server/request_syntax.h"

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
