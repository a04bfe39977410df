#include "PackageInstaller.h"

#include <QFileInfo>

namespace platform {

CommandLine packageInstallCommand(const QString& packageFile) {
    return {QStringLiteral("apt-get"),
            {QStringLiteral("install"), QStringLiteral("-y"), QFileInfo(packageFile).absoluteFilePath()}};
}

} // namespace platform
