// The information panel: get_info's chain with and without its optional
// values, the altitude guard, the refresh rate and its timer.
#include "tests/panels/panel_fixture.h"

#include "scope_link/orb_server_object.h"

namespace {

struct info_panel : panel_fixture {
    void SetUp() override { start(); }

    // As if the last reply had carried exactly these values.
    void reply(std::vector<std::string> names, std::vector<std::string> values) {
        processor->option_names = std::move(names);
        processor->option_values = std::move(values);
        processor->has_options = true;
    }
};

TEST_F(info_panel, get_info_hands_the_capabilities_round_and_names_the_scope) {
    info->get_info();
    EXPECT_EQ(control->scope_name, "AutoStar");
    EXPECT_TRUE(control->can_goto && control->can_sync && control->can_slew);
    EXPECT_TRUE(info->can_focus && info->can_track);
    EXPECT_EQ(info->focus_speeds, 2);

    // Without a focuser no speed count is needed.
    reply({"name", "can_goto", "can_sync", "can_slew", "can_focus", "can_track"},
          {"Mine", "false", "true", "true", "false", "true"});
    info->take_capabilities();
    EXPECT_EQ(control->scope_name, "Mine");
    EXPECT_FALSE(control->can_goto);
    EXPECT_FALSE(info->can_focus);

    // Without can_track: the steps before it stay stored.
    reply({"name", "can_goto", "can_sync", "can_slew", "can_focus", "focus_speeds"},
          {"Other", "true", "false", "false", "true", "7"});
    info->take_capabilities();
    EXPECT_EQ(control->scope_name, "unknown scope");
    EXPECT_TRUE(control->can_goto);
    EXPECT_FALSE(control->can_slew);
    EXPECT_EQ(info->focus_speeds, 7);

    reply({"name"}, {std::string(300, 'n')});
    reply({"name", "can_goto", "can_sync", "can_slew", "can_focus", "can_track"},
          {std::string(300, 'n'), "true", "true", "true", "false", "true"});
    info->take_capabilities();
    EXPECT_EQ(control->scope_name.size(), 255u);
}

TEST_F(info_panel, an_altitude_outside_the_sky_stops_the_scope_and_shows_red) {
    struct guard_case {
        double alt;
        bool stops;
    } cases[] = {{-5, true}, {0, false}, {90, false}, {95, true}, {45.5, false}};
    for (const guard_case& c : cases) {
        SCOPED_TRACE(c.alt);
        program->scope_object->alt = c.alt;
        forget_sent();
        info->show_info();
        EXPECT_EQ(sent(), c.stops ? std::vector<std::string>{"stop"} : std::vector<std::string>{});
        EXPECT_EQ(info->alt_degrees_edit.colour(), c.stops ? forms::colours::red : forms::colour::theme());
    }
    EXPECT_EQ(info->alt_degrees_edit.text(), "45");
    EXPECT_EQ(info->alt_minutes_edit.text(), "30");
}

TEST_F(info_panel, the_buttons_read_and_show_the_position) {
    info->get_all_button.on_click();
    EXPECT_EQ(sent(), (std::vector<std::string>{"get_ra_dec", "get_az_alt"}));
    EXPECT_EQ(info->ra_hours_edit.text(), "12");
    EXPECT_EQ(info->ra_minutes_edit.text(), "8");
    EXPECT_EQ(info->dec_degrees_edit.text(), "42");
    EXPECT_EQ(info->az_degrees_edit.text(), "329");
    EXPECT_EQ(info->alt_degrees_edit.text(), "15");
}

TEST_F(info_panel, the_refresh_rate_is_at_least_five_seconds_and_paces_the_timer) {
    info->refresh_rate_edit.set_text("1000");
    EXPECT_EQ(info->refresh_rate_edit.text(), "5000");
    EXPECT_EQ(info->refresh_rate, 5000);
    EXPECT_EQ(info->controller_timer.interval(), 5000);
    info->refresh_rate_edit.set_text("8000");
    info->timer_buttonClick();
    EXPECT_EQ(info->timer_button.caption(), "Stop");

    // The test scope counts as a disabled one: the ticks do nothing.
    advance(8000);
    EXPECT_TRUE(sent().empty());
    program->config->settings.scope_enabled = true;
    control->scope_name.clear();
    advance(8000);
    EXPECT_EQ(sent(), std::vector<std::string>{"get_info"});
    info->timer_buttonClick();
    EXPECT_EQ(info->timer_button.caption(), "Start");
    EXPECT_FALSE(info->controller_timer.enabled());
}

} // namespace
