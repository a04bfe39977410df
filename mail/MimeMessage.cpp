#include "MimeMessage.h"

#include "EmailAddress.h"
#include "HeaderText.h"
#include "MimeMultiPart.h"

namespace {

const QString kFold = QStringLiteral("\r\n ");
// Lines are folded before an address that would take them past the length mail programs show in one line.
constexpr int kFoldColumn = 78;

} // namespace

MimeMessage::MimeMessage(bool createRootPart) {
    if (createRootPart) {
        m_rootPart = new MimeMultiPart(MimeMultiPart::Related);
        m_ownsRootPart = true;
    }
}

MimeMessage::~MimeMessage() {
    if (m_ownsRootPart)
        delete m_rootPart;
}

void MimeMessage::setSender(EmailAddress* sender) {
    m_sender = sender;
}

EmailAddress* MimeMessage::sender() const {
    return m_sender;
}

void MimeMessage::addRecipient(EmailAddress* recipient, int type) {
    switch (type) {
    case To:
        m_toList.append(recipient);
        break;
    case Cc:
        m_ccList.append(recipient);
        break;
    case Bcc:
        m_bccList.append(recipient);
        break;
    default:
        break;
    }
}

void MimeMessage::addTo(EmailAddress* recipient) {
    m_toList.append(recipient);
}

void MimeMessage::addCc(EmailAddress* recipient) {
    m_ccList.append(recipient);
}

void MimeMessage::addBcc(EmailAddress* recipient) {
    m_bccList.append(recipient);
}

const QList<EmailAddress*>& MimeMessage::recipients(int type) const {
    if (type == Cc)
        return m_ccList;
    if (type == Bcc)
        return m_bccList;
    return m_toList;
}

void MimeMessage::setSubject(const QString& subject) {
    m_subject = subject;
}

const QString& MimeMessage::subject() const {
    return m_subject;
}

void MimeMessage::addPart(MimePart* part) {
    if (auto* multipart = dynamic_cast<MimeMultiPart*>(m_rootPart))
        multipart->addPart(part);
}

void MimeMessage::setRootPart(MimePart* part) {
    if (m_ownsRootPart && part != m_rootPart)
        delete m_rootPart;
    m_ownsRootPart = false;
    m_rootPart = part;
}

MimePart* MimeMessage::rootPart() const {
    return m_rootPart;
}

QList<MimePart*> MimeMessage::parts() const {
    if (auto* multipart = dynamic_cast<MimeMultiPart*>(m_rootPart))
        return multipart->parts();
    return {m_rootPart};
}

void MimeMessage::setHeaderEncoding(int encoding) {
    m_headerEncoding = encoding;
}

int MimeMessage::headerEncoding() const {
    return m_headerEncoding;
}

bool MimeMessage::isSafe() const {
    if (!m_sender || !m_sender->isSafe() || HeaderText::HasControlCharacters(m_subject))
        return false;
    const QList<EmailAddress*> all = m_toList + m_ccList + m_bccList;
    if (all.isEmpty())
        return false;
    for (const EmailAddress* address : all) {
        if (!address || !address->isSafe())
            return false;
    }
    return true;
}

// The addresses after a field name: "," between them, each " name <address>" or " <address>". A line
// that would grow too long is folded before an address's leading blank.
QString MimeMessage::addressList(const QList<EmailAddress*>& addresses, int lineStart) const {
    QString out;
    int column = lineStart;
    for (int i = 0; i < addresses.size(); ++i) {
        const EmailAddress* address = addresses.at(i);
        const QStringList words = HeaderText::Words(address->name(), m_headerEncoding, true);
        const QString mailbox =
            QStringLiteral(" <") + HeaderText::RenderableAddress(address->address()) + QLatin1Char('>');
        const QString item = words.isEmpty() ? mailbox : QLatin1Char(' ') + words.join(kFold) + mailbox;
        if (i > 0) {
            out += QLatin1Char(',');
            ++column;
            const int firstLine = words.size() > 1 ? words.first().size() + 1 : item.size();
            if (column + firstLine > kFoldColumn) {
                out += QStringLiteral("\r\n");
                column = 0;
            }
        }
        out += item;
        column = words.size() > 1 ? words.last().size() + mailbox.size() + 1 : column + item.size();
    }
    return out;
}

QString MimeMessage::toString() {
    QString out = QStringLiteral("From:");
    if (m_sender)
        out += addressList({m_sender}, 5);
    out += QStringLiteral("\r\nTo:") + addressList(m_toList, 3) + QStringLiteral("\r\n");
    if (!m_ccList.isEmpty())
        out += QStringLiteral("Cc:") + addressList(m_ccList, 3) + QStringLiteral("\r\n");
    out += QStringLiteral("Subject: ") + HeaderText::Words(m_subject, m_headerEncoding, false).join(kFold) +
           QStringLiteral("\r\n");
    out += QStringLiteral("MIME-Version: 1.0\r\n");
    if (m_rootPart)
        out += m_rootPart->toString();
    return out;
}
