#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// What the program keeps for its user (settings that may hold a proxy password, logs, the bug report) is
// that user's alone whatever the umask: folders 0700 and files 0600, made so when they are created rather
// than narrowed afterwards, so that another account never gets a moment to open them. Existing ones of this
// user are narrowed; nothing is ever changed through a symbolic link or on another account's file.

// Makes the folder and every missing folder above it with owner-only access. An existing folder of this user
// is narrowed to 0700; a symbolic link in its place is the user's own choice and left as it is. True when a
// folder is there afterwards.
bool makePrivateFolder(const QString& path);

// Opens a regular file for writing (appending, or emptied), creating it 0600, never through a symbolic link
// and never blocking on a FIFO; an existing file of this user is narrowed to its owner. The descriptor
// (close-on-exec), or -1.
int openPrivateFile(const QString& path, bool append);

// Writes bytes into a new 0600 file beside path, flushed to the disk, and renames it over path, so that a
// crash or a full disk leaves the former file whole. False, and path as it was, when that fails.
bool replacePrivateFile(const QString& path, const QByteArray& bytes);

// Narrows an existing file (to its owner's bits) or folder (to 0700) of this user, checked without following
// a link; the entries of a folder are narrowed as well when withEntries is set, links among them left as
// they are. False when something there could not be narrowed.
bool makePrivate(const QString& path, bool withEntries = false);

} // namespace platform
