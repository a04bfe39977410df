#include "RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <unistd.h>

namespace platform {

namespace {

bool isPrivateFolderOfUser(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink() || info.ownerId() != ::getuid())
        return false;
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return (info.permissions() & others) == 0;
}

} // namespace

QString userRuntimeFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && isPrivateFolderOfUser(runtime))
        return runtime;

    const QString fallback = QDir::tempPath() + QStringLiteral("/mendra-runtime-") + QString::number(::getuid());
    QDir().mkpath(fallback);
    QFile::setPermissions(fallback, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A folder planted by someone else under the same name must not be trusted.
    return isPrivateFolderOfUser(fallback) ? fallback : QString();
}

QString safeFileName(const QString& name) {
    // Percent-encoding keeps distinct names distinct; '.' is encoded too so "." and ".." cannot
    // name a folder.
    return QString::fromLatin1(QUrl::toPercentEncoding(name, QByteArray(), "."));
}

} // namespace platform
