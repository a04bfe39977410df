#include "RootOwnership.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <climits>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// As many links as the system itself follows in one lookup.
constexpr int kMaxLinks = 40;

enum class Step { Folder, File, Link };

QString ErrnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Why root must not trust this step of the path; empty when it may.
QString StepFault(const QString& path, const struct stat& status, Step step) {
    if (step == Step::File && !S_ISREG(status.st_mode))
        return QStringLiteral("%1 is not a regular file").arg(path);
    if (step == Step::Folder && !S_ISDIR(status.st_mode))
        return QStringLiteral("%1 is not a folder").arg(path);
    if (status.st_uid != 0)
        return QStringLiteral("%1 is owned by uid %2, not by root").arg(path).arg(status.st_uid);
    // A link's own mode means nothing; what it leads to is looked at in its turn.
    if (step == Step::Link)
        return QString();
    const bool sharedFolder = step == Step::Folder && (status.st_mode & S_ISVTX);
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) && !sharedFolder)
        return QStringLiteral("%1 is writable by others than root").arg(path);
    return QString();
}

QString Joined(const QString& folder, const QString& name) {
    return folder == QLatin1String("/") ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

bool runningAsRoot() {
    return ::geteuid() == 0;
}

QString rootOwnershipFault(const QString& path) {
    // The path is looked up one name at a time as the system does it, a link replaced by its target, so that every
    // folder the lookup passes through is seen: the ones that hold a link as much as the ones that hold the file.
    // Whoever may change an entry on the way could point the path at a program of their choosing.
    QStringList pending = QFileInfo(path).absoluteFilePath().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString at = QStringLiteral("/"); // the real folder reached so far, already looked at
    struct stat status;
    if (::lstat("/", &status) != 0)
        return QStringLiteral("/ cannot be examined: %1").arg(ErrnoText());
    if (const QString fault = StepFault(at, status, Step::Folder); !fault.isEmpty())
        return fault;
    int links = 0;
    bool atFile = false;
    while (!pending.isEmpty()) {
        const QString name = pending.takeFirst();
        if (name == QLatin1String("."))
            continue;
        if (name == QLatin1String("..")) {
            // The real folder's parent is a step already looked at.
            at.truncate(qMax(1, at.lastIndexOf(QLatin1Char('/'))));
            atFile = false;
            continue;
        }
        const QString next = Joined(at, name);
        const QByteArray encoded = QFile::encodeName(next);
        if (::lstat(encoded.constData(), &status) != 0)
            return QStringLiteral("%1 cannot be examined: %2").arg(next, ErrnoText());
        if (S_ISLNK(status.st_mode)) {
            if (const QString fault = StepFault(next, status, Step::Link); !fault.isEmpty())
                return fault;
            if (++links > kMaxLinks)
                return QStringLiteral("%1 leads through more than %2 links").arg(path).arg(kMaxLinks);
            char target[PATH_MAX];
            const ssize_t length = ::readlink(encoded.constData(), target, sizeof(target));
            if (length < 0 || length >= ssize_t(sizeof(target)))
                return QStringLiteral("%1 cannot be read as a link").arg(next);
            const QString text = QFile::decodeName(QByteArray(target, int(length)));
            if (text.startsWith(QLatin1Char('/')))
                at = QStringLiteral("/");
            pending = text.split(QLatin1Char('/'), Qt::SkipEmptyParts) + pending;
            atFile = false;
            continue;
        }
        atFile = pending.isEmpty();
        if (const QString fault = StepFault(next, status, atFile ? Step::File : Step::Folder); !fault.isEmpty())
            return fault;
        at = next;
    }
    if (!atFile)
        return QStringLiteral("%1 is not a regular file").arg(at);
    return QString();
}

} // namespace platform
