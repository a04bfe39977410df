#include "MyModel.h"

#include "CallbackGate.h"
#include "ChangeStateThreadBase.h"
#include "DeviceFormat.h"
#include "DeviceLibrary.h"
#include "DeviceTrampolines.h"
#include "FirmwareChoiceView.h"
#include "ModelController.h"
#include "ModelNotices.h"
#include "RestoreThread.h"
#include "app/EditionData.h"
#include "app/FileUtils.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "platform/ProxySettings.h"
#include "update/UpdateFlow.h"

#include <QCoreApplication>

#include <cstring>

MyModel* gModel = nullptr;

namespace {

// How long shut-down waits for a recovery-mode change once its job is stopped: the library looks for a stop
// every 100 ms.
constexpr int StateChangeWaitMs = 1500;
// How long shut-down waits for a bug report's thread once its connection is aborted: a few of its wait slices.
constexpr int BugReportWaitMs = 1500;

} // namespace

MyModel::MyModel(const ModelHost& host) : QObject(nullptr), m_host(host) {
    gModel = this;
    m_repairRunning = false;
    m_firmwareStage = false;
    m_skipReadyPage = false;
    m_acceptChange = true;
    m_reconnectTimer.setSingleShot(true);
    connect(&m_reconnectTimer, &QTimer::timeout, this, &MyModel::SltWorkDeviceGone);
    Init();
    ConnectModelSignals();
    CallbackGate::Open(this);

    if (gAppData && !gAppData->Stalink.isEmpty() && m_host.statisticsPage) {
        const bool firstRun = gConfig && gConfig->IsFirstRun();
        m_web = m_host.statisticsPage(gAppData->Stalink, firstRun, [this] { SltFreeWebView(QString()); });
    }
    RunStartupUpdateCheck();

    // Without the library the program runs on with no devices; the log says why none ever appear.
    const DeviceLibrary& library = DeviceLibrary::instance();
    if (!library.isLoaded())
        RunLog->WriteString(TextLog::Error, library.errorString(), true);
    const DeviceLibrary::Functions& api = library.functions();
    m_notificationHandle = 0;
    api.MRRegisterDeviceNotification(DeviceNotifyTrampoline, this, &m_notificationHandle);
    api.MRRegisterDatabaseUpgradeCallback(DatabaseUpgradeTrampoline, this);
}

MyModel::~MyModel() {
    ShutDown();
    delete m_web;
    if (gModel == this)
        gModel = nullptr;
}

void MyModel::Init() {
    m_repairSucceeded = false;
    m_devicePresent = DevicePresence::NoDevice;
    m_restoreThread = nullptr;
    m_restoreThread = new RestoreThread(0, this, this);
    m_restoreThread->SetModel(this);
    m_bugReportThread = nullptr;
    // No account is built in: the deployment supplies it. Until then a report cannot be sent.
    m_mailAccount = MailAccount();
}

void MyModel::ConnectModelSignals() {
    connect(m_restoreThread, &RestoreThread::OnRestoreCallback, this, &MyModel::DoModelRestoreCallback,
            Qt::BlockingQueuedConnection);
    connect(this, &MyModel::OnDatabaseUpgradeNotification, this, &MyModel::DoDatabaseUpgradeNotification);
    connect(m_restoreThread, &QThread::finished, this, &MyModel::DoRestoreThreadFinished);
    connect(this, &MyModel::OnDeviceNotification, this, &MyModel::DoDeviceNotification, Qt::BlockingQueuedConnection);
    connect(this, &MyModel::FirmwareVerifiedFinish, this, &MyModel::SltShowReadyfixpage);
    connect(this, &MyModel::sigRepairFailed, this, &MyModel::SltShowFixpageFailed);
    connect(this, &MyModel::sigRepairSucceed, this, &MyModel::SltShowFixpageSucceed);
}

// Shut-down must not hang on a library thread that waits for the GUI thread, and must never destroy a
// thread that still runs: first the trampolines stop delivering (releasing any delivery in flight), then
// the repair's job is stopped so the restore call returns, then the notification is unregistered, and
// only then are the threads waited for, each with a bound. An update check still under way is ended first:
// its result must not reach a mediator or a dialog that is going.
void MyModel::ShutDown() {
    if (m_updateFlow)
        m_updateFlow->Shutdown();
    EndBugReportAtExit();
    if (!CallbackGate::Close(this, this, ShutdownWaitMs))
        RunLog->WriteString(TextLog::Warning, QStringLiteral("A device callback was still running at exit."), true);
    m_pendingStart = false;
    m_reconnectTimer.stop();
    m_waitingForWorkDevice = false;

    const DeviceLibrary::Functions& api = DeviceLibrary::api();
    if (m_restoreThread && m_restoreThread->isRunning()) {
        api.MRStopDevice(m_restoreThread->GetDevice());
        StopRepairDevice();
    }
    if (m_notificationHandle != 0) {
        api.MRUnregisterDeviceNotification(m_notificationHandle);
        m_notificationHandle = 0;
    }

    if (m_restoreThread && !m_restoreThread->wait(ShutdownWaitMs)) {
        // Left behind rather than destroyed while running; its reports find the gate shut.
        RunLog->WriteString(TextLog::Warning, QStringLiteral("The repair thread did not end at exit."), true);
        m_restoreThread->disconnect(this);
        m_restoreThread->setParent(nullptr);
        m_restoreThread = nullptr;
    }
    // A closed program must not stay on without a window until a mode change has run its course.
    const auto changes = findChildren<ChangeStateThreadBase*>(QString(), Qt::FindDirectChildrenOnly);
    for (ChangeStateThreadBase* thread : changes) {
        if (thread->isRunning()) {
            RunLog->WriteString(TextLog::Warning, QStringLiteral("A recovery-mode change was stopped at exit."), true);
            api.MRStopDevice(thread->GetDevice());
        }
    }
    for (ChangeStateThreadBase* thread : changes) {
        if (!thread->wait(StateChangeWaitMs)) {
            RunLog->WriteString(TextLog::Warning, QStringLiteral("A recovery-mode change did not end at exit."), true);
            thread->disconnect(this);
            thread->setParent(nullptr);
        }
    }
    delete m_restoreThread;
    m_restoreThread = nullptr;
}

// A mail server that never answers the end of a report must not keep the closed program alive: the
// connection is aborted, even in the phase where the dialog's stop is refused.
void MyModel::EndBugReportAtExit() {
    if (m_bugReportPacking) {
        BugReportPacking* packing = m_bugReportPacking;
        m_bugReportPacking = nullptr;
        packing->disconnect(this);
        if (packing->isRunning())
            RunLog->WriteString(TextLog::Warning, QStringLiteral("Bug report: the packing was cut off at exit"), true);
        // The archiver is killed; what it left is no report.
        packing->Stop();
        if (packing->wait(BugReportWaitMs)) {
            RemovePath(packing->Archive());
        } else {
            RunLog->WriteString(TextLog::Warning, QStringLiteral("The bug report's packing did not end at exit."),
                                true);
            packing->setParent(nullptr);
        }
    }
    if (!m_bugReportThread)
        return;
    BugreportThread* thread = m_bugReportThread;
    m_bugReportThread = nullptr;
    thread->disconnect(this);
    disconnect(thread);
    if (thread->isRunning())
        RunLog->WriteString(TextLog::Warning, QStringLiteral("Bug report: the send was cut off at exit"), true);
    thread->Abort();
    if (!thread->wait(BugReportWaitMs)) {
        // Left behind rather than destroyed while running; the process ends around it.
        RunLog->WriteString(TextLog::Warning, QStringLiteral("The bug report's thread did not end at exit."), true);
        thread->setParent(nullptr);
    }
}

void MyModel::EmitDeviceNotification(MRDeviceRef device, MRDeviceNotifyType type, void* pUser) {
    emit OnDeviceNotification(device, type, pUser);
}

void MyModel::EmitDatabaseUpgrade(void* pUser) {
    emit OnDatabaseUpgradeNotification(pUser);
}

void MyModel::abc() {}

void MyModel::DoDatabaseUpgradeNotification(void*) {
    if (!CallbackGate::IsOpen(this))
        return;
    ShowMessage(QCoreApplication::translate("QObject", "Database has been upgraded. Please restart program."));
}

void MyModel::ShowMessage(const QString& text) {
    if (m_notices)
        m_notices->ShowNotice(text, tr("Ok"));
}

int MyModel::GetFirmwareEntryCount(MRDeviceRef device) {
    return DeviceLibrary::api().MRGetFirmwareCount(device);
}

const MRFirmwareEntry* MyModel::GetFirmwareEntry(MRDeviceRef device, int index) {
    return DeviceLibrary::api().MRGetFirmwareEntry(device, index);
}

const MRFirmwareEntry* MyModel::GetSelectedFirmwareEntry() {
    const MRDeviceRef device = CurrentDevice();
    if (device == 0 || !m_controller)
        return nullptr;
    const int index = m_host.firmwareChoice->GetSystemVersionIndex();
    if (index < 0)
        return nullptr;
    return DeviceLibrary::api().MRGetFirmwareEntry(device, index);
}

void MyModel::SetLocalFirmware(MRDeviceRef device, const QByteArray& path) {
    DeviceLibrary::api().MRSetLocalFirmware(device, path.constData());
    // Another package: its version is known once it is verified.
    if (m_controller)
        m_controller->SetSystemVersionText(QString());
}

int MyModel::GetDeviceMode(MRDeviceRef device) {
    return DeviceLibrary::api().MRGetDeviceMode(device);
}

void MyModel::ApplyLibraryProxy() {
    const QMap<QString, QString> values = platform::readSystemProxy();
    MRProxyInfo proxy;
    std::memset(&proxy, 0, sizeof proxy);
    const QByteArray host = values.value(QStringLiteral("HostName")).toLatin1().left(int(sizeof proxy.host) - 1);
    std::memcpy(proxy.host, host.constData(), size_t(host.size()));
    proxy.port = values.value(QStringLiteral("Port")).toInt();
    proxy.kind = 1;
    DeviceLibrary::api().MRSetProxy(&proxy);
}

void MyModel::SltFreeWebView(QString) {
    if (!m_web)
        return;
    // The page is still inside its own signal: free it once that has returned.
    m_web->deleteLater();
    m_web = nullptr;
}
