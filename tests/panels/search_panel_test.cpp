// The search panel with the slew panel: connecting, a move polled until the
// scope reports it has stopped, the ring buttons and their count, the
// geometry edits, reset and stop, the pictures, and the settings.
#include "tests/panels/panel_fixture.h"

namespace {

struct search_panel : panel_fixture {
    void SetUp() override { start(); }

    bool slew_controls_enabled() const { return control->north_button.enabled() && control->goto_group.enabled(); }
};

TEST_F(search_panel, connect_turns_the_lamp_green_and_a_move_holds_the_panels_until_stopped) {
    EXPECT_EQ(control->led_display.colour(), forms::colours::red);
    EXPECT_FALSE(slew_controls_enabled());
    EXPECT_FALSE(search->cycler_group.enabled());

    control->connect_to_scope_click();
    EXPECT_EQ(sent(), (std::vector<std::string>{"connect", "get_info"}));
    EXPECT_EQ(control->led_display.colour(), forms::colours::lime);
    EXPECT_TRUE(slew_controls_enabled());
    EXPECT_TRUE(search->out_button.enabled());
    EXPECT_FALSE(control->connect_button.enabled());
    EXPECT_TRUE(control->disconnect_button.enabled());

    forget_sent();
    program->scope_object->alt = 30;
    control->north_button_down();
    EXPECT_EQ(sent(), std::vector<std::string>{"move_screen_up"});
    // Polling: everything off, the lamp red, Connect back.
    EXPECT_TRUE(search->search_timer.enabled());
    EXPECT_FALSE(slew_controls_enabled());
    EXPECT_FALSE(search->dimensions_group.enabled());
    EXPECT_EQ(control->led_display.colour(), forms::colours::red);
    EXPECT_TRUE(control->connect_button.enabled());
    EXPECT_FALSE(control->slew_busy);

    // The first poll comes one poll interval later; the test scope has stopped.
    advance(1999);
    EXPECT_EQ(sent().size(), 1u);
    info->alt_degrees_edit.set_text("");
    advance(1);
    EXPECT_EQ(sent().back(), "stopped");
    EXPECT_FALSE(search->search_timer.enabled());
    EXPECT_TRUE(slew_controls_enabled());
    EXPECT_EQ(control->led_display.colour(), forms::colours::lime);
    EXPECT_EQ(info->alt_degrees_edit.text(), "30"); // the information panel was refreshed

    // Disconnect: red and off again.
    forget_sent();
    control->disconnect_from_scope_click();
    EXPECT_EQ(sent(), std::vector<std::string>{"disconnect"});
    EXPECT_EQ(control->led_display.colour(), forms::colours::red);
    EXPECT_FALSE(slew_controls_enabled());
    EXPECT_TRUE(control->connect_button.enabled());
    EXPECT_FALSE(control->disconnect_button.enabled());
}

TEST_F(search_panel, with_the_network_on_the_panel_neither_connects_nor_moves) {
    program->network->enable_network_check.set_checked(true);
    EXPECT_FALSE(control->connect_group.enabled());
    forget_sent();
    control->connect_to_scope_click();
    EXPECT_TRUE(sent().empty());
    program->network->enable_network_check.set_checked(false);
    EXPECT_TRUE(control->connect_group.enabled());
}

TEST_F(search_panel, in_counts_the_rings_out_and_the_pictures_follow_the_side) {
    connect();
    search->in_buttonClick();
    EXPECT_TRUE(sent().empty());
    for (int i = 0; i < 3; ++i) search->out_buttonClick();
    EXPECT_EQ(processor->ring_count, 3);
    EXPECT_EQ(search->clock_button.glyph(), "WEST_CLOCK");
    EXPECT_EQ(search->counter_button.glyph(), "WEST_ANTI");
    for (int i = 0; i < 4; ++i) search->in_buttonClick();
    int falls = 0;
    for (const std::string& s : sent()) falls += s == "fall_in";
    EXPECT_EQ(falls, 3);
    EXPECT_EQ(processor->ring_count, 0);

    search->out_buttonClick();
    search->timeout_edit.set_text("500");
    EXPECT_EQ(search->timeout_edit.text(), "2000");
    forget_sent();
    search->clock_buttonClick();
    EXPECT_EQ(sent(), std::vector<std::string>{"clockwise"});
    EXPECT_TRUE(search->search_timer.enabled());
    EXPECT_EQ(search->search_timer.interval(), 2000);
    search->clock_buttonClick();
    search->clock_buttonClick();
    EXPECT_EQ(search->clock_button.glyph(), "WEST_CLOCK");
    EXPECT_EQ(search->counter_button.glyph(), "WEST_ANTI");
}

TEST_F(search_panel, the_geometry_edits_reset_the_search_and_fall_back_to_their_substitutes) {
    connect();
    search->width_edit.set_text("abc");
    EXPECT_EQ(search->width_edit.text(), "320");
    EXPECT_EQ(search->window_width, 320);
    EXPECT_EQ(processor->search.root_box().right_edge, 160);
    search->width_edit.set_text("400");
    EXPECT_EQ(processor->search.root_box().right_edge, 200);
    EXPECT_EQ(sent().back(), "reset_search");
    search->seconds_edit.set_text("x");
    EXPECT_DOUBLE_EQ(search->seconds_in_pixel, 30);
    search->seconds_edit.set_text("2.5");
    EXPECT_DOUBLE_EQ(search->seconds_in_pixel, 2.5);
}

TEST_F(search_panel, stop_resets_then_stops) {
    connect();
    search->stop_buttonClick();
    EXPECT_EQ(sent(), (std::vector<std::string>{"reset_search", "stop"}));
}

TEST_F(search_panel, the_settings_come_back_after_a_restart) {
    start("[search]\ntimeout_interval=3000\nwindow_width=640\nwidth_part=50\n");
    EXPECT_EQ(search->timeout_edit.text(), "3000");
    EXPECT_EQ(search->width_edit.text(), "640");
    EXPECT_DOUBLE_EQ(processor->search.sx(), 320);
    restart();
    EXPECT_EQ(search->timeout_interval, 3000);
    EXPECT_EQ(search->window_width, 640);
    EXPECT_DOUBLE_EQ(search->width_part, 50);
}

} // namespace
