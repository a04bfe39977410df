#include "MimePart.h"

#include "HeaderText.h"
#include "QuotedPrintable.h"

namespace {

// The name parameter as it is when it can stand in quotes, otherwise as encoded words: a file name may
// hold quotes, non-ASCII letters or even line breaks, none of which may reach the header raw.
QString NameParameter(const QString& name) {
    const bool plain = !name.contains(QLatin1Char('"')) && !name.contains(QLatin1Char('\\')) &&
                       HeaderText::Words(name, MimePart::Enc8Bit, false) == QStringList{name};
    return plain ? name : HeaderText::Words(name, MimePart::EncBase64, false).join(QLatin1Char(' '));
}

QString TransferEncodingLine(int encoding) {
    switch (encoding) {
    case MimePart::Enc7Bit:
        return QStringLiteral("7bit\r\n");
    case MimePart::Enc8Bit:
        return QStringLiteral("8bit\r\n");
    case MimePart::EncBase64:
        return QStringLiteral("base64\r\n");
    case MimePart::EncQuotedPrintable:
        return QStringLiteral("quoted-printable\r\n");
    default:
        return QString();
    }
}

} // namespace

MimePart::MimePart(QObject* parent) : QObject(parent) {}

MimePart::~MimePart() = default;

const QString& MimePart::getHeader() const {
    return extraHeader;
}

void MimePart::setHeader(const QString& header) {
    extraHeader = header;
}

void MimePart::appendHeaderLine(const QString& line) {
    extraHeader += line + QStringLiteral("\r\n");
}

const QByteArray& MimePart::getBody() const {
    return body;
}

void MimePart::setBody(const QByteArray& content) {
    body = content;
}

const QString& MimePart::getContentId() const {
    return contentId;
}

void MimePart::setContentId(const QString& id) {
    contentId = id;
}

const QString& MimePart::getContentName() const {
    return contentName;
}

void MimePart::setContentName(const QString& name) {
    contentName = name;
}

const QString& MimePart::getContentType() const {
    return contentType;
}

void MimePart::setContentType(const QString& type) {
    contentType = type;
}

const QString& MimePart::getCharset() const {
    return charset;
}

void MimePart::setCharset(const QString& value) {
    charset = value;
}

const QString& MimePart::getBoundary() const {
    return boundary;
}

void MimePart::setBoundary(const QString& value) {
    boundary = value;
}

int MimePart::getEncoding() const {
    return encoding;
}

void MimePart::setEncoding(int value) {
    encoding = value;
}

MimeContentFormatter& MimePart::getContentFormatter() {
    return formatter;
}

QString MimePart::toString() {
    if (!isRendered)
        prepare();
    return rendered;
}

void MimePart::prepare() {
    rendered = QStringLiteral("Content-Type: ") + contentType;
    if (!contentName.isEmpty())
        rendered += QStringLiteral("; name=\"") + NameParameter(contentName) + QLatin1Char('"');
    if (!charset.isEmpty())
        rendered += QStringLiteral("; charset=") + charset;
    if (!boundary.isEmpty())
        rendered += QStringLiteral("; boundary=") + boundary;
    rendered += QStringLiteral("\r\nContent-Transfer-Encoding: ") + TransferEncodingLine(encoding);
    if (!contentId.isEmpty())
        rendered += QStringLiteral("Content-ID: <") + contentId + QStringLiteral(">\r\n");
    rendered += extraHeader + QStringLiteral("\r\n");

    switch (encoding) {
    case Enc7Bit:
        rendered += QString::fromLatin1(QString::fromUtf8(body).toLatin1());
        break;
    case Enc8Bit:
        rendered += QString::fromUtf8(body);
        break;
    case EncBase64:
        rendered += formatter.format(QString::fromLatin1(body.toBase64()), false);
        break;
    case EncQuotedPrintable:
        rendered += formatter.format(QuotedPrintable::encode(body), true);
        break;
    default:
        break;
    }
    rendered += QStringLiteral("\r\n");
    isRendered = true;
}
