#pragma once

// A flood of bytes through a pseudo-terminal, for the benchmarks and the soak tests. No Qt:
// the serial benchmarks use it without the window.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

// A pseudo-terminal pair in raw mode with blocking descriptors; the far end writes on master.
struct RawPty {
    int master = -1;
    int slave = -1;
    std::string slavePath;

    RawPty() {
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
            std::perror("openpty");
            return;
        }
        slavePath = ::ptsname(master);
        termios tio{};
        ::tcgetattr(slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ~RawPty() {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;
};

// Writes up to `total` bytes of the counting pattern 0, 1, ..., 255, 0, ... to `fd`, until
// `stop` is set; waits while a non-blocking descriptor is full. Returns the bytes written.
inline uint64_t Flood(int fd, uint64_t total, const std::atomic<bool>& stop) {
    std::vector<uint8_t> pattern(64 * 1024);
    for (size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<uint8_t>(i);
    uint64_t done = 0;
    while (done < total && !stop) {
        const size_t offset = done % pattern.size(); // pattern size is a multiple of 256
        const size_t chunk = std::min<uint64_t>(pattern.size() - offset, total - done);
        const ssize_t n = ::write(fd, pattern.data() + offset, chunk);
        if (n > 0) {
            done += static_cast<uint64_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd entry{fd, POLLOUT, 0};
            ::poll(&entry, 1, 20);
        } else if (!(n < 0 && errno == EINTR)) {
            break;
        }
    }
    return done;
}
