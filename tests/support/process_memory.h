#pragma once

// This process's memory as /proc/self/status tells it. No Qt. Linux only, as the serial
// component is.

#include <cstdio>
#include <cstring>

// A figure of /proc/self/status in KiB: "VmRSS" (resident now) or "VmHWM" (the peak of resident
// memory since the process started or the peak was reset). -1 when it cannot be read.
inline long ProcStatusKiB(const char* field) {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return -1;
    const std::size_t length = std::strlen(field);
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%ld", &kib);
            break;
        }
    }
    std::fclose(status);
    return kib;
}

// Starts a new peak of resident memory from now; false where the kernel refuses.
inline bool ResetPeakMemory() {
    FILE* refs = std::fopen("/proc/self/clear_refs", "w");
    if (refs == nullptr)
        return false;
    const bool written = std::fputs("5", refs) >= 0;
    return std::fclose(refs) == 0 && written;
}
