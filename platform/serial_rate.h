// Line speeds through Linux's arbitrary-rate interface (termios2 with BOTHER),
// for rates that have no B constant of their own, such as 14400 and 56000.
// Kept in a file of its own because the kernel's <asm/termbits.h> and the C
// library's <termios.h> define the same names and cannot meet in one file.
#pragma once

#include <optional>

struct serial_rates {
    int input = 0;   // bits per second
    int output = 0;
};

// Sets both speeds of the terminal fd to baud, leaving every other setting
// as it is; false when the driver refuses the request.
bool set_arbitrary_rate(int fd, int baud);

// The speeds the driver holds now, whether they were set by B constant or as
// an arbitrary rate; nothing when fd is no terminal.
std::optional<serial_rates> read_serial_rates(int fd);
