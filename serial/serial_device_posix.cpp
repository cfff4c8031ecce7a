#include "serial/serial_device.h"

#include "serial/line_settings.h"
#include "serial/linux_baud.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

namespace serial_detail {

std::string SystemReason(int error, const std::string& path) {
    return std::string(std::strerror(error)) + ": " + path;
}

OpenResult OpenSerialDevice(const std::string& path) {
    OpenResult result;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        result.failure = error == EISDIR ? OpenFailure::NotCharDevice : OpenFailure::CannotOpen;
        result.reason = SystemReason(error, path);
        return result;
    }
    auto fail = [&](OpenFailure failure, int error) {
        ::close(fd);
        result.failure = failure;
        result.reason = SystemReason(error, path);
        return result;
    };
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return fail(OpenFailure::CannotOpen, errno);
    if (!S_ISCHR(status.st_mode))
        return fail(OpenFailure::NotCharDevice, ENOTTY);
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return fail(OpenFailure::NotSerial, errno);
    // The advisory lock keeps out a second open by this or another program even for root, whom
    // the kernel's exclusive flag does not stop.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(OpenFailure::CannotOpen, errno == EWOULDBLOCK ? EBUSY : errno);
    ::ioctl(fd, TIOCEXCL);
    result.fd = fd;
    return result;
}

void CloseDevice(int fd) {
    if (fd < 0)
        return;
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

void PurgeDevice(int fd, bool input, bool output) {
    if (input && output)
        ::tcflush(fd, TCIOFLUSH);
    else if (input)
        ::tcflush(fd, TCIFLUSH);
    else if (output)
        ::tcflush(fd, TCOFLUSH);
}

void ApplyDeviceSettings(int fd, const LineSettings& settings, bool& rs485Enabled) {
    termios current{};
    if (::tcgetattr(fd, &current) != 0)
        return;
    const termios wanted = MapLineSettings(current, settings);
    ::tcsetattr(fd, TCSANOW, &wanted);
    SetExactBaudRate(fd, settings.baudRate);

    const ModemLineChange lines = MapModemLines(settings);
    if (lines.raise != 0)
        ::ioctl(fd, TIOCMBIS, &lines.raise);
    if (lines.drop != 0)
        ::ioctl(fd, TIOCMBIC, &lines.drop);

    // RTS on while transmitting is the driver's RS-485 mode, where the driver has one.
    const bool wantRs485 = settings.rtsControl == TRtsControl::RtsTransmissionAvailable;
    if (wantRs485 != rs485Enabled) {
        serial_rs485 rs485{};
        if (::ioctl(fd, TIOCGRS485, &rs485) == 0) {
            if (wantRs485)
                rs485.flags = (rs485.flags | SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND) &
                              ~SER_RS485_RTS_AFTER_SEND;
            else
                rs485.flags &= ~SER_RS485_ENABLED;
            if (::ioctl(fd, TIOCSRS485, &rs485) == 0)
                rs485Enabled = wantRs485;
        }
    }
}

bool ReadLineCounters(int fd, LineCounters& counters) {
    serial_icounter_struct icount{};
    if (::ioctl(fd, TIOCGICOUNT, &icount) != 0)
        return false;
    counters.rng = icount.rng;
    counters.dcd = icount.dcd;
    counters.frame = icount.frame;
    counters.overrun = icount.overrun;
    counters.parity = icount.parity;
    counters.brk = icount.brk;
    counters.bufOverrun = icount.buf_overrun;
    return true;
}

uint32_t LineErrorFlags(const LineCounters& before, const LineCounters& after) {
    uint32_t flags = 0;
    if (after.bufOverrun != before.bufOverrun)
        flags |= 0x01; // CE_RXOVER
    if (after.overrun != before.overrun)
        flags |= 0x02; // CE_OVERRUN
    if (after.parity != before.parity)
        flags |= 0x04; // CE_RXPARITY
    if (after.frame != before.frame)
        flags |= 0x08; // CE_FRAME
    if (after.brk != before.brk)
        flags |= 0x10; // CE_BREAK
    return flags;
}

uint32_t ModemEventBits(const LineCounters& before, const LineCounters& after) {
    uint32_t bits = 0;
    if (after.dcd != before.dcd)
        bits |= 8;
    if (after.rng != before.rng)
        bits |= 4;
    return bits;
}

int CreateSignal() {
    return ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

void RaiseSignal(int fd) {
    const uint64_t one = 1;
    while (::write(fd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void ClearSignal(int fd) {
    uint64_t value = 0;
    while (::read(fd, &value, sizeof value) < 0 && errno == EINTR) {
    }
}

bool IsSignalled(int fd) {
    pollfd entry{fd, POLLIN, 0};
    int ready;
    while ((ready = ::poll(&entry, 1, 0)) < 0 && errno == EINTR) {
    }
    return ready > 0;
}

void CloseSignal(int fd) {
    if (fd >= 0)
        ::close(fd);
}

void RaiseThreadPriority(int steps) {
    const pid_t tid = static_cast<pid_t>(::syscall(SYS_gettid));
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
    if (errno != 0)
        return;
    // Without CAP_SYS_NICE (or an RLIMIT_NICE allowance) this fails and nothing changes.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice - steps);
}

} // namespace serial_detail
