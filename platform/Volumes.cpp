#include "Volumes.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace platform {

namespace {

VolumeInfo fromStorage(const QStorageInfo& storage) {
    VolumeInfo volume;
    volume.rootPath = storage.rootPath();
    volume.device = QString::fromLocal8Bit(storage.device());
    volume.fileSystemType = QString::fromLatin1(storage.fileSystemType());
    volume.name = storage.name();
    volume.bytesTotal = storage.bytesTotal();
    volume.bytesAvailable = storage.bytesAvailable();
    volume.blockSize = storage.blockSize();
    return volume;
}

} // namespace

bool volumeOf(const QString& path, VolumeInfo* volume) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    const QStorageInfo storage(path);
    if (!storage.isValid() || !storage.isReady())
        return false;
    *volume = fromStorage(storage);
    return true;
}

QList<VolumeInfo> mountedVolumes() {
    QList<VolumeInfo> volumes;
    const auto all = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& storage : all) {
        if (storage.isValid() && storage.isReady())
            volumes << fromStorage(storage);
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const VolumeInfo& a, const VolumeInfo& b) { return a.rootPath < b.rootPath; });
    return volumes;
}

bool isOpticalVolume(const VolumeInfo& volume) {
    // /dev/sr0, /dev/scd0 and the usual /dev/cdrom, /dev/dvd links to them.
    const QString deviceName = QFileInfo(volume.device).fileName();
    if (volume.device.startsWith(QLatin1String("/dev/"))) {
        for (const char* prefix : {"sr", "scd", "cdrom", "dvd"}) {
            if (deviceName.startsWith(QLatin1String(prefix)))
                return true;
        }
    }
    const QString type = volume.fileSystemType.toLower();
    return type == QLatin1String("iso9660") || type == QLatin1String("udf");
}

bool isFatVolume(const VolumeInfo& volume) {
    const QString type = volume.fileSystemType.toLower();
    return type == QLatin1String("vfat") || type == QLatin1String("msdos") || type == QLatin1String("fat32");
}

} // namespace platform
