#include "SystemUtilities.h"

#include "platform/DesktopShell.h"
#include "platform/DiskSpace.h"
#include "platform/FileVersion.h"
#include "platform/NamedMutex.h"
#include "platform/ProxySettings.h"

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

QMap<QString, QString> ReadSystemProxy() {
    return platform::readSystemProxy();
}

bool Is64BitSystem() {
    return QSysInfo::currentCpuArchitecture() == QLatin1String("x86_64");
}

QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter, QFileDialog::Options options) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter, selectedFilter, options);
}

QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                             QString* selectedFilter, QFileDialog::Options options) {
    return QFileDialog::getOpenFileNames(parent, caption, folder, filter, selectedFilter, options);
}

QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter, QFileDialog::Options options) {
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, selectedFilter, options);
}

QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder,
                             QFileDialog::Options options) {
    return QFileDialog::getExistingDirectory(parent, caption, folder, options);
}
