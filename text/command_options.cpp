#include "text/command_options.h"

#include <algorithm>

namespace {

bool listed(const std::vector<std::string_view>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

option_words read_options(const std::vector<std::string>& arguments, const std::vector<std::string_view>& flags,
                          const std::vector<std::string_view>& valued) {
    option_words read;
    bool options_ended = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (options_ended || word == "-" || !word.starts_with("-")) {
            read.words.push_back({"", word});
            continue;
        }
        if (word == "--") {
            options_ended = true;
            continue;
        }
        option_word option{word, std::nullopt};
        const std::size_t equals = word.find('=');
        if (word.starts_with("--") && equals != std::string::npos) {
            option.name = word.substr(0, equals);
            option.value = word.substr(equals + 1);
        }
        if (listed(valued, option.name)) {
            if (!option.value) {
                if (i + 1 == arguments.size()) {
                    read.error = option.name + " wants a value";
                    return read;
                }
                option.value = arguments[++i];
            }
        } else if (listed(flags, option.name)) {
            if (option.value) {
                read.error = option.name + " takes no value";
                return read;
            }
        } else {
            read.error = "unknown option " + option.name;
            return read;
        }
        read.words.push_back(std::move(option));
    }
    return read;
}
