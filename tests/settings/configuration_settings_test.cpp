#include "settings/configuration_settings.h"

#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "tests/fixtures/temp_dir.h"

namespace {

TEST(configuration_settings, no_settings_file_gives_an_enabled_lx200_without_workarounds) {
    temp_dir dir;
    configuration_settings config;
    EXPECT_EQ(config.scope_type, configuration_settings::autostar); // before loading
    config.load(ini_file(dir.file("server.ini")));
    EXPECT_TRUE(config.scope_enabled);
    EXPECT_FALSE(config.century_bug);
    EXPECT_FALSE(config.seconds_bug);
    EXPECT_EQ(config.scope_type, configuration_settings::lx200);
}

TEST(configuration_settings, a_model_other_than_lx200_or_autostar_is_taken_as_lx200) {
    const std::pair<const char*, int> cases[] = {
        {"0", 1}, {"3", 1}, {"LX200", 1}, {"65538", 1}, {"-1", 1}, {"1", 1}, {"2", 2}, {"0x2", 2}};
    for (const auto& [stored, expected] : cases) {
        temp_dir dir;
        dir.write("server.ini", std::string("[config]\nscope_type=") + stored + "\n");
        configuration_settings config;
        config.load(ini_file(dir.file("server.ini")));
        EXPECT_EQ(config.scope_type, expected) << stored;
        ini_file file(dir.file("server.ini"));
        config.save(file);
        EXPECT_EQ(file.read_string("config", "scope_type", ""), std::to_string(expected));
    }
}

TEST(configuration_settings, load_reads_every_key_and_save_writes_them_in_order) {
    temp_dir dir;
    dir.write("server.ini", "[CONFIG]\nscope_enabled=0\ncentury_bug=1\nseconds_bug=5\n");
    configuration_settings config;
    config.load(ini_file(dir.file("server.ini")));
    EXPECT_FALSE(config.scope_enabled);
    EXPECT_TRUE(config.century_bug);
    EXPECT_TRUE(config.seconds_bug);

    temp_dir fresh;
    ini_file file(fresh.file("server.ini"));
    config.save(file);
    EXPECT_EQ(fresh.read("server.ini"),
              "[config]\nscope_enabled=0\ncentury_bug=1\nseconds_bug=1\nscope_type=1\n");
}

} // namespace
