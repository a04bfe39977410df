#pragma once

#include "device/CItemDataBase.h"
#include "device/RepairEngine.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// The device engine as a table of answers: tests set what it reports and read back, in order, what the
// controller and the window asked of it ("StartRepair(standard)", "StopCurrentDevice", ...).
class FakeRepairEngine : public RepairEngine {
public:
    struct Firmware {
        std::string version;
        std::string url;
    };

    // Answers.
    MRDeviceRef currentDevice = 0;
    MRDeviceRef typeBoxDevice = 0;
    DevicePresence devicePresent = DevicePresence::NoDevice;
    bool waitingForWorkDevice = false;
    bool repairRunning = false;
    bool firmwareStage = false;
    bool deviceStep = false;
    bool changingMode = false;
    QString newestVersion;
    bool bugReportSetUp = false;
    QString downloadUrl;
    QString deviceName = QStringLiteral("iPhone");
    int deviceMode = 0;
    quint64 deviceId = 4242;
    std::vector<Firmware> firmware;
    int selectedFirmware = 0;

    // What was asked.
    QStringList calls;
    ModelController* controller = nullptr;
    ModelNotices* notices = nullptr;
    MRDeviceRef repairDevice = 0;
    BugReportDisplay* bugReportView = nullptr;
    QByteArray localFirmware;
    QString workDeviceId;
    bool skipReadyPage = false;

    void SetController(ModelController* c) override { controller = c; }
    void SetNotices(ModelNotices* n) override { notices = n; }
    MRDeviceRef CurrentDevice() override { return currentDevice; }
    MRDeviceRef GetTypeBoxDevice() override { return typeBoxDevice; }
    DevicePresence IsDevicePresent() const override { return devicePresent; }
    void CheckWorkDevicePresent() override { calls << QStringLiteral("CheckWorkDevicePresent"); }
    bool IsWaitingForWorkDevice() const override { return waitingForWorkDevice; }
    CItemDataBase* MakeDeviceItem() override { return new CItemDataBase; }
    int GetFirmwareEntryCount(MRDeviceRef) override { return static_cast<int>(firmware.size()); }
    const MRFirmwareEntry* GetFirmwareEntry(MRDeviceRef, int index) override {
        if (index < 0 || index >= static_cast<int>(firmware.size()))
            return nullptr;
        m_entry = {firmware[index].version.c_str(), firmware[index].url.c_str()};
        return &m_entry;
    }
    const MRFirmwareEntry* GetSelectedFirmwareEntry() override {
        return currentDevice ? GetFirmwareEntry(currentDevice, selectedFirmware) : nullptr;
    }
    void SetLocalFirmware(MRDeviceRef device, const QByteArray& path) override {
        calls << QStringLiteral("SetLocalFirmware(%1)").arg(device);
        localFirmware = path;
    }
    void SetWorkDeviceIdText(const QString& idText) override { workDeviceId = idText; }
    void SetRepairDevice(MRDeviceRef device) override { repairDevice = device; }
    MRDeviceRef GetRepairDevice() const override { return repairDevice; }
    void StartRepair(bool standard) override {
        calls << (standard ? QStringLiteral("StartRepair(standard)") : QStringLiteral("StartRepair(advanced)"));
    }
    void SetSkipReadyPage(bool skip) override { skipReadyPage = skip; }
    bool IsRepairRunning() const override { return repairRunning; }
    bool IsFirmwareStageRunning() const override { return firmwareStage; }
    bool IsDeviceStepRunning() const override { return deviceStep; }
    void StopCurrentDevice() override { calls << QStringLiteral("StopCurrentDevice"); }
    void StopRepairDevice() override { calls << QStringLiteral("StopRepairDevice"); }
    void ToggleRecoveryMode() override { calls << QStringLiteral("ToggleRecoveryMode"); }
    bool IsChangingMode() const override { return changingMode; }
    QString DeviceName(MRDeviceRef) override { return deviceName; }
    int DeviceMode(MRDeviceRef) override { return deviceMode; }
    quint64 DeviceId(MRDeviceRef) override { return deviceId; }
    void SelectFirmware(MRDeviceRef device, int index) override {
        calls << QStringLiteral("SelectFirmware(%1,%2)").arg(device).arg(index);
    }
    void SetDownloadFolder(const QByteArray* folder) override {
        calls << (folder ? QStringLiteral("SetDownloadFolder(%1)").arg(QString::fromUtf8(*folder))
                         : QStringLiteral("SetDownloadFolder(null)"));
    }
    void SetDeleteFirmware(int enable) override { calls << QStringLiteral("SetDeleteFirmware(%1)").arg(enable); }
    QString NewestVersion() const override { return newestVersion; }
    QString UpdateDownloadUrl() const override { return downloadUrl; }
    void SetUpdateLanguage(const QString& language) override {
        calls << QStringLiteral("SetUpdateLanguage(%1)").arg(language);
    }
    void CheckForUpdate(bool atStart) override {
        calls << (atStart ? QStringLiteral("CheckForUpdate(start)") : QStringLiteral("CheckForUpdate(manual)"));
    }
    void GetUpdateDescription(QString& description) override { description = QStringLiteral("notes"); }
    void SetUpdateView(QObject*) override { calls << QStringLiteral("SetUpdateView"); }
    void SetBugReportView(BugReportDisplay* view) override {
        calls << (view ? QStringLiteral("SetBugReportView") : QStringLiteral("SetBugReportView(null)"));
        bugReportView = view;
    }
    bool IsBugReportSetUp() const override { return bugReportSetUp; }
    void SendBugReport(BugReportDisplay*) override { calls << QStringLiteral("SendBugReport"); }
    void StopBugReport(BugReportDisplay*) override { calls << QStringLiteral("StopBugReport"); }

private:
    MRFirmwareEntry m_entry{};
};
