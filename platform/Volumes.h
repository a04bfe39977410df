#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace platform {

// What the program needs to know of a mounted volume. Linux has no drive letters: a volume is
// named by the folder it is mounted on.
struct VolumeInfo {
    QString rootPath;       // mount point, e.g. "/media/user/DISC"
    QString device;         // block device, e.g. "/dev/sr0"
    QString fileSystemType; // as the kernel names it: "ext4", "vfat", "iso9660", "udf"...
    QString name;           // the volume label; "" when it has none
    qint64 bytesTotal = -1;
    qint64 bytesAvailable = -1; // to the current user
    int blockSize = -1;
};

// The volume that holds an existing path; false (and the record untouched) for an empty or
// missing path or a volume that is not ready.
bool volumeOf(const QString& path, VolumeInfo* volume);

// Every mounted, ready volume, sorted by mount point.
QList<VolumeInfo> mountedVolumes();

// A CD, DVD or Blu-ray disc: an sr/scd device, or an ISO 9660 / UDF file system (which also
// covers a disc image mounted through a loop device).
bool isOpticalVolume(const VolumeInfo& volume);

// A volume with a FAT file system, whose files cannot reach 4 GiB.
bool isFatVolume(const VolumeInfo& volume);

} // namespace platform
