#include "scope_link/serial_port_names.h"

#include "settings/settings_file.h"
#include "text/trim.h"

namespace {

constexpr std::string_view section = "serial_devices";

std::string key_of(int number) { return "COM" + std::to_string(number); }

std::string default_path(int number) { return "/dev/ttyS" + std::to_string(number - 1); }

}  // namespace

std::string trim_port_text(std::string_view text) {
    return std::string(trim(text, trim_rule::controls_and_blanks));
}

bool is_known_port_text(std::string_view trimmed) {
    return !trimmed.empty() && known_port_texts.find(trimmed) != std::string_view::npos;
}

std::string repair_port_text(std::string text) {
    if (text.size() < 4) return "COM1";
    const char digit = text[3];
    const int number = digit >= '0' && digit <= '9' ? digit - '0' : 1;
    return number > 8 ? "COM1" : text;
}

serial_port_map::serial_port_map() {
    for (int n = 1; n <= 8; ++n) paths_[n - 1] = default_path(n);
}

void serial_port_map::load(const ini_file& file) {
    for (int n = 1; n <= 8; ++n) paths_[n - 1] = file.read_string(section, key_of(n), default_path(n));
}

void serial_port_map::save(ini_file& file) const {
    for (int n = 1; n <= 8; ++n) file.write_string(section, key_of(n), paths_[n - 1]);
}

std::optional<std::string> serial_port_map::device_path(std::string_view port_text) const {
    for (int n = 1; n <= 8; ++n)
        if (port_text == key_of(n)) return paths_[n - 1];
    return std::nullopt;
}

void serial_port_map::set_device_path(int number, std::string path) {
    if (number >= 1 && number <= 8) paths_[number - 1] = std::move(path);
}
