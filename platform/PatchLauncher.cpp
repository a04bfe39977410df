#include "PatchLauncher.h"

#include <QDir>

namespace platform {

QString patchLauncherPath(const QString& programFolder) {
    if (programFolder.isEmpty())
        return QString();
    return QDir::cleanPath(programFolder + QStringLiteral("/Launch"));
}

QString patchRulesPlatformName() {
    return QStringLiteral("linux");
}

} // namespace platform
