#include "platform/serial_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool set_arbitrary_rate(int fd, int baud) {
    if (baud <= 0) return false;
    termios2 settings{};
    if (::ioctl(fd, TCGETS2, &settings) != 0) return false;
    // BOTHER in both speed fields: the kernel takes the speeds from
    // c_ispeed and c_ospeed instead of the B constant.
    settings.c_cflag &= ~(CBAUD | CIBAUD);
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = static_cast<speed_t>(baud);
    settings.c_ospeed = static_cast<speed_t>(baud);
    return ::ioctl(fd, TCSETS2, &settings) == 0;
}

std::optional<serial_rates> read_serial_rates(int fd) {
    termios2 settings{};
    if (::ioctl(fd, TCGETS2, &settings) != 0) return std::nullopt;
    return serial_rates{static_cast<int>(settings.c_ispeed), static_cast<int>(settings.c_ospeed)};
}
