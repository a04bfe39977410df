#include "MyUpdateView.h"

#include "DialogLook.h"
#include "ServerTextDocument.h"
#include "UpdateViewHost.h"
#include "app/EditionData.h"
#include "app/RunLog.h"
#include "framework/SkinManager.h"

#include <QScrollBar>
#include <QTextCursor>
#include <QUrl>

using UpdateViewPages::CheckingPage;
using UpdateViewPages::UpdatePage;

namespace {

QString Labelled(const QString& label, const QString& value) {
    return QStringLiteral("%1 %2").arg(label, value);
}

} // namespace

MyUpdateView::MyUpdateView(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    setupUi(this);
    Init();
    connect(OKButton, &QPushButton::clicked, this, &MyUpdateView::SltClose);
    connect(SkipButton, &QPushButton::clicked, this, &MyUpdateView::SltSkipVersion);
    connect(UpdateButton, &QPushButton::clicked, this, &MyUpdateView::SltUpdate);
    connect(RetryButton, &QPushButton::clicked, this, &MyUpdateView::SltRetry);
    SetState(UpdateViewState::Checking);
}

MyUpdateView::~MyUpdateView() = default;

void MyUpdateView::Init() {
    SetState(UpdateViewState::Checking);

    for (QPushButton* button : {UpdateButton, SkipButton, OKButton, RetryButton})
        KeepScaledFixedSize(button, 120, 32);
    SetScaledFixedSize(updateProgressBar, 350, 8);
    NewInfoBrowser->setFixedHeight(UiScaled(170));
    SetScaledFixedSize(iconLabel, 60, 60);

    for (QLabel* label : std::initializer_list<QLabel*>{LastLabel, NewestLabel, checkStateLabel})
        label->setProperty("STYLE_KEY", QStringLiteral("UPDATE_LATEST"));
    for (QLabel* label : {CurrentLabel, PresentLabel})
        label->setProperty("STYLE_KEY", QStringLiteral("UPDATE_CURRENT"));
    NewInfoBrowser->setProperty("STYLE_KEY", QStringLiteral("UPDATE_CONTEXT"));
    for (QPushButton* button : {UpdateButton, SkipButton, OKButton, RetryButton})
        button->setProperty("STYLE_KEY", QStringLiteral("UPDATE_BTN"));
    updateProgressBar->setProperty("STYLE_KEY", QStringLiteral("UPDATE_PROGRESS_BAR"));

    QPixmap icon = SkinManager::Instance()->GetLogoPixmap(2);
    if (!icon.isNull()) {
        icon = icon.scaled(UiScaled(60), UiScaled(60), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        for (QLabel* label : {iconLabel, IconLbl_2, IconLbl})
            label->setPixmap(icon);
    }

    updateProgressBar->setRange(0, 0);
    // The notes come from the update server: a link in them is shown, never followed, and nothing they name
    // is loaded.
    NewInfoBrowser->setOpenLinks(false);
    m_notes = ServerTextDocument::InstallIn(NewInfoBrowser);
    // The version comes from the server too: the labels show their texts as they are, never as markup.
    for (QLabel* label :
         std::initializer_list<QLabel*>{LastLabel, CurrentLabel, PresentLabel, NewestLabel, checkStateLabel})
        label->setTextFormat(Qt::PlainText);
    m_checking = false;
}

void MyUpdateView::SetNewVersion(const QString& version) {
    m_newVersion = version;
}

void MyUpdateView::SetMessage(const QString& message) {
    m_message = message;
}

void MyUpdateView::SetState(UpdateViewState state) {
    m_state = state;
    switch (state) {
    case UpdateViewState::Checking:
        RetryButton->hide();
        SetPage(UpdatePage::CheckingOrFailed);
        SetCheckingPage(CheckingPage::Busy);
        setFixedSize(UiScaled(468), UiScaled(150));
        break;
    case UpdateViewState::UpdateAvailable:
        SetPage(UpdatePage::UpdateAvailable);
        ShowVersions();
        ShowNotes();
        setFixedSize(UiScaled(468), UiScaled(340));
        break;
    case UpdateViewState::LatestVersion:
        SetPage(UpdatePage::LatestVersion);
        NewestLabel->setText(m_message);
        ShowVersions();
        setFixedSize(UiScaled(468), UiScaled(170));
        break;
    case UpdateViewState::CheckFailed:
        RetryButton->show();
        SetPage(UpdatePage::CheckingOrFailed);
        SetCheckingPage(CheckingPage::Failed);
        checkStateLabel->setText(m_message);
        setFixedSize(UiScaled(468), UiScaled(170));
        break;
    default:
        SetPage(UpdatePage::CheckingOrFailed);
        SetCheckingPage(CheckingPage::Busy);
        break;
    }
}

void MyUpdateView::SetPage(UpdatePage page) {
    stackedWidget->setCurrentIndex(static_cast<int>(page));
}

void MyUpdateView::SetCheckingPage(CheckingPage page) {
    CheckingstackedWidget->setCurrentIndex(static_cast<int>(page));
}

UpdatePage MyUpdateView::GetPage() const {
    return static_cast<UpdatePage>(stackedWidget->currentIndex());
}

CheckingPage MyUpdateView::GetCheckingPage() const {
    return static_cast<CheckingPage>(CheckingstackedWidget->currentIndex());
}

void MyUpdateView::ShowVersions() {
    const QString current = Labelled(tr("Current version:"), GetEditionVersion());
    LastLabel->setText(Labelled(tr("Update available:"), m_newVersion));
    CurrentLabel->setText(current);
    PresentLabel->setText(current);
}

// The notes are read from their beginning. The text box's cursor follows the new text to its end, and the box
// brings its cursor into view when it is first shown, as the start-up's offer is.
void MyUpdateView::ShowNotes() {
    m_notes->SetServerText(Description());
    NewInfoBrowser->setTextCursor(QTextCursor(m_notes));
    NewInfoBrowser->verticalScrollBar()->setValue(0);
}

QString MyUpdateView::Description() const {
    return m_host ? m_host->GetUpdateDescription() : QString();
}

void MyUpdateView::Retranslate() {
    retranslateUi(this);
    ShowNotes();
    ShowVersions();
}

void MyUpdateView::SltClose() {
    close();
}

void MyUpdateView::SltSkipVersion() {
    if (m_host)
        m_host->SkipVersion(m_newVersion);
    close();
}

void MyUpdateView::SltUpdate() {
    const QString address = m_host ? m_host->GetUpdateDownloadUrl() : QString();
    const QUrl url(address, QUrl::TolerantMode);
    // The address comes from the server, in any length.
    if (IsWebAddress(url))
        m_host->OpenDownloadAddress(url);
    else
        RunLog->WriteString(TextLog::Warning,
                            QStringLiteral("Update: no download address (\"%1\")").arg(address.simplified().left(200)),
                            true);
    close();
}

void MyUpdateView::SltRetry() {
    if (m_host)
        m_host->CheckForUpdate();
}

void MyUpdateView::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintTopLine(this);
}
