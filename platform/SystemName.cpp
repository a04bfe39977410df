#include "SystemName.h"

namespace platform {

QString systemNameTag() {
    return QStringLiteral("LINUX");
}

} // namespace platform
