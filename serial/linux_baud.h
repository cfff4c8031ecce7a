#pragma once

// Internal: exact baud rates through the kernel's termios2 interface. The kernel's termios2
// header clashes with glibc's <termios.h>, so its users live in linux_baud.cpp alone and this
// header exposes plain integers.

#include <cstdint>

namespace serial_detail {

// Sets input and output speed of the tty to `baud` exactly (standard or not). Returns false when
// the driver refuses; the previous speed then stays in force.
bool SetExactBaudRate(int fd, uint32_t baud);

// Reads the output speed of the tty. Returns false when the device is not a tty.
bool GetExactBaudRate(int fd, uint32_t& baud);

} // namespace serial_detail
