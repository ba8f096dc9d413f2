// The slew panel: the slew buttons under both methods and swapped labels,
// busy clicks, goto, the edit boxes' normalisation, the window percentage,
// the labels' lock, and the settings that come back after a restart.
#include "tests/panels/panel_fixture.h"

#include "panels/part_normalisation.h"

namespace {

struct slew_panel : panel_fixture {
    void SetUp() override { start(); }
};

TEST_F(slew_panel, each_button_sends_the_move_its_labels_and_method_choose) {
    struct button_case {
        void (*button)(Tscope_control&);
        bool swapped;
        int method;
        const char* command;
    } cases[] = {
        {[](Tscope_control& c) { c.north_button_down(); }, false, 0, "move_screen_up"},
        {[](Tscope_control& c) { c.north_button_down(); }, true, 0, "move_screen_down"},
        {[](Tscope_control& c) { c.south_button_down(); }, false, 0, "move_screen_down"},
        {[](Tscope_control& c) { c.south_button_down(); }, true, 0, "move_screen_up"},
        {[](Tscope_control& c) { c.east_button_down(); }, false, 0, "move_screen_left"},
        {[](Tscope_control& c) { c.east_button_down(); }, true, 0, "move_screen_right"},
        {[](Tscope_control& c) { c.west_button_down(); }, false, 0, "move_screen_right"},
        {[](Tscope_control& c) { c.west_button_down(); }, true, 0, "move_screen_left"},
        // By units the labels play no part: the processor applies them.
        {[](Tscope_control& c) { c.north_button_down(); }, true, 1, "move_up(distance=0.0166666666666667)"},
        {[](Tscope_control& c) { c.south_button_down(); }, false, 1, "move_down(distance=0.0166666666666667)"},
        {[](Tscope_control& c) { c.east_button_down(); }, false, 1, "move_right(distance=0.0166666666666667)"},
        {[](Tscope_control& c) { c.west_button_down(); }, true, 1, "move_left(distance=0.0166666666666667)"},
    };
    control->locked_check.set_checked(false);
    control->move_degrees = 0;
    control->move_minutes = 1;
    control->move_seconds = 0;
    for (const button_case& c : cases) {
        SCOPED_TRACE(c.command);
        if ((control->north_label.caption() == "S") != c.swapped) control->north_labelClick();
        if ((control->east_label.caption() == "W") != c.swapped) control->east_labelClick();
        if (c.method == 0) control->change_window_method(); else control->change_degree_method();
        control->slew_busy = false;
        forget_sent();
        c.button(*control);
        ASSERT_EQ(sent().size(), 1u);
        EXPECT_EQ(sent().front(), c.command);
    }
}

TEST_F(slew_panel, a_zero_distance_sends_nothing_and_a_busy_panel_ignores_clicks) {
    control->change_degree_method();
    control->move_degrees = control->move_minutes = control->move_seconds = 0;
    control->north_button_down();
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(logged("north - begin"));
    EXPECT_TRUE(logged("north - end"));
    EXPECT_FALSE(control->slew_busy);

    control->slew_busy = true;
    forget_sent();
    control->north_button_down();
    control->south_button_down();
    control->east_button_down();
    control->west_button_down();
    control->connect_to_scope_click();
    control->disconnect_from_scope_click();
    EXPECT_TRUE(program->network->status_log.lines().empty());
}

TEST_F(slew_panel, goto_reads_the_six_edits_as_they_stand) {
    struct goto_case {
        const char* parts[6];
        const char* command;
        double ra, dec;
    } cases[] = {
        {{"12", "30", "36", "45", "30", "0"}, "goto(ra=12.51,dec=45.5)", 12.51, 45.5},
        // Typed without Enter: used unnormalised; a non-integer counts as 0.
        {{"1", "0", "36.5", "-30", "0", "0"}, "goto(ra=1,dec=-30)", 1, -30},
        {{"x", "", "0", "10", "-30", "0"}, "goto(ra=0,dec=9.5)", 0, 9.5},
    };
    forms::edit* edits[] = {&control->ra_hours_edit,    &control->ra_minutes_edit,  &control->ra_seconds_edit,
                            &control->dec_degrees_edit, &control->dec_minutes_edit, &control->dec_seconds_edit};
    for (const goto_case& c : cases) {
        SCOPED_TRACE(c.command);
        for (int i = 0; i < 6; ++i) edits[i]->set_text(c.parts[i]);
        forget_sent();
        control->refresh_button.on_click();
        EXPECT_EQ(sent(), std::vector<std::string>{c.command});
        // Kept as the scope's position until the next read.
        EXPECT_DOUBLE_EQ(program->scope_object->ra, c.ra);
        EXPECT_DOUBLE_EQ(program->scope_object->dec, c.dec);
    }
}

TEST_F(slew_panel, enter_in_the_goto_edits_carries_fractions_down_and_keeps_the_limits) {
    control->ra_hours_edit.set_text("12.5");
    control->ra_hours_edit.on_key_enter();
    EXPECT_EQ(control->ra_hours_edit.text(), "12");
    EXPECT_EQ(control->ra_minutes_edit.text(), "30");
    EXPECT_EQ(control->ra_seconds_edit.text(), "0");
    control->ra_hours_edit.set_text("24");
    control->ra_seconds_edit.on_key_enter();
    EXPECT_EQ(control->ra_hours_edit.text(), "23");
    control->dec_degrees_edit.set_text("95");
    control->dec_minutes_edit.set_text("10.25");
    control->dec_minutes_edit.on_key_enter();
    EXPECT_EQ(control->dec_degrees_edit.text(), "89");
    EXPECT_EQ(control->dec_minutes_edit.text(), "10");
    EXPECT_EQ(control->dec_seconds_edit.text(), "15");
}

TEST(part_normalisation, units_are_limited_and_fractions_carried_down) {
    struct normal_case {
        angle_parts in;
        double limit;
        angle_parts out;
    } cases[] = {
        {{12.5, 7, 7}, 24, {12, 30, 0}},
        {{24, 0, 0}, 24, {23, 0, 0}},
        {{-24, 0, 0}, 24, {-23, 0, 0}},
        {{400, 0, 0}, 360, {359, 0, 0}},
        {{-1.5, 0, 0}, 90, {-1, -30, 0}},
        {{10, 1.5, 99}, 90, {10, 1, 30}},
        {{10, 1, 36.5}, 90, {10, 1, 36.5}},
    };
    for (const normal_case& c : cases) {
        const angle_parts p = normalise_parts(c.in, c.limit);
        EXPECT_DOUBLE_EQ(p.units, c.out.units) << c.in.units;
        EXPECT_NEAR(p.minutes, c.out.minutes, 1e-9) << c.in.units;
        EXPECT_NEAR(p.seconds, c.out.seconds, 1e-9) << c.in.units;
    }
}

TEST_F(slew_panel, the_move_angle_follows_its_edits_and_spins) {
    control->change_degree_method();
    control->move_degrees_edit.set_text("400");
    control->move_degrees_edit.on_key_enter();
    EXPECT_DOUBLE_EQ(control->move_degrees, 359);
    EXPECT_EQ(control->move_degrees_edit.text(), "359");
    // Text that does not parse keeps the stored value.
    control->move_minutes_edit.set_text("abc");
    control->move_minutes_edit.on_key_enter();
    EXPECT_EQ(control->move_minutes_edit.text(), "0");
    // After an arrow the stored angle is the one the edits show.
    control->move_seconds_up_down.press(forms::arrow::up);
    EXPECT_EQ(control->move_seconds_edit.text(), "2");
    EXPECT_DOUBLE_EQ(control->move_seconds, 2);
    control->move_degrees_up_down.press(forms::arrow::up);
    EXPECT_EQ(control->move_degrees_edit.text(), "0"); // wraps
    EXPECT_DOUBLE_EQ(control->move_degrees, 0);
}

TEST_F(slew_panel, the_window_percentage_lives_on_the_track) {
    control->degrees_edit.set_text("150");
    control->degrees_editKeyPress();
    EXPECT_DOUBLE_EQ(control->window_percent, 80);
    EXPECT_EQ(control->window_track.position(), 40);
    control->degrees_edit.set_text("33");
    control->degrees_editKeyPress();
    EXPECT_EQ(control->window_track.position(), 16);
    EXPECT_DOUBLE_EQ(control->window_percent, 32);
    EXPECT_EQ(control->degrees_edit.text(), "32");

    start("[control]\nwindow_percent=75\nmove_method=1\nmove_seconds=1.5\n");
    EXPECT_EQ(control->window_track.position(), 37);
    EXPECT_DOUBLE_EQ(control->window_percent, 74);
    EXPECT_EQ(control->degrees_edit.text(), "74");
    EXPECT_TRUE(control->degree_move_button.down());
    EXPECT_DOUBLE_EQ(control->move_seconds, 1.5);
    EXPECT_EQ(control->move_seconds_edit.text(), "1");
}

TEST_F(slew_panel, labels_swap_only_unlocked_and_lock_is_back_after_a_restart) {
    control->north_labelClick();
    EXPECT_EQ(control->north_label.caption(), "N");
    control->locked_check.set_checked(false);
    control->south_labelClick();
    EXPECT_EQ(control->north_label.caption(), "S");
    EXPECT_EQ(control->south_label.caption(), "N");
    control->west_labelClick();
    EXPECT_EQ(control->east_label.caption(), "W");
    control->east_labelClick(); // shows W: puts the pair back
    EXPECT_EQ(control->east_label.caption(), "E");
    EXPECT_FALSE(control->swap_east_west);
    control->west_labelClick();
    restart();
    EXPECT_TRUE(control->locked_check.checked());
    EXPECT_EQ(control->north_label.caption(), "S");
    EXPECT_EQ(control->west_label.caption(), "E");
    EXPECT_TRUE(control->swap_north_south);
}

TEST_F(slew_panel, a_failing_stop_shows_its_message) {
    program->network->enable_network_check.set_checked(true); // nothing passes the gate now
    control->stop_scope();
    ASSERT_FALSE(program->kit().notifications().messages().empty());
    EXPECT_EQ(program->kit().notifications().messages().back(),
              "ORB failed to stop the scope, it could be that there is a error or the network connection has failed");
}

TEST(panel_peers, a_call_before_the_program_wired_them_raises) {
    panel_peers peers;
    EXPECT_THROW(peers.processor(), std::logic_error);
    EXPECT_THROW(peers.search(), std::logic_error);
}

} // namespace
