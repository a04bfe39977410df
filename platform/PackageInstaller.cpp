#include "PackageInstaller.h"

#include "ProgramFolder.h"

#include <QFileInfo>

namespace platform {

namespace {

QString& installProgram() {
    static QString path;
    return path;
}

} // namespace

QString packageInstallProgram() {
    const QString& path = installProgram();
    return path.isEmpty() ? programFolder() + QStringLiteral("/mendra-install-package") : path;
}

void setPackageInstallProgram(const QString& path) {
    installProgram() = path;
}

CommandLine packageInstallCommand(const QString& packageFile, const QByteArray& sha256) {
    return {packageInstallProgram(), {QFileInfo(packageFile).absoluteFilePath(), QString::fromLatin1(sha256)}};
}

} // namespace platform
