#include "MimeAttachment.h"

namespace {
const QString kDispositionLine = QStringLiteral("Content-disposition: attachment\r\n");
}

MimeAttachment::MimeAttachment(QFile* file) : MimeFile(file) {}

MimeAttachment::MimeAttachment(const QByteArray& stream, const QString& fileName) : MimeFile(stream, fileName) {}

void MimeAttachment::prepare() {
    // A part rendered again keeps one disposition line.
    if (!extraHeader.contains(kDispositionLine))
        extraHeader += kDispositionLine;
    MimeFile::prepare();
}
