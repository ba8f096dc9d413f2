// The one grammar of request lines and operation texts:
//   name [ "(" item { "," item } ")" ]   where item is key [ "=" value ]
// Keys and values stay exactly as written; there is no quoting, so a value
// cannot hold ",". "()" holds one item with an empty key and value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct call_text {
    enum class form {
        plain,      // a name alone
        with_list,  // a name and an argument list
        no_closing, // "(" without ")" as the last character
    };
    form shape = form::plain;
    std::string name;
    std::vector<std::string> keys; // with_list only, in the order written
    std::vector<std::string> values;
};

call_text parse_call(std::string_view text);

// The value of the first key that matches without regard to ASCII case.
std::optional<std::string> find_value(const std::vector<std::string>& keys,
                                      const std::vector<std::string>& values, std::string_view key);
