#include "MyModelEngine.h"

#include "DeviceLibrary.h"

MyModelEngine::MyModelEngine(const ModelHost& host) : m_model(host) {}

MyModelEngine::~MyModelEngine() = default;

void MyModelEngine::SetController(ModelController* controller) {
    m_model.SetController(controller);
}

void MyModelEngine::SetNotices(ModelNotices* notices) {
    m_model.SetNotices(notices);
}

MRDeviceRef MyModelEngine::CurrentDevice() {
    return m_model.CurrentDevice();
}

MRDeviceRef MyModelEngine::GetTypeBoxDevice() {
    return m_model.GetTypeBoxDevice();
}

DevicePresence MyModelEngine::IsDevicePresent() const {
    return m_model.IsDevicePresent();
}

void MyModelEngine::CheckWorkDevicePresent() {
    m_model.CheckWorkDevicePresent();
}

bool MyModelEngine::IsWaitingForWorkDevice() const {
    return m_model.IsWaitingForWorkDevice();
}

CItemDataBase* MyModelEngine::MakeDeviceItem() {
    return m_model.MakeDeviceItem();
}

int MyModelEngine::GetFirmwareEntryCount(MRDeviceRef device) {
    return m_model.GetFirmwareEntryCount(device);
}

const MRFirmwareEntry* MyModelEngine::GetFirmwareEntry(MRDeviceRef device, int index) {
    return m_model.GetFirmwareEntry(device, index);
}

const MRFirmwareEntry* MyModelEngine::GetSelectedFirmwareEntry() {
    return m_model.GetSelectedFirmwareEntry();
}

void MyModelEngine::SetLocalFirmware(MRDeviceRef device, const QByteArray& path) {
    m_model.SetLocalFirmware(device, path);
}

void MyModelEngine::SetWorkDeviceIdText(const QString& idText) {
    m_model.SetWorkDeviceIdText(idText);
}

void MyModelEngine::SetRepairDevice(MRDeviceRef device) {
    m_model.SetRepairDevice(device);
}

MRDeviceRef MyModelEngine::GetRepairDevice() const {
    return m_model.GetRepairDevice();
}

void MyModelEngine::StartRepair(bool standard) {
    m_model.StartRepair(standard);
}

void MyModelEngine::SetSkipReadyPage(bool skip) {
    m_model.SetSkipReadyPage(skip);
}

bool MyModelEngine::IsRepairRunning() const {
    return m_model.IsRepairRunning();
}

bool MyModelEngine::IsFirmwareStageRunning() const {
    return m_model.IsFirmwareStageRunning();
}

bool MyModelEngine::IsDeviceStepRunning() const {
    return m_model.IsDeviceStepRunning();
}

void MyModelEngine::StopCurrentDevice() {
    m_model.StopCurrentDevice();
}

void MyModelEngine::StopRepairDevice() {
    m_model.StopRepairDevice();
}

void MyModelEngine::ToggleRecoveryMode() {
    m_model.ToggleRecoveryMode();
}

bool MyModelEngine::IsChangingMode() const {
    return m_model.IsChangingMode();
}

QString MyModelEngine::DeviceName(MRDeviceRef device) {
    const char* name = DeviceLibrary::api().MRGetDeviceName(device);
    return name ? QString::fromUtf8(name) : QString();
}

int MyModelEngine::DeviceMode(MRDeviceRef device) {
    return m_model.GetDeviceMode(device);
}

quint64 MyModelEngine::DeviceId(MRDeviceRef device) {
    return DeviceLibrary::api().MRGetDeviceId(device);
}

void MyModelEngine::SelectFirmware(MRDeviceRef device, int index) {
    DeviceLibrary::api().MRSelectFirmware(device, index);
}

void MyModelEngine::SetDownloadFolder(const QByteArray* folder) {
    DeviceLibrary::api().MRSetDownloadFolder(folder ? folder->constData() : nullptr);
}

void MyModelEngine::SetDeleteFirmware(int enable) {
    DeviceLibrary::api().MRSetDeleteFirmware(enable);
}

QString MyModelEngine::NewestVersion() const {
    return m_model.NewestVersion();
}

QString MyModelEngine::UpdateDownloadUrl() const {
    return m_model.UpdateDownloadUrl();
}

void MyModelEngine::SetUpdateLanguage(const QString& language) {
    m_model.SetUpdateLanguage(language);
}

void MyModelEngine::CheckForUpdate(bool atStart) {
    m_model.CheckForUpdate(atStart);
}

void MyModelEngine::GetUpdateDescription(QString& description) {
    m_model.GetUpdateDescription(description);
}

void MyModelEngine::SetUpdateView(QObject* view) {
    m_model.SetUpdateView(view);
}

void MyModelEngine::SetBugReportView(BugReportDisplay* view) {
    m_model.SetBugReportView(view);
}

bool MyModelEngine::IsBugReportSetUp() const {
    return MyModel::IsBugReportSetUp();
}

void MyModelEngine::SendBugReport(BugReportDisplay* view) {
    m_model.SendBugReport(view);
}

void MyModelEngine::StopBugReport(BugReportDisplay* view) {
    m_model.StopBugReport(view);
}

RepairEngine* CreateRepairEngine(const ModelHost& host) {
    return new MyModelEngine(host);
}
