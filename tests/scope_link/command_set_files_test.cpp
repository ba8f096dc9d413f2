#include "scope_link/command_set_files.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "settings/settings_file.h"
#include "tests/fixtures/file_size_limit.h"
#include "tests/fixtures/temp_dir.h"

namespace {

std::vector<std::string> names(const command_table& table) {
    std::vector<std::string> result;
    for (const command_record& record : table.records()) result.push_back(record.name);
    return result;
}

const std::vector<std::string> command_names = {
    "switch_precision", "query", "stopped", "get_ra", "get_dec", "get_alt", "get_az", "set_ra",
    "set_dec", "set_alt", "set_az", "slew_ra", "slew_az", "sync", "speed_slew", "speed_move",
    "speed_guide", "speed_center", "speed", "move_north", "move_east", "move_south", "move_west",
    "stop_north", "stop_east", "stop_south", "stop_west", "stop_all", "stop_move", "focus_fast",
    "focus_slow", "focus_speed", "focus_in", "focus_out", "focus_stop", "increase_tracking",
    "decrease_tracking", "default_tracking", "lunar_tracking"};

TEST(command_set_files, without_a_file_the_built_in_commands_load) {
    temp_dir dir;
    command_table table;
    read_escape_scopes(table, dir.path(), 1);
    EXPECT_EQ(names(table), command_names);

    const auto dec = table.find("get_dec");
    ASSERT_TRUE(dec);
    EXPECT_EQ(dec->write, "#:GD#");
    EXPECT_TRUE(dec->returns);
    EXPECT_EQ(dec->reply_high, "$dms$");
    EXPECT_EQ(dec->reply_low, "$dm$");
    EXPECT_EQ(dec->test_reply, "+42\xDF" "08:59");

    const auto set_ra = table.find("set_ra");
    ASSERT_TRUE(set_ra);
    EXPECT_TRUE(set_ra->append);
    EXPECT_EQ(set_ra->arg_high, "$hms$#");
    EXPECT_EQ(set_ra->arg_low, "$hmt$#");
    EXPECT_EQ(set_ra->reply_high, "$valid=1$");

    const auto speed = table.find("speed");
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->arg_high, "$[2-4]$#");
    EXPECT_EQ(speed->reply_high, "$*$");
    EXPECT_EQ(table.find("query")->test_reply, "default test scope");
    EXPECT_EQ(table.find("stop_move")->write, "#:Q#:Qn#:Qs#:Qe#:Qw#");
}

TEST(command_set_files, the_stopped_test_follows_the_model) {
    const std::pair<int, const char*> cases[] = {
        {1, "$valid=#$"}, {2, "$valid!#$"}, {0, "$valid!#$"}, {7, "$valid!#$"}};
    for (const auto& [scope_type, expected] : cases) {
        temp_dir dir;
        command_table table;
        read_escape_scopes(table, dir.path(), scope_type);
        EXPECT_EQ(table.find("stopped")->reply_high, expected) << scope_type;
    }
}

TEST(command_set_files, lookup_ignores_case_and_takes_the_first_match) {
    temp_dir dir;
    command_table table;
    read_escape_scopes(table, dir.path(), 1);
    EXPECT_EQ(table.find("GET_RA")->name, "get_ra");
    EXPECT_TRUE(table.find("speed_center"));
    EXPECT_FALSE(table.find("speed_centre"));
    EXPECT_FALSE(table.find(""));

    table.create_command_record("Get_Ra", "other", false, "", "", false, "", "", "");
    EXPECT_EQ(table.find("get_ra")->write, "#:GR#");
}

TEST(command_set_files, the_file_of_the_model_overrides_only_what_it_defines_well) {
    temp_dir dir;
    dir.write("lx200.ini", "[get_ra]\nreturns=0\n[GET_DEC]\nwrite=#:XX#\nappend=yes\n"
                           "[set_alt]\nvalid=" + std::string(64, 'v') + "\nhigh=" +
                           std::string(40, 'h') + "\n[sync]\nobject=" + std::string(70, 'o') +
                           "\n[speed]\nspeed=\n");
    command_table table;
    read_escape_scopes(table, dir.path(), 1);
    EXPECT_EQ(names(table), command_names);
    EXPECT_EQ(table.find("get_ra")->write, "#:GR#");
    EXPECT_FALSE(table.find("get_ra")->returns);
    EXPECT_EQ(table.find("get_dec")->write, "#:XX#");
    EXPECT_FALSE(table.find("get_dec")->append); // "yes" is no integer: the default stays
    EXPECT_EQ(table.find("set_alt")->reply_high, std::string(64, 'v'));
    EXPECT_EQ(table.find("set_alt")->arg_high, std::string(32, 'h'));
    EXPECT_EQ(table.find("sync")->reply_high, std::string(64, 'o'));
    EXPECT_EQ(table.find("speed")->arg_high, "");  // present but empty
    EXPECT_EQ(table.find("get_az")->reply_high, "$ddms$");

    // The AutoStar file is another file: the same folder loads the defaults.
    read_escape_scopes(table, dir.path(), 2);
    EXPECT_EQ(table.records().size(), 39u); // reloading replaces the table whole
    EXPECT_TRUE(table.find("get_ra")->returns);
}

TEST(command_set_files, a_file_full_of_junk_loads_the_defaults) {
    temp_dir dir;
    std::string junk = "[get_ra\n=\n==\nno equals here\n[]\n";
    for (int byte = 0; byte < 256; ++byte) junk += char(byte);
    junk += "\n" + std::string(10 * 1024 * 1024, 'z') + "\n[query]\n\xFF\xFE=\x01\n";
    dir.write("lx200.ini", junk);
    command_table table;
    read_escape_scopes(table, dir.path(), 1);
    EXPECT_EQ(names(table), command_names);
    EXPECT_EQ(table.find("get_ra")->reply_high, "$hms$");
    EXPECT_EQ(table.find("query")->reply_high, "$*$");
}

TEST(command_set_files, make_ini_files_in_a_fresh_folder) {
    temp_dir dir;
    write_escape_scopes(dir.path());

    const std::string lx200 = dir.read("lx200.ini");
    const std::string autostar = dir.read("autostar.ini");
    std::vector<std::string> sections;
    std::istringstream lines(lx200);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line.front() == '[') sections.push_back(line);
    ASSERT_EQ(sections.size(), 39u);
    EXPECT_EQ(sections[17], "[speed_centre]"); // the section keeps its own spelling
    EXPECT_NE(lx200.find("\n\n[set_ra]\nwrite=#:Sr\nappend=1\nhigh=$hms$#\nlow=$hmt$#\n"
                         "returns=1\nvalid=1\ninvalid=0\n\n[set_dec]\n"),
              std::string::npos);
    EXPECT_NE(lx200.find("[stopped]\nwrite=:D#\nappend=0\nreturns=1\nvalid=$valid=#$\n"),
              std::string::npos);
    EXPECT_NE(autostar.find("[stopped]\nwrite=:D#\nappend=0\nreturns=1\nvalid=$valid!#$\n"),
              std::string::npos);
    EXPECT_NE(lx200.find("[speed]\nwrite=#:Sw\nappend=1\nspeed=$[2-4]$#\nreturns=1\nvalue=$*$\n"),
              std::string::npos);
    EXPECT_EQ(lx200.find("default test scope"), std::string::npos); // canned answers stay built in
    EXPECT_TRUE(lx200.starts_with("[switch_precision]\nwrite=#:U#\nappend=0\nreturns=0\n\n[query]"));

    // Reading the written files back gives the built-in table, apart from the
    // set_ra/set_dec answer test written as the plain "1".
    for (const int scope_type : {1, 2}) {
        command_table built_in, written;
        temp_dir empty;
        read_escape_scopes(built_in, empty.path(), scope_type);
        read_escape_scopes(written, dir.path(), scope_type);
        ASSERT_EQ(written.records().size(), built_in.records().size());
        for (std::size_t i = 0; i < written.records().size(); ++i) {
            command_record expected = built_in.records()[i];
            if (expected.name == "set_ra" || expected.name == "set_dec") expected.reply_high = "1";
            const command_record& got = written.records()[i];
            EXPECT_EQ(std::tie(got.name, got.write, got.append, got.returns, got.reply_high,
                               got.reply_low, got.arg_high, got.arg_low, got.test_reply),
                      std::tie(expected.name, expected.write, expected.append, expected.returns,
                               expected.reply_high, expected.reply_low, expected.arg_high,
                               expected.arg_low, expected.test_reply))
                << expected.name;
        }
    }
}

TEST(command_set_files, make_ini_files_updates_an_edited_file_in_place) {
    temp_dir dir;
    dir.write("lx200.ini", "; my scope\n[get_ra]\nwrite=#:XR#\nmine=keep\n\n[extra]\nk=v\n");
    write_escape_scopes(dir.path());
    const std::string lx200 = dir.read("lx200.ini");
    EXPECT_TRUE(lx200.starts_with("; my scope\n[get_ra]\nwrite=#:GR#\nmine=keep\nappend=0\n"
                                  "returns=1\nhigh=$hms$\nlow=$hmt$\n\n[extra]\nk=v\n\n"))
        << lx200.substr(0, 200);
}

TEST(command_set_files, make_ini_files_that_cannot_be_written_leave_each_file_whole) {
    temp_dir dir;
    const std::string edited = "; my scope\n[get_ra]\nwrite=#:XR#\n";
    dir.write("lx200.ini", edited);
    {
        const file_size_limit disk_full(200);
        EXPECT_THROW(write_escape_scopes(dir.path()), settings_write_error);
    }
    EXPECT_EQ(dir.read("lx200.ini"), edited);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"lx200.ini"}); // nor autostar.ini, nor a temporary
}

} // namespace
