#include "BugReportMail.h"

#include "platform/SystemName.h"

#include <QFile>
#include <QFileInfo>

BugReportMail::BugReportMail(const BugReportInfo& info, const MailAccount& account)
    : m_sender(account.user, QStringLiteral("bug")), m_recipient(info.recipient, QStringLiteral("support")),
      m_text(info.description), m_message(true) {
    m_message.setSender(&m_sender);
    m_message.addRecipient(&m_recipient);
    m_message.setSubject(Subject(info));
    m_message.addPart(&m_text);
    if (QFileInfo(info.archivePath).isFile()) {
        m_archive = std::make_unique<MimeAttachment>(new QFile(info.archivePath));
        m_message.addPart(m_archive.get());
    }
}

QString BugReportMail::Subject(const BugReportInfo& info) {
    return info.userName + QStringLiteral(" - ") + info.userEmail + QStringLiteral(" -> ") + info.productName +
           QStringLiteral("( ") + platform::systemNameTag() + QStringLiteral(" )");
}
