#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Quoted-printable encoding of binary content (RFC 2045): CR and LF are escaped too, so the encoded text
// decodes to exactly the bytes given. Lines are folded afterwards by MimeContentFormatter.
class QuotedPrintable : public QObject {
    Q_OBJECT
public:
    static QString encode(const QByteArray& input);
};
