#pragma once

// The descriptors the soak tests' own process holds, from /proc/self. Linux only, as the serial
// component is.

#include <QDir>

// Descriptors open in this process now.
inline int OpenDescriptorCount() {
    // The listing opens one descriptor of its own; it is counted every time, so counts compare.
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}
