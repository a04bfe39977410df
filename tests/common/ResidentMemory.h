#pragma once

// The test process's resident memory from /proc/self/status, and a reset of its peak, so that a test
// can bound what one step costs.

#include <QFile>
#include <QString>

namespace ResidentMemory {

// A "VmRSS" or "VmHWM" value in kB; -1 when it cannot be read.
inline qint64 StatusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

inline qint64 CurrentMb() {
    return StatusKb("VmRSS") / 1024;
}

// The highest resident size since the process started or since the last ResetPeak().
inline qint64 PeakMb() {
    return StatusKb("VmHWM") / 1024;
}

// Sets the peak back to the current size (Linux 4.0 and later).
inline void ResetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace ResidentMemory
