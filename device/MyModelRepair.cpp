// The device model's repair runs: starting a run, every report of the library's restore call, the end of
// a run, and the recovery-mode changes.
#include "MyModel.h"

#include "CallbackGate.h"
#include "ChangeStateThreadBase.h"
#include "ConnectionView.h"
#include "DeviceFormat.h"
#include "DeviceLibrary.h"
#include "DeviceListView.h"
#include "EnterRecoveryThread.h"
#include "FirmwareCheckView.h"
#include "FirmwareChoiceView.h"
#include "ModelController.h"
#include "QuitRecoveryThread.h"
#include "RepairProgressView.h"
#include "RestoreThread.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>

#include <algorithm>

namespace {

QString ErrorLine(const char* prefix, int code, const QString& description) {
    return QString::fromLatin1(prefix) + QString::number(code) + QStringLiteral(", description:") + description;
}

void LogInfo(const QString& text) {
    RunLog->WriteString(TextLog::Info, text, true);
}

void LogError(const QString& text) {
    RunLog->WriteString(TextLog::Error, text, true);
}

// A download that failed on this computer's disk (no space, a folder that cannot be written or is gone) has
// nothing to do with the connection.
bool IsLocalDiskError(int code) {
    return code == MRErrorFolder || code == MRErrorWrite;
}

// What a failed step of the package's work suggests to the user. An unpack's description says what happened.
FirmwareHint HintFor(int step, int code) {
    if (step == MRStepDownload)
        return IsLocalDiskError(code) ? FirmwareHint::Unset : FirmwareHint::KeepConnected;
    return step == MRStepVerify ? FirmwareHint::TryOtherVersions : FirmwareHint::Unset;
}

// The device itself is gone: no fault of the package.
bool IsDeviceLost(int code) {
    return code == MRErrorNoDevice || code == MRErrorDisconnected;
}

} // namespace

void MyModel::StartRepair(bool standard) {
    if (!m_controller)
        return;
    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    FirmwareChoiceView& choice = *m_host.firmwareChoice;
    if (choice.SetFirstDownloadSet()) {
        api.MRSetDownloadFolder(nullptr);
        m_lastUsedDevice = CurrentDevice();
        api.MRSetLocalFirmware(m_lastUsedDevice, nullptr);
        m_workDeviceIdText = DeviceIdText(api.MRGetDeviceId(m_lastUsedDevice));
        SetRepairDevice(m_lastUsedDevice);
        m_host.progress->ShowFixingDeviceName(m_lastUsedDevice);
        choice.FirstDownloadSet(false);
        api.MRSelectFirmware(m_lastUsedDevice, choice.GetSystemVersionIndex());
    }
    // A local package names its own version when it is verified; the catalogue entry in the list is not it.
    if (m_controller->IsOnlineFirmware())
        m_controller->SetSystemVersionText(choice.GetSystemVersionText());

    // Read on the GUI thread before the worker starts: the run is the repair device's, whatever entry the
    // lists show now.
    const MRDeviceRef device = FindRepairDevice();
    SetRepairDevice(device);

    const int index = choice.GetSystemVersionIndex();
    const MRFirmwareEntry* entry = device != 0 && index >= 0 ? api.MRGetFirmwareEntry(device, index) : nullptr;
    if (m_controller->IsOnlineFirmware() && !m_skipReadyPage && entry) {
        const QString url = QString::fromUtf8(entry->url);
        const QString name = url.split(QLatin1Char('/')).last();
        const QString folder = gConfig ? gConfig->GetDownloadPath() : QString();
        const QString path = QDir::toNativeSeparators(folder + QLatin1Char('/') + name);
        m_controller->SetFirmwarePath(path);
        m_controller->SetFirmwareText(QString::fromUtf8(entry->version));
        api.MRSetDownloadFolder(folder.toUtf8().constData());
        qDebug() << "firmwarePath:" << path;
        qDebug() << "firmwareUrl:" << url;
        qDebug() << "firmwareName:" << name;
    }
    if (!m_controller->IsOnlineFirmware()) {
        // Unpacked where a downloaded package is: the download folder has the room, the temporary folder may not.
        const QString folder = gConfig ? gConfig->GetDownloadPath() : QString();
        api.MRSetDownloadFolder(folder.isEmpty() ? nullptr : folder.toUtf8().constData());
    }

    // The pinned mapping: standard mode keeps the user's data, advanced mode erases the device.
    m_optionWord = standard ? MROptionStandard : MROptionAdvanced;
    m_pendingDevice = device;
    m_pendingOption = m_optionWord;
    if (m_runActive) {
        // The previous run is still ending: this one starts as soon as it has.
        m_pendingStart = true;
        return;
    }
    LaunchRun();
}

MRDeviceRef MyModel::FindRepairDevice() {
    if (m_workDeviceIdText.isEmpty()) {
        if (m_repairDevice == 0)
            m_repairDevice = CurrentDevice();
        if (m_repairDevice != 0)
            m_workDeviceIdText = DeviceIdText(DeviceLibrary::api().MRGetDeviceId(m_repairDevice));
        return m_repairDevice;
    }
    const MRDeviceRef listed = FindListedDevice(m_workDeviceIdText);
    if (listed != 0)
        return listed;
    // Not (or not yet) in the lists: the handle itself still names the device while it is connected.
    if (m_repairDevice != 0 && DeviceIdText(DeviceLibrary::api().MRGetDeviceId(m_repairDevice)) == m_workDeviceIdText)
        return m_repairDevice;
    return 0;
}

void MyModel::LaunchRun() {
    m_pendingStart = false;
    m_runActive = true;
    m_runStopped = false;
    m_runConcluded = false;
    m_runStep = -1;
    m_restoreThread->SetRun(m_pendingDevice, m_pendingOption);
    m_restoreThread->start(QThread::InheritPriority);
}

void MyModel::StopRepairDevice() {
    // Asked for from outside: a run waiting for the previous one to end is not wanted any more either.
    m_pendingStart = false;
    StopRunJob();
    // Nothing runs any more that could want the device back: its departure is final as soon as the caller is done.
    if (m_waitingForWorkDevice)
        m_reconnectTimer.start(0);
}

// The run's own end stops its job too; a run asked for meanwhile still starts when it has ended.
void MyModel::StopRunJob() {
    if (m_runActive)
        m_runStopped = true;
    const MRDeviceRef device = FindRepairDevice();
    if (device != 0) {
        m_repairDevice = device;
        DeviceLibrary::api().MRStopDevice(device);
    } else if (m_runActive && m_repairDevice != 0) {
        // Off the bus: the library still knows the job by the handle the device had.
        DeviceLibrary::api().MRStopDevice(m_repairDevice);
    }
}

// A run that ends itself stops its job as the user's stop does: the selected device becomes the last-used one.
void MyModel::EndRunJob() {
    m_lastUsedDevice = CurrentDevice();
    StopRunJob();
}

void MyModel::StopCurrentDevice() {
    m_lastUsedDevice = CurrentDevice();
    StopRepairDevice();
}

int MyModel::DoModelRestoreCallback(MRRestoreCallbackData* data, void*) {
    // A report of a run that was stopped or has ended belongs to nobody any more: a cancelled run must not
    // open the next page.
    if (!data || !m_controller || !CallbackGate::IsOpen(this) || m_runStopped || m_runConcluded)
        return -1;
    if (data->step < MRStepDownload || data->step > MRStepRestore)
        return 0;
    m_runStep = data->step;

    // The library's text is copied now; nothing keeps its pointer.
    QString description;
    float progress = 0.0f;
    if (data->status == MRStatusFinished)
        description = QString::fromUtf8(data->result.description ? data->result.description : "");
    else if (data->status == MRStatusProgress)
        progress = ProgressPermille(data->progress.done, data->progress.total);

    switch (data->step) {
    case MRStepDownload:
        return HandleDownloadReport(*data, progress, description);
    case MRStepVerify:
        return HandleVerifyReport(*data, progress, description);
    case MRStepUnzip:
        m_controller->SetCurrentStep(MRStepUnzip);
        // Unpacking works on the package only; the device is untouched, so the user may still stop here.
        return HandleRepairStepReport(*data, progress, description, RepairStep::Unzipping, true, "Unzip finished...");
    case MRStepEnterRecovery:
        // The device changes mode now; its change notifications would rewrite the lists mid-repair. The end of
        // the restore step, or a failed run's end, lets them through again.
        m_acceptChange = false;
        m_controller->SetCurrentStep(MRStepEnterRecovery);
        return HandleRepairStepReport(*data, progress, description, RepairStep::EnteringRecovery, false,
                                      "Enter recoery mode finished...");
    default:
        return HandleRestoreReport(*data, progress, description);
    }
}

int MyModel::HandleDownloadReport(const MRRestoreCallbackData& data, float progress, const QString& description) {
    m_controller->SetCurrentStep(MRStepDownload);
    switch (data.status) {
    case MRStatusStarted:
        m_host.firmwareCheck->EnableRetryDownload(false);
        m_host.firmwareCheck->ClearFirmwareHint();
        m_host.firmwareCheck->ClearFirmwareState();
        m_controller->SetDownloading(true);
        m_host.firmwareCheck->ShowDownloadAnimation();
        m_host.firmwareCheck->ShowFirmwareState(FirmwareState::Downloading);
        m_host.firmwareCheck->ShowFirmwareProgress(0);
        // The second run downloads a package that is gone by "Fix Now" behind the fix page, which shows it.
        if (m_skipReadyPage)
            m_host.progress->ShowRepairProgress(RepairStep::Downloading, 0);
        return 0;
    case MRStatusProgress:
        m_host.firmwareCheck->EnableRetryDownload(false);
        m_host.firmwareCheck->ShowFirmwareProgress(progress);
        m_host.firmwareCheck->ShowDownloadSpeed(qint64(data.progress.done));
        if (m_skipReadyPage)
            m_host.progress->ShowRepairProgress(RepairStep::Downloading, progress);
        return 0;
    case MRStatusFinished:
        m_host.firmwareCheck->ClearFirmwareState();
        m_host.firmwareCheck->ShowFirmwareState(FirmwareState::Downloaded);
        if (data.result.code == 0) {
            LogInfo(QStringLiteral("Download finished... "));
            return 0;
        }
        m_runConcluded = true;
        LogError(ErrorLine("Download finished...error code:", data.result.code, description));
        if (m_skipReadyPage) {
            EndSecondRunBeforeTheDevice(MRStepDownload, data.result.code, description);
            return -1;
        }
        m_host.firmwareCheck->EnableRetryDownload(true);
        ShowFirmwareFailure(MRStepDownload, data.result.code, QString::number(data.result.code), description);
        return -1;
    default:
        return 0;
    }
}

int MyModel::HandleVerifyReport(const MRRestoreCallbackData& data, float progress, const QString& description) {
    m_controller->SetCurrentStep(MRStepVerify);
    switch (data.status) {
    case MRStatusStarted:
        if (!m_skipReadyPage) {
            m_repairRunning = true;
            m_firmwareStage = true;
        }
        m_host.firmwareCheck->ClearFirmwareHint();
        m_host.firmwareCheck->ClearFirmwareState();
        m_controller->SetDownloading(false);
        m_host.firmwareCheck->ShowVerifyAnimation();
        m_host.firmwareCheck->ShowFirmwareState(FirmwareState::Verifying);
        m_host.firmwareCheck->ShowFirmwareProgress(0);
        m_host.progress->ShowRepairProgress(RepairStep::SecondaryVerification, 0);
        return 0;
    case MRStatusProgress:
        m_host.firmwareCheck->ShowFirmwareProgress(progress);
        m_host.progress->ShowRepairProgress(RepairStep::SecondaryVerification, progress);
        return 0;
    case MRStatusFinished:
        break;
    default:
        return 0;
    }

    m_host.firmwareCheck->ClearFirmwareState();
    m_host.firmwareCheck->ShowFirmwareState(FirmwareState::Verified);
    if (data.result.code == 0) {
        // The library names the verified package; a local one's own version is what the ready page shows.
        if (!m_controller->IsOnlineFirmware() && !description.isEmpty())
            m_controller->SetSystemVersionText(description);
        if (!m_skipReadyPage) {
            // The first run ends here, at the ready-to-fix page. The flag is left alone: "Fix Now" may
            // already have set it for the second run while the page was being shown.
            m_runConcluded = true;
            emit FirmwareVerifiedFinish();
            EndRunJob();
        } else {
            m_skipReadyPage = false;
        }
        LogInfo(QStringLiteral("Verified finished... "));
        return 0;
    }
    m_runConcluded = true;
    LogError(ErrorLine("Verified finished...error code:", data.result.code, description));
    if (m_skipReadyPage) {
        EndSecondRunBeforeTheDevice(MRStepVerify, data.result.code, description);
        return -1;
    }
    ShowFirmwareFailure(MRStepVerify, data.result.code, QString::number(data.result.code), description);
    EndRunJob();
    m_repairRunning = false;
    m_firmwareStage = false;
    return -1;
}

// Unpacking and entering recovery mode, shown as progress on the fix page; an error ends the repair as failed.
// While the run is in its firmware stage Back may still stop it; once the device is touched Back only warns that
// it is being repaired.
int MyModel::HandleRepairStepReport(const MRRestoreCallbackData& data, float progress, const QString& description,
                                    RepairStep shownStep, bool firmwareStage, const char* finishedText) {
    switch (data.status) {
    case MRStatusStarted:
        m_repairRunning = true;
        m_firmwareStage = firmwareStage;
        m_host.progress->ShowRepairProgress(shownStep, 0);
        return 0;
    case MRStatusProgress:
        m_host.progress->ShowRepairProgress(shownStep, progress);
        return 0;
    case MRStatusFinished:
        if (data.result.code == 0) {
            m_repairRunning = true;
            m_firmwareStage = firmwareStage;
            LogInfo(QString::fromLatin1(finishedText) + QLatin1Char(' '));
            return 0;
        }
        LogError(QString::fromLatin1(finishedText) + ErrorLine("error code:", data.result.code, description));
        if (firmwareStage)
            EndSecondRunBeforeTheDevice(MRStepUnzip, data.result.code, description);
        else
            EndRunFailed();
        return -1;
    default:
        return 0;
    }
}

int MyModel::HandleRestoreReport(const MRRestoreCallbackData& data, float progress, const QString& description) {
    m_controller->SetCurrentStep(MRStepRestore);
    m_acceptChange = true;
    switch (data.status) {
    case MRStatusStarted:
        m_host.progress->ShowRepairProgress(RepairStep::Repairing, 0);
        m_repairRunning = true;
        m_firmwareStage = false;
        return 0;
    case MRStatusProgress:
        m_host.progress->ShowRepairProgress(RepairStep::Repairing, progress);
        return 0;
    case MRStatusFinished:
        break;
    default:
        return 0;
    }
    m_runConcluded = true;
    m_skipReadyPage = false;
    m_repairRunning = false;
    m_firmwareStage = false;
    if (data.result.code == 0) {
        m_host.progress->ShowRepairProgress(RepairStep::Complete, 1000);
        emit sigRepairSucceed();
        LogInfo(QStringLiteral("Restore succeed... "));
        return 0;
    }
    LogError(ErrorLine("Repair finished...error code:", data.result.code, description));
    EndRunFailed();
    return -1;
}

// The firmware check page's error display of a failed download, verification or unpack: code, description and
// the hint that fits.
void MyModel::ShowFirmwareFailure(int step, int code, const QString& codeText, const QString& description) {
    const bool downloading = step == MRStepDownload;
    if (downloading)
        m_host.firmwareCheck->ShowDownloadFailedPicture();
    else
        m_host.firmwareCheck->ShowVerifyFailedPicture();
    m_host.firmwareCheck->ClearFirmwareState();
    m_host.firmwareCheck->ShowFirmwareError(codeText, description);
    m_host.firmwareCheck->ShowFirmwareState(downloading ? FirmwareState::DownloadFailed : FirmwareState::VerifyFailed);
    const FirmwareHint hint = HintFor(step, code);
    if (hint == FirmwareHint::Unset)
        m_host.firmwareCheck->ClearFirmwareHint();
    else
        m_host.firmwareCheck->ShowFirmwareHint(hint);
}

// The second run failed in its work on the package (its download, verification or unpack), before anything
// touched the device: the fix page gives way to the firmware check page, which shows the failure as the first
// run's check does, with "Download again" to start over. The device stays listed; a device that is gone is the
// repair's failure as before.
void MyModel::EndSecondRunBeforeTheDevice(int step, int code, const QString& description) {
    if (IsDeviceLost(code)) {
        EndRunFailed();
        return;
    }
    m_runConcluded = true;
    m_acceptChange = true;
    m_repairRunning = false;
    m_firmwareStage = false;
    m_skipReadyPage = false;
    m_host.firmwareCheck->ReturnToFirmwareCheck();
    m_host.firmwareCheck->EnableRetryDownload(true);
    ShowFirmwareFailure(step, code, QString::number(code), description);
    EndRunJob();
}

// A repair that fails on the fix page: the failure result page, nothing left running.
void MyModel::EndRunFailed() {
    m_runConcluded = true;
    m_acceptChange = true;
    m_repairRunning = false;
    m_firmwareStage = false;
    m_skipReadyPage = false;
    emit sigRepairFailed();
    EndRunJob();
}

void MyModel::DoRestoreThreadFinished() {
    if (!m_restoreThread || !m_runActive)
        return;
    // finished() is sent just before the thread ends; the restore call has returned by now.
    m_restoreThread->wait();
    const int result = m_restoreThread->GetResult();
    m_runActive = false;
    if (!m_runStopped && !m_runConcluded && CallbackGate::IsOpen(this))
        FailUnfinishedRun(result);
    if (m_pendingStart)
        LaunchRun();
}

// The library returned without the report that ends a run (or the device could not be found again): the
// window must not stay on a running state with nothing running.
void MyModel::FailUnfinishedRun(int result) {
    m_runConcluded = true;
    const QString description =
        result == MRErrorNoDevice
            ? QCoreApplication::translate("QObject", "Device not connected. Please re-connect device.")
            : QCoreApplication::translate("QObject", "The repair ended without a result. Please try again.");
    LogError(ErrorLine("Restore ended without a final report...error code:", result, description));
    if (!m_controller)
        return;
    const int step = m_runStep < MRStepDownload ? MRStepDownload : m_runStep;
    if (step > MRStepUnzip) {
        EndRunFailed();
        return;
    }
    if (m_skipReadyPage || step == MRStepUnzip) {
        EndSecondRunBeforeTheDevice(step, result, description);
        return;
    }
    const bool verifying = step == MRStepVerify;
    m_controller->SetDownloading(false);
    if (!verifying)
        m_host.firmwareCheck->EnableRetryDownload(true);
    ShowFirmwareFailure(step, result, QString::number(result), description);
    m_repairRunning = false;
    m_firmwareStage = false;
}

void MyModel::SltShowReadyfixpage() {
    if (m_controller)
        m_host.progress->ShowReadyToFix();
}

void MyModel::SltShowFixpageFailed() {
    if (m_controller)
        m_controller->ShowRepairFailed();
}

void MyModel::SltShowFixpageSucceed() {
    if (m_controller)
        m_controller->ShowRepairSucceeded();
    m_repairSucceeded = true;
}

void MyModel::ToggleRecoveryMode() {
    const MRDeviceRef device = GetTypeBoxDevice();
    if (device == 0 || !m_controller)
        return;
    ChangeStateThreadBase* thread = nullptr;
    switch (DeviceLibrary::api().MRGetDeviceMode(device)) {
    case MRModeNormal:
        thread = new EnterRecoveryThread(this, device);
        break;
    case MRModeRecovery:
        thread = new QuitRecoveryThread(this, device);
        break;
    default:
        // DFU: the button is disabled in that mode.
        return;
    }
    connect(thread, &QThread::finished, this, &MyModel::SltStateChangeFinished);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start(QThread::InheritPriority);
    m_controller->SetItemMode(thread->TargetMode());
    m_host.connection->ShowConnectingAnimation();
}

bool MyModel::IsChangingMode() const {
    const auto changes = findChildren<ChangeStateThreadBase*>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(changes.begin(), changes.end(),
                       [](const ChangeStateThreadBase* thread) { return thread->isRunning(); });
}

void MyModel::SltStateChangeFinished() {
    auto* thread = qobject_cast<ChangeStateThreadBase*>(sender());
    if (!thread || !CallbackGate::IsOpen(this))
        return;
    thread->wait();
    if (thread->GetResult() != 0)
        ShowStateChangeFailure(thread->TargetMode(), thread->GetResult(), thread->GetDevice());
    else
        ShowDeviceModeAgain(thread->GetDevice());
}

// Most changes end with the device's own mode notification, but not one that found the device in its target
// mode already, nor a failed one: the connection display and the button must not wait for it.
void MyModel::ShowDeviceModeAgain(MRDeviceRef device) {
    if (m_controller) {
        const int mode = DeviceLibrary::api().MRGetDeviceMode(device);
        if (mode >= MRModeNormal)
            m_controller->SetItemMode(mode);
        m_host.connection->ShowConnectionState(m_host.lists->GetDeviceIndex(), GetTypeBoxDevice());
    }
    m_host.connection->ShowRecoveryButtonState(0);
}

// A mode change that failed: the display goes back to the device's real state and the user is told.
void MyModel::ShowStateChangeFailure(int targetMode, int result, MRDeviceRef device) {
    const bool entering = targetMode == MRModeRecovery;
    LogError(ErrorLine(
        entering ? "Enter recovery mode failed...error code:" : "Quit recovery mode failed...error code:", result,
        QString()));
    ShowDeviceModeAgain(device);
    ShowMessage(entering ? QCoreApplication::translate("QObject", "Failed to enter recovery mode. Please try again.")
                         : QCoreApplication::translate("QObject", "Failed to quit recovery mode. Please try again."));
}
