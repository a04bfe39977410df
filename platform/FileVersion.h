#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace platform {

// Our binaries carry their version in an embedded block that the build writes into them
// (mendra_embed_version() in cmake/Mendra.cmake). The block is a NUL-terminated byte string:
//
//     ESC "MendraVersionBlock" US <a.b.c.d> NUL
//
// ESC is byte 0x1B, US byte 0x1F, and a.b.c.d four decimal numbers of 0..65535. The reader
// accepts the first occurrence whose text is well formed, so stray copies of the marker (say, in
// data) are skipped. The reader keeps the marker only in a scrambled form, so a binary that
// contains the reader but no block does not hold the marker.

// The marker that starts a version block.
QByteArray versionBlockMarker();

// The version of the first well-formed block in the data: four numbers without leading zeros,
// or "" when there is none.
QString versionFromBlockData(const QByteArray& data);

// Version text of the version block embedded in one of our own binaries, or "" when the file has
// none or cannot be read.
QString fileVersion(const QString& filePath);
// As fileVersion(), of a file the caller has opened for reading.
QString fileVersion(QFile& file);

} // namespace platform
