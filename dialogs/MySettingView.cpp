#include "MySettingView.h"

#include "DialogLook.h"
#include "SettingViewHost.h"
#include "app/FileUtils.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "app/SystemUtilities.h"
#include "framework/ApplicationFonts.h"
#include "framework/FileDialogs.h"
#include "framework/SkinManager.h"
#include "platform/DesktopShell.h"

#include <QDebug>
#include <QDir>
#include <QUrl>

namespace {

QString StoredDownloadPath() {
    return gConfig ? gConfig->GetDownloadPath() : QString();
}

} // namespace

MySettingView::MySettingView(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {
    setupUi(this);
    SetFolderChooser(nullptr);
    SetFreeSpaceQuery(nullptr);
    // The controls are filled before the signals are connected: showing the stored values stores nothing.
    InitControls();
    MakeConnections();
    SetSizes();
    SetStyleKeys();
}

MySettingView::~MySettingView() = default;

void MySettingView::SetFolderChooser(FolderChooser chooser) {
    m_chooseFolder = chooser ? std::move(chooser) : FolderChooser(&GetExistingDirectory);
}

void MySettingView::SetFreeSpaceQuery(FreeSpaceQuery query) {
    m_freeSpace = query ? std::move(query) : FreeSpaceQuery(&GetDiskFreeBytes);
}

void MySettingView::InitControls() {
    warningLbl->hide();
    warningLbl->setWordWrap(true);
    // Latin punctuation: a CJK font draws the three dots full width, too wide for the small button.
    QFont dotsFont = SettingPath->font();
    dotsFont.setFamily(ChooseFontFamily(QStringLiteral("en"), QString()));
    SettingPath->setFont(dotsFont);
    qDebug() << "GetDownloaPath:" << StoredDownloadPath();
    ShowDownloadPath();
    deleteFileBox->setChecked(gConfig && gConfig->GetIsDeleteFile() != 0);
}

void MySettingView::MakeConnections() {
    connect(SettingPath, &QPushButton::clicked, this, &MySettingView::SltSelectFile);
    connect(selectBtn, &QPushButton::clicked, this, &MySettingView::OpenFilePath);
    connect(deleteFileBox, &QCheckBox::stateChanged, this, &MySettingView::SltIsDeleteFile);
}

void MySettingView::SetSizes() {
    SetScaledFixedSize(this, 468, 150);
    filePathLineEdit->setFixedHeight(UiScaled(22));
    SetScaledFixedSize(SettingPath, 24, 22);
    SetScaledFixedSize(selectBtn, 80, 24);
}

void MySettingView::SetStyleKeys() {
    filePathLineEdit->setProperty("STYLE_KEY", QStringLiteral("SETTING_PATH_EDIT"));
    SettingPath->setProperty("STYLE_KEY", QStringLiteral("SETTING_PATH"));
    selectBtn->setProperty("STYLE_KEY", QStringLiteral("SETTING_SELECT_BTN"));
    deleteFileBox->setProperty("STYLE_KEY", QStringLiteral("SETTING_DELETE_BOX"));
}

void MySettingView::ShowDownloadPath() {
    filePathLineEdit->setText(StoredDownloadPath());
    filePathLineEdit->setCursorPosition(0);
    filePathLineEdit->setReadOnly(true);
}

void MySettingView::Retranslate() {
    retranslateUi(this);
    // The form's texts include the warning's empty one; a warning on show stays readable.
    warningLbl->setText(ProblemText());
    FitHeight();
}

void MySettingView::SltSelectFile() {
    const QString caption = tr("Open Directory");
    const QString stored = StoredDownloadPath();
    const QString answer = stored.isEmpty()
                               ? m_chooseFolder(this, caption, QDir::homePath(),
                                                QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks)
                               : m_chooseFolder(this, caption, stored, QFileDialog::ShowDirsOnly);
    const QString folder = ToNativeSeparators(answer);
    if (folder.isEmpty())
        return;

    const FolderProblem problem = CheckFolder(folder);
    ShowFolderProblem(problem);
    if (problem != FolderProblem::None) {
        const QString why = problem == FolderProblem::NotWritable ? QStringLiteral("not writable")
                                                                  : QStringLiteral("too little free space");
        RunLog->WriteString(1, QStringLiteral("Setting: download folder refused, %1: %2").arg(why, folder), true);
        return;
    }
    filePathLineEdit->setText(folder);
    filePathLineEdit->setCursorPosition(0);
    if (gConfig)
        gConfig->SetDownloadPath(folder, true);
    if (m_host)
        m_host->SetDownloadFolder(folder);
}

MySettingView::FolderProblem MySettingView::CheckFolder(const QString& folder) const {
    // A file system that cannot be asked may be just as full as one that says so.
    if (m_freeSpace(folder) < MinimumFreeBytes)
        return FolderProblem::NotEnoughSpace;
    // The device library would fail later, in the middle of a repair, on a folder it cannot write.
    if (!IsPathWritable(folder))
        return FolderProblem::NotWritable;
    return FolderProblem::None;
}

void MySettingView::ShowFolderProblem(FolderProblem problem) {
    m_problem = problem;
    warningLbl->setText(ProblemText());
    warningLbl->setVisible(problem != FolderProblem::None);
    FitHeight();
}

void MySettingView::FitHeight() {
    // The design height holds the controls and one short line of warning; a warning that wraps (as most
    // translations do) makes the dialog grow by what it needs, so that nothing of it is cut off. The
    // spacer's preferred height is room that may go.
    const int needed = layout()->totalHeightForWidth(width()) - verticalSpacer->sizeHint().height();
    setFixedHeight(qMax(UiScaled(150), needed));
    // The frame around the dialog follows it, also when the warning goes again.
    if (QWidget* frame = window(); frame != this)
        frame->adjustSize();
}

QString MySettingView::ProblemText() const {
    switch (m_problem) {
    case FolderProblem::NotEnoughSpace:
        return tr("There is not enough disk space. Please clean up the destination disk or select another folder.");
    case FolderProblem::NotWritable:
        return tr("This folder cannot be written to. Please select another folder.");
    case FolderProblem::None:
        break;
    }
    return QString();
}

void MySettingView::OpenFilePath() {
    platform::openUrl(QUrl::fromLocalFile(filePathLineEdit->text()));
}

void MySettingView::SltIsDeleteFile(int value) {
    if (gConfig)
        gConfig->SetIsDeleteFile(value);
    if (m_host)
        m_host->SetDeleteFirmware(value != 0);
}

void MySettingView::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    PaintTopLine(this);
}
