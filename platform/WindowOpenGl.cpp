#include "WindowOpenGl.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

namespace {

const char kIntegration[] = "QT_XCB_GL_INTEGRATION";
bool s_skipped = false;

} // namespace

void skipWindowOpenGl() {
    if (qEnvironmentVariableIsSet(kIntegration))
        return;
    qputenv(kIntegration, QByteArrayLiteral("none"));
    s_skipped = true;
}

QProcessEnvironment openGlProgramEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (s_skipped)
        environment.remove(QString::fromLatin1(kIntegration));
    return environment;
}

} // namespace platform
