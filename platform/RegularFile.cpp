#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool Refuse(QString* why, const QString& text) {
    if (why)
        *why = text;
    return false;
}

QString KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    return QStringLiteral("something else");
}

OpenResult Fail(OpenResult result, QString* why, const QString& reason) {
    if (why)
        *why = reason;
    return result;
}

} // namespace

bool openRegularFile(const QString& path, QFile& file, QString* why) {
    if (path.isEmpty())
        return Refuse(why, QStringLiteral("no file named"));
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer, and is then refused.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Refuse(why, errno == ELOOP ? QStringLiteral("a symbolic link")
                                          : QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Refuse(why, QStringLiteral("not a regular file"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refuse(why, file.errorString());
    }
    return true;
}

qint64 regularFileSize(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return info.st_size;
}

OpenResult openResolvedRegularFile(const QString& path, QFile* file, FileIdentity* identity, QString* why) {
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty())
        return Fail(OpenResult::Missing, why, QStringLiteral("not found"));
    const QByteArray name = QFile::encodeName(real);
    struct stat before;
    if (::stat(name.constData(), &before) != 0)
        return Fail(OpenResult::Missing, why, QString::fromLocal8Bit(std::strerror(errno)));
    // Opening a FIFO waits for a writer, and opening a device may start it: neither is done at all.
    if (!S_ISREG(before.st_mode))
        return Fail(OpenResult::NotRegular, why, KindOf(before.st_mode));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Fail(OpenResult::Unreadable, why, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev ||
        opened.st_ino != before.st_ino) {
        const mode_t mode = opened.st_mode;
        ::close(fd);
        return Fail(OpenResult::NotRegular, why,
                    S_ISREG(mode) ? QStringLiteral("replaced while opened") : KindOf(mode));
    }
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Fail(OpenResult::Unreadable, why, file->errorString());
    }
    identity->device = quint64(opened.st_dev);
    identity->inode = quint64(opened.st_ino);
    return OpenResult::Opened;
}

} // namespace platform
