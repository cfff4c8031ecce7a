#pragma once

// Pseudo-terminal helpers for the serial benchmarks.

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

struct BenchPty {
    int master = -1;
    int slave = -1;
    std::string slavePath;

    BenchPty() {
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
    ~BenchPty() {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }
    BenchPty(const BenchPty&) = delete;
    BenchPty& operator=(const BenchPty&) = delete;
};

// Writes `total` bytes of the pattern 0, 1, ..., 255, 0, ... to `fd`. Returns the bytes written.
inline uint64_t Flood(int fd, uint64_t total, const std::atomic<bool>& stop) {
    std::vector<uint8_t> pattern(64 * 1024);
    for (size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<uint8_t>(i);
    uint64_t done = 0;
    while (done < total && !stop) {
        const size_t offset = done % pattern.size(); // pattern size is a multiple of 256
        const size_t chunk = std::min<uint64_t>(pattern.size() - offset, total - done);
        const ssize_t n = ::write(fd, pattern.data() + offset, chunk);
        if (n > 0)
            done += static_cast<uint64_t>(n);
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            break;
    }
    return done;
}

// Peak resident memory of the process, in KiB; ResetPeakMemory starts a new peak.
inline long PeakMemoryKiB() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    std::fclose(status);
    return kib;
}

inline void ResetPeakMemory() {
    FILE* refs = std::fopen("/proc/self/clear_refs", "w");
    if (refs == nullptr)
        return;
    std::fputs("5", refs);
    std::fclose(refs);
}
