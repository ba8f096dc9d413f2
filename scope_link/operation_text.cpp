#include "scope_link/operation_text.h"

#include "shell/same_name.h"

std::optional<operation_text> parse_operation_text(std::string_view text) {
    operation_text operation;
    const auto open = text.find('(');
    if (open == std::string_view::npos) {
        operation.name = text;
        return operation;
    }
    std::string_view rest = text.substr(open + 1);
    if (rest.empty() || rest.back() != ')') return std::nullopt;
    rest.remove_suffix(1);
    operation.name = text.substr(0, open);
    // Every piece up to a "," is one argument; the list's own end counts as
    // a "," so that "()" holds one empty argument. Values cannot hold ",".
    auto& arguments = operation.arguments.emplace();
    for (;;) {
        const auto comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        const auto equals = piece.find('=');
        if (equals == std::string_view::npos)
            arguments.push_back({std::string(piece), {}});
        else
            arguments.push_back({std::string(piece.substr(0, equals)), std::string(piece.substr(equals + 1))});
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return operation;
}

std::optional<std::string> find_argument(const operation_text& operation, std::string_view key) {
    if (!operation.arguments) return std::nullopt;
    for (const auto& argument : *operation.arguments)
        if (same_name(argument.key, key)) return argument.value;
    return std::nullopt;
}
