#include "DeviceFormat.h"

#include <cmath>

QString DeviceModeName(int mode) {
    static const char* const names[] = {"Normal", "Recovery", "DFU"};
    if (mode < MRModeNormal || mode > MRModeDFU)
        return QString();
    return QString::fromLatin1(names[mode]);
}

QString DeviceEntryText(const QString& name, int mode) {
    if (mode == MRModeRecovery || mode == MRModeDFU)
        return QStringLiteral("%1 [%2]").arg(name, DeviceModeName(mode));
    return name;
}

QString DeviceIdText(quint64 id) {
    return QString::number(id);
}

float ProgressPermille(quint64 done, quint64 total) {
    if (total == 0)
        return 0.0f;
    const float value = std::trunc(float(done) / float(total) * 1000.0f);
    return value > 1000.0f ? 1000.0f : value;
}
