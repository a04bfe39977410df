#pragma once

#include "device/ControllerWindow.h"

#include <QStringList>
#include <QWidget>

// The main window reduced to its page indexes and a log of every operation that changes what it shows.
class FakeControllerWindow : public ControllerWindow {
public:
    QWidget widget;
    QStringList log;
    int mainPage = 0;
    int checkPage = 0;
    int fixPage = 0;
    bool repairDone = false;
    bool firstDownload = false;
    int systemVersionIndex = 0;
    QString systemVersionText = QStringLiteral("17.0");
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
    void ShowConnectionState(int index, MRDeviceRef device) override {
        note(QStringLiteral("ShowConnectionState(%1,%2)").arg(index).arg(device));
    }
    void ShowConnectionStateAlt(bool connected) override {
        note(QStringLiteral("ShowConnectionStateAlt(%1)").arg(connected));
    }
    void ShowConnectingAnimation() override { note(QStringLiteral("ShowConnectingAnimation")); }
    void OnDeviceConnectionChanged(bool connected, const QString&, const QString& entryText, const QString&) override {
        note(QStringLiteral("OnDeviceConnectionChanged(%1,%2)").arg(connected).arg(entryText));
    }
    void SetDeviceTypeText(const QString& text) override { note(QStringLiteral("SetDeviceTypeText(%1)").arg(text)); }
    void ShowFixingDeviceName(MRDeviceRef device) override {
        note(QStringLiteral("ShowFixingDeviceName(%1)").arg(device));
    }
    void ShowFixStateUnconnected() override { note(QStringLiteral("ShowFixStateUnconnected")); }
    void AddDeviceEntry(const QString& text, const QVariant&, MRDeviceRef) override {
        note(QStringLiteral("AddDeviceEntry(%1)").arg(text));
    }
    void AddModelEntry(const QString& text, const QVariant&) override {
        note(QStringLiteral("AddModelEntry(%1)").arg(text));
    }
    void RemoveDeviceEntry(int index) override { note(QStringLiteral("RemoveDeviceEntry(%1)").arg(index)); }
    void RemoveModelEntry(int index) override { note(QStringLiteral("RemoveModelEntry(%1)").arg(index)); }
    int GetDeviceCount() override { return 0; }
    int GetModelCount() override { return 0; }
    int GetDeviceIndex() override { return -1; }
    int GetModelIndex() override { return -1; }
    QVariant GetDeviceData(int) const override { return QVariant(); }
    QVariant GetModelData(int) const override { return QVariant(); }
    void SetDeviceIndex(int index) override { note(QStringLiteral("SetDeviceIndex(%1)").arg(index)); }
    void SetModelIndex(int index) override { note(QStringLiteral("SetModelIndex(%1)").arg(index)); }
    void SetDeviceItemText(int index, const QString& text) override {
        note(QStringLiteral("SetDeviceItemText(%1,%2)").arg(index).arg(text));
    }
    void SetModelItemText(int index, const QString& text) override {
        note(QStringLiteral("SetModelItemText(%1,%2)").arg(index).arg(text));
    }

    void ClearSystemVersions() override {
        note(QStringLiteral("ClearSystemVersions"));
        systemVersions.clear();
    }
    void AddSystemVersion(const QString& text) override {
        note(QStringLiteral("AddSystemVersion(%1)").arg(text));
        systemVersions << text;
    }
    int GetSystemVersionIndex() override { return systemVersionIndex; }
    QString GetSystemVersionText() const override { return systemVersionText; }

    void ShowFirmwareState(int state) override { note(QStringLiteral("ShowFirmwareState(%1)").arg(state)); }
    void ShowFirmwareHint(int hint) override { note(QStringLiteral("ShowFirmwareHint(%1)").arg(hint)); }
    void ClearFirmwareHint() override { note(QStringLiteral("ClearFirmwareHint")); }
    void ClearFirmwareState() override { note(QStringLiteral("ClearFirmwareState")); }
    void ShowFirmwareError(const QString& code, const QString& description) override {
        note(QStringLiteral("ShowFirmwareError(%1,%2)").arg(code, description));
    }
    void ShowFirmwareProgress(float value) override { note(QStringLiteral("ShowFirmwareProgress(%1)").arg(value)); }
    void ShowDownloadSpeed(qint64 bytes) override { note(QStringLiteral("ShowDownloadSpeed(%1)").arg(bytes)); }
    void ShowDownloadAnimation() override { note(QStringLiteral("ShowDownloadAnimation")); }
    void ShowVerifyAnimation() override { note(QStringLiteral("ShowVerifyAnimation")); }
    void ShowDownloadFailedPicture() override { note(QStringLiteral("ShowDownloadFailedPicture")); }
    void ShowVerifyFailedPicture() override { note(QStringLiteral("ShowVerifyFailedPicture")); }

    void ShowReadyToFix() override { note(QStringLiteral("ShowReadyToFix")); }
    void ShowRepairProgress(int step, float value) override {
        note(QStringLiteral("ShowRepairProgress(%1,%2)").arg(step).arg(value));
    }
    void ShowRepairSucceeded() override { note(QStringLiteral("ShowRepairSucceeded")); }
    void ShowRepairFailed() override { note(QStringLiteral("ShowRepairFailed")); }
    bool IsRepairDone() const override { return repairDone; }

    bool SetFirstDownloadSet() override { return firstDownload; }
    void FirstDownloadSet(bool set) override { firstDownload = set; }

private:
    void note(const QString& entry) { log << entry; }
};
