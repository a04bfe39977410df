#pragma once

#include "MimePart.h"

// A plain-text part in UTF-8. Its line ends go out as "\r\n" whatever the text uses; a text with a line
// too long for a mail (or with a NUL) is sent quoted-printable instead of 8bit, so it arrives unchanged.
class MimeText : public MimePart {
public:
    explicit MimeText(const QString& text = QString());

    void setText(const QString& text);
    const QString& getText() const;

    void prepare() override;

protected:
    QString text;
};
