#pragma once

#include <QByteArray>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

// File and folder helpers. They report failure only by their result, never by a message or a log
// line, and accept paths written with "/" or the native separator.

QString ToNativeSeparators(const QString& path);
// The path with native separators, ending in one; an empty path stays empty.
QString WithTrailingSeparator(const QString& path);
bool FileExists(const QString& path);
bool IsDirectory(const QString& path);

// True when the folder exists afterwards; missing parent folders are created too.
bool MakePath(const QString& path);
// As MakePath, without normalising the separators.
bool MakeDirectory(const QString& path);
// As MakePath for a folder that is the user's alone: made 0700 with every folder it needs, an existing one of
// the user narrowed to 0700 (a link in its place is left as it is; see platform/PrivateFiles.h).
bool MakePrivatePath(const QString& path);
// Creates an empty file (and its folder) unless something already exists there.
bool CreateEmptyFile(const QString& path);

// Copies one file; an existing target is never replaced.
bool CopyFile(const QString& source, const QString& target);
// Copies a folder tree, dot files included. Symbolic links are copied as links, never followed. With replaceExisting
// false a file that already exists in the target is kept. False when any entry could not be
// copied (the rest is still copied) or when the target lies inside the source.
bool CopyDirectory(const QString& source, const QString& target, bool replaceExisting);

// Deletes a folder tree (RemoveDirectory) or a file (RemoveFile).
bool RemovePath(const QString& path);
bool RemoveFile(const QString& path);
// Deletes a folder and everything in it. Symbolic links are removed, never followed, and only
// folders inside the tree get their permissions widened so their entries can be deleted. Goes on
// after a failure and returns true only when everything is gone. A path shorter than two characters
// is refused; a missing folder counts as removed.
bool RemoveDirectory(const QString& path);
// Empties a folder, stopping at the first entry that cannot be deleted; removes the folder itself
// when removeSelf is set.
void ClearDirectory(const QString& path, bool removeSelf);

// Total size of the regular files below the folder, hidden ones excluded; linked folders are not
// walked.
qint64 FolderSize(const QString& folder);
void CollectFolderSize(const QString& folder, qint64& total);
// Adds file sizes below the folder to total, a fixed 394 bytes per symbolic link (not followed).
// False when the folder does not exist.
bool AccumulateFolderSize(const QString& folder, qint64& total);

// A folder: whether a file can be created in it. A file: whether it opens for writing (its contents
// are left as they are).
bool IsPathWritable(const QString& path);
// Whether both paths lie on the same file system (volume).
bool IsSameDriveLetter(const QString& first, const QString& second);

// Names that are not portable file names: one of "&*/:<>?\| or a reserved device name (CON, COM1...).
bool HasInvalidFileNameChar(const QString& name);
// The name without the characters "*/:<>?\|, trimmed; "" when what is left is a reserved device name.
QString CleanFileName(const QString& name);

// The BDMV/BDAV (Blu-ray) or VIDEO_TS/DVD_RTAV (DVD) folder of a disc or disc copy.
bool FindDiscVideoFolder(const QString& path, bool bluRay, QString& found);

QString UrlToLocalPath(const QUrl& url);
// The writable folder of a standard location, with "/subPath" appended when subPath is not empty,
// as UTF-8.
QByteArray WritableLocationPath(QStandardPaths::StandardLocation location, const QString& subPath);
