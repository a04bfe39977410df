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
#include "framework/ApplicationFonts.h"
#include "framework/CWindowsFrame.h"
#include "framework/ChildFrame.h"
#include "framework/MyFrame.h"
#include "framework/SkinManager.h"
#include "framework/TitleBar.h"

#include <QEventLoop>
#include <QTimer>

AuxiliaryView* Controller::MakeView(AuxiliaryView::Kind kind) {
    QWidget* parent = WindowWidget();
    if (m_viewFactory) {
        if (AuxiliaryView* view = m_viewFactory(kind, parent, Qt::FramelessWindowHint))
            return view;
    }
    return new AuxiliaryView(kind, parent, Qt::FramelessWindowHint);
}

void Controller::ExecChildFrame(QWidget* view, const char* styleKey, const QString& titleObjectName) {
    SkinManager* skin = SkinManager::Instance();
    const int side = static_cast<int>(23 * skin->GetScale());
    QPixmap icon = skin->GetLogoPixmap(2);
    if (!icon.isNull())
        icon = icon.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    ChildFrame frame(view, WindowWidget(), CAbstractFrame::FRAME_CLOSE, icon, 0);
    frame.setAttribute(Qt::WA_TranslucentBackground);
    frame.setProperty("STYLE_KEY", QString::fromLatin1(styleKey));
    CenterOnMainWindow(&frame);
    frame.SetTitleObjectName(titleObjectName);
    emit dialogFrameOpened(&frame);
    frame.exec();
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
    if (!m_settingView)
        m_settingView = MakeView(AuxiliaryView::SettingView);
    m_settingView->ShowDownloadPath();
    ExecChildFrame(m_settingView, "SETTING_FRAME", QStringLiteral("settingFrame"));
}

void Controller::ShowAboutFrame() {
    if (!m_aboutView)
        m_aboutView = MakeView(AuxiliaryView::AboutView);
    ExecChildFrame(m_aboutView, "ABOUT_FRAME", QStringLiteral("aboutFrame"));
}

void Controller::ShowUpdateFrame(bool atStart) {
    if (!m_updateView) {
        m_updateView = MakeView(AuxiliaryView::UpdateView);
        if (m_model)
            m_model->SetUpdateView(m_updateView);
    }
    if (!m_updateView->IsChecking()) {
        if (!atStart)
            m_updateView->SetChecking(true);
        if (m_model)
            m_model->CheckForUpdate(atStart);
    }
    ExecChildFrame(m_updateView, "UPDATE_FRAME", QStringLiteral("updateFrame"));
}

void Controller::CheckUpdateAtStart() {
    if (!m_model)
        return;
    const QString newest = m_model->NewestVersion();
    if (gConfig && newest == gConfig->GetSkipVersion())
        return;
    const QString installed = gAppData ? gAppData->Version : QString();
    if (CompareVersions(newest, installed) > 0)
        ShowUpdateFrame(true);
}

void Controller::CheckForUpdate() {
    if (m_model)
        m_model->CheckForUpdate(false);
}

void Controller::GetUpdateDescription(QString& description) {
    if (m_model)
        m_model->GetUpdateDescription(description);
}

void Controller::CloseUpdateView() {
    if (m_updateView)
        m_updateView->SltClose();
}

void Controller::ClearUpdateChecking() {
    if (m_updateView)
        m_updateView->SetChecking(false);
}

void Controller::SetLanguage(const QString& language) {
    if (gConfig)
        gConfig->SetLanguage(language, false);
    if (gAppData)
        gAppData->SetLanguage(language);
    const QString programDir = gConfig ? gConfig->GetProgramDir() : QString();
    LoadTranslator(language, programDir + QStringLiteral("Language"), QStringLiteral("Mendra"));
    SetupApplicationFonts(SkinManager::Instance()->GetStyleSheet(), language);
    RetranslateAll();
}

void Controller::RetranslateAll() {
    if (m_window)
        m_window->Retranslate();
    if (m_mainFrame)
        m_mainFrame->Retranslate();
    for (AuxiliaryView* view : {m_aboutView.data(), m_settingView.data(), m_updateView.data()}) {
        if (view)
            view->Retranslate();
    }
    RetranslateBugReportView();
    UpdateModeTitle();
}

bool ConfirmCloseCallback(void* user) {
    return user ? static_cast<Controller*>(user)->ConfirmClose() : true;
}
