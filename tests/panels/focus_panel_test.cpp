// The focus panel on the test scope: the commands its buttons send, the
// run-time edits and their limits, the speed buttons' grid, the settings
// it keeps, and the stop timer with its retry.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>

#include "panels/orb_server_focus.h"
#include "panels/speed_group.h"
#include "settings/settings_file.h"
#include "tests/panels/single_panel_fixture.h"

namespace {

struct focus_panel : single_panel_fixture<Tscope_focus> {
    focus_panel() { logger.message_logging = true; }

    Tscope_focus& make_enabled() {
        Tscope_focus& focus = make(settings);
        focus.flip_buttons(true);
        return focus;
    }
    // Buttons per row, top to bottom, as laid out in the speed box.
    static std::vector<int> rows_of(const Tscope_focus& focus) {
        std::map<int, int> per_top;
        for (const forms::glyph_button* b : focus.speed_buttons()) ++per_top[b->top()];
        std::vector<int> rows;
        for (const auto& [top, count] : per_top) rows.push_back(count);
        return rows;
    }
};

TEST_F(focus_panel, starts_disabled_with_its_texts_and_loads_its_defaults) {
    Tscope_focus& focus = make(settings);
    EXPECT_EQ(focus.caption(), "ORB Focus control");
    EXPECT_EQ(focus.client_width(), 227);
    EXPECT_EQ(focus.client_height(), 169);
    EXPECT_EQ(focus.speed_box.width(), 113);
    EXPECT_EQ(focus.speed_box.height(), 153);
    EXPECT_FALSE(focus.focus_plus_button.enabled());
    EXPECT_FALSE(focus.speed_box.enabled());
    EXPECT_FALSE(focus.stop_button.enabled());
    EXPECT_TRUE(focus.max_timeout_edit.enabled()); // the limits stay open
    EXPECT_TRUE(focus.min_timeout_edit.enabled());
    EXPECT_FALSE(focus.focus_timer.enabled());
    EXPECT_EQ(focus.timeout_duration_edit.text(), "500");
    EXPECT_EQ(focus.max_timeout_edit.text(), "1500");
    EXPECT_EQ(focus.min_timeout_edit.text(), "500");
    EXPECT_EQ(focus.focus_speed, 1);
    EXPECT_FALSE(focus.can_focus);
    EXPECT_EQ(focus.focus_speeds, 2);
    EXPECT_EQ(focus.timeout, 500);
    EXPECT_EQ(focus.min_timeout, 10);
    EXPECT_EQ(focus.max_timeout, 1500);
}

TEST_F(focus_panel, minus_and_plus_send_the_chosen_speed_and_run_time) {
    dir.write("server.ini", "[focus]\ncan_focus=1\nfocus_speeds=4\n");
    Tscope_focus& focus = make_enabled();
    ASSERT_EQ(focus.speed_buttons().size(), 4u); // rebuilt as the panel was shown
    ASSERT_TRUE(forms::user::click(*focus.speed_buttons()[2]));
    EXPECT_EQ(focus.focus_speed, 3);
    ASSERT_TRUE(forms::user::type_text(focus.timeout_duration_edit, "800"));
    ASSERT_TRUE(forms::user::click(focus.focus_plus_button));
    EXPECT_EQ(lines_with("i said : focus(speed=3,dir=+,timeout=800)"), 1);
    ASSERT_TRUE(forms::user::click(focus.focus_minus_button));
    EXPECT_EQ(lines_with("i said : focus(speed=3,dir=-,timeout=800)"), 1);
    EXPECT_EQ(operations, (std::vector<std::string>{"focus(dir=+,speed=3,timeout=800)",
                                                    "focus(dir=-,speed=3,timeout=800)"}));

    // A model the panel does not know: the buttons send nothing.
    settings.scope_type = 3;
    operations.clear();
    ASSERT_TRUE(forms::user::click(focus.focus_plus_button));
    EXPECT_TRUE(operations.empty());
}

TEST_F(focus_panel, run_time_edits_keep_to_their_limits) {
    struct row {
        forms::edit Tscope_focus::*edit;
        const char* typed;
        const char* shown;
        int Tscope_focus::*field;
        int value;
    };
    const row rows[] = {
        {&Tscope_focus::max_timeout_edit, "2000", "1500", &Tscope_focus::max_timeout, 1500},
        {&Tscope_focus::max_timeout_edit, "-1", "1500", &Tscope_focus::max_timeout, 1500},
        {&Tscope_focus::max_timeout_edit, "abc", "1500", &Tscope_focus::max_timeout, 1500},
        {&Tscope_focus::max_timeout_edit, "0", "0", &Tscope_focus::max_timeout, 0},
        {&Tscope_focus::min_timeout_edit, "5", "10", &Tscope_focus::min_timeout, 10},
        {&Tscope_focus::min_timeout_edit, "abc", "10", &Tscope_focus::min_timeout, 10},
        {&Tscope_focus::min_timeout_edit, "3000", "3000", &Tscope_focus::min_timeout, 3000},
        {&Tscope_focus::timeout_duration_edit, "2000", "500", &Tscope_focus::timeout, 500},
        {&Tscope_focus::timeout_duration_edit, "abc", "abc", &Tscope_focus::timeout, 500},
        {&Tscope_focus::timeout_duration_edit, "1500", "1500", &Tscope_focus::timeout, 1500},
        {&Tscope_focus::timeout_duration_edit, "9", "500", &Tscope_focus::timeout, 500},
    };
    for (const row& r : rows) {
        Tscope_focus& focus = make_enabled(); // limits 10 and 1500 each time
        ASSERT_TRUE(forms::user::type_text(focus.*r.edit, r.typed)) << r.typed;
        EXPECT_EQ((focus.*r.edit).text(), r.shown) << r.typed;
        EXPECT_EQ(focus.*r.field, r.value) << r.typed;
    }
    // The limits are not compared with each other, nor the fallback with them.
    Tscope_focus& focus = make_enabled();
    forms::user::type_text(focus.min_timeout_edit, "1000");
    forms::user::type_text(focus.timeout_duration_edit, "700");
    EXPECT_EQ(focus.timeout, 500);
    EXPECT_EQ(focus.timeout_duration_edit.text(), "500");
}

TEST_F(focus_panel, speed_buttons_fill_the_box_as_a_grid_for_two_to_nine_speeds) {
    struct row {
        int count, width, height;
        std::vector<int> rows;
    };
    const row rows[] = {
        {2, 113, 76, {1, 1}},    {3, 113, 51, {1, 1, 1}}, {4, 56, 76, {2, 2}},
        {5, 56, 51, {2, 2, 1}},  {6, 56, 51, {2, 2, 2}},  {7, 37, 51, {3, 3, 1}},
        {8, 37, 51, {3, 3, 2}},  {9, 37, 51, {3, 3, 3}},
    };
    Tscope_focus& focus = make_enabled();
    focus.can_focus = true;
    focus.start_focus_speed = 4;
    // Up from 2 to 9 and back down, so buttons are both made and destroyed.
    std::vector<row> order(std::begin(rows), std::end(rows));
    order.insert(order.end(), std::rbegin(rows), std::rend(rows));
    for (const row& r : order) {
        focus.focus_speeds = r.count;
        focus.rebuild_speed_buttons();
        const auto& buttons = focus.speed_buttons();
        ASSERT_EQ(buttons.size(), std::size_t(r.count));
        EXPECT_EQ(buttons.front(), &focus.first_speed_button);
        EXPECT_EQ(focus.speed_box.children().size(), std::size_t(r.count));
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i]->width(), r.width) << r.count;
            EXPECT_EQ(buttons[i]->height(), r.height) << r.count;
            EXPECT_EQ(buttons[i]->caption(), std::to_string(4 + int(i))) << r.count;
            EXPECT_EQ(buttons[i]->down(), i == 0) << r.count;
        }
        EXPECT_EQ(rows_of(focus), r.rows) << r.count;
    }
}

TEST_F(focus_panel, shown_again_the_first_button_is_pressed_but_the_speed_stays_until_clicked) {
    dir.write("server.ini", "[focus]\ncan_focus=1\nfocus_speeds=3\n");
    Tscope_focus& focus = make_enabled();
    ASSERT_TRUE(forms::user::click(*focus.speed_buttons()[1]));
    EXPECT_EQ(focus.focus_speed, 2);
    focus.hide();
    focus.show();
    EXPECT_TRUE(focus.first_speed_button.down());
    EXPECT_FALSE(focus.speed_buttons()[1]->down());
    EXPECT_EQ(focus.focus_speed, 2);
    ASSERT_TRUE(forms::user::click(focus.first_speed_button));
    EXPECT_EQ(focus.focus_speed, 1);
    // Without can_focus the buttons are not rebuilt.
    focus.can_focus = false;
    focus.focus_speeds = 9;
    focus.hide();
    focus.show();
    EXPECT_EQ(focus.speed_buttons().size(), 3u);
}

TEST_F(focus_panel, a_caption_that_is_no_number_counts_as_its_place) {
    forms::panel box;
    forms::glyph_button a{"a", &box}, b{"b", &box}, c{"c", &box};
    for (forms::glyph_button* x : {&a, &b, &c}) x->set_group_index(1);
    a.set_caption("1");
    b.set_caption("x");
    c.set_caption("7");
    EXPECT_EQ(set_slew_speed(box), 1); // none pressed
    b.set_down(true);
    EXPECT_EQ(set_slew_speed(box), 2);
    c.set_down(true);
    EXPECT_EQ(set_slew_speed(box), 7);
}

TEST_F(focus_panel, settings_load_with_their_corrections_and_save_in_order) {
    struct row {
        const char* stored;
        int speeds, timeout;
        const char* timeout_text;
    };
    const row rows[] = {
        {"focus_speeds=12\n", 2, 500, "500"},
        {"focus_speeds=1\n", 2, 500, "500"},
        {"focus_speeds=9\ntimeout=800\n", 9, 800, "800"},
        // Within the stored limits a run time survives; outside it does not.
        {"timeout=1800\nmin=100\nmax=2000\n", 2, 1800, "1800"},
        {"timeout=2000\n", 2, 500, "500"},
        {"timeout=50\nmin=100\n", 2, 500, "500"},
    };
    for (const row& r : rows) {
        dir.write("server.ini", std::string("[focus]\n") + r.stored);
        Tscope_focus& focus = make(settings);
        EXPECT_EQ(focus.focus_speeds, r.speeds) << r.stored;
        EXPECT_EQ(focus.timeout, r.timeout) << r.stored;
        EXPECT_EQ(focus.timeout_duration_edit.text(), r.timeout_text) << r.stored;
        EXPECT_EQ(focus.min_timeout_edit.text(), "500") << r.stored; // the edits keep their texts
    }

    dir.write("server.ini", "[focus]\ncan_focus=1\ntimeout=800\nstart_focus_speed=3\nfocus_speeds=5\nmin=20\nmax=1000\n");
    make(settings);
    std::filesystem::remove(dir.file("server.ini"));
    {
        ini_file file(dir.file("server.ini"));
        panel->save_settings(file);
    }
    const std::string saved = dir.read("server.ini");
    EXPECT_TRUE(saved.starts_with("[focus]\ncan_focus=1\ntimeout=800\nstart_focus_speed=3\nfocus_speeds=5\n"
                                  "min=20\nmax=1000\nanother_monitor="))
        << saved;
}

TEST_F(focus_panel, the_stop_timer_stops_after_the_run_time_and_retries_until_stop_is_pressed) {
    Tscope_focus& focus = make_enabled();
    focus.timeout = 300;
    focus.enable_focus_timer();
    advance(299);
    EXPECT_TRUE(operations.empty());
    advance(1);
    EXPECT_EQ(operations, std::vector<std::string>{"stop_focus"});
    EXPECT_FALSE(focus.focus_timer.enabled());

    // A stop that keeps failing is retried once per run time, logged each time.
    teller.answer = [](std::string_view, tscope_object&) { return std::string("fail"); };
    operations.clear();
    focus.enable_focus_timer();
    advance(900);
    EXPECT_EQ(operations.size(), 3u);
    EXPECT_EQ(lines_with("Unable to stop focus"), 3);
    EXPECT_TRUE(focus.focus_timer.enabled());
    ASSERT_TRUE(forms::user::click(focus.stop_button)); // fails too, and still ends the retries
    EXPECT_FALSE(focus.focus_timer.enabled());
    operations.clear();
    advance(3000);
    EXPECT_TRUE(operations.empty());
    EXPECT_EQ(lines_with("Unable to stop focus"), 3);
}

TEST_F(focus_panel, the_stop_timer_ends_a_run_even_after_the_client_gave_control_back) {
    Tscope_focus& focus = make_enabled();
    processor.local_control = false; // the network is on and no client plays
    processor.client_playing = false;
    focus.timeout = 200;
    focus.enable_focus_timer();
    advance(200);
    EXPECT_EQ(operations, std::vector<std::string>{"stop_focus"});
    EXPECT_EQ(lines_with("Unable to stop focus"), 0);
    // Other local commands stay behind the gate, the Stop button's too.
    operations.clear();
    EXPECT_EQ(request("stop_focus"), "fail");
    EXPECT_TRUE(operations.empty());

    // A run time of 0 still stops, at once.
    focus.timeout = 0;
    focus.enable_focus_timer();
    advance(1);
    EXPECT_EQ(operations, std::vector<std::string>{"stop_focus"});
}

TEST_F(focus_panel, a_panel_not_wired_to_the_command_path_raises_instead_of_doing_nothing) {
    Tscope_focus focus(kit, host, settings);
    EXPECT_THROW(focus.focus_plus_buttonClick(), std::logic_error);
    EXPECT_THROW(focus.stop_buttonClick(), std::logic_error);
}

} // namespace
