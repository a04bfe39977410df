#include "MimeMultiPart.h"

#include <QRandomGenerator>
#include <QStringList>

namespace {

const QStringList& Subtypes() {
    static const QStringList subtypes{QStringLiteral("multipart/mixed"),       QStringLiteral("multipart/digest"),
                                      QStringLiteral("multipart/alternative"), QStringLiteral("multipart/related"),
                                      QStringLiteral("multipart/report"),      QStringLiteral("multipart/signed"),
                                      QStringLiteral("multipart/encrypted")};
    return subtypes;
}

} // namespace

MimeMultiPart::MimeMultiPart(int type) {
    setSubtype(type);
    encoding = Enc8Bit;
    boundary = RandomBoundary();
}

QString MimeMultiPart::RandomBoundary() {
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    QString hex;
    for (const quint32 word : words)
        hex += QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0'));
    return hex;
}

void MimeMultiPart::addPart(MimePart* part) {
    m_parts.append(part);
}

const QList<MimePart*>& MimeMultiPart::parts() const {
    return m_parts;
}

void MimeMultiPart::setSubtype(int type) {
    m_subtype = type;
    contentType = Subtypes().value(type);
}

int MimeMultiPart::subtype() const {
    return m_subtype;
}

bool MimeMultiPart::collectParts() {
    body.clear();
    const QByteArray delimiter = "--" + boundary.toUtf8();
    for (MimePart* part : qAsConst(m_parts)) {
        part->prepare();
        const QByteArray text = part->toString().toUtf8();
        if (text.contains(delimiter))
            return false;
        body += delimiter + "\r\n" + text;
    }
    body += delimiter + "--\r\n";
    return true;
}

void MimeMultiPart::prepare() {
    while (!collectParts())
        boundary = RandomBoundary();
    MimePart::prepare();
}
