#pragma once

#include "MyModel.h"
#include "RepairEngine.h"

// The program's engine: the device model on the loaded device library.
class MyModelEngine : public RepairEngine {
public:
    explicit MyModelEngine(const ModelHost& host);
    ~MyModelEngine() override;

    MyModel& Model() { return m_model; }

    void SetController(ModelController* controller) override;
    void SetNotices(ModelNotices* notices) override;
    MRDeviceRef CurrentDevice() override;
    MRDeviceRef GetTypeBoxDevice() override;
    DevicePresence IsDevicePresent() const override;
    void CheckWorkDevicePresent() override;
    bool IsWaitingForWorkDevice() const override;
    CItemDataBase* MakeDeviceItem() override;
    int GetFirmwareEntryCount(MRDeviceRef device) override;
    const MRFirmwareEntry* GetFirmwareEntry(MRDeviceRef device, int index) override;
    const MRFirmwareEntry* GetSelectedFirmwareEntry() override;
    void SetLocalFirmware(MRDeviceRef device, const QByteArray& path) override;
    void SetWorkDeviceIdText(const QString& idText) override;
    void SetRepairDevice(MRDeviceRef device) override;
    MRDeviceRef GetRepairDevice() const override;
    void StartRepair(bool standard) override;
    void SetSkipReadyPage(bool skip) override;
    bool IsRepairRunning() const override;
    bool IsFirmwareStageRunning() const override;
    bool IsDeviceStepRunning() const override;
    void StopCurrentDevice() override;
    void StopRepairDevice() override;
    void ToggleRecoveryMode() override;
    bool IsChangingMode() const override;
    QString DeviceName(MRDeviceRef device) override;
    int DeviceMode(MRDeviceRef device) override;
    quint64 DeviceId(MRDeviceRef device) override;
    void SelectFirmware(MRDeviceRef device, int index) override;
    void SetDownloadFolder(const QByteArray* folder) override;
    void SetDeleteFirmware(int enable) override;
    QString NewestVersion() const override;
    QString UpdateDownloadUrl() const override;
    void SetUpdateLanguage(const QString& language) override;
    void CheckForUpdate(bool atStart) override;
    void GetUpdateDescription(QString& description) override;
    void SetUpdateView(QObject* view) override;
    void SetBugReportView(BugReportDisplay* view) override;
    bool IsBugReportSetUp() const override;
    void SendBugReport(BugReportDisplay* view) override;
    void StopBugReport(BugReportDisplay* view) override;

private:
    MyModel m_model;
};
