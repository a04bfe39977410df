#include "SystemRoot.h"

#include <QDir>
#include <QStringList>

namespace platform {

QString systemRoot() {
    const QString root = qEnvironmentVariable("MENDRA_SYSTEM_ROOT");
    return root.isEmpty() ? QStringLiteral("/") : QDir::cleanPath(root);
}

bool systemRootIsOverridden() {
    return !qEnvironmentVariableIsEmpty("MENDRA_SYSTEM_ROOT");
}

QString underSystemRoot(const QString& absolutePath) {
    if (!systemRootIsOverridden())
        return QDir::cleanPath(absolutePath);
    // ".." may not climb out of the root: above "/" it stays at "/", as it does on the system itself.
    QStringList kept;
    for (const QString& part : absolutePath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
        } else if (part != QLatin1String(".")) {
            kept.append(part);
        }
    }
    return QDir::cleanPath(systemRoot() + QLatin1Char('/') + kept.join(QLatin1Char('/')));
}

} // namespace platform
