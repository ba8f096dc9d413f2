// The serial line's framing and speed, and the device-control string that
// sets them: "baud=9600 parity=N data=8 stop=1".
#pragma once

#include <array>
#include <string_view>

struct line_settings {
    int baud = 9600;
    char parity = 'N';  // 'N', 'E' or 'O'
    int data_bits = 8;  // 4 to 8; a device may refuse some of them
    int stop_bits = 1;  // 1 or 2

    friend bool operator==(const line_settings&, const line_settings&) = default;
};

// The rates from 110 to 115200 that a device-control string may ask for:
// those serial drivers know by name, and the modem rates 14400 and 56000,
// which a driver takes as arbitrary rates.
inline constexpr std::array<int, 17> standard_baud_rates = {
    110,  134,  150,   200,   300,   600,   1200,  1800,  2400,
    4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200};

// Applies the blank-separated key=value items of text to settings. Keys are
// baud, parity, data and stop, in any case and order; a key left out keeps its
// value, and a key given twice takes the last. Returns false, and leaves
// settings alone, for an empty text, an unknown key, a malformed value, a rate
// that is not standard, a parity other than N, E or O, data bits outside 4-8
// or stop bits other than 1 or 2.
bool apply_device_control(std::string_view text, line_settings& settings);
