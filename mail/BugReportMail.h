#pragma once

#include "BugReportInfo.h"
#include "EmailAddress.h"
#include "MailAccount.h"
#include "MimeAttachment.h"
#include "MimeMessage.h"
#include "MimeText.h"

#include <memory>

// The one mail of a bug report: from the account's address as "bug" to the support address as "support",
// a subject that names the user, the product and this system, the description as text, and the log
// archive attached when it exists. It holds everything the message points to.
class BugReportMail {
public:
    // The largest mail that goes out: mail servers commonly refuse one over 25 MB.
    static constexpr qint64 MaxMailBytes = 25000000;
    // What a file of that many bytes becomes in the mail: Base64, in lines of 76 characters with "\r\n"
    // between them.
    static constexpr qint64 EncodedBytes(qint64 bytes) {
        const qint64 base64 = (bytes + 2) / 3 * 4;
        const qint64 lines = (base64 + 75) / 76;
        return base64 + (lines > 0 ? (lines - 1) * 2 : 0);
    }

    BugReportMail(const BugReportInfo& info, const MailAccount& account);
    BugReportMail(const BugReportMail&) = delete;
    BugReportMail& operator=(const BugReportMail&) = delete;

    // "name - e-mail -> product( LINUX )".
    static QString Subject(const BugReportInfo& info);

    MimeMessage& Message() { return m_message; }
    // False when a text of the report cannot go into a header (a line break in the name, say): such a
    // report is never sent.
    bool IsSafe() const { return m_message.isSafe(); }

private:
    EmailAddress m_sender;
    EmailAddress m_recipient;
    MimeText m_text;
    std::unique_ptr<MimeAttachment> m_archive;
    MimeMessage m_message;
};
