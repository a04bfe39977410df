#include "DesktopShell.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>

namespace platform {

namespace {

const char fileManagerService[] = "org.freedesktop.FileManager1";

// File managers that select a file for others register this session-bus service.
bool askFileManagerToSelect(const QString& filePath) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (!bus.interface()->isServiceRegistered(QLatin1String(fileManagerService)).value())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(fileManagerService),
                                                       QStringLiteral("/org/freedesktop/FileManager1"),
                                                       QLatin1String(fileManagerService), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(filePath).toString()} << QString();
    // Not waiting for the reply keeps the window responsive while the file manager starts.
    return bus.send(call);
}

} // namespace

bool openPath(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool openUrl(const QUrl& url) {
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool showInFileManager(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return false;
    if (info.isDir())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
    if (askFileManagerToSelect(info.absoluteFilePath()))
        return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absolutePath()));
}

} // namespace platform
