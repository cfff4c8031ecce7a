#pragma once

// Internal: the operating system's serial and signalling services, as the component and its
// threads need them. Implemented for POSIX/Linux in serial_device_posix.cpp.

#include <cstdint>
#include <string>

namespace serial_detail {

struct LineSettings;

enum class OpenFailure { None, CannotOpen, NotCharDevice, NotSerial };

struct OpenResult {
    int fd = -1;
    OpenFailure failure = OpenFailure::None;
    std::string reason; // "<system text>: <path>" on failure
};

// Opens a serial device for reading and writing: non-blocking, no controlling terminal,
// close-on-exec, and exclusive (the kernel's exclusive flag and an advisory lock).
OpenResult OpenSerialDevice(const std::string& path);
void CloseDevice(int fd);
// Discards what the driver holds in its input and/or output queue.
void PurgeDevice(int fd, bool input, bool output);
// Applies line settings, exact baud rate and modem lines. Refused settings are ignored.
// `rs485Enabled` records whether the driver's RS-485 mode was switched on here.
void ApplyDeviceSettings(int fd, const LineSettings& settings, bool& rs485Enabled);

// Interrupt counters of a UART: where line errors, ring and carrier changes are counted.
struct LineCounters {
    int rng = 0, dcd = 0, frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
};
// False when the driver keeps no counters (pseudo-terminals, many USB adapters).
bool ReadLineCounters(int fd, LineCounters& counters);
uint32_t LineErrorFlags(const LineCounters& before, const LineCounters& after);
uint32_t ModemEventBits(const LineCounters& before, const LineCounters& after);

// A manual-reset signal usable in poll(): an eventfd.
int CreateSignal();
void RaiseSignal(int fd);
void ClearSignal(int fd);
bool IsSignalled(int fd);
void CloseSignal(int fd);

// Raises the calling thread's priority by `steps` nice levels where the account may do so;
// otherwise leaves it unchanged.
void RaiseThreadPriority(int steps);

std::string SystemReason(int error, const std::string& path);

} // namespace serial_detail
