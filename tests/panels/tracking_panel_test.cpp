// The tracking panel on the test scope: the rate it shows as its buttons
// succeed or fail, the edit that cannot be typed into, and the gate.
#include <gtest/gtest.h>

#include <filesystem>

#include "panels/orb_server_tracking.h"
#include "settings/settings_file.h"
#include "tests/panels/single_panel_fixture.h"

namespace {

struct tracking_panel : single_panel_fixture<Tscope_tracking> {
    Tscope_tracking& make_enabled() {
        Tscope_tracking& tracking = make();
        tracking.flip_buttons(true);
        return tracking;
    }
    void click(forms::control& c) { ASSERT_TRUE(forms::user::click(c)) << c.name(); }
    void fail_every_operation() {
        teller.answer = [](std::string_view, tscope_object&) { return std::string("fail"); };
    }
};

TEST_F(tracking_panel, starts_disabled_at_sixty_hertz) {
    Tscope_tracking& tracking = make();
    EXPECT_EQ(tracking.caption(), "ORB Tracking control");
    EXPECT_EQ(tracking.change_tracking_group.caption(), "Chagnge Tracking by 0.1 hertz");
    EXPECT_EQ(tracking.tracking_edit.text(), "60");
    EXPECT_FALSE(tracking.change_tracking_group.enabled());
    EXPECT_FALSE(tracking.preset_defaults_group.enabled());
    EXPECT_FALSE(forms::user::click(tracking.increase_tracking_button));
    EXPECT_TRUE(operations.empty());
}

TEST_F(tracking_panel, ten_decreases_show_59_and_each_step_is_a_tenth) {
    Tscope_tracking& tracking = make_enabled();
    click(tracking.decrease_tracking_button);
    EXPECT_EQ(tracking.tracking_edit.text(), "59.9");
    for (int i = 1; i < 10; ++i) click(tracking.decrease_tracking_button);
    EXPECT_EQ(tracking.tracking_edit.text(), "59");
    click(tracking.increase_tracking_button);
    EXPECT_EQ(tracking.tracking_edit.text(), "59.1");
    EXPECT_EQ(operations.size(), 11u);
    EXPECT_EQ(operations.front(), "decrease_tracking");
    EXPECT_EQ(operations.back(), "increase_tracking");
}

TEST_F(tracking_panel, presets_come_from_the_settings_and_show_even_when_the_command_fails) {
    dir.write("server.ini", "[tracking]\ndefault_tracking_rate=59\ndefault_lunar_tracking_rate=58.5\n");
    Tscope_tracking& tracking = make_enabled();
    EXPECT_EQ(tracking.tracking_edit.text(), "60"); // the stored default does not set the rate
    click(tracking.default_tracking_button);
    EXPECT_EQ(tracking.tracking_edit.text(), "59");
    fail_every_operation();
    click(tracking.lunar_tracking_button);
    EXPECT_EQ(tracking.tracking_edit.text(), "58.5");
    click(tracking.increase_tracking_button); // a failed step changes nothing
    click(tracking.decrease_tracking_button);
    EXPECT_EQ(tracking.tracking_edit.text(), "58.5");
    EXPECT_EQ(operations, (std::vector<std::string>{"default_tracking", "lunar_tracking", "increase_tracking",
                                                    "decrease_tracking"}));
}

TEST_F(tracking_panel, typing_into_the_rate_box_leaves_the_rate) {
    Tscope_tracking& tracking = make_enabled();
    ASSERT_TRUE(forms::user::type_text(tracking.tracking_edit, "75x"));
    EXPECT_EQ(tracking.tracking_edit.text(), "60");
    EXPECT_EQ(tracking.tracking_rate, 60);
}

TEST_F(tracking_panel, with_the_network_on_no_button_sends_anything) {
    Tscope_tracking& tracking = make_enabled();
    processor.local_control = false;
    processor.client_playing = true; // even while a client plays
    for (forms::control* c : std::initializer_list<forms::control*>{
             &tracking.decrease_tracking_button, &tracking.increase_tracking_button,
             &tracking.lunar_tracking_button, &tracking.default_tracking_button})
        click(*c);
    EXPECT_TRUE(operations.empty());
    EXPECT_EQ(tracking.tracking_edit.text(), "60");
}

TEST_F(tracking_panel, saves_its_keys_in_order) {
    dir.write("server.ini", "[tracking]\ntracks_by=0.2\n");
    make();
    std::filesystem::remove(dir.file("server.ini"));
    {
        ini_file file(dir.file("server.ini"));
        panel->save_settings(file);
    }
    EXPECT_TRUE(dir.read("server.ini").starts_with(
        "[tracking]\ndefault_tracking_rate=60\ndefault_lunar_tracking_rate=57.9\ntracks_by=0.2\nanother_monitor="))
        << dir.read("server.ini");
}

} // namespace
