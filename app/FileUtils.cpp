#include "FileUtils.h"

#include "platform/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QQueue>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QStringList>

namespace {

const QStringList& reservedDeviceNames() {
    static const QStringList names = {
        QStringLiteral("AUX"),  QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
        QStringLiteral("COM4"), QStringLiteral("COM5"), QStringLiteral("COM6"), QStringLiteral("COM7"),
        QStringLiteral("COM8"), QStringLiteral("COM9"), QStringLiteral("CON"),  QStringLiteral("LPT1"),
        QStringLiteral("LPT2"), QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
        QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"), QStringLiteral("LPT9"),
        QStringLiteral("NUL"),  QStringLiteral("PRN")};
    return names;
}

bool isReservedDeviceName(const QString& name) {
    return reservedDeviceNames().contains(name, Qt::CaseInsensitive);
}

// Something (even a dangling symbolic link) occupies the path.
bool somethingAt(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A folder whose owner cannot list or change it keeps its entries; widening the owner's rights is
// what lets a read-only folder inside the tree be emptied. Only called on real folders inside the
// tree being deleted, never through a symbolic link.
void grantOwnerAccess(const QFileInfo& folder) {
    const QFile::Permissions needed = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions current = folder.permissions();
    if ((current & needed) != needed)
        QFile::setPermissions(folder.filePath(), current | needed);
}

// Deletes what is in the folder (and the folder itself when removeSelf). With stopAtFirst the walk
// ends at the first entry that cannot be deleted. Returns true when everything asked for is gone.
bool removeTree(const QFileInfo& folder, bool removeSelf, bool stopAtFirst, bool& stopped) {
    grantOwnerAccess(folder);
    bool ok = true;
    const QFileInfoList entries =
        QDir(folder.filePath())
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        // A link is checked first: isDir() follows it, and walking into the target would delete
        // (and change permissions of) things outside the tree.
        if (entry.isDir() && !entry.isSymLink()) {
            if (!removeTree(entry, true, stopAtFirst, stopped))
                ok = false;
        } else if (!QFile::remove(entry.filePath())) {
            ok = false;
            if (stopAtFirst)
                stopped = true;
        }
        if (stopped)
            return false;
    }
    if (removeSelf && !QDir().rmdir(folder.filePath()))
        ok = false;
    return ok;
}

// The path cleaned of doubled and trailing separators; the file-system root is refused, since no
// caller ever means to empty the whole disk.
QString treeRoot(const QString& path) {
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    return clean == QLatin1String("/") ? QString() : clean;
}

// Whether what would be created at target lies in the folder tree at source (or is source).
bool isInside(const QString& target, const QString& sourceCanonical) {
    const QFileInfo info(target);
    QString resolved = info.exists() ? info.canonicalFilePath() : QString();
    if (resolved.isEmpty()) {
        const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (parent.isEmpty())
            return false;
        resolved = parent + QLatin1Char('/') + info.fileName();
    }
    return resolved == sourceCanonical || resolved.startsWith(sourceCanonical + QLatin1Char('/'));
}

enum class TargetState { Free, Keep, Blocked };

TargetState freeTarget(const QString& path, bool replaceExisting) {
    if (!somethingAt(path))
        return TargetState::Free;
    if (!replaceExisting)
        return TargetState::Keep;
    // Replacing a file never deletes a whole folder that happens to have the same name.
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return TargetState::Blocked;
    return QFile::remove(path) ? TargetState::Free : TargetState::Blocked;
}

// Dot files are copied too: on Linux they are ordinary settings and data, and a copy without them
// would lose them silently. Sockets and pipes are left out (QDir::System), copying them would block.
bool copyTree(const QString& source, const QString& target, bool replaceExisting) {
    if (!QFileInfo(target).isDir() && !QDir().mkdir(QFileInfo(target).absoluteFilePath()))
        return false;
    bool ok = true;
    const QFileInfoList entries = QDir(source).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString to = target + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() && !entry.isSymLink()) {
            if (!copyTree(entry.filePath(), to, replaceExisting))
                return false;
            continue;
        }
        const TargetState state = freeTarget(to, replaceExisting);
        if (state == TargetState::Keep)
            continue;
        // Links are recreated rather than followed, so a link to a parent folder cannot make the
        // copy endless and a link to a huge folder elsewhere is not duplicated.
        const bool copied = state == TargetState::Free && (entry.isSymLink() ? QFile::link(entry.symLinkTarget(), to)
                                                                             : QFile::copy(entry.filePath(), to));
        if (!copied)
            ok = false;
    }
    return ok;
}

} // namespace

QString ToNativeSeparators(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString WithTrailingSeparator(const QString& path) {
    QString native = ToNativeSeparators(path);
    if (!native.isEmpty() && !native.endsWith(QDir::separator()))
        native += QDir::separator();
    return native;
}

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(ToNativeSeparators(path));
}

bool IsDirectory(const QString& path) {
    return !path.isEmpty() && QFileInfo(ToNativeSeparators(path)).isDir();
}

bool MakePath(const QString& path) {
    return MakeDirectory(ToNativeSeparators(path));
}

bool MakeDirectory(const QString& path) {
    if (path.isEmpty())
        return false;
    QDir().mkpath(path);
    return QFileInfo(path).isDir();
}

bool MakePrivatePath(const QString& path) {
    return platform::makePrivateFolder(ToNativeSeparators(path));
}

bool CreateEmptyFile(const QString& path) {
    const QString native = ToNativeSeparators(path);
    if (native.isEmpty())
        return false;
    if (somethingAt(native))
        return QFileInfo(native).isFile();
    if (!MakePath(QFileInfo(native).absolutePath()))
        return false;
    QFile file(native);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    file.close();
    return QFileInfo(native).isFile();
}

bool CopyFile(const QString& source, const QString& target) {
    return QFile::copy(ToNativeSeparators(source), ToNativeSeparators(target));
}

bool CopyDirectory(const QString& source, const QString& target, bool replaceExisting) {
    const QString sourceCanonical = QFileInfo(ToNativeSeparators(source)).canonicalFilePath();
    if (sourceCanonical.isEmpty() || !QFileInfo(sourceCanonical).isDir())
        return false;
    const QString to = ToNativeSeparators(target);
    if (to.isEmpty() || isInside(to, sourceCanonical))
        return false;
    return copyTree(sourceCanonical, to, replaceExisting);
}

bool RemovePath(const QString& path) {
    return IsDirectory(path) ? RemoveDirectory(path) : RemoveFile(path);
}

bool RemoveFile(const QString& path) {
    const QString native = ToNativeSeparators(path);
    return !native.isEmpty() && QFile::remove(native);
}

bool RemoveDirectory(const QString& path) {
    if (path.size() < 2)
        return false;
    const QString root = treeRoot(ToNativeSeparators(path));
    if (root.isEmpty())
        return false;
    const QFileInfo info(root);
    if (info.isSymLink())
        return QFile::remove(root); // the link goes, what it points at stays
    if (!info.exists())
        return true;
    if (!info.isDir())
        return false;
    bool stopped = false;
    return removeTree(info, true, false, stopped);
}

void ClearDirectory(const QString& path, bool removeSelf) {
    if (path.size() < 2)
        return;
    const QString root = treeRoot(ToNativeSeparators(path));
    if (root.isEmpty())
        return;
    const QFileInfo info(root);
    if (info.isSymLink()) {
        if (removeSelf)
            QFile::remove(root);
        return;
    }
    if (!info.isDir())
        return;
    bool stopped = false;
    removeTree(info, removeSelf, true, stopped);
}

qint64 FolderSize(const QString& folder) {
    qint64 total = 0;
    CollectFolderSize(folder, total);
    return total;
}

void CollectFolderSize(const QString& folder, qint64& total) {
    const QString native = ToNativeSeparators(folder);
    if (!QFileInfo(native).isDir())
        return;
    QQueue<QString> pending;
    pending.enqueue(native);
    while (!pending.isEmpty()) {
        const QFileInfoList entries =
            QDir(pending.dequeue()).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::DirsFirst);
        for (const QFileInfo& entry : entries) {
            // Linked folders are not walked: a link to a parent would never end.
            if (entry.isDir()) {
                if (!entry.isSymLink())
                    pending.enqueue(entry.filePath());
            } else {
                total += entry.size();
            }
        }
    }
}

bool AccumulateFolderSize(const QString& folder, qint64& total) {
    const QString native = ToNativeSeparators(folder);
    if (!QFileInfo(native).isDir())
        return false;
    const QFileInfoList entries = QDir(native).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            total += 394;
        else if (entry.isDir()) {
            if (!AccumulateFolderSize(entry.filePath(), total))
                return false;
        } else
            total += entry.size();
    }
    return true;
}

bool IsPathWritable(const QString& path) {
    const QString native = ToNativeSeparators(path);
    const QFileInfo info(native);
    if (native.isEmpty() || !info.exists())
        return false;
    if (info.isDir()) {
        const QString probe =
            QDir(native).filePath(QStringLiteral("OutPutTest%1").arg(QRandomGenerator::global()->generate()));
        QFile file(probe);
        // NewOnly: never touch a file that happens to carry the probe's name.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        const bool written = file.write("[General]\nisWrite=Yes\n") > 0;
        file.close();
        const bool exists = QFileInfo::exists(probe);
        if (exists)
            RemovePath(probe);
        return written && exists;
    }
    QFile file(native);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Append);
    file.close();
    return opened;
}

bool IsSameDriveLetter(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty())
        return false;
    // Paths that do not exist yet belong to the volume of their nearest existing folder.
    auto volumeOf = [](const QString& path) {
        QFileInfo info(ToNativeSeparators(path));
        QString existing = info.absoluteFilePath();
        while (!QFileInfo::exists(existing) && QFileInfo(existing).absolutePath() != existing)
            existing = QFileInfo(existing).absolutePath();
        return QStorageInfo(existing).rootPath();
    };
    return volumeOf(first) == volumeOf(second);
}

bool HasInvalidFileNameChar(const QString& name) {
    if (name.isEmpty())
        return false;
    static const QString invalid = QStringLiteral("\"&*/:<>?\\|");
    for (const QChar c : name) {
        if (invalid.contains(c))
            return true;
    }
    return isReservedDeviceName(name);
}

QString CleanFileName(const QString& name) {
    if (name.trimmed().isEmpty())
        return QString();
    static const QString removed = QStringLiteral("\"*/:<>?\\|");
    QString kept;
    kept.reserve(name.size());
    for (const QChar c : name) {
        if (!removed.contains(c))
            kept.append(c);
    }
    kept = kept.trimmed();
    // Checked after trimming: " NUL " must not come out as the device name NUL.
    return isReservedDeviceName(kept) ? QString() : kept;
}

bool FindDiscVideoFolder(const QString& path, bool bluRay, QString& found) {
    if (path.size() < 2 || !FileExists(path))
        return false;
    const QString native = ToNativeSeparators(path);
    const QString preferred = bluRay ? QStringLiteral("BDMV") : QStringLiteral("VIDEO_TS");
    const QString other = bluRay ? QStringLiteral("BDAV") : QStringLiteral("DVD_RTAV");
    const QString separator = QDir::separator();
    QString bare = native;
    if (bare.endsWith(separator))
        bare.chop(1);
    QString folder;
    // The last path element must be the video folder's name: a disc folder that merely ends in the
    // same letters ("mybdav") is not one.
    const QString last = bare.mid(bare.lastIndexOf(separator) + 1);
    if (last.compare(preferred, Qt::CaseInsensitive) == 0 || last.compare(other, Qt::CaseInsensitive) == 0) {
        folder = native;
    } else {
        const QString base = native.endsWith(separator) ? native : native + separator;
        folder = IsDirectory(base + preferred) ? base + preferred : base + other;
    }
    if (!IsDirectory(folder))
        return false;
    found = ToNativeSeparators(QDir::cleanPath(folder));
    return true;
}

QString UrlToLocalPath(const QUrl& url) {
    return url.toLocalFile();
}

QByteArray WritableLocationPath(QStandardPaths::StandardLocation location, const QString& subPath) {
    QString path = QStandardPaths::writableLocation(location);
    if (!subPath.isEmpty())
        path += QDir::separator() + subPath;
    return path.toUtf8();
}
