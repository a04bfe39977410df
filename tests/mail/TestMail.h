#pragma once

// Mails as the tests send them.

#include "BinaryBytes.h"

#include "mail/EmailAddress.h"
#include "mail/MimeAttachment.h"
#include "mail/MimeMessage.h"
#include "mail/MimeText.h"

// A sender, one recipient each of To, Cc and Bcc, a subject, a text part and an attachment given as bytes.
struct TestMail {
    TestMail(const QString& subject, const QString& body, const QByteArray& attachmentBytes)
        : text(body), attachment(attachmentBytes, QStringLiteral("logs V1.0.dmp")) {
        message.setSender(&sender);
        message.addTo(&to);
        message.addCc(&cc);
        message.addBcc(&bcc);
        message.setSubject(subject);
        message.addPart(&text);
        message.addPart(&attachment);
    }

    EmailAddress sender{QStringLiteral("reports@example.org"), QStringLiteral("bug")};
    EmailAddress to{QStringLiteral("support@example.com"), QStringLiteral("support")};
    EmailAddress cc{QStringLiteral("copy@example.com")};
    EmailAddress bcc{QStringLiteral("hidden@example.com")};
    MimeText text;
    MimeAttachment attachment;
    MimeMessage message;
};

// A sender, one To recipient, a subject and a text part: for the checks of what may stand in addresses and
// headers.
struct ShortMail {
    ShortMail(const QString& senderAddress, const QString& senderName, const QString& recipientAddress,
              const QString& subject, const QString& body)
        : sender(senderAddress, senderName), recipient(recipientAddress), text(body) {
        message.setSender(&sender);
        message.addTo(&recipient);
        message.setSubject(subject);
        message.addPart(&text);
    }

    EmailAddress sender;
    EmailAddress recipient;
    MimeText text;
    MimeMessage message;
};
