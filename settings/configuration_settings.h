// The four program-wide settings that describe the attached telescope. The
// configuration panel owns them, loads them from the section "config" of
// server.ini and saves them at shut-down; the scope link and the command
// processor read them at the moment they need them.
#pragma once

#include <cstdint>

class ini_file;

struct configuration_settings {
    static constexpr std::uint16_t lx200 = 1;
    static constexpr std::uint16_t autostar = 2;

    bool scope_enabled = true;     // false: the built-in test scope answers
    bool century_bug = false;      // azimuth hundreds and tens sent as one character
    bool seconds_bug = false;      // angles are formatted without seconds
    std::uint16_t scope_type = autostar;

    // Starts from the initial values above, then reads the keys; a stored
    // model other than LX200 or AutoStar is taken as LX200.
    void load(const ini_file& file);
    // Writes the keys in their fixed order; raises settings_write_error.
    void save(ini_file& file) const;
};
