#include "SystemUtilities.h"

#include "FileUtils.h"

#include "platform/DesktopShell.h"
#include "platform/DiskSpace.h"
#include "platform/FileVersion.h"
#include "platform/NamedMutex.h"
#include "platform/ProxySettings.h"
#include "platform/SystemRoot.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

bool RunElevated(const QString& program, const QStringList& arguments, const platform::ElevatedRunner& runner) {
    return runner.start(program, arguments + QStringList{QStringLiteral("/adminoption"), QStringLiteral("1")});
}

int RunElevatedAndWait(const QString& program, const QStringList& arguments, const platform::ElevatedRunner& runner) {
    return runner.runAndWait(program, arguments);
}

bool ShowInFileManager(const QString& path) {
    return platform::showInFileManager(path);
}

bool OpenWithShell(const QString& path) {
    return platform::openPath(path);
}

void CreateNamedMutex(const QString& name) {
    // A mutex that cannot be had does not stop the program; the single-instance check is elsewhere.
    platform::createNamedMutex(name);
}

void ReleaseNamedMutex(const QString& name) {
    platform::releaseNamedMutex(name);
}

QString GetFileVersion(const QString& filePath) {
    return platform::fileVersion(filePath);
}

qint64 GetDiskFreeBytes(const QString& path) {
    return platform::diskFreeBytes(path);
}

qint64 GetDiskTotalBytes(const QString& path) {
    return platform::diskTotalBytes(path);
}

bool GetDiskFree(const QString& path, DiskFreeInfo* info) {
    platform::VolumeInfo volume;
    if (!platform::volumeOf(path, &volume) || volume.blockSize <= 0 || volume.bytesTotal < 0 ||
        volume.bytesAvailable < 0)
        return false;
    info->totalClusters = quint64(volume.bytesTotal) / quint64(volume.blockSize);
    info->availableClusters = quint64(volume.bytesAvailable) / quint64(volume.blockSize);
    info->sectorsPerCluster = 1;
    info->bytesPerSector = quint32(volume.blockSize);
    return true;
}

QString VolumeLabel(const QString& path) {
    platform::VolumeInfo volume;
    return platform::volumeOf(path, &volume) ? CleanFileName(volume.name) : QString();
}

bool IsOpticalDrive(const QString& path) {
    platform::VolumeInfo volume;
    return platform::volumeOf(path, &volume) && platform::isOpticalVolume(volume);
}

QString OpticalDriveName(const platform::VolumeInfo& volume) {
    QString root = QDir::cleanPath(volume.rootPath);
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    const QString label = CleanFileName(volume.name);
    if (label.isEmpty() || QFileInfo(QDir::cleanPath(volume.rootPath)).fileName() == label)
        return root;
    return root + label;
}

QString OpticalDriveDisplayPath(const QString& path, const platform::VolumeInfo& volume) {
    if (platform::isOpticalVolume(volume) && !CleanFileName(volume.name).isEmpty())
        return OpticalDriveName(volume);
    const QString trimmed = path.trimmed();
    return trimmed.isEmpty() ? QString() : QDir::cleanPath(trimmed);
}

QString OpticalDriveDisplayPath(const QString& path) {
    platform::VolumeInfo volume;
    platform::volumeOf(path.trimmed(), &volume);
    return OpticalDriveDisplayPath(path, volume);
}

QStringList ListOpticalDrives(const QList<platform::VolumeInfo>& volumes) {
    QStringList drives;
    for (const platform::VolumeInfo& volume : volumes) {
        if (platform::isOpticalVolume(volume))
            drives << OpticalDriveName(volume);
    }
    return drives;
}

QStringList ListOpticalDrives() {
    return ListOpticalDrives(platform::mountedVolumes());
}

bool IsFat32Volume(const QString& path) {
    platform::VolumeInfo volume;
    return platform::volumeOf(path, &volume) && platform::isFatVolume(volume);
}

bool PowerOffSystem(const platform::ElevatedRunner& runner) {
    return runner.runAndWait(platform::underSystemRoot(QStringLiteral("/usr/bin/systemctl")),
                             {QStringLiteral("poweroff")}) == 0;
}

QMap<QString, QString> ReadSystemProxy() {
    return platform::readSystemProxy();
}

bool Is64BitSystem() {
    return QSysInfo::currentCpuArchitecture() == QLatin1String("x86_64");
}
