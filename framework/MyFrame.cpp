#include "MyFrame.h"

#include "FrameShadow.h"
#include "MyButton.h"
#include "SkinManager.h"
#include "TitleBar.h"

#include "app/EditionData.h"
#include "app/Language.h"
#include "app/MyConfig.h"
#include "platform/DesktopShell.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPainter>
#include <QScreen>

MyFrame::MyFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout)
    : CCommonFrame(inner, parent, types, titleIcon, titleLayout) {
    InitFrame();
    InitConnections();
    ApplyStyleKeys();
}

MyFrame::~MyFrame() {
    if (IsMainFrame() && gConfig) {
        gConfig->SetWidth(width());
        gConfig->SetHeight(height());
    }
    delete m_settingsButton;
    m_settingsButton = nullptr;
}

void MyFrame::InitFrame() {
    SetTitleObjectName(QStringLiteral("mainframe"));
    setContentsMargins(0, 0, 0, 0);
    if (ScreenComposites())
        setAttribute(Qt::WA_TranslucentBackground);
    BuildMenu();
    UpdateTitleSkin();
    AdjustToInner();
    // Without a compositor there is no shadow and no margin for it: the frame is smaller by that margin
    // so that the main window inside keeps its size.
    if (!ScreenComposites()) {
        const int margins = 2 * ShadowMargin();
        resize(width() - margins, height() - margins);
    }
}

int MyFrame::ShadowMargin() const {
    return UiScaled(2.0);
}

void MyFrame::BuildMenu() {
    m_menu = nullptr;
    m_settingsButton = new MyButton;
    m_settingsButton->setToolTip(tr("Menu"));
    m_settingsButton->setFocusPolicy(Qt::NoFocus);
    m_settingsButton->setAutoDefault(false);
    InsertTitleWidgetBeforeButtons(m_settingsButton, 0);

    m_menu = new QMenu(this);
    m_menu->clear();
    m_languageMenu = new QMenu(tr("Language"), m_menu);
    m_menu->addMenu(m_languageMenu);
    BuildLanguageMenu();

    m_settingAction = new QAction(tr("Setting"), m_menu);
    m_settingAction->setMenuRole(QAction::NoRole);
    m_userGuideAction = new QAction(tr("User Guide"), m_menu);
    m_bugReportAction = new QAction(tr("Bug Report"), m_menu);
    m_aboutAction = new QAction(tr("About"), m_menu);
    m_aboutAction->setMenuRole(QAction::ApplicationSpecificRole);
    m_updateAction = new QAction(tr("Check for update"), m_menu);
    m_menu->addAction(m_settingAction);
    m_menu->addSeparator();
    m_menu->addAction(m_userGuideAction);
    m_menu->addAction(m_bugReportAction);
    m_menu->addAction(m_aboutAction);
    m_menu->addAction(m_updateAction);
}

void MyFrame::BuildLanguageMenu() {
    const QString current = gConfig ? gConfig->GetLanguage() : QString();
    m_languageGroup = new QActionGroup(m_languageMenu);
    const QStringList codes = gAppData ? gAppData->Languages : QStringList();
    for (const auto& entry : LanguageDisplayName(codes)) {
        auto* action = new QAction(entry.first, m_languageGroup);
        action->setCheckable(true);
        action->setData(entry.second);
        m_languageGroup->addAction(action);
        m_languageMenu->addAction(action);
        if (entry.second.compare(current, Qt::CaseInsensitive) == 0)
            action->setChecked(true);
    }
}

void MyFrame::InitConnections() {
    if (!IsMainFrame())
        return;
    connect(m_settingsButton, &QAbstractButton::clicked, this, &MyFrame::SltShowSettingsMenu);
    connect(m_languageGroup, &QActionGroup::triggered, this, &MyFrame::SltLanguageChose);
    connect(m_bugReportAction, &QAction::triggered, this, &MyFrame::SltShowBugreport);
    connect(m_userGuideAction, &QAction::triggered, this, &MyFrame::SltOpenUserGuideURL);
    connect(m_aboutAction, &QAction::triggered, this, &MyFrame::SltShowAbout);
    connect(m_updateAction, &QAction::triggered, this, &MyFrame::SltShowUpdate);
    connect(m_settingAction, &QAction::triggered, this, &MyFrame::SltShowSetting);
}

void MyFrame::ApplyStyleKeys() {
    setProperty("STYLE_KEY", QStringLiteral("HOME_BACK"));
    m_settingsButton->setProperty("STYLE_KEY", QStringLiteral("SETTING"));
    // The language submenu is a menu window of its own: it takes the menu's rules and window kind, or it
    // shows in the platform's plain look beside the styled menu.
    for (QMenu* menu : {m_menu, m_languageMenu})
        menu->setProperty("STYLE_KEY", QStringLiteral("QMENU"));
}

void MyFrame::SltShowSettingsMenu() {
    for (QMenu* menu : {m_menu, m_languageMenu}) {
        menu->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
        menu->setAttribute(Qt::WA_TranslucentBackground);
    }
    auto* button = qobject_cast<QWidget*>(sender());
    if (!button)
        button = m_settingsButton;
    const QPoint position = button->mapToGlobal(QPoint(0, 0)) + QPoint(0, button->height());
    m_menu->exec(position);
}

void MyFrame::SltLanguageChose(QAction* action) {
    if (!action)
        return;
    const QString code = action->data().toString();
    if (gConfig && code != gConfig->GetLanguage())
        gConfig->SetLanguage(code, true);
    emit LanguageRequested(code);
}

void MyFrame::SltSetting() {}

void MyFrame::SltOpenUserGuideURL() {
    if (gAppData)
        platform::openUrl(gAppData->MakeLink(gAppData->Tutorial));
}

void MyFrame::SltShowBugreport() {
    emit BugReportRequested();
}
void MyFrame::SltShowAbout() {
    emit AboutRequested();
}
void MyFrame::SltShowUpdate() {
    emit UpdateRequested(false);
}
void MyFrame::SltShowSetting() {
    emit SettingRequested();
}

void MyFrame::Retranslate() {
    if (IsMainFrame())
        m_settingsButton->setToolTip(tr("Menu"));
    CWindowsFrame::Retranslate();
    RetranslateMenu();
}

void MyFrame::RetranslateMenu() {
    m_settingAction->setText(tr("Setting"));
    m_userGuideAction->setText(tr("User Guide"));
    m_bugReportAction->setText(tr("Bug Report"));
    m_aboutAction->setText(tr("About"));
    m_updateAction->setText(tr("Check for update"));
    m_languageMenu->setTitle(tr("Language"));
}

void MyFrame::UpdateTitleSkin() {
    if (!IsMainFrame())
        return;
    SkinManager::Instance()->ChangePart(QStringLiteral("Common"));
    const int side = UiScaled(20.0);
    m_settingsButton->setIconSize(QSize(side, side));
    m_settingsButton->changeIcon(QStringLiteral("settings"));
}

void MyFrame::AdjustToInner() {
    if (!IsMainFrame())
        return;
    m_settingsButton->setFixedSize(UiScaled(32.0), UiScaled(28.0));
}

void MyFrame::UpdateShadowMargins() {
    if (!ScreenComposites())
        return;
    // A maximised frame fills its work area and has no shadow.
    const int margin = FillsWorkArea(FrameScreen()) ? 0 : ShadowMargin();
    setContentsMargins(margin, margin, margin, margin);
}

void MyFrame::paintEvent(QPaintEvent*) {
    if (!ScreenComposites()) {
        QPainter painter(this);
        PaintFlatFrame(painter, size(), Qt::black);
        return;
    }
    if (FillsWorkArea(FrameScreen()))
        return;
    QPainter painter(this);
    PaintFrameShadow(painter, size(), Qt::black);
}
