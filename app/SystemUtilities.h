#pragma once

#include "platform/ElevatedRunner.h"

#include <QFileDialog>
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

// The desktop proxy: "HostName", "Port" and "ProxyEnable" ("1" when switched on).
QMap<QString, QString> ReadSystemProxy();

// True on a 64-bit x86 system.
bool Is64BitSystem();

// Qt's file dialogs, passed through.
QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter = nullptr, QFileDialog::Options options = QFileDialog::Options());
QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                             QString* selectedFilter = nullptr, QFileDialog::Options options = QFileDialog::Options());
QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                        QString* selectedFilter = nullptr, QFileDialog::Options options = QFileDialog::Options());
QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder,
                             QFileDialog::Options options = QFileDialog::ShowDirsOnly);
