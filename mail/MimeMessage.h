#pragma once

#include <QList>
#include <QObject>
#include <QString>

class EmailAddress;
class MimePart;

// One mail: sender, recipients, subject and a body part, rendered as the exact text that follows the SMTP
// DATA command. The addresses and parts are not owned, except a root multipart the message made itself.
class MimeMessage : public QObject {
public:
    enum RecipientType { To = 0, Cc = 1, Bcc = 2 };

    // createRootPart: the root is a new "multipart/related" part that the message owns.
    explicit MimeMessage(bool createRootPart = true);
    ~MimeMessage() override;

    void setSender(EmailAddress* sender);
    EmailAddress* sender() const;
    void addRecipient(EmailAddress* recipient, int type = To);
    void addTo(EmailAddress* recipient);
    void addCc(EmailAddress* recipient);
    void addBcc(EmailAddress* recipient);
    const QList<EmailAddress*>& recipients(int type = To) const;

    void setSubject(const QString& subject);
    const QString& subject() const;

    // Appends to the root part when that is a multipart; does nothing otherwise.
    void addPart(MimePart* part);
    void setRootPart(MimePart* part);
    MimePart* rootPart() const;
    // The root multipart's parts, or the root part alone.
    QList<MimePart*> parts() const;

    // Encoding of display names and the subject (MimePart::Encoding): 2 and 3 always encode; the default 1
    // writes printable ASCII as it is and encodes everything else (RFC 2047).
    void setHeaderEncoding(int encoding);
    int headerEncoding() const;

    // True when every header text can go out as it is meant: a sender, at least one recipient, every address
    // plain and no control character in a name or the subject. A message that is not safe is never sent.
    bool isSafe() const;

    virtual QString toString();

private:
    QString addressList(const QList<EmailAddress*>& addresses, int lineStart) const;

    EmailAddress* m_sender = nullptr;
    QList<EmailAddress*> m_toList;
    QList<EmailAddress*> m_ccList;
    QList<EmailAddress*> m_bccList;
    QString m_subject;
    MimePart* m_rootPart = nullptr;
    bool m_ownsRootPart = false;
    int m_headerEncoding = 1;
};
