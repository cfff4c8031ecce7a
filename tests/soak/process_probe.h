#pragma once

// What the soak tests read about their own process: open descriptors and resident memory, from
// /proc/self. Linux only, as the serial component is.

#include <QByteArray>
#include <QDir>
#include <QFile>

// Descriptors open in this process now.
inline int OpenDescriptorCount() {
    // The listing opens one descriptor of its own; it is counted every time, so counts compare.
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

// A memory figure of /proc/self/status in KiB: "VmRSS" (resident now) or "VmHWM" (the peak of
// resident memory since the process started). -1 when the field cannot be read.
inline qint64 StatusKiB(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = field + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}
