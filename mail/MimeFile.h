#pragma once

#include "MimePart.h"

class QFile;

// A file as a Base64 part, read when the part is rendered (a missing or unreadable file gives an empty
// content), or bytes given directly.
class MimeFile : public MimePart {
public:
    // Takes ownership of the file.
    explicit MimeFile(QFile* file);
    MimeFile(const QByteArray& stream, const QString& fileName);
    ~MimeFile() override;

    void prepare() override;

protected:
    QFile* file = nullptr;
};
