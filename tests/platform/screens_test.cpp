// The monitor list: a headless default, and indexes that follow the list.
#include "platform/screens.h"

#include <gtest/gtest.h>

namespace {

TEST(screens, start_as_one_primary_full_hd_monitor_and_an_empty_set_falls_back_to_it) {
    screen_list screens;
    ASSERT_EQ(screens.all().size(), 1u);
    const screen only = screens.all()[0];
    EXPECT_TRUE(only.primary);
    EXPECT_EQ(only.width, 1920);
    EXPECT_EQ(only.height, 1080);

    screens.set({{7, -1280, 0, 1280, 1024, false}, {7, 0, 0, 1920, 1080, true}});
    EXPECT_EQ(screens.all()[0].index, 0);
    EXPECT_EQ(screens.all()[1].index, 1);
    EXPECT_EQ(screens.all()[0].left, -1280);

    screens.set({});
    ASSERT_EQ(screens.all().size(), 1u);
    EXPECT_TRUE(screens.all()[0].primary);
}

} // namespace
