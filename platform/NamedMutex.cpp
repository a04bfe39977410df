#include "NamedMutex.h"

#include "RuntimeFolder.h"

#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>

#include <map>
#include <memory>

namespace platform {

namespace {

QMutex registryMutex;

std::map<QString, std::unique_ptr<QLockFile>>& heldLocks() {
    static std::map<QString, std::unique_ptr<QLockFile>> locks;
    return locks;
}

} // namespace

QString namedMutexPath(const QString& name) {
    const QString folder = userRuntimeFolder();
    if (name.isEmpty() || folder.isEmpty())
        return QString();
    return folder + QStringLiteral("/mutex-") + safeFileName(name) + QStringLiteral(".lock");
}

bool createNamedMutex(const QString& name) {
    const QString path = namedMutexPath(name);
    if (path.isEmpty())
        return false;
    QMutexLocker locker(&registryMutex);
    if (heldLocks().count(name))
        return true;
    auto lock = std::make_unique<QLockFile>(path);
    // Only a dead owner makes the lock stale, never its age: the program may run for weeks.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    heldLocks().emplace(name, std::move(lock));
    return true;
}

void releaseNamedMutex(const QString& name) {
    QMutexLocker locker(&registryMutex);
    heldLocks().erase(name);
}

} // namespace platform
