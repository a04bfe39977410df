#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

QString programFolder() {
    if (!QCoreApplication::instance())
        return QString();
    // Qt reads /proc/self/exe, which the kernel keeps pointing at the real file; resolving again also covers a
    // program folder reached through a linked parent.
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    if (executable.isEmpty())
        return QString();
    return QFileInfo(executable).absolutePath();
}

} // namespace platform
