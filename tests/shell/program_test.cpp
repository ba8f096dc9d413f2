// The program as a whole, headless: start-up from a fresh or a damaged
// server.ini, the pages of panel buttons, and the close that saves.
#include "shell/program.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include "forms/forms.h"
#include "platform/clock.h"
#include "settings/settings_file.h"
#include "tests/fixtures/file_size_limit.h"
#include "tests/fixtures/temp_dir.h"

namespace {

struct program_test : ::testing::Test {
    temp_dir dir;
    manual_clock clock;
    std::unique_ptr<orb_program> program;

    orb_program& start() {
        program = std::make_unique<orb_program>(clock, dir.path());
        program->start();
        return *program;
    }
    Tscope& main() { return *program->main_window; }
    tscope_button& button(int page, int index) {
        return *main().buttons_on(*main().controller_pages.pages()[std::size_t(page)])[std::size_t(index)];
    }
    void select_page(int index) { ASSERT_TRUE(forms::user::select_page(main().controller_pages, index)); }
    std::vector<std::string> sections() {
        std::vector<std::string> found;
        std::istringstream lines(dir.read("server.ini"));
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with("[")) found.push_back(line);
        return found;
    }
    std::vector<std::string> visible_windows() {
        std::vector<std::string> shown;
        for (const forms::form* f : program->kit().forms())
            if (f->visible()) shown.push_back(f->caption());
        return shown;
    }
};

TEST_F(program_test, a_fresh_start_shows_the_default_pages_and_saves_every_section_in_order) {
    start();
    const auto pages = main().controller_pages.pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0]->caption(), "Setup");
    EXPECT_EQ(pages[1]->caption(), "Control");
    EXPECT_EQ(pages[2]->caption(), "Objects");
    EXPECT_EQ(main().current_page, pages[0]);
    EXPECT_EQ(main().client_width(), 285);
    EXPECT_EQ(main().client_height(), 53);
    EXPECT_EQ(visible_windows(), std::vector<std::string>{"ORB Server"});
    EXPECT_EQ(program->kit().forms().size(), 15u);
    for (const forms::form* f : program->kit().forms()) {
        EXPECT_EQ(f->left(), 0) << f->caption();
        EXPECT_EQ(f->top(), 0) << f->caption();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("server.ini"))); // nothing before shut-down

    EXPECT_TRUE(program->request_close());
    EXPECT_TRUE(program->ended());
    EXPECT_EQ(sections(), (std::vector<std::string>{
                              "[network]", "[control]", "[focus]", "[info]", "[comms]", "[config]",
                              "[observer]", "[tracking]", "[search]", "[sun]", "[moon]", "[planets]",
                              "[catalogs]", "[about]", "[main]", "[panel_1]", "[panel_2]",
                              "[panel_3]", "[serial_devices]", "[lx200]"}));
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("main", "num_control_panels", ""), "3");
    EXPECT_EQ(saved.read_string("panel_2", "button_4_name", ""), "Control");
    EXPECT_EQ(saved.read_string("panel_2", "button_4_module", ""), "8");
    EXPECT_EQ(saved.read_integer("config", "scope_type", 0), 1);
}

TEST_F(program_test, buttons_open_and_close_panels_across_page_changes) {
    start();
    Tscope& window = main();
    tscope_button& comms = button(0, 0);
    forms::form& comms_panel = *program->comms;

    forms::user::click(comms);
    EXPECT_TRUE(comms_panel.visible());
    EXPECT_FALSE(comms.hidden);
    select_page(1);
    EXPECT_FALSE(comms_panel.visible());
    select_page(0);
    EXPECT_TRUE(comms_panel.visible()); // reopened on return

    forms::user::click(comms); // closed by its button: stays closed on return
    EXPECT_FALSE(comms_panel.visible());
    select_page(1);
    select_page(0);
    EXPECT_FALSE(comms_panel.visible());

    // Made sticky from its popup menu: open on every page until its button closes it.
    forms::user::click(comms);
    ASSERT_TRUE(forms::user::context_popup(comms, {5, 5}));
    EXPECT_EQ(window.popup_button, &comms);
    EXPECT_EQ(window.popup_menu.popups(), 1);
    forms::user::choose_menu_item(window.popup_menu, 0);
    EXPECT_TRUE(comms.stuck);
    EXPECT_TRUE(comms.font().bold);
    select_page(2);
    EXPECT_TRUE(comms_panel.visible());
    select_page(0);
    forms::user::click(comms);
    EXPECT_FALSE(comms_panel.visible());
    EXPECT_FALSE(comms.stuck);
    EXPECT_FALSE(comms.font().bold);
    EXPECT_TRUE(comms.hidden);

    // A right click on the window itself opens no menu.
    forms::user::context_popup(window, {100, 40});
    EXPECT_EQ(window.popup_menu.popups(), 1);
}

TEST_F(program_test, a_panel_closed_by_its_close_box_keeps_its_button_state_and_place) {
    start();
    tscope_button& info = button(1, 0);
    forms::form& info_panel = *program->info;
    select_page(1);
    forms::user::click(info);
    forms::user::move_window(info_panel, 300, 200);
    forms::user::request_close(info_panel);
    EXPECT_FALSE(info_panel.visible());
    EXPECT_FALSE(info.hidden);
    select_page(0);
    select_page(1);
    EXPECT_TRUE(info_panel.visible()); // its button still says open
    EXPECT_EQ(info_panel.left(), 300);
    EXPECT_EQ(info_panel.top(), 200);

    ASSERT_TRUE(program->request_close());
    start(); // the next run opens it where it was, on the page saved as active
    EXPECT_EQ(main().active_page, 2);
    EXPECT_TRUE(program->info->visible());
    EXPECT_EQ(program->info->left(), 300);
    EXPECT_EQ(program->info->top(), 200);
}

TEST_F(program_test, stored_pages_and_buttons_come_back_as_saved) {
    dir.write("server.ini",
              "[main]\npanel_1=Mine\npanel_2=Other\nnum_control_panels=2\nactive_page=7\n"
              "[panel_1]\nbutton_1_name=A\nbutton_1_module=3\nbutton_1_hidden=1\nbutton_1_stuck=1\n"
              "button_2_name=Bad\nbutton_2_module=16\n"
              "button_3_name=B\nbutton_3_module=3\nbutton_3_hidden=0\nbutton_3_stuck=1\n"
              "[panel_2]\nbutton_1_name=C\nbutton_1_module=3\nbutton_1_hidden=0\n");
    start();
    ASSERT_EQ(main().controller_pages.page_count(), 2);
    EXPECT_EQ(main().active_page, 1); // page 7 does not exist: the first page
    const auto first = main().buttons_on(*main().controller_pages.pages()[0]);
    ASSERT_EQ(first.size(), 2u); // module 16 skipped, the next still read
    EXPECT_FALSE(first[0]->stuck); // hidden wins over stuck
    EXPECT_FALSE(first[0]->font().bold);
    EXPECT_TRUE(first[1]->stuck);
    EXPECT_EQ(main().client_width(), 2 * 57);
    EXPECT_TRUE(program->focus->visible()); // one panel, two buttons, each its own state

    ASSERT_TRUE(program->request_close());
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_integer("main", "active_page", 0), 1);
    EXPECT_EQ(saved.read_string("panel_1", "button_2_name", ""), "B");
    EXPECT_EQ(saved.read_string("panel_1", "button_3_name", "gone"), "B"); // an older entry stays
}

TEST_F(program_test, a_write_protected_settings_file_keeps_the_program_open_and_usable) {
    dir.write("server.ini", "[config]\nscope_type=2\n");
    std::filesystem::permissions(dir.file("server.ini"), std::filesystem::perms::owner_read);
    start();
    EXPECT_FALSE(program->request_close());
    EXPECT_FALSE(program->ended());
    ASSERT_FALSE(program->kit().notifications().messages().empty());
    EXPECT_EQ(program->kit().notifications().messages().back(),
              "Unable to write to " + dir.file("server.ini"));
    EXPECT_TRUE(main().visible());
    forms::user::click(button(0, 0));
    EXPECT_TRUE(program->comms->visible());

    std::filesystem::permissions(dir.file("server.ini"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_TRUE(program->request_close()); // the next request tries again from the start
    EXPECT_EQ(ini_file(dir.file("server.ini")).read_integer("config", "scope_type", 0), 2);
}

// A disk that fills up part-way through the shut-down save: the old file
// stays whole with none of the new keys, the program goes on, and the next
// close saves everything.
TEST_F(program_test, a_save_that_fails_part_way_leaves_the_old_settings_file_whole) {
    const std::string old_content = "[config]\nscope_type=2\n";
    dir.write("server.ini", old_content);
    start();
    {
        const file_size_limit disk_full(200);
        EXPECT_FALSE(program->request_close());
    }
    EXPECT_EQ(program->kit().notifications().messages().back(),
              "Unable to write to " + dir.file("server.ini"));
    EXPECT_FALSE(program->ended());
    EXPECT_EQ(dir.read("server.ini"), old_content);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"server.ini"});

    EXPECT_TRUE(program->request_close());
    EXPECT_EQ(sections().size(), 20u);
    EXPECT_EQ(ini_file(dir.file("server.ini")).read_integer("config", "scope_type", 0), 2);
}

TEST_F(program_test, the_comms_panel_loads_the_command_set_of_the_configured_model) {
    dir.write("server.ini", "[config]\nscope_type=2\n");
    dir.write("autostar.ini", "[query]\nwrite=#:XX#\n");
    dir.write("lx200.ini", "[query]\nwrite=#:YY#\n");
    start();
    EXPECT_EQ(program->comms->operations.commands.find("query")->write, "#:XX#");
    EXPECT_EQ(program->comms->operations.commands.find("stopped")->reply_high, "$valid!#$");
}

TEST_F(program_test, the_network_panels_disk_button_writes_the_status_log_to_orb_client_log) {
    dir.write("server.ini", "[config]\nscope_enabled=0\n");
    start();
    Tscope_network& network = *program->network;
    network.show();
    forms::user::click(network.messages_button);
    forms::user::click(network.io_messages_button);
    forms::user::click(network.disk_button);
    EXPECT_EQ(network.processor.send_message_check("get_ra_dec"), 1);
    const std::string log = dir.read("orb-client.log");
    EXPECT_NE(log.find(" : session started\n"), std::string::npos);
    EXPECT_NE(log.find(" :   send_message >>\n"), std::string::npos);
    EXPECT_NE(log.find("(ra=12.1483333333333,dec=42.1497222222222)\n"), std::string::npos);
    EXPECT_NE(log.find("  write >>\n"), std::string::npos); // the link's IO lines too

    forms::user::click(network.disk_button); // off: nothing more is appended
    network.processor.send_message_check("get_ra_dec");
    EXPECT_EQ(dir.read("orb-client.log"), log);
}

TEST_F(program_test, a_settings_file_full_of_junk_starts_usable_windows_and_saves_sane_values) {
    std::string junk = "[main]\nnum_control_panels=2000000000\nleft=99999999999\n"
                       "screen_width=0\nscreen_height=-5\nmonitor=12\n\x01\x02\xFF\n"
                       "[info]\nvisible=1\nleft=2000000000\nscreen_left=-2000000000\n"
                       "screen_width=-1\nanother_monitor=40\nmonitor=-7\n"
                       "no equals sign\n[[[\n";
    for (int byte = 0; byte < 256; ++byte) junk += char(byte);
    dir.write("server.ini", junk);
    start();
    EXPECT_TRUE(main().visible());
    EXPECT_EQ(main().controller_pages.page_count(), 0); // no page names: an empty strip
    EXPECT_TRUE(program->info->visible());
    EXPECT_GE(program->info->left(), 0);
    EXPECT_LE(program->info->left() + program->info->width(), 1920);

    ASSERT_TRUE(program->request_close());
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_integer("main", "monitor", -1), 0);
    EXPECT_EQ(saved.read_integer("main", "screen_width", 0), 1920);
    EXPECT_EQ(saved.read_integer("info", "monitor", -1), 0);
    EXPECT_EQ(saved.read_integer("info", "screen_width", 0), 1920);
}

} // namespace
