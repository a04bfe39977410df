#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>

class QFile;

namespace platform {

// Files that come from outside the program (one a user picks, one another program may have put in its
// place) are read only when they are regular files, named by their own path: the last part of the path is
// no symbolic link (it is opened with O_NOFOLLOW), and a FIFO, a device or a folder is refused without
// being read, so that none can hold or flood the reader.

// Opens path for reading into file (which must not be open) when it is such a file; false with the reason
// in why otherwise.
bool openRegularFile(const QString& path, QFile& file, QString* why = nullptr);

// The size of the regular file at path, or -1 when there is none: nothing, a link, a FIFO, a device or a
// folder. Looks without opening it.
qint64 regularFileSize(const QString& path);

// Which file a path reaches, whatever the spelling: the same device and inode is the same file.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
};

inline uint qHash(const FileIdentity& identity, uint seed = 0) {
    return ::qHash(identity.inode, seed) ^ ::qHash(identity.device, seed);
}

enum class OpenResult { Opened, Missing, NotRegular, Unreadable };

// Opens the file a path names for reading, the target of a link on the way included (an update rule may name a
// file of the program folder through a link there), when it is a regular file; a folder, FIFO, socket or device
// is never opened, so nothing here can block or set a device going. The path is resolved first and the file
// opened by its real path without following a link, so a link swapped meanwhile is not followed either. On
// Opened, file is open for reading (it closes the descriptor) and *identity is the file's; on NotRegular, *why
// names what the path is ("a folder", "a FIFO", ...); on Unreadable, *why says why it could not be opened.
OpenResult openResolvedRegularFile(const QString& path, QFile* file, FileIdentity* identity, QString* why);

} // namespace platform
