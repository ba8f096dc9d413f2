// The habits of the controls that window code relies on: which writes run
// which handlers, and what the up-down writes into its edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"

namespace {

struct controls_test : ::testing::Test {
    manual_clock clock;
    forms::toolkit kit{clock};
    forms::form window{kit, "window"};
    std::vector<std::string> log;

    controls_test() { window.show(); }
    std::function<void()> note(std::string what) {
        return [this, what] { log.push_back(what); };
    }
};

TEST_F(controls_test, edit_change_runs_for_code_and_typing_only_when_the_text_differs) {
    forms::edit box("box", &window);
    box.on_change = note("change");
    box.set_text("80");
    box.set_text("80");
    EXPECT_TRUE(forms::user::type_text(box, "8"));
    forms::user::type_text(box, "8");
    EXPECT_EQ(log.size(), 2u);

    // A handler that replaces the text settles: it runs once more, for its
    // own write, and stops when it writes what is there.
    log.clear();
    box.on_change = [&] {
        log.push_back(box.text());
        if (box.text() != "5000") box.set_text("5000");
    };
    forms::user::type_text(box, "1000");
    EXPECT_EQ(log, (std::vector<std::string>{"1000", "5000"}));
    EXPECT_EQ(box.text(), "5000");

    box.on_change = nullptr;
    box.set_read_only(true);
    EXPECT_FALSE(forms::user::type_text(box, "1"));
    box.set_text("1"); // code still writes it
    EXPECT_EQ(box.text(), "1");
}

TEST_F(controls_test, track_bar_change_runs_when_the_position_moves) {
    forms::track_bar track("track", &window);
    track.set_range(0, 50);
    track.on_change = [&] { log.push_back(std::to_string(track.position())); };
    track.set_position(37);
    track.set_position(37);
    track.set_position(80); // limited to the range
    forms::user::move_track(track, 50);
    track.set_range(0, 20); // moves it too
    EXPECT_EQ(log, (std::vector<std::string>{"37", "50", "20"}));
}

TEST_F(controls_test, check_box_click_runs_when_the_state_changes) {
    forms::check_box check("check", &window);
    check.on_click = [&] { log.push_back(check.checked() ? "on" : "off"); };
    check.set_checked(false);
    check.set_checked(true);
    check.set_checked(true);
    forms::user::click(check);
    EXPECT_EQ(log, (std::vector<std::string>{"on", "off"}));
}

TEST_F(controls_test, combo_box_runs_its_change_only_for_the_user) {
    forms::combo_box list("list", &window);
    list.set_items({"LX200", "AutoStar"});
    list.on_change = note("change");
    list.set_item_index(1);
    list.set_text("COM1");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(list.item_index(), -1); // the text is no longer the entry's

    forms::user::choose_item(list, 0);
    EXPECT_EQ(list.text(), "LX200");
    EXPECT_EQ(list.item_index(), 0);
    forms::user::type_text(list, "LX2000");
    EXPECT_EQ(list.item_index(), -1);
    EXPECT_EQ(log.size(), 2u);

    list.set_editable(false);
    EXPECT_FALSE(forms::user::type_text(list, "typed"));
}

struct up_down_test : controls_test {
    forms::edit box{"box", &window};
    forms::up_down spin{"spin", &window};
    up_down_test() {
        spin.set_associate(&box);
        box.on_change = [this] { log.push_back("edit " + box.text()); };
        spin.on_changing = [this] { log.push_back("changing"); };
        spin.on_click = note("click");
    }
};

TEST_F(up_down_test, setting_the_position_runs_changing_then_writes_the_limited_whole_number) {
    spin.set_range(0, 23);
    spin.set_position(12);
    spin.set_position(24);
    spin.set_position(23); // same text: the edit's handler does not run again
    EXPECT_EQ(log, (std::vector<std::string>{"changing", "edit 12", "changing", "edit 23", "changing"}));
    EXPECT_EQ(spin.position(), 23);
}

TEST_F(up_down_test, arrows_step_the_edits_whole_number_and_stop_or_wrap_at_the_ends) {
    struct step {
        int min, max;
        bool wraps;
        const char* text;
        forms::arrow which;
        const char* shown;
    };
    const step cases[] = {
        {0, 59, false, "30", forms::arrow::up, "31"},
        {0, 59, false, "59", forms::arrow::up, "59"},    // stops at the end
        {0, 59, false, "0", forms::arrow::down, "0"},
        {0, 359, true, "359", forms::arrow::up, "0"},    // wraps round
        {0, 359, true, "0", forms::arrow::down, "359"},
        {-90, 90, true, " -5 ", forms::arrow::up, "-4"}, // blanks around a whole number
        {0, 59, false, "400", forms::arrow::down, "58"}, // out of range: from the end
        {0, 59, false, "12.5", forms::arrow::up, "8"},   // not whole: from the position (7)
    };
    for (const step& c : cases) {
        SCOPED_TRACE(c.text);
        spin.set_range(c.min, c.max);
        spin.set_wraps(c.wraps);
        spin.set_position(7);
        box.set_text(c.text);
        EXPECT_TRUE(forms::user::press_arrow(spin, c.which));
        EXPECT_EQ(box.text(), c.shown);
        EXPECT_EQ(std::to_string(spin.position()), c.shown);
    }
}

TEST_F(up_down_test, an_arrow_steps_what_the_changing_handler_left_in_the_edit) {
    // A changing handler that normalises the edit (with the usual guard
    // against its own nested call) runs before the step is taken.
    spin.set_range(0, 23);
    bool busy = false;
    spin.on_changing = [&] {
        if (busy) return;
        busy = true;
        log.push_back("normalise");
        spin.set_position(12);
        busy = false;
    };
    box.set_text("12.5");
    log.clear();
    forms::user::press_arrow(spin, forms::arrow::up);
    EXPECT_EQ(log, (std::vector<std::string>{"normalise", "edit 12", "edit 13", "click"}));
}

TEST_F(controls_test, glyph_buttons_of_a_group_are_exclusive) {
    forms::panel box("box", &window);
    forms::glyph_button one("one", &box), two("two", &box), other_group("other", &box), push("push", &box);
    for (auto* b : {&one, &two}) b->set_group_index(1);
    other_group.set_group_index(2);
    one.set_down(true);
    other_group.set_down(true);
    two.set_down(true);
    EXPECT_FALSE(one.down());
    EXPECT_TRUE(two.down());
    EXPECT_TRUE(other_group.down()); // another group is left alone

    two.set_down(false); // only pressing another releases it
    EXPECT_TRUE(two.down());
    push.set_down(true); // a push button is never down
    EXPECT_FALSE(push.down());

    two.on_click = note("two");
    forms::user::click(two); // a click on the down button keeps it down, and still clicks
    EXPECT_TRUE(two.down());
    EXPECT_EQ(log, std::vector<std::string>{"two"});
    forms::user::click(one);
    EXPECT_TRUE(one.down());
    EXPECT_FALSE(two.down());

    one.set_all_up_allowed(true);
    forms::user::click(one);
    EXPECT_FALSE(one.down());
}

TEST_F(controls_test, page_control_shows_the_active_page_and_tells_only_the_users_choice) {
    forms::page_control pages("pages", &window);
    forms::tab_sheet& setup = pages.add_page("Setup");
    forms::tab_sheet& control = pages.add_page("Control");
    forms::button on_control("on_control", &control);
    pages.on_change = note("change");

    EXPECT_EQ(pages.active_page(), &setup); // the first page added
    EXPECT_FALSE(control.visible());
    EXPECT_FALSE(forms::user::click(on_control)); // on a page not shown

    pages.set_active_page(1);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(forms::user::click(on_control));
    forms::user::select_page(pages, 1); // already there
    forms::user::select_page(pages, 0);
    EXPECT_EQ(log, std::vector<std::string>{"change"});
    EXPECT_EQ(pages.active_page_index(), 0);
    EXPECT_TRUE(setup.visible());
}

TEST_F(controls_test, a_full_memo_drops_its_oldest_lines) {
    forms::memo status("status", &window);
    status.set_max_lines(8);
    for (int i = 1; i <= 9; ++i) status.add_line(std::to_string(i));
    EXPECT_EQ(status.lines(), (std::vector<std::string>{"4", "5", "6", "7", "8", "9"}));
}

} // namespace
