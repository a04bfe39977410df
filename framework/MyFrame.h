#pragma once

#include "CCommonFrame.h"

class MyButton;
class QAction;
class QActionGroup;
class QMenu;

// The main window's frame: a settings button on the title bar drops down the program menu (language,
// settings, user guide, bug report, about, update check). The frame opens no dialog itself: it asks
// whoever owns the dialogs through its request signals.
class MyFrame : public CCommonFrame {
    Q_OBJECT
public:
    MyFrame(QWidget* inner, QWidget* parent, FrameTypes types, const QPixmap& titleIcon, int titleLayout);
    ~MyFrame() override;

    QMenu* GetMenu() const { return m_menu; }
    QMenu* GetLanguageMenu() const { return m_languageMenu; }
    QActionGroup* GetLanguageGroup() const { return m_languageGroup; }
    MyButton* GetSettingsButton() const { return m_settingsButton; }

    void Retranslate() override;
    void UpdateTitleSkin() override;
    void AdjustToInner() override;

signals:
    // The user asked for a dialog or a new language; the owner of the dialogs (the controller)
    // answers them.
    void SettingRequested();
    void BugReportRequested();
    void AboutRequested();
    void UpdateRequested(bool atStart);
    void LanguageRequested(const QString& language);

public slots:
    void SltShowSettingsMenu();
    void SltLanguageChose(QAction* action);
    void SltSetting();
    void SltOpenUserGuideURL();
    void SltShowBugreport();
    void SltShowAbout();
    void SltShowUpdate();
    void SltShowSetting();

protected:
    void paintEvent(QPaintEvent* event) override;
    void UpdateShadowMargins() override;

private:
    void InitFrame();
    void InitConnections();
    void ApplyStyleKeys();
    void BuildMenu();
    void BuildLanguageMenu();
    void RetranslateMenu();
    int ShadowMargin() const;

    MyButton* m_settingsButton = nullptr;
    QMenu* m_menu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QAction* m_settingAction = nullptr;
    QAction* m_userGuideAction = nullptr;
    QAction* m_bugReportAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_updateAction = nullptr;
    QActionGroup* m_languageGroup = nullptr;
};
