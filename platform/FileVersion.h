#pragma once

#include <QString>

namespace platform {

// Version text of the version block embedded in one of our own binaries, or "" when the file has
// none or cannot be read.
QString fileVersion(const QString& filePath);

} // namespace platform
