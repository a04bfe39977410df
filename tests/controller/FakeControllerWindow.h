#pragma once

#include "controller/ControllerWindow.h"

#include "StateName.h"

#include <QMetaType>
#include <QStringList>
#include <QWidget>

// Where the window stands: a main page and, on the firmware selection and fix pages, the sub-page.
struct WindowPlace {
    MainPage page = MainPage::Home;
    CheckPage check = CheckPage::ChooseFirmware;
    FixSubPage fix = FixSubPage::NoDevice;
};
Q_DECLARE_METATYPE(WindowPlace)

inline WindowPlace Place(MainPage page) {
    return {page};
}
inline WindowPlace Place(CheckPage check) {
    return {MainPage::FirmwareSelection, check};
}
inline WindowPlace Place(FixSubPage fix) {
    return {MainPage::Fix, CheckPage::ChooseFirmware, fix};
}

// The main window as the controller sees it, reduced to its page indexes and a log of every operation that
// changes what it shows, e.g. "SetMainPage(Fix)".
class FakeControllerWindow : public ControllerWindow {
public:
    QWidget widget;
    QStringList log;
    MainPage mainPage = MainPage::Home;
    CheckPage checkPage = CheckPage::ChooseFirmware;
    FixSubPage fixPage = FixSubPage::NoDevice;
    bool repairDone = false;
    bool checkFailed = false;
    int systemVersionIndex = 0;
    QStringList systemVersions;

    // Leaves the window where a user stands; nothing is logged because the window got there before the test
    // began. done: the work of that page has ended, a repair's result or a failed firmware check is shown.
    void StandOn(const WindowPlace& place, bool done) {
        mainPage = place.page;
        checkPage = place.check;
        fixPage = place.fix;
        repairDone = done && place.page == MainPage::Fix;
        checkFailed = done && place.page == MainPage::FirmwareSelection;
    }
    QList<QMenu*> menus;
    int retranslations = 0;

    QWidget* WindowWidget() override { return &widget; }
    QRect PageStackGlobalRect() const override { return QRect(100, 200, 800, 400); }
    void AddMenu(QMenu* menu) override { menus << menu; }
    void Retranslate() override { ++retranslations; }

    void SetMainPage(MainPage page) override {
        note(QStringLiteral("SetMainPage(%1)").arg(StateName(page)));
        mainPage = page;
    }
    MainPage GetMainPageIndex() const override { return mainPage; }
    void SetCheckPage(CheckPage page) override {
        note(QStringLiteral("SetCheckPage(%1)").arg(StateName(page)));
        checkPage = page;
    }
    CheckPage GetCheckPageIndex() const override { return checkPage; }
    void SetFixSubPage(FixSubPage page) override {
        note(QStringLiteral("SetFixSubPage(%1)").arg(StateName(page)));
        fixPage = page;
    }
    FixSubPage GetFixPageIndex() const override { return fixPage; }
    void SetFixConnState(FixConnState state) override {
        note(QStringLiteral("SetFixConnState(%1)").arg(StateName(state)));
    }
    bool IsFirmwareCheckFailed() const override { return checkFailed; }

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
