#include "ArchiveExtractor.h"

#include <QFileInfo>

namespace platform {

CommandLine archiveExtractCommand(const QString& archive, const QString& folder) {
    return {QStringLiteral("7z"),
            {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-o") + QFileInfo(folder).absoluteFilePath(),
             QStringLiteral("--"), QFileInfo(archive).absoluteFilePath()}};
}

} // namespace platform
