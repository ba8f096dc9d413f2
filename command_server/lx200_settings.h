// The LX200 endpoint's keys in the section "lx200" of server.ini: whether it
// serves, where, and how it answers. Read at start, written at shut-down;
// off in a fresh file.
#pragma once

#include <string>

class ini_file;

struct lx200_settings {
    bool enabled = false;
    std::string address = "127.0.0.1";
    int port = 4030; // SkySafari's default
    // The answer to ACK; empty: "P" for an LX200, "A" for an AutoStar.
    std::string mount_mode;
    // The precision of the texts at start, until a client sends ":U#".
    bool high_precision = true;
    // How old a position may be and still answer a client's poll, in ms.
    int position_age = 250;

    void load(const ini_file& file);
    // Raises settings_write_error.
    void save(ini_file& file) const;
};
