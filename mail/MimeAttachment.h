#pragma once

#include "MimeFile.h"

// A file part that mail programs offer as an attachment.
class MimeAttachment : public MimeFile {
public:
    explicit MimeAttachment(QFile* file);
    MimeAttachment(const QByteArray& stream, const QString& fileName);

    void prepare() override;
};
