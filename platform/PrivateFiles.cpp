#include "PrivateFiles.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;

// The mode an entry of this user narrows to: a folder 0700, a file its owner's bits alone.
mode_t narrowed(const struct stat& status) {
    return S_ISDIR(status.st_mode) ? kPrivateFolder : (status.st_mode & 0700);
}

bool narrowDescriptor(int fd, bool withEntries);

// The entries of the folder open as fd, each looked at without following a link: links, and whatever is
// neither a file nor a folder (a FIFO, a socket, a device), are never opened.
bool narrowEntries(int fd) {
    const int listing = ::dup(fd);
    DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return false;
    }
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        struct stat status;
        if (::fstatat(fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            ok = false;
            continue;
        }
        if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))
            continue;
        const int child = ::openat(fd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (child < 0 || !narrowDescriptor(child, true))
            ok = false;
        if (child >= 0)
            ::close(child);
    }
    ::closedir(dir);
    return ok;
}

bool narrowDescriptor(int fd, bool withEntries) {
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return false;
    // Another account's file is not this program's to change.
    if (status.st_uid != ::geteuid())
        return true;
    const mode_t wanted = narrowed(status);
    if ((status.st_mode & 07777) != wanted && ::fchmod(fd, wanted) != 0)
        return false;
    return !withEntries || !S_ISDIR(status.st_mode) || narrowEntries(fd);
}

} // namespace

bool makePrivateFolder(const QString& path) {
    if (path.isEmpty())
        return false;
    const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
    // Only what is missing is made: folders above that are there stay as they are, links among them included.
    int made = absolute.size();
    struct stat status;
    while (made > 1 && ::stat(QFile::encodeName(absolute.left(made)).constData(), &status) != 0 && errno == ENOENT)
        made = absolute.lastIndexOf(QLatin1Char('/'), made - 1);
    for (int next = made; next < absolute.size();) {
        next = absolute.indexOf(QLatin1Char('/'), next + 1);
        if (next < 0)
            next = absolute.size();
        // Created 0700 however open the umask is, so not even for a moment open to others.
        if (::mkdir(QFile::encodeName(absolute.left(next)).constData(), kPrivateFolder) != 0 && errno != EEXIST)
            return false;
    }
    const QByteArray name = QFile::encodeName(absolute);
    if (::lstat(name.constData(), &status) != 0)
        return false;
    if (S_ISLNK(status.st_mode))
        return ::stat(name.constData(), &status) == 0 && S_ISDIR(status.st_mode);
    // Also a folder just made: a umask that takes the owner's own rights leaves one the program could not use.
    return S_ISDIR(status.st_mode) && makePrivate(absolute);
}

int openPrivateFile(const QString& path, bool append) {
    if (path.isEmpty())
        return -1;
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (append ? O_APPEND : 0), kPrivateFile);
    if (fd < 0)
        return -1;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || !narrowDescriptor(fd, false) ||
        (!append && ::ftruncate(fd, 0) != 0) || ::fcntl(fd, F_SETFL, append ? O_APPEND : 0) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool replacePrivateFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return false;
    // mkstemp makes the file 0600 with O_EXCL: no one else's file, and no link, is ever written to.
    QByteArray temporary = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    const bool ok = written == bytes.size() && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok || ::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

bool makePrivate(const QString& path, bool withEntries) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status;
    if (path.isEmpty() || ::lstat(name.constData(), &status) != 0)
        return false;
    if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))
        return S_ISLNK(status.st_mode);
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = narrowDescriptor(fd, withEntries);
    ::close(fd);
    return ok;
}

} // namespace platform
