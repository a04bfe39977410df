#pragma once

#include "BugReportPacking.h"
#include "ModelHost.h"
#include "WindowStates.h"
#include "deviceapi/zUZArovadu.h"
#include "mail/BugReportInfo.h"
#include "mail/BugreportThread.h"
#include "mail/MailAccount.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>

class BugReportDisplay;
class CItemDataBase;
class ModelController;
class ModelNotices;
class RestoreThread;
class UpdateFlow;

// The hub of the repair engine and the only receiver of the device library's callbacks. It keeps the
// window's two device lists in step with the connected devices, runs a repair in two runs of the
// library's restore call on its RestoreThread and turns every report into page changes, starts the
// recovery-mode threads, and shows the library's database notice. It drives the window's displays through
// the host's interfaces and reports to the mediator through ModelController.
//
// Everything runs on the GUI thread. Library callbacks reach it over blocking queued connections; at
// shut-down the trampolines stop delivering before anything is torn down (CallbackGate).
class MyModel : public QObject {
    Q_OBJECT
public:
    explicit MyModel(const ModelHost& host);
    ~MyModel() override;

    void Init();
    void ConnectModelSignals();

    // The current entry of the firmware page's list (CurrentDevice) or of the home page's list
    // (GetTypeBoxDevice); 0 when none. Both update the device-present word.
    MRDeviceRef CurrentDevice();
    MRDeviceRef GetTypeBoxDevice();
    DevicePresence IsDevicePresent() const { return m_devicePresent; }

    int GetFirmwareEntryCount(MRDeviceRef device);
    const MRFirmwareEntry* GetFirmwareEntry(MRDeviceRef device, int index);
    const MRFirmwareEntry* GetSelectedFirmwareEntry();
    void SetLocalFirmware(MRDeviceRef device, const QByteArray& path);
    int GetDeviceMode(MRDeviceRef device);

    void SetWorkDeviceIdText(const QString& text) { m_workDeviceIdText = text; }
    QString GetWorkDeviceIdText() const { return m_workDeviceIdText; }
    void CheckWorkDevicePresent();
    // A record of the last-used device as far as the device-present word knows it; the caller owns it.
    CItemDataBase* MakeDeviceItem();

    void SetController(ModelController* controller) { m_controller = controller; }
    void SetNotices(ModelNotices* notices) { m_notices = notices; }
    // The update and bug-report dialogs live above the engine; the model knows them only as the objects it
    // reports to.
    void SetUpdateView(QObject* view);
    void SetBugReportView(BugReportDisplay* view);
    void ApplyLibraryProxy();

    // Repair runs. standard true: option word 0, the device keeps its data; false: option word 1,
    // advanced mode, the device is erased.
    void StartRepair(bool standard);
    void SetSkipReadyPage(bool skip) { m_skipReadyPage = skip; }
    int GetOptionWord() const { return m_optionWord; }
    bool IsRepairRunning() const { return m_repairRunning; }
    bool IsFirmwareStageRunning() const { return m_firmwareStage; }
    // True from the start of a run on the restore thread until its end has been handled.
    bool IsRunActive() const { return m_runActive; }
    // The run goes on in a step that works on the device itself: entering recovery mode or the restore. Only
    // here does the device leave the bus on purpose, and only here must nothing cut the run short.
    bool IsDeviceStepRunning() const { return IsRunGoingOn() && m_runStep >= MRStepEnterRecovery; }
    void SetRepairDevice(MRDeviceRef device) { m_repairDevice = device; }
    MRDeviceRef GetRepairDevice() const { return m_repairDevice; }
    // Stop the library's job of the repair device, found again by its id.
    void StopRepairDevice();

    // A device drops off the bus and comes back under a new handle when it enters or leaves recovery mode.
    // While a run is in a device step, a departure of its device is therefore final only when no device with the
    // work device's id comes back within the grace time; until then the pages stay as they are.
    static constexpr int DefaultReconnectGraceMs = 30000;
    void SetReconnectGraceMs(int milliseconds);
    int GetReconnectGraceMs() const { return m_reconnectGraceMs; }
    bool IsWaitingForWorkDevice() const { return m_waitingForWorkDevice; }
    void StopCurrentDevice();
    void ToggleRecoveryMode();
    bool IsChangingMode() const;

    // Called by the trampolines on the library's threads.
    void EmitDeviceNotification(MRDeviceRef device, MRDeviceNotifyType type, void* pUser);
    void EmitDatabaseUpgrade(void* pUser);

    // The update check runs on the update flow's worker: silently once from the constructor, and whenever the
    // update dialog asks. The bug report's service fills in the rest.
    void CheckForUpdate(bool atStart);
    void GetUpdateDescription(QString& description);
    // Bug reports go out from the mail account of the deployment file (mail/MailAccountFile.h), read anew
    // for every report; one report at a time.
    static bool IsBugReportSetUp();
    void SendBugReport(BugReportDisplay* view);
    void StopBugReport(BugReportDisplay* view);
    // From the accepted Submit, through the packing of the archive, until the mail's result.
    bool IsSendingBugReport() const { return m_bugReportPacking || m_bugReportThread; }
    QString NewestVersion() const;
    QString UpdateDownloadUrl() const;
    void SetUpdateLanguage(const QString& language);

    // How long shut-down waits for a thread still running in the library before it leaves it behind.
    static constexpr int ShutdownWaitMs = 5000;

signals:
    void OnDeviceNotification(MRDeviceRef device, MRDeviceNotifyType type, void* pUser);
    void OnDatabaseUpgradeNotification(void* pUser);
    void SglStopBugReport();
    void FirmwareVerifiedFinish();
    void sigRepairFailed();
    void sigRepairSucceed();

public slots:
    void abc();
    void AcceptUpdateMessage();
    void AccepUpdateLabel(QString str);
    void DoDatabaseUpgradeNotification(void* pUser);
    int DoModelRestoreCallback(MRRestoreCallbackData* data, void* pUser);
    void DoDeviceNotification(MRDeviceRef device, MRDeviceNotifyType type, void* pUser);
    void DoRestoreThreadFinished();
    void SltFreeWebView(QString str);
    void SltUpdateSendResultFun(bool bResult, QString strPath, void* Operator);
    void SltLimitStop(void* Operator);
    void SltProgress(qlonglong bytesHandled, qlonglong bytesTotal, void* Operator);
    void SltShowReadyfixpage();
    void SltShowFixpageFailed();
    void SltShowFixpageSucceed();

private slots:
    void SltStateChangeFinished();
    void SltWorkDeviceGone();

private:
    // Device lists.
    static QVariant DataOf(MRDeviceRef device);
    QString EntryText(MRDeviceRef device) const;
    MRDeviceRef SelectedDevice(bool firmwarePage);
    void HandleArrival(MRDeviceRef device);
    void HandleDeparture(MRDeviceRef device);
    void HandleChange(MRDeviceRef device);
    // The home list's entry at index changed (-1: its current device went): the connection display and the
    // recovery-mode button follow.
    void ShowHomeConnectionState(int index);
    bool IsRunGoingOn() const { return m_runActive && !m_runStopped && !m_runConcluded; }
    void StartWaitingForWorkDevice();
    MRDeviceRef FindListedDevice(const QString& idText);

    // Repair runs.
    MRDeviceRef FindRepairDevice();
    void LaunchRun();
    void StopRunJob();
    void EndRunJob();
    int HandleDownloadReport(const MRRestoreCallbackData& data, float progress, const QString& description);
    int HandleVerifyReport(const MRRestoreCallbackData& data, float progress, const QString& description);
    int HandleRepairStepReport(const MRRestoreCallbackData& data, float progress, const QString& description,
                               RepairStep shownStep, bool firmwareStage, const char* finishedText);
    int HandleRestoreReport(const MRRestoreCallbackData& data, float progress, const QString& description);
    void ShowFirmwareFailure(int step, int code, const QString& codeText, const QString& description);
    void EndSecondRunBeforeTheDevice(int step, int code, const QString& description);
    void EndRunFailed();
    void FailUnfinishedRun(int result);
    void ShowStateChangeFailure(int targetMode, int result, MRDeviceRef device);
    void ShowDeviceModeAgain(MRDeviceRef device);
    void ShowMessage(const QString& text);
    // The same box; true when the user pressed its button.
    bool AskMessage(const QString& text);
    // Whether a signal of a send with this Operator may reach the dialog being shown.
    bool IsShownSend(void* Operator) const;

    void RunStartupUpdateCheck();
    void OnUpdateCheckFinished(int code, bool startup);
    void ShutDown();
    void EndBugReportAtExit();
    void BugReportPacked();
    void StartBugReportSend();

    ModelHost m_host;
    ModelController* m_controller = nullptr;
    ModelNotices* m_notices = nullptr;
    RestoreThread* m_restoreThread = nullptr;
    MRDeviceRef m_lastUsedDevice = 0;
    MRDeviceRef m_repairDevice = 0;
    int m_notificationHandle = 0;
    QString m_workDeviceIdText;
    QObject* m_updateView = nullptr;
    std::unique_ptr<UpdateFlow> m_updateFlow;
    BugReportDisplay* m_bugReportView = nullptr;
    // The dialog the running send started from; cleared when that dialog goes, so that a later dialog at
    // the same address never gets its display.
    BugReportDisplay* m_sendView = nullptr;
    // Guarded: the result slots hand the thread objects to deleteLater. At most one of the two at a time.
    QPointer<BugReportPacking> m_bugReportPacking;
    QPointer<BugreportThread> m_bugReportThread;
    int m_shownProgress = -1;
    // The report under way carries the user's attachment.
    bool m_bugReportHasAttachment = false;
    BugReportInfo m_bugReportInfo;
    MailAccount m_mailAccount;
    DevicePresence m_devicePresent = DevicePresence::NoDevice;
    int m_optionWord = MROptionStandard;
    QObject* m_web = nullptr; // the statistics page
    bool m_repairRunning = false;
    bool m_firmwareStage = false;
    bool m_skipReadyPage = false;
    bool m_repairSucceeded = false;
    bool m_acceptChange = true;

    // The life of one run on the restore thread: from its start until DoRestoreThreadFinished.
    bool m_runActive = false;
    bool m_runStopped = false;   // its job was stopped: later reports are dropped
    bool m_runConcluded = false; // a report ended it
    int m_runStep = -1;          // the step of its last report
    bool m_pendingStart = false; // a run asked for while the previous one was still ending
    MRDeviceRef m_pendingDevice = 0;
    int m_pendingOption = MROptionStandard;

    // The work device left while its run went on; the timer ends the wait for it.
    bool m_waitingForWorkDevice = false;
    int m_reconnectGraceMs = DefaultReconnectGraceMs;
    QTimer m_reconnectTimer;
};

// The one model, set by its constructor and cleared by its destructor.
extern MyModel* gModel;
