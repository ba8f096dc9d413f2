#include "settings/configuration_settings.h"

#include "settings/settings_file.h"

namespace {
constexpr const char* section = "config";
}

void configuration_settings::load(const ini_file& file) {
    *this = configuration_settings{};
    scope_enabled = file.read_bool(section, "scope_enabled", true);
    century_bug = file.read_bool(section, "century_bug", false);
    seconds_bug = file.read_bool(section, "seconds_bug", false);
    const int type = file.read_integer(section, "scope_type", lx200);
    scope_type = (type == lx200 || type == autostar) ? std::uint16_t(type) : lx200;
}

void configuration_settings::save(ini_file& file) const {
    file.write_bool(section, "scope_enabled", scope_enabled);
    file.write_bool(section, "century_bug", century_bug);
    file.write_bool(section, "seconds_bug", seconds_bug);
    file.write_integer(section, "scope_type", scope_type);
}
