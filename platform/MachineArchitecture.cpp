#include "MachineArchitecture.h"

#include <QRegularExpression>
#include <QSysInfo>

namespace platform {

QString packageArchitectureFor(const QString& machine) {
    if (machine == QLatin1String("x86_64") || machine == QLatin1String("amd64"))
        return QStringLiteral("amd64");
    static const QRegularExpression x86(QStringLiteral("^i[3-6]86$"));
    if (x86.match(machine).hasMatch())
        return QStringLiteral("i386");
    if (machine == QLatin1String("aarch64") || machine == QLatin1String("arm64"))
        return QStringLiteral("arm64");
    return machine;
}

QString packageArchitecture() {
    return packageArchitectureFor(QSysInfo::currentCpuArchitecture());
}

bool IsNativeOs64() {
    return packageArchitecture() == QLatin1String("amd64");
}

} // namespace platform
