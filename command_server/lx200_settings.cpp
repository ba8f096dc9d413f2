#include "command_server/lx200_settings.h"

#include "settings/settings_file.h"

namespace {

constexpr const char* section = "lx200";

} // namespace

void lx200_settings::load(const ini_file& file) {
    const lx200_settings defaults;
    enabled = file.read_bool(section, "enabled", defaults.enabled);
    address = file.read_string(section, "address", defaults.address);
    port = file.read_integer(section, "port", defaults.port);
    if (port < 0 || port > 65535) port = defaults.port;
    mount_mode = file.read_string(section, "mount_mode", defaults.mount_mode).substr(0, 1);
    high_precision = file.read_bool(section, "high_precision", defaults.high_precision);
    position_age = file.read_integer(section, "position_age", defaults.position_age);
    if (position_age < 0) position_age = defaults.position_age;
}

void lx200_settings::save(ini_file& file) const {
    file.write_bool(section, "enabled", enabled);
    file.write_string(section, "address", address);
    file.write_integer(section, "port", port);
    file.write_string(section, "mount_mode", mount_mode);
    file.write_bool(section, "high_precision", high_precision);
    file.write_integer(section, "position_age", position_age);
}
