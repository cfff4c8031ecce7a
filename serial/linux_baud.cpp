// Deliberately free of <termios.h>: <asm/termbits.h> redefines its types and constants.
#include "serial/linux_baud.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace serial_detail {

bool SetExactBaudRate(int fd, uint32_t baud) {
    if (baud == 0) // B0 would hang up the line, not set a speed
        return false;
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    // CIBAUD cleared: the input speed follows the output speed.
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = baud;
    tio.c_ospeed = baud;
    return ioctl(fd, TCSETS2, &tio) == 0;
}

bool GetExactBaudRate(int fd, uint32_t& baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return false;
    baud = tio.c_ospeed;
    return true;
}

} // namespace serial_detail
