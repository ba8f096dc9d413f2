#include "shell/desktop_module.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

#include "orb_build_info.h"

namespace {

// Where the module may be, relative to the executable's folder, in the order
// tried: the build leaves it beside orb_server; cmake --install and the
// package put it in the program's own folder under lib/.
constexpr const char* module_places[] = {"orb_qt_view.so", orb_installed_view_module};

} // namespace

bool display_available() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

view_module load_view_module(const std::string& executable_dir) {
    for (const char* place : module_places) {
        const std::string path = executable_dir + place;
        std::error_code error;
        if (!std::filesystem::exists(path, error)) continue;
        // Never closed: Qt keeps threads and exit handlers of its own.
        void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            const char* why = ::dlerror();
            return {nullptr, "orb_server: the desktop view " + path + " does not load (" + (why ? why : "?") +
                                 "); start it with --headless"};
        }
        void* entry = ::dlsym(library, forms::view_entry_name);
        if (!entry)
            return {nullptr, "orb_server: " + path + " is no desktop view (it has no " + forms::view_entry_name +
                                 "); start it with --headless"};
        return {reinterpret_cast<forms::view_entry*>(entry), {}};
    }
    return {nullptr, std::string("orb_server: the windows need the desktop view (") + module_places[0] +
                         " beside orb_server in " + executable_dir + ", or " + executable_dir + module_places[1] +
                         "), which is not installed; install the package orb-server-desktop or build it with Qt 6, "
                         "or start it with --headless"};
}
