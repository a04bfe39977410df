#include "WebEngineSandbox.h"

#include <QByteArray>
#include <QtGlobal>

#include <unistd.h>

namespace platform {

void prepareWebEngineSandbox() {
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
}

} // namespace platform
