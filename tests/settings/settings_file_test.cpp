#include "settings/settings_file.h"
#include "text/number_text.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "tests/fixtures/temp_dir.h"

namespace {

struct read_case {
    const char* stored;
    int integer;  // default 7
    bool boolean; // default true
    double real;  // default 0.5
};

TEST(settings_file, value_forms_and_defaults) {
    const read_case cases[] = {
        {"31", 31, true, 31},       {"0x1F", 31, true, 0.5},  {"0X1f", 31, true, 0.5},
        {"-5", -5, true, -5},       {"12abc", 7, true, 0.5},  {"2", 2, true, 2},
        {"0", 0, false, 0},         {"yes", 7, true, 0.5},    {"", 7, true, 0.5},
        {" 42 ", 42, true, 42},     {"99999999999", 7, true, 99999999999.0},
        {"2.5", 7, true, 2.5},      {"1,5", 7, true, 0.5},    {"1e999", 7, true, 0.5},
        {"nan", 7, true, 0.5},      {"-0.25", 7, true, -0.25},
    };
    for (const read_case& c : cases) {
        temp_dir dir;
        dir.write("s.ini", std::string("[s]\nk=") + c.stored + "\n");
        const ini_file file(dir.file("s.ini"));
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(file.read_integer("s", "k", 7), c.integer);
        EXPECT_EQ(file.read_bool("s", "k", true), c.boolean);
        EXPECT_EQ(file.read_float("s", "k", 0.5), c.real);
    }
}

TEST(settings_file, strings_names_and_missing_keys) {
    temp_dir dir;
    dir.write("s.ini", "; a comment\n[Main]\nName = some text \nempty=\nlong=" +
                           std::string(3000, 'x') + "\n[main]\nname=second section\n");
    const ini_file file(dir.file("s.ini"));
    EXPECT_EQ(file.read_string("MAIN", "NAME", "d"), "some text"); // first section wins
    EXPECT_EQ(file.read_string("main", "empty", "d"), "");
    EXPECT_EQ(file.read_string("main", "long", "d"), std::string(2047, 'x'));
    EXPECT_EQ(file.read_string("main", "absent", "d"), "d");
    EXPECT_EQ(file.read_string("other", "name", "d"), "d");
    EXPECT_EQ(file.read_integer("main", "name", 3), 3);
}

TEST(settings_file, reading_a_missing_file_gives_defaults_and_creates_nothing) {
    temp_dir dir;
    const ini_file file(dir.file("none.ini"));
    EXPECT_EQ(file.read_integer("a", "b", 9), 9);
    EXPECT_EQ(file.read_string("a", "b", "x"), "x");
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ini")));
}

TEST(settings_file, writes_update_in_place_and_keep_unnamed_lines) {
    temp_dir dir;
    dir.write("s.ini", "; kept comment\n[one]\na=1\nB=2\nc=3\n\n[two]\nx=y\nnot a key line\n");
    ini_file file(dir.file("s.ini"));
    file.write_integer("ONE", "b", 20);       // existing key, middle of its section
    file.write_string("one", "d", "new");     // new key: end of its section
    file.write_bool("three", "flag", true);   // new section: end of file
    file.write_float("two", "r", 1.0 / 60.0); // general form, 15 digits
    EXPECT_EQ(dir.read("s.ini"),
              "; kept comment\n[one]\na=1\nb=20\nc=3\nd=new\n\n[two]\nx=y\nnot a key line\n"
              "r=0.0166666666666667\n\n[three]\nflag=1\n");
    EXPECT_EQ(file.read_integer("one", "b", 0), 20);
    EXPECT_NEAR(ini_file(dir.file("s.ini")).read_float("two", "r", 0), 1.0 / 60.0, 1e-15);
}

TEST(settings_file, numbers_are_written_in_general_form) {
    const std::pair<double, const char*> cases[] = {
        {2.5, "2.5"}, {-12.0, "-12"}, {0.1, "0.1"}, {1e20, "1e+20"}, {123456.789, "123456.789"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(format_general_number(value), text);
}

TEST(settings_file, a_line_break_in_a_string_cannot_add_lines) {
    temp_dir dir;
    ini_file file(dir.file("s.ini"));
    file.write_string("s", "k", "first\n[evil]\nx=1");
    EXPECT_EQ(dir.read("s.ini"), "[s]\nk=first\n");
}

TEST(settings_file, a_write_protected_file_raises_and_stays_as_it_was) {
    temp_dir dir;
    dir.write("s.ini", "[s]\nk=1\n");
    std::filesystem::permissions(dir.file("s.ini"), std::filesystem::perms::owner_read);
    ini_file file(dir.file("s.ini"));
    try {
        file.write_integer("s", "k", 2);
        FAIL() << "the write went through";
    } catch (const settings_write_error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.file("s.ini"));
    }
    EXPECT_EQ(dir.read("s.ini"), "[s]\nk=1\n");
    EXPECT_EQ(file.read_integer("s", "k", 0), 1);
}

// A disk that fills up half-way through a save: the file size limit makes the
// write of the temporary file fail after its first bytes.
TEST(settings_file, a_save_failing_half_way_leaves_the_old_file_whole) {
    temp_dir dir;
    const std::string old_content = "[s]\nk=1\n";
    dir.write("s.ini", old_content);
    ini_file file(dir.file("s.ini"));

    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(file.write_string("s", "big", std::string(1000, 'v')), settings_write_error);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previous_handler);

    EXPECT_EQ(dir.read("s.ini"), old_content);
    EXPECT_EQ(file.read_string("s", "big", "absent"), "absent");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1u) << "the temporary file was left behind";

    file.write_integer("s", "k", 5); // and the next save works
    EXPECT_EQ(dir.read("s.ini"), "[s]\nk=5\n");
}

} // namespace
