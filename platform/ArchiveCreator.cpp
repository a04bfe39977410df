#include "ArchiveCreator.h"

#include <QFileInfo>

namespace platform {

CommandLine archiveCreateCommand(const QString& archive, const QStringList& files) {
    QStringList arguments{QStringLiteral("a"),   QStringLiteral("-t7z"), QStringLiteral("-y"),
                          QStringLiteral("-bd"), QStringLiteral("--"),   QFileInfo(archive).absoluteFilePath()};
    for (const QString& file : files)
        arguments << QFileInfo(file).absoluteFilePath();
    return {QStringLiteral("7z"), arguments};
}

} // namespace platform
