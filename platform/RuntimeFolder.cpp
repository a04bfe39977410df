#include "RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// How many names the fallback tries in the temporary folder before it gives up: another account may have
// taken the first ones.
constexpr int kFallbackNames = 16;

// Looked at through a descriptor opened without following a link: a folder of this user that no one else
// may enter. With narrow, a folder of this user that others may enter but not write into is narrowed to 0700
// first; the check comes before that change, on the very folder that is changed. One others could write into
// may hold what they put there, and is not used.
bool isPrivateFolderOfUser(const QString& path, bool narrow) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    bool ok = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid();
    if (ok && (status.st_mode & 077) != 0)
        ok = narrow && (status.st_mode & 022) == 0 && ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok;
}

// A folder (followed when it is a link) of this user that no other account may write into.
bool isFolderOnlyUserWrites(const QString& path) {
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 022) == 0;
}

// The last resort when another account took every name in the temporary folder: a folder in this user's own
// home, where no one else may make anything. A home of another account (HOME kept under sudo) is not used.
QString homeFolder() {
    const QString home = QDir::homePath();
    if (home.isEmpty() || home == QDir::rootPath() || !isFolderOnlyUserWrites(home))
        return QString();
    const QString cache = home + QStringLiteral("/.cache");
    ::mkdir(QFile::encodeName(cache).constData(), 0700);
    if (!isFolderOnlyUserWrites(cache))
        return QString();
    const QString path = cache + QStringLiteral("/mendra-runtime");
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    return isPrivateFolderOfUser(path, true) ? path : QString();
}

// A folder in the temporary folder that is this user's alone, found again by every instance of this user:
// the first of a row of names that is (or can be made) such a folder. A name another account took first,
// as a folder or a link, is passed over, so that it cannot take the single-instance check away.
QString fallbackFolder() {
    const QString base = QDir::tempPath() + QStringLiteral("/mendra-runtime-") + QString::number(::getuid());
    for (int n = 0; n < kFallbackNames; ++n) {
        const QString path = n == 0 ? base : base + QLatin1Char('-') + QString::number(n);
        // mkdir never follows a link; made 0700, so it is never open to others, whatever the umask.
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
            continue;
        if (isPrivateFolderOfUser(path, true))
            return path;
    }
    return homeFolder();
}

} // namespace

QString userRuntimeFolder() {
    // Read here rather than through QStandardPaths, whose own fallback changes a folder's mode through a link
    // before it looks at the folder.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolderOfUser(runtime, false))
        return runtime;
    return fallbackFolder();
}

QString safeFileName(const QString& name) {
    // Percent-encoding keeps distinct names distinct; '.' is encoded too so "." and ".." cannot
    // name a folder.
    return QString::fromLatin1(QUrl::toPercentEncoding(name, QByteArray(), "."));
}

} // namespace platform
