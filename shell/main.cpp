// orb_server: the telescope server's entry point.
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "scope_link/command_set_files.h"
#include "shell/configuration_settings.h"
#include "shell/settings_file.h"

namespace {

std::string executable_dir(const char* argv0) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) path = std::filesystem::absolute(argv0);
    return path.parent_path().string() + "/";
}

} // namespace

int main(int argc, char** argv) {
    std::string program_dir = executable_dir(argv[0]);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
            program_dir = std::filesystem::absolute(argv[++i]).string();
            if (program_dir.back() != '/') program_dir += '/';
        }
    }

    configuration_settings config;
    config.load(ini_file(program_dir + "server.ini"));
    command_table commands;
    read_escape_scopes(commands, program_dir, config.scope_type);

    std::cout << "orb_server: settings and command set loaded from " << program_dir << "\n"
              << "  model " << (config.scope_type == configuration_settings::lx200 ? "LX200" : "AutoStar")
              << ", " << (config.scope_enabled ? "scope enabled" : "built-in test scope") << ", "
              << commands.records().size() << " commands\n"
              << "The server itself is not built yet: nothing listens, and the program stops here.\n";
    return 0;
}
