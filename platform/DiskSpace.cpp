#include "DiskSpace.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace platform {

namespace {

bool readStorage(const QString& path, QStorageInfo* storage) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    storage->setPath(path);
    return storage->isValid() && storage->isReady();
}

} // namespace

qint64 diskFreeBytes(const QString& path) {
    QStorageInfo storage;
    if (!readStorage(path, &storage))
        return -1;
    const qint64 bytes = storage.bytesAvailable();
    return bytes < 0 ? -1 : bytes;
}

qint64 diskTotalBytes(const QString& path) {
    QStorageInfo storage;
    if (!readStorage(path, &storage))
        return -1;
    const qint64 bytes = storage.bytesTotal();
    return bytes < 0 ? -1 : bytes;
}

} // namespace platform
