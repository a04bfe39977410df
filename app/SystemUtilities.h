#pragma once

#include "platform/ElevatedRunner.h"
#include "platform/Volumes.h"

#include <QMap>
#include <QString>
#include <QStringList>

// Process, shell and system services. They keep no state, report failure only by their result
// and write no log.

// Starts the program with administrator rights and the arguments followed by "/adminoption" "1";
// does not wait. True when it was started.
bool RunElevated(const QString& program, const QStringList& arguments,
                 const platform::ElevatedRunner& runner = platform::ElevatedRunner());

// Runs the program with administrator rights and waits; its exit code, or -1 when it did not run.
int RunElevatedAndWait(const QString& program, const QStringList& arguments,
                       const platform::ElevatedRunner& runner = platform::ElevatedRunner());

// Shows a file selected in its folder, or opens a folder; true when the path exists.
bool ShowInFileManager(const QString& path);

// Opens a file (or folder) with the desktop's program for it; false when nothing exists there.
bool OpenWithShell(const QString& path);

// The program's named mutex, held from creation until release or the end of the process.
void CreateNamedMutex(const QString& name);
void ReleaseNamedMutex(const QString& name);

// "a.b.c.d" from the version block of one of our binaries, or "".
QString GetFileVersion(const QString& filePath);

// Bytes free for the user / total on the volume of the path; -1 when the query fails (an empty
// or missing path), so a failure does not read as a full disk.
qint64 GetDiskFreeBytes(const QString& path);
qint64 GetDiskTotalBytes(const QString& path);

// Space of a volume in the units its file system counts in: blocks of one "sector" each.
struct DiskFreeInfo {
    quint64 totalClusters = 0;
    quint64 availableClusters = 0; // to the current user
    quint32 sectorsPerCluster = 0;
    quint32 bytesPerSector = 0;
};

// Fills the record for the volume that holds the path (there are no drive letters to name a
// volume by); false, with the record untouched, for an empty or missing path.
bool GetDiskFree(const QString& path, DiskFreeInfo* info);

// The label of the volume that holds the path, made fit for a file name; "" when it has none or
// the path does not exist.
QString VolumeLabel(const QString& path);

// Whether the path lies on a CD, DVD or Blu-ray disc (or a mounted disc image).
bool IsOpticalDrive(const QString& path);

// How a disc is shown: its mount point with a trailing separator, followed by its label unless
// the mount point's folder already bears that name ("/media/u/DISC/", "/mnt/cd/DISC").
QString OpticalDriveName(const platform::VolumeInfo& volume);

// The trimmed, cleaned path; for a path on a labelled disc, the disc's OpticalDriveName instead.
QString OpticalDriveDisplayPath(const QString& path);
QString OpticalDriveDisplayPath(const QString& path, const platform::VolumeInfo& volume);

// OpticalDriveName of each mounted disc, by mount point.
QStringList ListOpticalDrives();
QStringList ListOpticalDrives(const QList<platform::VolumeInfo>& volumes);

// Whether the path lies on a FAT volume (vfat), where no file may reach 4 GiB; false for an
// empty or missing path.
bool IsFat32Volume(const QString& path);

// Asks the system to power off ("/usr/bin/systemctl poweroff" with administrator rights: the system's own
// systemctl, below MENDRA_SYSTEM_ROOT when that is set) and waits for the request to be taken; true when
// it was. Blocks while the user is asked for the rights.
bool PowerOffSystem(const platform::ElevatedRunner& runner = platform::ElevatedRunner());

// The desktop proxy: "HostName", "Port" and "ProxyEnable" ("1" when switched on).
QMap<QString, QString> ReadSystemProxy();

// True on a 64-bit x86 system.
bool Is64BitSystem();
