#include "COS.h"

#include "ComponentLog.h"

#include "app/MyConfig.h"
#include "platform/SupportSoftwareFolders.h"
#include "platform/SystemRoot.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

#include <memory>

namespace {

bool IsExecutableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

COS* COS::Instance() {
    static const std::unique_ptr<COS> instance(new COS);
    return instance.get();
}

COS::COS() {
    locateAll();
}

QString COS::SettingsKey() {
    return QStringLiteral("UsbmuxdPath");
}

bool COS::locateAll() {
    const QString daemon = findSupportDaemon();
    QMutexLocker lock(&m_mutex);
    m_daemon = daemon;
    return !m_daemon.isEmpty();
}

QString COS::supportDaemon() const {
    QMutexLocker lock(&m_mutex);
    return m_daemon;
}

QString COS::supportDir() const {
    const QString daemon = supportDaemon();
    return daemon.isEmpty() ? QString() : QFileInfo(daemon).absolutePath();
}

QString COS::findSupportDaemon() const {
    const QString name = platform::supportDaemonName();
    const QString configured = gConfig ? gConfig->ReadValue(SettingsKey(), QString()).trimmed() : QString();
    if (!configured.isEmpty()) {
        const QString path = platform::underSystemRoot(configured);
        if (QDir::isAbsolutePath(configured) && IsExecutableFile(path)) {
            ComponentLog::Debug(name + QStringLiteral(" is found in the settings: ") + path);
            return path;
        }
        ComponentLog::Debug(name + QStringLiteral(" is not found where the settings say: ") + path);
    }
    for (const QString& folder : platform::supportSoftwareFolders()) {
        const QString path = folder + QLatin1Char('/') + name;
        if (IsExecutableFile(path)) {
            ComponentLog::Debug(name + QStringLiteral(" is found: ") + path);
            return path;
        }
    }
    ComponentLog::Debug(QStringLiteral("Has tried all methods, but can not find ") + name + QStringLiteral(" under ") +
                        platform::systemRoot());
    return QString();
}
