#include "PackageInstaller.h"

#include "SystemRoot.h"

#include <QFileInfo>

namespace platform {

CommandLine packageInstallCommand(const QString& packageFile) {
    return {underSystemRoot(QStringLiteral("/usr/bin/apt-get")),
            {QStringLiteral("install"), QStringLiteral("-y"), QFileInfo(packageFile).absoluteFilePath()}};
}

} // namespace platform
