// The port texts "COM1" ... "COM8" the comms panel offers, and the Linux
// device each stands for, kept in the section "serial_devices" of server.ini.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

class ini_file;

// What connecting accepts: a non-empty piece of this text.
inline constexpr std::string_view known_port_texts = "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8";

// The port text with blanks and control characters removed at both ends.
std::string trim_port_text(std::string_view text);
bool is_known_port_text(std::string_view trimmed);

// The comport key's repair when loaded: shorter than 4 characters, or a
// fourth character (a digit, else taken as 1) above 8, gives "COM1".
std::string repair_port_text(std::string text);

class serial_port_map {
public:
    serial_port_map();
    void load(const ini_file& file);
    void save(ini_file& file) const;
    // The device of "COM1" ... "COM8"; nothing for any other text.
    std::optional<std::string> device_path(std::string_view port_text) const;
    void set_device_path(int number, std::string path);  // number 1 to 8

private:
    std::array<std::string, 8> paths_;
};
