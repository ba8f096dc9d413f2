// The shell's own panels in the whole program, headless on the test scope:
// the configuration panel, the location panel, the planets panel's poll
// toggle and the about panel; and what they save at shut-down.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "forms/forms.h"
#include "platform/clock.h"
#include "settings/settings_file.h"
#include "shell/orb_server_about.h"
#include "shell/program.h"
#include "tests/fixtures/temp_dir.h"

namespace {

struct shell_panels : ::testing::Test {
    temp_dir dir;
    manual_clock clock;
    std::unique_ptr<orb_program> program;

    orb_program& start(const std::string& ini = "") {
        if (!ini.empty()) dir.write("server.ini", ini);
        program = std::make_unique<orb_program>(clock, dir.path());
        program->start();
        program->network->logger.message_logging = true;
        program->network->status_log.clear();
        return *program;
    }
    Tscope_config& config() { return *program->config; }
    Tscope_observer& observer() { return *program->observer; }
    void click(forms::control& c) { ASSERT_TRUE(forms::user::click(c)) << c.name(); }
    bool logged(const std::string& text) {
        for (const std::string& line : program->network->status_log.lines())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }
    void close() { ASSERT_TRUE(program->request_close()); }
    // The keys of a section of the saved server.ini, in file order.
    std::vector<std::string> keys_of(const std::string& section) {
        std::vector<std::string> keys;
        std::istringstream lines(dir.read("server.ini"));
        bool inside = false;
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("[")) {
                inside = line == "[" + section + "]";
            } else if (inside && line.find('=') != std::string::npos) {
                keys.push_back(line.substr(0, line.find('=')));
            }
        }
        return keys;
    }
};

// ---- configuration panel ----

TEST_F(shell_panels, configuration_defaults_without_a_settings_file) {
    start();
    EXPECT_EQ(config().caption(), "ORB Configuration");
    EXPECT_FALSE(config().visible());
    EXPECT_EQ(config().model_list.text(), "LX200");
    EXPECT_EQ(config().model_list.item_index(), 0);
    EXPECT_TRUE(config().enable_scope_check.checked());
    EXPECT_FALSE(config().century_check.checked());
    EXPECT_FALSE(config().seconds_check.checked());
    EXPECT_EQ(config().mount_group.items()[std::size_t(config().mount_group.item_index())], "Alt-Azimuth");
    EXPECT_EQ(config().precision_label.caption(), "");
    config().show();
    EXPECT_EQ(config().precision_label.caption(), "high precision");
    EXPECT_EQ(config().precision_label.width(), 137);
}

TEST_F(shell_panels, a_stored_model_that_is_no_model_selects_lx200_and_saves_1) {
    for (const char* stored : {"0", "3", "abc", "2"}) {
        start(std::string("[config]\nscope_type=") + stored + "\nscope_enabled=0\n");
        const bool autostar = std::string(stored) == "2";
        EXPECT_EQ(config().model_list.text(), autostar ? "AutoStar" : "LX200") << stored;
        EXPECT_FALSE(config().enable_scope_check.checked());
        close();
        EXPECT_EQ(ini_file(dir.file("server.ini")).read_integer("config", "scope_type", 0), autostar ? 2 : 1)
            << stored;
        std::filesystem::remove(dir.file("server.ini"));
    }
}

TEST_F(shell_panels, the_boxes_and_the_model_list_set_the_settings_which_the_server_reports) {
    start("[config]\nscope_enabled=0\n");
    config().show();
    click(config().century_check);
    click(config().seconds_check);
    click(config().enable_scope_check);
    EXPECT_TRUE(config().settings.century_bug);
    EXPECT_TRUE(config().settings.seconds_bug);
    EXPECT_TRUE(config().settings.scope_enabled);
    click(config().enable_scope_check);

    command_processor& processor = program->network->processor;
    std::string name;
    ASSERT_TRUE(forms::user::choose_item(config().model_list, 1));
    EXPECT_EQ(config().settings.scope_type, 2);
    ASSERT_EQ(processor.send_message_check("get_info"), 1);
    ASSERT_TRUE(processor.get_string("name", name));
    EXPECT_EQ(name, "AutoStar");
    // A typed name is no entry: the model stays, the server reports the text.
    ASSERT_TRUE(forms::user::type_text(config().model_list, "Meade"));
    EXPECT_EQ(config().settings.scope_type, 2);
    EXPECT_EQ(config().model_list.item_index(), -1);
    ASSERT_EQ(processor.send_message_check("get_info"), 1);
    ASSERT_TRUE(processor.get_string("name", name));
    EXPECT_EQ(name, "Meade");

    close();
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("config", "century_bug", ""), "1");
    EXPECT_EQ(saved.read_string("config", "seconds_bug", ""), "1");
    EXPECT_EQ(saved.read_string("config", "scope_enabled", ""), "0");
    EXPECT_EQ(saved.read_string("config", "scope_type", ""), "2");
}

TEST_F(shell_panels, switch_hpp_with_the_scope_disabled_alternates_the_label_and_sends_nothing) {
    start("[config]\nscope_enabled=0\n");
    config().show();
    const char* expected[] = {"low precision", "high precision", "low precision"};
    for (const char* label : expected) {
        click(config().switch_hpp_button);
        EXPECT_EQ(config().precision_label.caption(), label);
        EXPECT_EQ(program->scope_object->high_precision, std::string(label) == "high precision");
    }
    EXPECT_FALSE(logged("switch_precision"));
}

TEST_F(shell_panels, switch_hpp_that_fails_says_precision_unknown_and_keeps_the_flag) {
    start(); // the scope enabled, and not connected
    config().show();
    click(config().switch_hpp_button);
    EXPECT_EQ(config().precision_label.caption(), "Precision unknown");
    EXPECT_TRUE(program->scope_object->high_precision);
    config().hide();
    config().show();
    EXPECT_EQ(config().precision_label.caption(), "high precision");
}

TEST_F(shell_panels, make_ini_files_writes_both_files_and_loads_the_chosen_model) {
    start("[config]\nscope_enabled=0\nscope_type=1\n");
    config().show();
    auto& commands = program->comms->operations.commands;
    const std::string lx200_stopped = commands.find("stopped")->reply_high;
    ASSERT_TRUE(forms::user::choose_item(config().model_list, 1));
    EXPECT_EQ(commands.find("stopped")->reply_high, lx200_stopped); // not before the click
    click(config().make_inis);
    EXPECT_TRUE(std::filesystem::exists(dir.file("lx200.ini")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("autostar.ini")));
    EXPECT_EQ(commands.find("stopped")->reply_high, "$valid!#$"); // AutoStar's
    EXPECT_NE(lx200_stopped, "$valid!#$");

    // The files are read back: an edit of one reaches the table at the next click.
    dir.write("autostar.ini", "[query]\nwrite=#:XX#\n");
    program->comms->reload_command_set();
    EXPECT_EQ(commands.find("query")->write, "#:XX#");
}

// ---- location panel ----

TEST_F(shell_panels, location_rows_are_normalised_when_confirmed) {
    struct row {
        bool latitude;
        const char* typed[3]; // degrees, minutes, seconds; nullptr leaves the box
        const char* shown[3];
        double value;
    };
    const row rows[] = {
        {true, {"0", "0", "0"}, {"0", "0", "0"}, 0},
        {true, {"10.125", nullptr, nullptr}, {"10", "7", "30"}, 10.125},
        {true, {"30", "30.5", nullptr}, {"30", "30", "30"}, 30 + 30.5 / 60},
        {true, {"95.5", "3", "4"}, {"89", "3", "4"}, 89 + (3 + 4 / 60.0) / 60},
        {true, {"-10", "30", "0"}, {"-10", "30", "0"}, -9.5},
        {true, {"1", "2", "12.5"}, {"1", "2", "12.5"}, 1 + (2 + 12.5 / 60) / 60},
        {true, {"abc", "x", "0"}, {"0", "0", "0"}, 0},
        {false, {"-400", nullptr, nullptr}, {"-359", "0", "0"}, -359},
        {false, {"360", "75", "0"}, {"359", "75", "0"}, 359 + 75 / 60.0},
        {false, {"1e20", "0", "1e12"}, {"359", "0", "1000000000000"}, 359 + 1e12 / 3600},
    };
    for (const row& r : rows) {
        start();
        observer().show();
        Tscope_observer& o = observer();
        forms::edit* boxes[2][3] = {{&o.latitude_degrees_edit, &o.latitude_minutes_edit, &o.latitude_seconds_edit},
                                    {&o.longitude_degrees_edit, &o.longitude_minutes_edit, &o.longitude_seconds_edit}};
        forms::edit* const* row_boxes = boxes[r.latitude ? 0 : 1];
        for (int i = 0; i < 3; ++i)
            if (r.typed[i]) {
                ASSERT_TRUE(forms::user::type_text(*row_boxes[i], r.typed[i]));
            }
        ASSERT_TRUE(forms::user::press_enter(*row_boxes[2]));
        for (int i = 0; i < 3; ++i) EXPECT_EQ(row_boxes[i]->text(), r.shown[i]) << r.typed[0] << " " << i;
        EXPECT_NEAR(r.latitude ? o.latitude : o.longitude, r.value, 1e-9) << r.typed[0];
        EXPECT_EQ(r.latitude ? o.longitude : o.latitude, r.latitude ? 4.0 : 51.0); // the other row stays
        program.reset();
    }
}

TEST_F(shell_panels, location_unchanged_is_saved_as_loaded_though_the_boxes_show_0) {
    start();
    EXPECT_EQ(observer().latitude_degrees_edit.text(), "0");
    EXPECT_EQ(observer().latitude, 51.0);
    EXPECT_EQ(observer().longitude, 4.0);
    close();
    EXPECT_EQ(keys_of("observer").front(), "longitude");
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("observer", "longitude", ""), "4");
    EXPECT_EQ(saved.read_string("observer", "latitude", ""), "51");

    start("[observer]\nlatitude=abc\nlongitude=-12.25\n");
    EXPECT_EQ(observer().latitude, 51.0);
    EXPECT_EQ(observer().longitude, -12.25);
}

TEST_F(shell_panels, an_up_down_confirms_its_row_with_what_the_boxes_showed_before_the_click) {
    start();
    Tscope_observer& o = observer();
    o.show();
    ASSERT_TRUE(forms::user::type_text(o.latitude_degrees_edit, "20.5"));
    ASSERT_TRUE(forms::user::press_arrow(o.latitude_minutes_up_down, forms::arrow::up));
    EXPECT_DOUBLE_EQ(o.latitude, 20.5);
    EXPECT_EQ(o.latitude_degrees_edit.text(), "20");
    EXPECT_EQ(o.latitude_minutes_edit.text(), "31"); // 30, then the click
    // 90 degrees are confirmed as 89 before the click adds one.
    ASSERT_TRUE(forms::user::type_text(o.latitude_degrees_edit, "90"));
    ASSERT_TRUE(forms::user::press_arrow(o.latitude_degrees_up_down, forms::arrow::up));
    EXPECT_DOUBLE_EQ(o.latitude, 89 + 31 / 60.0);
    EXPECT_EQ(o.latitude_degrees_edit.text(), "90");
    // Past an end of its range a box wraps to the other end.
    ASSERT_TRUE(forms::user::type_text(o.latitude_seconds_edit, "60"));
    ASSERT_TRUE(forms::user::press_arrow(o.latitude_seconds_up_down, forms::arrow::up));
    EXPECT_EQ(o.latitude_seconds_edit.text(), "-1");
}

TEST_F(shell_panels, the_time_zone_follows_its_box_and_set_observer_changes_nothing) {
    start();
    Tscope_observer& o = observer();
    o.show();
    ASSERT_TRUE(forms::user::type_text(o.time_zone_edit, "5"));
    EXPECT_EQ(o.time_zone, 5);
    ASSERT_TRUE(forms::user::type_text(o.time_zone_edit, "abc"));
    EXPECT_EQ(o.time_zone, 0);
    // The arrow steps from the up-down's own position when the box holds no number.
    ASSERT_TRUE(forms::user::press_arrow(o.time_zone_up_down, forms::arrow::down));
    EXPECT_EQ(o.time_zone_edit.text(), "-1");
    EXPECT_EQ(o.time_zone, -1);
    ASSERT_TRUE(forms::user::press_arrow(o.time_zone_up_down, forms::arrow::down));
    EXPECT_EQ(o.time_zone_edit.text(), "360");
    EXPECT_EQ(o.time_zone, 360);
    ASSERT_TRUE(forms::user::type_text(o.latitude_degrees_edit, "7"));

    ASSERT_EQ(program->network->processor.send_message_check("set_observer(lat=52.5,long=-1.25)"), 1);
    EXPECT_EQ(o.latitude, 51.0);
    EXPECT_EQ(o.longitude, 4.0);
    EXPECT_EQ(o.latitude_degrees_edit.text(), "7");
}

// ---- planets and about ----

TEST_F(shell_panels, planets_poll_toggles_with_now_and_ends_when_refresh_every_is_cleared) {
    start();
    Tscope_planets& planets = *program->planets;
    planets.show();
    EXPECT_FALSE(planets.polling());
    EXPECT_FALSE(planets.now_button.enabled());
    EXPECT_FALSE(planets.msecs_edit.enabled());
    EXPECT_EQ(planets.msecs_edit.text(), "5");
    EXPECT_EQ(planets.planets[7].button->caption(), "Pluto");
    EXPECT_EQ(planets.planets[0].ra_edit->name(), "merc_ra_edit");

    click(planets.refresh_check);
    EXPECT_TRUE(planets.now_button.enabled());
    EXPECT_TRUE(planets.msecs_edit.enabled());
    click(planets.now_button);
    EXPECT_TRUE(planets.polling());
    EXPECT_EQ(planets.now_button.caption(), "Stop");
    click(planets.now_button);
    EXPECT_EQ(planets.now_button.caption(), "Now");
    click(planets.now_button);
    click(planets.refresh_check);
    EXPECT_FALSE(planets.polling());
    EXPECT_EQ(planets.now_button.caption(), "Now");
    EXPECT_FALSE(planets.now_button.enabled());
    EXPECT_FALSE(planets.msecs_edit.enabled());
}

TEST_F(shell_panels, the_about_panel_names_this_build) {
    start();
    const Tscope_about& about = *program->about;
    EXPECT_EQ(about.caption(), "ORB Server About");
    EXPECT_FALSE(program_version().empty());
    EXPECT_EQ(about.version_label.caption(), "Version " + program_version() + " for Linux");
    EXPECT_EQ(about.message_label_1.caption(), "Design and programming by");
    EXPECT_EQ(about.message_label_2.caption(), "Specifications and Research by");
    EXPECT_EQ(program->kit().application_title(), "Network Server");
}

// ---- what shut-down writes ----

TEST_F(shell_panels, a_fresh_settings_file_holds_every_key_of_these_panels_in_order) {
    start();
    program->network->show();
    click(program->network->disk_button); // appending to orb.log is not carried over
    close();
    const std::vector<std::string> placement = {"another_monitor", "monitor", "left", "top", "screen_width",
                                                "screen_height", "screen_left", "screen_top", "visible"};
    const auto with_placement = [&](std::vector<std::string> own) {
        own.insert(own.end(), placement.begin(), placement.end());
        return own;
    };
    EXPECT_EQ(keys_of("focus"),
              with_placement({"can_focus", "timeout", "start_focus_speed", "focus_speeds", "min", "max"}));
    EXPECT_EQ(keys_of("comms"), (std::vector<std::string>{
                                    "timeout", "interval", "comport", "baud", "databits", "parity", "stopbits",
                                    "top", "left", "message_logging", "io_logging", "file_logging",
                                    "another_monitor", "monitor", "screen_width", "screen_height",
                                    "screen_left", "screen_top", "visible"}));
    EXPECT_EQ(keys_of("config"), with_placement({"scope_enabled", "century_bug", "seconds_bug", "scope_type"}));
    EXPECT_EQ(keys_of("observer"), with_placement({"longitude", "latitude"}));
    EXPECT_EQ(keys_of("tracking"),
              with_placement({"default_tracking_rate", "default_lunar_tracking_rate", "tracks_by"}));
    for (const char* section : {"sun", "moon", "planets", "catalogs", "about"})
        EXPECT_EQ(keys_of(section), placement) << section;

    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("comms", "message_logging", ""), "0");
    EXPECT_EQ(saved.read_string("focus", "timeout", ""), "500");
    EXPECT_EQ(saved.read_string("focus", "min", ""), "10");
    EXPECT_EQ(saved.read_string("tracking", "default_lunar_tracking_rate", ""), "57.9");
    EXPECT_EQ(saved.read_string("config", "scope_enabled", ""), "1");
}

} // namespace
