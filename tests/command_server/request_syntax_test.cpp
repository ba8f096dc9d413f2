// The split of reply values, as the local command path reads them.
#include "command_server/request_syntax.h"

#include <gtest/gtest.h>

namespace {

TEST(request_syntax, reply_values_split_at_the_first_equals_sign) {
    struct row {
        const char* reply;
        std::vector<std::string> names, values;
    };
    const row rows[] = {
        {"ok=(ra=12.5,dec=42.25)", {"ra", "dec"}, {"12.5", "42.25"}},
        {"ok=(a=1=2)", {"a"}, {"1=2"}},
        {"ok=()", {""}, {""}},
        {"ok=(moving=True)", {"moving"}, {"True"}},
        {"ok=(lone)", {""}, {"lone"}},
    };
    for (const row& r : rows) {
        std::vector<std::string> names{"stale"}, values{"stale"};
        split_reply_values(r.reply, names, values);
        EXPECT_EQ(names, r.names) << r.reply;
        EXPECT_EQ(values, r.values) << r.reply;
    }
}

} // namespace
