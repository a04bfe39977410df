#pragma once

// What a user may choose as a bug report's attachment that cannot be attached: nothing there any more, a
// FIFO, a device typed into the file dialog, a folder, or a link to a picture.

#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>

// Makes that kind of file at path ("removed", "fifo", "device", "folder" or "link", the link to picture) and
// returns the path to choose: /dev/zero for "device". Empty when it cannot be made.
inline QString MakeUnattachable(const QString& kind, const QString& path, const QString& picture) {
    if (kind == QLatin1String("device"))
        return QStringLiteral("/dev/zero");
    bool made = kind == QLatin1String("removed");
    if (kind == QLatin1String("fifo"))
        made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    else if (kind == QLatin1String("folder"))
        made = QDir().mkpath(path);
    else if (kind == QLatin1String("link"))
        made = QFile::link(picture, path);
    return made ? path : QString();
}
