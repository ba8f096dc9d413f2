#include "settings/settings_file.h"
#include "text/number_text.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "tests/fixtures/file_size_limit.h"
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
    {
        const file_size_limit disk_full(64);
        EXPECT_THROW(file.write_string("s", "big", std::string(1000, 'v')), settings_write_error);
    }
    EXPECT_EQ(dir.read("s.ini"), old_content);
    EXPECT_EQ(file.read_string("s", "big", "absent"), "absent");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"s.ini"}) << "the temporary file was left behind";

    file.write_integer("s", "k", 5); // and the next save works
    EXPECT_EQ(dir.read("s.ini"), "[s]\nk=5\n");
}

// A save sequence leaves the disk alone until its commit, which replaces the
// file with what the same writes one by one would have made.
TEST(settings_file, a_save_sequence_writes_the_file_once_at_its_commit) {
    temp_dir dir;
    const std::string old_content = "; kept\n[one]\na=1\nb=2\n\n[two]\nx=y\n";
    dir.write("s.ini", old_content);
    dir.write("one_by_one.ini", old_content);
    ini_file file(dir.file("s.ini"));
    ini_file one_by_one(dir.file("one_by_one.ini"));
    const auto write_all = [](ini_file& f) {
        f.write_integer("one", "b", 20);
        f.write_string("one", "c", "new");
        f.write_bool("three", "flag", true);
        f.write_float("two", "r", 0.25);
        f.write_string("one", "c", "newer");
    };
    file.begin_save();
    EXPECT_TRUE(file.saving());
    write_all(file);
    write_all(one_by_one);
    // Reads see what the sequence wrote; the disk does not yet.
    EXPECT_EQ(file.read_integer("one", "b", 0), 20);
    EXPECT_EQ(file.read_string("one", "c", ""), "newer");
    EXPECT_EQ(dir.read("s.ini"), old_content);

    file.commit();
    EXPECT_FALSE(file.saving());
    EXPECT_EQ(dir.read("s.ini"), dir.read("one_by_one.ini"));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"one_by_one.ini", "s.ini"}));
    file.commit(); // nothing open: nothing happens
    EXPECT_EQ(dir.read("s.ini"), dir.read("one_by_one.ini"));
}

// All or nothing: a sequence whose commit fails, or that is never committed,
// leaves the old file whole with none of its keys.
TEST(settings_file, a_save_sequence_that_fails_or_is_abandoned_leaves_the_old_file) {
    temp_dir dir;
    const std::string old_content = "[s]\nk=1\n";
    dir.write("s.ini", old_content);
    {
        ini_file abandoned(dir.file("s.ini"));
        abandoned.begin_save();
        abandoned.write_integer("s", "k", 2);
        abandoned.write_string("t", "new", "x");
    }
    EXPECT_EQ(dir.read("s.ini"), old_content);

    ini_file file(dir.file("s.ini"));
    file.begin_save();
    for (int n = 0; n < 50; ++n) file.write_integer("s", "key_" + std::to_string(n), n);
    {
        const file_size_limit disk_full(64);
        try {
            file.commit();
            FAIL() << "the commit went through";
        } catch (const settings_write_error& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.file("s.ini"));
        }
    }
    EXPECT_EQ(dir.read("s.ini"), old_content);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"s.ini"}) << "the temporary file was left behind";
    EXPECT_FALSE(file.saving());
    EXPECT_EQ(file.read_integer("s", "key_0", -1), -1); // the object is as before the sequence

    std::filesystem::permissions(dir.file("s.ini"), std::filesystem::perms::owner_read);
    file.begin_save();
    file.write_integer("s", "k", 3); // a write inside a sequence does not raise
    EXPECT_THROW(file.commit(), settings_write_error);
    EXPECT_EQ(dir.read("s.ini"), old_content);

    std::filesystem::permissions(dir.file("s.ini"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    file.begin_save(); // and the next save works
    file.write_integer("s", "k", 4);
    file.commit();
    EXPECT_EQ(dir.read("s.ini"), "[s]\nk=4\n");
}

} // namespace
