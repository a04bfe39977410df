#include "MyBugReportView.h"

#include "BugReportViewHost.h"
#include "DialogLook.h"
#include "app/EditionData.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "framework/FileDialogs.h"
#include "framework/SkinManager.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHideEvent>
#include <QShowEvent>

#include <algorithm>

namespace {

const QString kValidAddressSheet = QStringLiteral("border: 1px solid #ccd0d2;");
const QString kInvalidFieldSheet = QStringLiteral("border: 1px solid #ff0000;");

// The result texts belong to the sending side's translations.
QString ResultText(bool sent) {
    const QString colour = SkinManager::Instance()
                               ->GetPageColors(sent ? QStringLiteral("Successful") : QStringLiteral("Failed"))
                               .value(QStringLiteral("BugReportColor"));
    const QString text = sent ? QCoreApplication::translate("MyModel", "Bug Report sent successful!")
                              : QCoreApplication::translate("MyModel", "Bug Report sent failed!");
    return QStringLiteral("<font color=%1>%2</font>").arg(colour, text);
}

bool IsChineseEdition() {
    return gAppData && gAppData->Language == QLatin1String("zh");
}

} // namespace

MyBugReportView::MyBugReportView(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags),
      m_chooseAttachment([](QWidget* owner, const QString& caption, const QString& folder, const QString& filter) {
          return GetOpenFileName(owner, caption, folder, filter);
      }) {
    setupUi(this);

    if (gConfig) {
        EmailEdit->setText(gConfig->GetCustomEmail());
        NameEdit->setText(gConfig->GetCustomName());
    }
    // It may name a file the user chose: shown as text, whatever the name holds.
    WarningLbl->setTextFormat(Qt::PlainText);
    WarningLbl->hide();
    BRStateLbl->hide();
    progressBar->hide();

    setFixedSize(UiScaled(468), UiScaled(350));
    SetScaledFixedSize(SubmitButton, 120, 32);
    AttachButton->setFixedHeight(UiScaled(20));
    SetScaledFixedSize(NameEdit, 134, 20);
    SetScaledFixedSize(EmailEdit, 280, 20);
    textEdit->setFixedHeight(UiScaled(160));

    PromptLabel->setProperty("STYLE_KEY", QStringLiteral("BUG_PROMPT"));
    EmailEdit->setProperty("STYLE_KEY", QStringLiteral("BUG_INFOEDIT"));
    NameEdit->setProperty("STYLE_KEY", QStringLiteral("BUG_INFOEDIT"));
    SubmitButton->setProperty("STYLE_KEY", QStringLiteral("BUG_BTN"));
    AttachButton->setProperty("STYLE_KEY", QStringLiteral("BUG_ATTACH_BTN"));
    WarningLbl->setProperty("STYLE_KEY", QStringLiteral("BUG_WARNING"));
    progressBar->setProperty("STYLE_KEY", QStringLiteral("BR_PROGRESS"));
    textEdit->setProperty("STYLE_KEY", QStringLiteral("BUG_TEXT_EDIT"));

    SkinManager::Instance()->ChangePart(QStringLiteral("Message"));

    connect(SubmitButton, &QPushButton::clicked, this, &MyBugReportView::SltReport);
    connect(AttachButton, &QPushButton::clicked, this, &MyBugReportView::SltAddAnnex);
    Retranslate();
}

MyBugReportView::~MyBugReportView() {
    if (!m_host)
        return;
    if (m_sending)
        m_host->StopBugReport(this);
    m_host->BugReportViewDestroyed(this);
}

QString MyBugReportView::Name() const {
    return NameEdit->text();
}

QString MyBugReportView::Email() const {
    return EmailEdit->text();
}

QString MyBugReportView::Content() const {
    return textEdit->toPlainText();
}

void MyBugReportView::SetState(BugReportViewState state) {
    switch (state) {
    case BugReportViewState::Idle:
        m_sending = false;
        progressBar->hide();
        BRStateLbl->hide();
        break;
    case BugReportViewState::Sending:
        // Only an address that was accepted for sending is offered again next time.
        if (!m_sending)
            RememberSender();
        m_sending = true;
        progressBar->show();
        BRStateLbl->hide();
        break;
    case BugReportViewState::Stopped:
        m_sending = false;
        progressBar->show();
        break;
    case BugReportViewState::Finished:
        m_sending = false;
        progressBar->hide();
        BRStateLbl->show();
        break;
    case BugReportViewState::NotSetUp:
        m_sending = false;
        m_stateTextKind = StateText::NotSetUp;
        ShowStateText();
        progressBar->hide();
        BRStateLbl->show();
        break;
    default:
        return;
    }
    m_state = state;
}

void MyBugReportView::SetStateText(const QString& text) {
    m_stateTextKind = StateText::Given;
    m_givenStateText = text;
    ShowStateText();
}

void MyBugReportView::SetProgress(int percent) {
    // The byte count of a mail is an estimate: a send may run past it.
    progressBar->setValue(qBound(0, percent, 100));
}

void MyBugReportView::ShowResult(bool sent) {
    m_stateTextKind = sent ? StateText::Sent : StateText::Failed;
    ShowStateText();
    SetState(BugReportViewState::Finished);
}

void MyBugReportView::ShowEmailValid() {
    m_addressInvalid = false;
    EmailEdit->setStyleSheet(kValidAddressSheet);
    ShowWarning();
}

void MyBugReportView::ShowEmailInvalid() {
    m_addressInvalid = true;
    EmailEdit->setStyleSheet(kInvalidFieldSheet);
    ShowWarning();
}

void MyBugReportView::ShowNameValid() {
    // The skin's look back: a name field that was never marked has no sheet of its own.
    if (m_nameInvalid)
        NameEdit->setStyleSheet(QString());
    m_nameInvalid = false;
    ShowWarning();
}

void MyBugReportView::ShowNameInvalid() {
    m_nameInvalid = true;
    NameEdit->setStyleSheet(kInvalidFieldSheet);
    ShowWarning();
}

void MyBugReportView::ShowAttachmentFits() {
    m_attachmentTooLarge = false;
    m_attachmentUnreadable = false;
    ShowWarning();
}

void MyBugReportView::ShowAttachmentTooLarge() {
    m_attachmentTooLarge = true;
    m_attachmentUnreadable = false;
    ShowWarning();
}

void MyBugReportView::ShowAttachmentUnreadable() {
    m_attachmentUnreadable = true;
    m_attachmentTooLarge = false;
    ShowWarning();
}

void MyBugReportView::ShowWarning() {
    QString text;
    if (m_addressInvalid)
        text = tr("Invalid email address.");
    else if (m_nameInvalid)
        text = tr("Invalid characters in the name.");
    else if (m_attachmentTooLarge)
        text = tr("The attachment is larger than %1 MB.").arg(MaxAttachmentMb);
    else if (m_attachmentUnreadable)
        text = UnreadableText();
    WarningLbl->setText(text);
    // The whole path of a file named there, as the attachment's button gives it.
    WarningLbl->setToolTip(!m_addressInvalid && !m_nameInvalid && (m_attachmentTooLarge || m_attachmentUnreadable)
                               ? QDir::toNativeSeparators(m_attachmentPath)
                               : QString());
    WarningLbl->setVisible(!text.isEmpty());
}

QString MyBugReportView::UnreadableText() const {
    const QString text = tr("The file %1 cannot be attached.");
    // The warning shares its row with the attachment's button, which names the file too.
    AttachButton->ensurePolished();
    WarningLbl->ensurePolished();
    const QFontMetrics metrics = WarningLbl->fontMetrics();
    const int row = width() - UiScaled(40) - UiScaled(12);
    const int room = row - AttachButton->sizeHint().width() - metrics.horizontalAdvance(text.arg(QString()));
    return text.arg(
        metrics.elidedText(QFileInfo(m_attachmentPath).fileName(), Qt::ElideMiddle, std::max(UiScaled(40), room)));
}

void MyBugReportView::Retranslate() {
    retranslateUi(this);
    if (IsChineseEdition()) {
        PromptLabel->setFixedHeight(UiScaled(40));
    } else {
        // Back from Chinese: a longer prompt needs its lines again.
        PromptLabel->setMinimumHeight(0);
        PromptLabel->setMaximumHeight(QWIDGETSIZE_MAX);
    }
    ApplyPlaceholders();
    // The form's texts leave both labels empty: what they said still holds, in the new language (the
    // attachment's button first, whose width the warning makes room for).
    ShowAttachment();
    ShowWarning();
    ShowStateText();
}

void MyBugReportView::ApplyPlaceholders() {
    EmailEdit->setPlaceholderText(tr("Email"));
    NameEdit->setPlaceholderText(tr("Name"));
    textEdit->setPlaceholderText(tr("If you have encountered some problems or received an error,please send us your "
                                    "details or screenshots."));
}

void MyBugReportView::ShowStateText() {
    switch (m_stateTextKind) {
    case StateText::Given:
        BRStateLbl->setText(m_givenStateText);
        break;
    case StateText::Sent:
    case StateText::Failed:
        BRStateLbl->setText(ResultText(m_stateTextKind == StateText::Sent));
        break;
    case StateText::NotSetUp:
        BRStateLbl->setText(tr("Bug reports are not set up on this installation."));
        break;
    }
}

void MyBugReportView::ShowAttachment() {
    if (m_attachmentPath.isEmpty()) {
        AttachButton->setText(QCoreApplication::translate("BugReportView", "Attach File"));
        AttachButton->setToolTip(QString());
        return;
    }
    // The name shares its row with the address warning.
    AttachButton->ensurePolished();
    const QString name =
        AttachButton->fontMetrics().elidedText(QFileInfo(m_attachmentPath).fileName(), Qt::ElideMiddle, UiScaled(220));
    AttachButton->setText(tr("Attachment: %1").arg(name));
    AttachButton->setToolTip(QDir::toNativeSeparators(m_attachmentPath));
}

// Kept for the rest of the run only: the address is not written to the settings file.
void MyBugReportView::RememberSender() const {
    if (!gConfig)
        return;
    gConfig->SetCustomName(Name(), false);
    gConfig->SetCustomEmail(Email(), false);
}

void MyBugReportView::SltAddAnnex() {
    const QString filter = m_host ? m_host->SupportedFilesFilter() : QString();
    const QString folder = gConfig ? gConfig->GetDataDir() : QString();
    // A cancelled choice takes a former attachment back.
    m_attachmentPath = m_chooseAttachment ? m_chooseAttachment(this, tr("Add Attachment"), folder, filter) : QString();
    ShowAttachment();
    // Said at once, before the user writes the report; "Submit" checks the file again.
    const qint64 size = m_attachmentPath.isEmpty() ? 0 : platform::regularFileSize(m_attachmentPath);
    if (size < 0)
        ShowAttachmentUnreadable();
    else if (size > MaxAttachmentBytes)
        ShowAttachmentTooLarge();
    else
        ShowAttachmentFits();
}

void MyBugReportView::SltReport() {
    if (!m_host)
        return;
    if (!m_sending && !m_host->IsBugReportSetUp()) {
        SetState(BugReportViewState::NotSetUp);
        return;
    }
    m_host->SendBugReport(this);
}

void MyBugReportView::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintTopLine(this);
}

void MyBugReportView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Said as the dialog opens, so that nobody writes a report that cannot go.
    if (!event->spontaneous() && m_host && m_state == BugReportViewState::Idle && !m_host->IsBugReportSetUp())
        SetState(BugReportViewState::NotSetUp);
}

void MyBugReportView::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Closing the dialog or its frame ends the send; a window system hiding it (minimising) does not.
    if (!event->spontaneous() && m_sending && m_host)
        m_host->StopBugReport(this);
}
