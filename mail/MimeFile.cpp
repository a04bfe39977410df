#include "MimeFile.h"

#include <QFile>
#include <QFileInfo>

MimeFile::MimeFile(QFile* source) : file(source) {
    contentType = QStringLiteral("application/octet-stream");
    contentName = QFileInfo(*source).fileName();
    encoding = EncBase64;
}

MimeFile::MimeFile(const QByteArray& stream, const QString& fileName) {
    body = stream;
    contentType = QStringLiteral("application/octet-stream");
    contentName = fileName;
    encoding = EncBase64;
}

MimeFile::~MimeFile() {
    delete file;
}

void MimeFile::prepare() {
    if (file) {
        body.clear();
        if (file->open(QIODevice::ReadOnly)) {
            body = file->readAll();
            file->close();
        }
    }
    MimePart::prepare();
}
