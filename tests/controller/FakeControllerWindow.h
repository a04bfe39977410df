#pragma once

#include "controller/ControllerWindow.h"

#include <QStringList>
#include <QWidget>

// The main window as the controller sees it, reduced to its page indexes and a log of every operation that
// changes what it shows.
class FakeControllerWindow : public ControllerWindow {
public:
    QWidget widget;
    QStringList log;
    int mainPage = 0;
    int checkPage = 0;
    int fixPage = 0;
    bool repairDone = false;
    int systemVersionIndex = 0;
    QStringList systemVersions;

    // Leaves the window where a user stands: the sub-page is that of the fix (2) or select (3) page, and
    // nothing is logged because the window got there before the test began.
    void StandOn(int page, int subPage, bool done) {
        mainPage = page;
        checkPage = page == 3 ? subPage : 0;
        fixPage = page == 2 ? subPage : 0;
        repairDone = done;
    }
    QList<QMenu*> menus;
    int retranslations = 0;

    QWidget* WindowWidget() override { return &widget; }
    QRect PageStackGlobalRect() const override { return QRect(100, 200, 800, 400); }
    void AddMenu(QMenu* menu) override { menus << menu; }
    void Retranslate() override { ++retranslations; }

    void SetMainPage(int page) override {
        note(QStringLiteral("SetMainPage(%1)").arg(page));
        mainPage = page;
    }
    int GetMainPageIndex() const override { return mainPage; }
    void SetCheckPage(int page) override {
        note(QStringLiteral("SetCheckPage(%1)").arg(page));
        checkPage = page;
    }
    int GetCheckPageIndex() const override { return checkPage; }
    void SetFixSubPage(int page) override {
        note(QStringLiteral("SetFixSubPage(%1)").arg(page));
        fixPage = page;
    }
    int GetFixPageIndex() const override { return fixPage; }
    void SetFixConnState(int state) override { note(QStringLiteral("SetFixConnState(%1)").arg(state)); }

    void ShowDownloadButtons(bool visible) override { note(QStringLiteral("ShowDownloadButtons(%1)").arg(visible)); }
    void HideDownloadButton() override { note(QStringLiteral("HideDownloadButton")); }
    void ResetStartButton() override { note(QStringLiteral("ResetStartButton")); }
    void DisableStartButton() override { note(QStringLiteral("DisableStartButton")); }
    void EnableRetryDownload(bool on) override { note(QStringLiteral("EnableRetryDownload(%1)").arg(on)); }
    void changGuiLblStaust() override { note(QStringLiteral("changGuiLblStaust")); }

    void ShowRecoveryButtonState(int) override { note(QStringLiteral("ShowRecoveryButtonState")); }
    void SetDeviceTypeText(const QString& text) override { note(QStringLiteral("SetDeviceTypeText(%1)").arg(text)); }
    void ShowFixingDeviceName(MRDeviceRef device) override {
        note(QStringLiteral("ShowFixingDeviceName(%1)").arg(device));
    }
    void ShowFixStateUnconnected() override { note(QStringLiteral("ShowFixStateUnconnected")); }

    void ClearSystemVersions() override {
        note(QStringLiteral("ClearSystemVersions"));
        systemVersions.clear();
    }
    void AddSystemVersion(const QString& text) override {
        note(QStringLiteral("AddSystemVersion(%1)").arg(text));
        systemVersions << text;
    }
    int GetSystemVersionIndex() override { return systemVersionIndex; }

    void ShowRepairSucceeded() override { note(QStringLiteral("ShowRepairSucceeded")); }
    void ShowRepairFailed() override { note(QStringLiteral("ShowRepairFailed")); }
    bool IsRepairDone() const override { return repairDone; }

private:
    void note(const QString& entry) { log << entry; }
};
