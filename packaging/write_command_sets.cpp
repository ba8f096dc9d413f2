// Writes the built-in command sets, lx200.ini and autostar.ini, into the
// folder given, for the install: a user copies one into program_dir to
// change a command of the telescope. Run by the build.
#include <iostream>
#include <string>

#include "scope_link/command_set_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_command_sets FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '/') folder += '/';
    try {
        write_escape_scopes(folder);
    } catch (const std::exception& failed) {
        std::cerr << "write_command_sets: " << failed.what() << "\n";
        return 1;
    }
    return 0;
}
