#include "VolumeNotice.h"

QString RemovedVolumeLetter(quint32 unitMask, quint16 volumeFlags) {
    if (volumeFlags != 0 && volumeFlags != VolumeFlagMedia)
        return QString();
    constexpr int driveCount = 26;
    for (int n = 0; n < driveCount; ++n) {
        if (unitMask & (1u << n))
            return QString(QChar('A' + n));
    }
    return QString();
}
