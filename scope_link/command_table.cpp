#include "scope_link/command_table.h"

#include <algorithm>

#include "text/same_name.h"

namespace {

std::string cut(std::string text, std::size_t length) {
    if (text.size() > length) text.resize(length);
    return text;
}


} // namespace

void command_table::create_command_record(std::string name, std::string write, bool append,
                                          std::string arg_high, std::string arg_low,
                                          bool returns, std::string reply_high,
                                          std::string reply_low, std::string test_reply) {
    records_.push_back(command_record{
        std::move(name), std::move(write), append, returns,
        cut(std::move(reply_high), command_record::reply_template_length),
        cut(std::move(reply_low), command_record::reply_template_length),
        cut(std::move(arg_high), command_record::arg_template_length),
        cut(std::move(arg_low), command_record::arg_template_length), std::move(test_reply)});
}

std::optional<command_record> command_table::find(std::string_view name) const {
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [&](const command_record& r) { return same_name(r.name, name); });
    if (found == records_.end()) return std::nullopt;
    return *found;
}
