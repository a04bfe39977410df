// The controller's dialog frames, the update prompt at start-up and the change of language.
#include "Controller.h"

#include "ControllerWindow.h"

#include "app/EditionData.h"
#include "app/FileFilters.h"
#include "app/Language.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "app/VersionCompare.h"
#include "device/RepairEngine.h"
#include "dialogs/MyAboutView.h"
#include "dialogs/MySettingView.h"
#include "dialogs/MyUpdateView.h"
#include "framework/ApplicationFonts.h"
#include "framework/CWindowsFrame.h"
#include "framework/ChildFrame.h"
#include "framework/MyFrame.h"
#include "framework/SkinManager.h"
#include "framework/TitleBar.h"
#include "platform/DesktopShell.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

// The kept views stay with the main window, which may outlive this controller by a moment: nothing they
// ask afterwards may reach it.
void Controller::LetGoOfViews() {
    if (m_watchingForQuiet && qApp)
        qApp->removeEventFilter(this);
    m_watchingForQuiet = false;
    if (m_settingView)
        m_settingView->SetHost(nullptr);
    if (m_updateView)
        m_updateView->SetHost(nullptr);
    // An open bug-report view is deleted by the window after the controller and the engine.
    if (m_bugReportView)
        m_bugReportView->SetHost(nullptr);
}

MyUpdateView* Controller::GetUpdateView() const {
    return m_updateView;
}

MySettingView* Controller::GetSettingView() const {
    return m_settingView;
}

MyAboutView* Controller::GetAboutView() const {
    return m_aboutView;
}

// The frame takes the view into its layout, and a frame's children go with it. The kept views must outlive
// every frame they were shown in, so each view goes back to the main window before its frame is destroyed;
// and the main window may go while the frame runs (taking the frame, the views and this controller with it),
// which the guards notice before anything of them is touched again.
bool Controller::ExecChildFrame(QWidget* view, const char* styleKey, const QString& titleObjectName) {
    SkinManager* skin = SkinManager::Instance();
    const int side = static_cast<int>(23 * skin->GetScale());
    QPixmap icon = skin->GetLogoPixmap(2);
    if (!icon.isNull())
        icon = icon.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    const QPointer<Controller> self(this);
    const QPointer<QWidget> shown(view);
    const QPointer<QWidget> owner(WindowWidget());
    // The frame chooses its own look: a shadow ring only where the screen composites.
    QPointer<ChildFrame> frame = new ChildFrame(view, owner, CAbstractFrame::FRAME_CLOSE, icon, 0);
    frame->setProperty("STYLE_KEY", QString::fromLatin1(styleKey));
    CenterOnMainWindow(frame);
    frame->SetTitleObjectName(titleObjectName);
    ++m_framesOpen;
    emit dialogFrameOpened(frame);
    if (frame)
        frame->exec();
    if (!self)
        return false;
    --m_framesOpen;
    // A frame that closed hands its dialog back by itself; one that ended otherwise has it still.
    if (shown && frame && shown->parentWidget() == frame)
        shown->setParent(owner);
    delete frame;
    // An offer that waited for this dialog to close may be made now.
    if (m_startupOffer == StartupOffer::AwaitingQuiet)
        ScheduleStartupOffer();
    return true;
}

void Controller::CenterOnMainWindow(QWidget* frame) {
    if (!frame || !m_window)
        return;
    const QRect stack = m_window->PageStackGlobalRect();
    int titleHeight = 0;
    if (auto* windowsFrame = qobject_cast<CWindowsFrame*>(frame)) {
        if (TitleBar* title = windowsFrame->GetTitleBar())
            titleHeight = title->GetTitleHeight();
    }
    const int x = stack.x() + stack.width() / 2 - frame->width() / 2;
    const int y = stack.y() + stack.height() / 2 - (frame->height() + titleHeight) / 2;
    frame->move(x, y);
}

void Controller::ShowSettingFrame() {
    if (!m_settingView) {
        m_settingView = new MySettingView(WindowWidget(), Qt::FramelessWindowHint);
        m_settingView->SetHost(this);
    }
    m_settingView->ShowDownloadPath();
    ExecChildFrame(m_settingView, "SETTING_FRAME", QStringLiteral("settingFrame"));
}

void Controller::ShowAboutFrame() {
    if (!m_aboutView)
        m_aboutView = new MyAboutView(WindowWidget(), Qt::FramelessWindowHint);
    ExecChildFrame(m_aboutView, "ABOUT_FRAME", QStringLiteral("aboutFrame"));
}

void Controller::ShowUpdateFrame(bool atStart) {
    if (!m_updateView) {
        m_updateView = new MyUpdateView(WindowWidget(), Qt::FramelessWindowHint);
        m_updateView->SetHost(this);
        if (m_model)
            m_model->SetUpdateView(m_updateView);
    }
    if (!m_updateView->IsChecking()) {
        if (!atStart)
            m_updateView->SetChecking(true);
        if (m_model)
            m_model->CheckForUpdate(atStart);
    }
    if (!ExecChildFrame(m_updateView, "UPDATE_FRAME", QStringLiteral("updateFrame")))
        return;
    // Whatever the user did with an offer, closing it or pressing "Update", the start-up does not make it again.
    if (m_updateView && m_updateView->GetState() == UpdateViewState::UpdateAvailable)
        m_offeredVersion = m_updateView->GetNewVersion();
}

void Controller::CheckUpdateAtStart() {
    if (!m_model)
        return;
    const QString newest = m_model->NewestVersion();
    if (gConfig && newest == gConfig->GetSkipVersion())
        return;
    if (!m_offeredVersion.isEmpty() && newest == m_offeredVersion)
        return;
    const QString installed = gAppData ? gAppData->Version : QString();
    if (CompareVersions(newest, installed) > 0)
        ShowUpdateFrame(true);
}

// ---- The start-up's update offer ----

void Controller::UpdateCheckedAtStart() {
    if (m_startupOffer != StartupOffer::AwaitingCheck)
        return;
    m_startupOffer = StartupOffer::AwaitingQuiet;
    ScheduleStartupOffer();
}

void Controller::OfferUpdateAtStart() {
    if (m_startupOffer == StartupOffer::AwaitingQuiet)
        ScheduleStartupOffer();
}

// From the event loop, never from inside the engine's report: the offer runs a modal frame.
void Controller::ScheduleStartupOffer() {
    if (m_startupOfferScheduled)
        return;
    m_startupOfferScheduled = true;
    QTimer::singleShot(0, this, &Controller::TryStartupOffer);
}

void Controller::TryStartupOffer() {
    m_startupOfferScheduled = false;
    if (m_startupOffer != StartupOffer::AwaitingQuiet)
        return;
    if (!IsQuietMoment()) {
        // Any window that shows, hides or changes its state may end what stands in the way.
        if (!m_watchingForQuiet && qApp) {
            qApp->installEventFilter(this);
            m_watchingForQuiet = true;
        }
        return;
    }
    if (m_watchingForQuiet) {
        qApp->removeEventFilter(this);
        m_watchingForQuiet = false;
    }
    m_startupOffer = StartupOffer::Decided;
    CheckUpdateAtStart();
}

bool Controller::IsQuietMoment() const {
    QWidget* window = WindowWidget();
    if (!window || m_framesOpen > 0)
        return false;
    const QWidget* top = window->window();
    if (!top->isVisible() || top->isMinimized())
        return false;
    return !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

bool Controller::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
    case QEvent::WindowUnblocked:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            ScheduleStartupOffer();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// ---- What the dialogs ask for ----

void Controller::CheckForUpdate() {
    if (m_model)
        m_model->CheckForUpdate(false);
}

void Controller::GetUpdateDescription(QString& description) {
    if (m_model)
        m_model->GetUpdateDescription(description);
}

QString Controller::GetUpdateDescription() {
    QString description;
    GetUpdateDescription(description);
    return description;
}

QString Controller::GetUpdateDownloadUrl() {
    return m_model ? m_model->UpdateDownloadUrl() : QString();
}

void Controller::SkipVersion(const QString& version) {
    // Stored at once, as the language is: a program killed later must not offer the same version again.
    if (gConfig)
        gConfig->SetSkipVersion(version, true);
}

void Controller::OpenDownloadAddress(const QUrl& address) {
    platform::openUrl(gAppData ? gAppData->MakeLink(address.toString()) : address);
}

void Controller::SetDownloadFolder(const QString& folder) {
    if (!m_model)
        return;
    const QByteArray utf8 = folder.toUtf8();
    m_model->SetDownloadFolder(&utf8);
}

void Controller::SetDeleteFirmware(bool enable) {
    if (m_model)
        m_model->SetDeleteFirmware(enable ? 1 : 0);
}

void Controller::CloseUpdateView() {
    if (m_updateView)
        m_updateView->SltClose();
}

void Controller::ClearUpdateChecking() {
    if (m_updateView)
        m_updateView->SetChecking(false);
}

// ---- Language ----

void Controller::SetLanguage(const QString& language) {
    if (gConfig)
        gConfig->SetLanguage(language, false);
    if (gAppData)
        gAppData->SetLanguage(language);
    const QString folder = !m_languageFolder.isEmpty() ? m_languageFolder
                           : gConfig                   ? gConfig->GetProgramDir() + QStringLiteral("Language")
                                                       : QString();
    LoadTranslator(language, folder, QStringLiteral("Mendra"));
    SetupApplicationFonts(SkinManager::Instance()->GetStyleSheet(), language);
    // Later update checks ask for the release notes in the new language.
    if (m_model)
        m_model->SetUpdateLanguage(language);
    RetranslateAll();
}

void Controller::RetranslateAll() {
    if (m_window)
        m_window->Retranslate();
    if (m_mainFrame)
        m_mainFrame->Retranslate();
    if (m_aboutView)
        m_aboutView->Retranslate();
    if (m_settingView)
        m_settingView->Retranslate();
    if (m_updateView)
        m_updateView->Retranslate();
    if (m_bugReportView)
        m_bugReportView->Retranslate();
    UpdateModeTitle();
}

bool ConfirmCloseCallback(void* user) {
    return user ? static_cast<Controller*>(user)->ConfirmClose() : true;
}
