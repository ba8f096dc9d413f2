// Windows: showing and closing, what observers hear, where the user's input
// may go, focus, context menus, and message boxes and help.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/forms.h"

namespace {

struct form_test : ::testing::Test {
    manual_clock clock;
    forms::toolkit kit{clock};
    forms::form window{kit, "window"};
    std::vector<std::string> log;

    std::function<void()> note(std::string what) {
        return [this, what] { log.push_back(what); };
    }
};

TEST_F(form_test, show_runs_each_time_the_form_becomes_visible_and_repeats_do_nothing) {
    window.on_show = note("show");
    window.on_hide = note("hide");
    EXPECT_FALSE(window.visible()); // forms start hidden
    window.hide();
    window.show();
    window.show();
    window.hide();
    window.show();
    EXPECT_EQ(log, (std::vector<std::string>{"show", "hide", "show"}));
}

TEST_F(form_test, close_query_decides_whether_the_close_box_hides_the_form) {
    window.show();
    window.on_close = note("closed");
    // A panel refuses the close and hides itself.
    window.on_close_query = [&](bool& can_close) {
        log.push_back("asked");
        can_close = false;
        window.hide();
    };
    EXPECT_TRUE(forms::user::request_close(window));
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(log, std::vector<std::string>{"asked"});

    // A refusal that keeps it open, then consent.
    bool consent = false;
    window.on_close_query = [&](bool& can_close) { can_close = consent; };
    window.show();
    forms::user::request_close(window);
    EXPECT_TRUE(window.visible());
    consent = true;
    forms::user::request_close(window);
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(log.back(), "closed");
    EXPECT_FALSE(forms::user::request_close(window)); // a hidden window has no close box
}

TEST_F(form_test, observers_hear_each_change_once_and_stop_when_forgotten) {
    std::vector<std::pair<std::string, forms::change>> heard;
    const int id = kit.observe([&](forms::control& which, forms::change what) { heard.emplace_back(which.name(), what); });
    forms::group_box group("group", &window);
    forms::edit box("box", &group);
    box.set_text("a");
    box.set_text("a");
    group.set_enabled(false);
    box.set_font_bold(true);
    window.set_client_size(312, 304);
    forms::edit loose("loose"); // in no window: nobody to tell
    loose.set_text("x");

    const std::vector<std::pair<std::string, forms::change>> expected{
        {"window", forms::change::children}, {"group", forms::change::children},
        {"box", forms::change::text},        {"group", forms::change::enabled},
        {"box", forms::change::font},        {"window", forms::change::bounds},
    };
    EXPECT_EQ(heard, expected);

    kit.forget(id);
    box.set_text("b");
    EXPECT_EQ(heard.size(), expected.size());
}

TEST_F(form_test, observers_hear_forms_come_and_go) {
    std::vector<forms::change> heard;
    const int id = kit.observe([&](forms::control&, forms::change what) { heard.push_back(what); });
    {
        forms::form other(kit, "other");
        EXPECT_EQ(kit.forms().size(), 2u);
    }
    EXPECT_EQ(heard, (std::vector<forms::change>{forms::change::form_added, forms::change::bounds,
                                                 forms::change::form_removed}));
    EXPECT_EQ(kit.forms().size(), 1u);
    kit.forget(id);
}

TEST_F(form_test, input_reaches_only_controls_enabled_and_shown_all_the_way_up) {
    forms::group_box group("group", &window);
    forms::button press("press", &group);
    press.on_click = note("click");

    EXPECT_FALSE(forms::user::click(press)); // the window is hidden
    window.show();
    group.set_enabled(false);
    EXPECT_FALSE(forms::user::click(press));
    group.set_enabled(true);
    group.set_visible(false);
    EXPECT_FALSE(forms::user::click(press));
    group.set_visible(true);
    EXPECT_TRUE(forms::user::click(press));
    EXPECT_EQ(log, std::vector<std::string>{"click"});
    EXPECT_EQ(kit.active_form(), &window);
}

TEST_F(form_test, focus_moves_with_clicks_running_exit_then_enter) {
    window.show();
    forms::edit first("first", &window), second("second", &window);
    forms::glyph_button speed("speed", &window);
    forms::label caption("caption", &window);
    first.on_enter = note("enter first");
    first.on_exit = note("exit first");
    second.on_enter = note("enter second");
    first.on_click = note("click first");

    forms::user::click(first);
    forms::user::click(first);
    forms::user::click(speed); // takes no focus
    forms::user::click(caption);
    forms::user::type_text(second, "x");
    EXPECT_EQ(log, (std::vector<std::string>{"enter first", "click first", "click first", "exit first",
                                             "enter second"}));
    EXPECT_EQ(window.focused(), &second);
}

TEST_F(form_test, a_context_request_goes_up_until_handled_and_the_menu_reports_the_choice) {
    window.show();
    window.set_bounds({100, 50, 300, 100});
    forms::panel row("row", &window);
    row.set_bounds({10, 20, 200, 30});
    forms::button first("first", &row), second("second", &row);
    second.set_bounds({57, 0, 57, 25});
    forms::popup_menu menu("menu", &window);
    menu.add_item("Sticky Control", note("sticky"));

    std::vector<std::string> asked;
    first.on_context_popup = [&](forms::control& sender, forms::point where, bool& handled) {
        asked.push_back(sender.name());
        menu.popup(sender.client_to_screen(where));
        handled = true;
    };
    window.on_context_popup = [&](forms::control& sender, forms::point where, bool&) {
        asked.push_back(sender.name() + " " + std::to_string(where.x) + "," + std::to_string(where.y));
    };
    forms::user::context_popup(first, {5, 6});
    EXPECT_EQ(menu.popups(), 1);
    // Screen point: window 100,50 + frame 3,22 + row 10,20 + button 0,0 + 5,6.
    EXPECT_EQ(menu.popup_point(), (forms::point{118, 98}));
    forms::user::context_popup(second, {1, 2}); // unhandled: on to the window, in its coordinates
    EXPECT_EQ(asked, (std::vector<std::string>{"first", "window 68,22"}));

    EXPECT_TRUE(forms::user::choose_menu_item(menu, 0));
    menu.set_item_enabled(0, false);
    EXPECT_FALSE(forms::user::choose_menu_item(menu, 0));
    EXPECT_EQ(log, std::vector<std::string>{"sticky"});
}

TEST_F(form_test, client_size_frame_and_children_that_fill_their_parent) {
    window.set_client_size(312, 304);
    forms::panel whole("whole", &window);
    whole.set_fills_parent(true);
    EXPECT_EQ(whole.bounds(), (forms::rect{0, 0, 312, 304}));

    window.set_frame({4, 30, 4, 4}); // the view knows the real border
    EXPECT_EQ(window.client_width(), 312);
    EXPECT_EQ(window.width(), 320);
    window.set_client_width(285);
    EXPECT_EQ(whole.width(), 285);
    forms::user::move_window(window, -1000, 20);
    EXPECT_EQ(window.left(), 0); // hidden: not moved by the user
    window.show();
    forms::user::move_window(window, -1000, 20);
    EXPECT_EQ(window.bounds(), (forms::rect{-1000, 20, 293, 338}));
}

TEST_F(form_test, a_control_destroyed_at_run_time_leaves_its_handle_empty) {
    window.show();
    forms::panel box("box", &window);
    forms::glyph_button& made = box.make_child<forms::glyph_button>("speed_2");
    const forms::control_handle handle = made.handle();
    EXPECT_EQ(window.find("speed_2"), &made);
    EXPECT_EQ(handle.get_as<forms::glyph_button>(), &made);

    box.destroy_child(made);
    EXPECT_EQ(handle.get(), nullptr);
    EXPECT_TRUE(box.children().empty());
    EXPECT_EQ(window.find("speed_2"), nullptr);
}

TEST_F(form_test, controls_outlived_by_their_parent_or_children_detach_cleanly) {
    auto child = std::make_unique<forms::button>("child");
    {
        forms::panel parent("parent", &window);
        child->set_parent(&parent);
    }
    EXPECT_EQ(child->parent(), nullptr);
    child->set_parent(&window);
    child.reset();
    EXPECT_TRUE(window.children().empty());
}

TEST_F(form_test, messages_and_help_go_to_the_sink_without_waiting) {
    std::vector<std::string> written;
    kit.notifications().write_line = [&](const std::string& line) { written.push_back(line); };
    kit.set_help_file("orb.hlp");
    window.set_help_keyword("Control");
    window.show();

    kit.show_message("ORB failed to stop the scope");
    EXPECT_TRUE(forms::user::request_help(window));
    window.set_help_keyword("");
    forms::user::request_help(window); // no keyword, no topic
    EXPECT_EQ(kit.notifications().messages().back(), "ORB failed to stop the scope");
    EXPECT_EQ(kit.notifications().help_keywords(), std::deque<std::string>{"Control"});
    EXPECT_EQ(written, (std::vector<std::string>{"message: ORB failed to stop the scope",
                                                 "help topic \"Control\" of orb.hlp"}));

    for (int i = 0; i < 150; ++i) kit.show_message(std::to_string(i));
    EXPECT_EQ(kit.notifications().messages().size(), forms::notification_log::kept);
    EXPECT_EQ(kit.notifications().messages().back(), "149");

    struct own_sink : forms::notification_sink {
        std::vector<std::string> shown;
        void show_message(const std::string& text) override { shown.push_back(text); }
        void show_help(const std::string& file, const std::string& keyword) override {
            shown.push_back(file + "#" + keyword);
        }
    } sink;
    kit.set_notification_sink(&sink);
    kit.show_message("Unable to write to server.ini");
    kit.show_help("Network");
    EXPECT_EQ(sink.shown, (std::vector<std::string>{"Unable to write to server.ini", "orb.hlp#Network"}));
}

} // namespace

namespace {

// The shape of a window class: controls are members parented as they are
// declared, handlers are set in the constructor.
class sample_panel : public forms::form {
public:
    explicit sample_panel(forms::toolkit& kit) : forms::form(kit, "sample") {
        set_caption("ORB Sample");
        set_client_size(256, 200);
        degrees_up_down.set_associate(&degrees_edit);
        degrees_up_down.set_range(0, 359);
        degrees_up_down.set_wraps(true);
        degrees_edit.on_change = [this] { ++changes; };
        refresh_timer.set_interval(30000);
        refresh_timer.on_timer = [this] { degrees_up_down.set_position(degrees_up_down.position() + 1); };
    }

    forms::group_box coord_box{"coord_box", this};
    forms::edit degrees_edit{"degrees_edit", &coord_box};
    forms::up_down degrees_up_down{"degrees_up_down", &coord_box};
    forms::timer refresh_timer{loop(), "refresh_timer"};
    int changes = 0;
};

TEST(window_class, members_tick_and_tear_down_cleanly_while_observed) {
    manual_clock clock;
    forms::toolkit kit(clock);
    int heard = 0;
    kit.observe([&](forms::control&, forms::change) { ++heard; });
    {
        sample_panel panel(kit);
        EXPECT_EQ(panel.find("degrees_edit"), &panel.degrees_edit);
        panel.refresh_timer.start();
        kit.loop().advance(clock, milliseconds(60000));
        EXPECT_EQ(panel.degrees_edit.text(), "2");
        EXPECT_EQ(panel.changes, 2);
    }
    EXPECT_TRUE(kit.forms().empty());
    EXPECT_FALSE(kit.loop().next_due());
    EXPECT_GT(heard, 0);
}

} // namespace
