#include "SupportSoftwareFolders.h"

#include "SystemRoot.h"

#include <QDir>

namespace platform {

QString supportDaemonName() {
    return QStringLiteral("usbmuxd");
}

QStringList supportSoftwareFolders() {
    QStringList folders{underSystemRoot(QStringLiteral("/usr/sbin")),
                        underSystemRoot(QStringLiteral("/usr/local/sbin"))};
    if (systemRootIsOverridden())
        return folders;
    for (const QString& folder : qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // A relative PATH entry would depend on the current folder, which the program sets to its own.
        if (QDir::isAbsolutePath(folder) && !folders.contains(QDir::cleanPath(folder)))
            folders.append(QDir::cleanPath(folder));
    }
    return folders;
}

} // namespace platform
