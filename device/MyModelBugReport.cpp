// The device model's part in sending bug reports: the checks of the dialog's form, the archive of the logs
// (packed by a BugReportPacking) and then one BugreportThread, one report at a time; the outcome of each comes
// back here on the GUI thread.
#include "MyModel.h"

#include "BugReportArchive.h"
#include "BugReportDisplay.h"
#include "BugReportPacking.h"
#include "ModelNotices.h"
#include "app/EditionData.h"
#include "app/FileUtils.h"
#include "app/LogText.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "app/TextUtils.h"
#include "mail/BugReportMail.h"
#include "mail/BugreportThread.h"
#include "mail/HeaderText.h"
#include "mail/MailAccountFile.h"
#include "platform/RegularFile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

// The account file as it is now; what is wrong with it goes to the run log, since the dialog only says that
// reports are not set up.
MailAccountFile ReadMailAccount() {
    const MailAccountFile account = MailAccountFile::Read();
    if (!account.IsReady())
        RunLog->WriteString(TextLog::Error, QStringLiteral("Bug reports are not set up: ") + account.Problem(), true);
    return account;
}

// The largest attachment leaves room in the mail for the packed logs and the text.
static_assert(BugReportMail::EncodedBytes(BugReportDisplay::MaxAttachmentBytes) + 512 * 1024 <=
                  BugReportMail::MaxMailBytes,
              "an attachment of the largest size must leave room in the mail");

} // namespace

bool MyModel::IsBugReportSetUp() {
    return ReadMailAccount().IsReady();
}

void MyModel::SetBugReportView(BugReportDisplay* view) {
    if (view == m_bugReportView)
        return;
    m_bugReportView = view;
    // A send still running belongs to the dialog that went; the next one at the same address is another.
    m_sendView = nullptr;
}

bool MyModel::IsShownSend(void* Operator) const {
    return m_bugReportView && Operator == static_cast<void*>(m_bugReportView) && m_sendView == m_bugReportView;
}

bool MyModel::AskMessage(const QString& text) {
    return m_notices && m_notices->AskNotice(text, tr("Ok"));
}

void MyModel::SendBugReport(BugReportDisplay* view) {
    if (IsSendingBugReport()) {
        ShowMessage(QCoreApplication::translate("QObject", "Sending a bug report. Please try another later."));
        return;
    }
    const bool shown = view && view == m_bugReportView;
    // The account comes with the installation, never with the program; without one nothing is packed.
    const MailAccountFile account = ReadMailAccount();
    if (!account.IsReady()) {
        if (shown)
            view->SetState(BugReportViewState::NotSetUp);
        return;
    }

    QString attachment;
    if (shown) {
        view->SetProgress(0);
        if (!IsValidEmail(view->Email())) {
            view->ShowEmailInvalid();
            return;
        }
        view->ShowEmailValid();
        // The name goes into the subject line; a report that could never go out is not packed either.
        if (HeaderText::HasControlCharacters(view->Name())) {
            view->ShowNameInvalid();
            return;
        }
        view->ShowNameValid();
        // Checked again as it is packed: it may change in the meantime.
        const QString chosen = view->AttachmentPath().trimmed();
        const qint64 size = chosen.isEmpty() ? 0 : platform::regularFileSize(chosen);
        if (size < 0) {
            RunLog->WriteString(
                TextLog::Warning,
                QStringLiteral("Bug report not sent: the attachment %1 is no regular file").arg(LogLineText(chosen)),
                true);
            view->ShowAttachmentUnreadable();
            return;
        }
        if (size > BugReportDisplay::MaxAttachmentBytes) {
            view->ShowAttachmentTooLarge();
            return;
        }
        view->ShowAttachmentFits();
        if (view->Content().isEmpty()) {
            ShowMessage(
                QCoreApplication::translate("QObject", "Please describe the problem clearly before submitting."));
            return;
        }
        attachment = chosen;
    }

    // Looked up here, so that the packing's thread never reads the environment.
    const QString archiver = BugReportArchive::FindArchiver();
    if (archiver.isEmpty() || !gConfig || !gAppData) {
        RunLog->WriteString(TextLog::Error, QStringLiteral("Bug report archive not made: no archiver on the PATH"),
                            true);
        ShowMessage(QCoreApplication::translate("QObject", "Unknown error, try again please."));
        return;
    }

    if (shown) {
        m_bugReportInfo.description = view->Content();
        m_bugReportInfo.userName = view->Name();
        m_bugReportInfo.userEmail = view->Email();
    } else {
        m_bugReportInfo.description.clear();
    }
    m_bugReportInfo.model = reinterpret_cast<quintptr>(this);
    m_bugReportInfo.operator_ = reinterpret_cast<quintptr>(static_cast<void*>(view));
    m_bugReportInfo.productName = gAppData->FullProductName;
    m_bugReportInfo.programPath = QCoreApplication::applicationFilePath();
    m_bugReportInfo.recipient = gAppData->Email;
    m_mailAccount = account.Account();

    // The archive is packed off the GUI thread, since the archiver takes a while over a large attachment; the
    // dialog shows the report under way from here on, so that its stop also ends the packing.
    const QString dataDir = gConfig->GetDataDir();
    const QString archive = BugReportArchive::PathFor(dataDir, gAppData->FullProductName, gAppData->Version);
    // A child of the model: a packing still running when the model goes is stopped and waited for.
    m_bugReportPacking = new BugReportPacking(archiver, archive, dataDir, attachment, this);
    connect(m_bugReportPacking, &QThread::finished, this, &MyModel::BugReportPacked);
    m_sendView = view;
    if (shown)
        view->SetState(BugReportViewState::Sending);
    m_bugReportPacking->start(QThread::InheritPriority);
}

void MyModel::BugReportPacked() {
    BugReportPacking* packing = m_bugReportPacking;
    if (!packing)
        return;
    // It has ended but for its last steps; this makes its outcome safe to read.
    packing->wait();
    packing->deleteLater();
    m_bugReportPacking = nullptr;
    if (packing->IsStopped()) {
        m_sendView = nullptr;
        RemovePath(packing->Archive());
        RunLog->WriteString(TextLog::Info, QStringLiteral("Bug report: the packing was stopped"), true);
        return;
    }
    if (!packing->Packed() || !QFileInfo(packing->Archive()).isFile()) {
        RunLog->WriteString(TextLog::Error, QStringLiteral("Bug report archive not made: ") + packing->Problem(), true);
        const bool shown = IsShownSend(reinterpret_cast<void*>(m_bugReportInfo.operator_));
        if (shown)
            m_bugReportView->SetState(BugReportViewState::Idle);
        m_sendView = nullptr;
        // The attachment changed after the check: the dialog names it, as it did before the packing.
        switch (packing->Fault()) {
        case BugReportArchive::AttachmentFault::Unreadable:
            if (shown)
                m_bugReportView->ShowAttachmentUnreadable();
            return;
        case BugReportArchive::AttachmentFault::TooLarge:
            if (shown)
                m_bugReportView->ShowAttachmentTooLarge();
            return;
        case BugReportArchive::AttachmentFault::None:
            break;
        }
        ShowMessage(QCoreApplication::translate("QObject", "Unknown error, try again please."));
        return;
    }
    RunLog->WriteString(TextLog::Info, QStringLiteral("Bug report archive holds: ") + packing->Entries().join(", "),
                        true);
    m_bugReportInfo.archivePath = QDir::toNativeSeparators(packing->Archive());
    m_bugReportHasAttachment = false;
    for (const QString& entry : packing->Entries())
        m_bugReportHasAttachment = m_bugReportHasAttachment || entry.startsWith(QLatin1String("attachment/"));
    StartBugReportSend();
}

void MyModel::StartBugReportSend() {
    // A child of the model: a send still running when the model goes is stopped and waited for.
    m_bugReportThread = new BugreportThread(m_bugReportInfo, m_mailAccount, this);
    connect(m_bugReportThread, &BugreportThread::updateResultUI, this, &MyModel::SltUpdateSendResultFun);
    connect(m_bugReportThread, &BugreportThread::limitStop, this, &MyModel::SltLimitStop);
    connect(this, &MyModel::SglStopBugReport, m_bugReportThread, &BugreportThread::ThreadStop);
    connect(m_bugReportThread, &BugreportThread::progress, this, &MyModel::SltProgress);
    m_shownProgress = -1;
    RunLog->WriteString(TextLog::Info, QStringLiteral("Bug report: sending ") + m_bugReportInfo.archivePath, true);
    m_bugReportThread->start(QThread::InheritPriority);
}

void MyModel::StopBugReport(BugReportDisplay* view) {
    if (!view || view != m_bugReportView || !view->IsSending())
        return;
    view->SetState(BugReportViewState::Stopped);
    if (m_bugReportPacking)
        m_bugReportPacking->Stop();
    if (m_bugReportThread) {
        disconnect(m_bugReportThread, &BugreportThread::progress, this, &MyModel::SltProgress);
        emit SglStopBugReport();
    }
}

void MyModel::SltUpdateSendResultFun(bool bResult, QString strPath, void* Operator) {
    BugreportThread* thread = m_bugReportThread;
    if (!thread)
        return;
    const bool stopped = thread->IsStopped();
    // Deleted once this slot, which its own signal called, has returned.
    thread->deleteLater();
    m_bugReportThread = nullptr;
    const bool shown = IsShownSend(Operator);
    m_sendView = nullptr;
    if (stopped) {
        RunLog->WriteString(TextLog::Info, QStringLiteral("Bug report: the send was stopped"), true);
        return;
    }

    if (bResult) {
        RunLog->WriteString(TextLog::Info, QStringLiteral("Bug report sent"), true);
        if (shown)
            m_bugReportView->ShowResult(true);
        RemovePath(strPath);
        return;
    }
    if (thread->IsTooLarge()) {
        // Sending it again would not make it smaller. The thread has said how large it was.
        RemovePath(strPath);
        if (shown && m_bugReportHasAttachment) {
            m_bugReportView->SetState(BugReportViewState::Idle);
            m_bugReportView->ShowAttachmentTooLarge();
        } else if (shown) {
            m_bugReportView->ShowResult(false);
        }
        return;
    }
    RunLog->WriteString(TextLog::Error, QStringLiteral("Bug report not sent: the mail server did not take it"), true);
    if (shown)
        m_bugReportView->ShowResult(false);
    if (QFileInfo(strPath).isFile() &&
        AskMessage(QCoreApplication::translate("QObject", "Bug sending failed, please try again.")))
        SendBugReport(m_bugReportView);
}

void MyModel::SltLimitStop(void*) {}

void MyModel::SltProgress(qlonglong bytesHandled, qlonglong bytesTotal, void* Operator) {
    if (bytesTotal == 0)
        return;
    const int value = static_cast<int>(bytesHandled * 100 / bytesTotal);
    if (!IsShownSend(Operator) || value == m_shownProgress)
        return;
    m_shownProgress = value;
    qDebug().nospace() << "-----------------------------value: " << value;
    m_bugReportView->SetProgress(value);
}
