#include "FileVersion.h"

namespace platform {

QString fileVersion(const QString& filePath) {
    Q_UNUSED(filePath);
    return QString();
}

} // namespace platform
