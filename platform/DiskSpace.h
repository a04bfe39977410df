#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

// Space of the volume that holds a path. A query that fails (empty or missing path, volume not
// ready) gives -1, so a failure never reads as a full disk.

// Bytes available to the current user, or -1.
qint64 diskFreeBytes(const QString& path);

// Size of the volume in bytes, or -1.
qint64 diskTotalBytes(const QString& path);

} // namespace platform
