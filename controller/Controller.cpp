#include "Controller.h"

#include "ControllerWindow.h"

#include "app/EditionData.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "device/CItemDataBase.h"
#include "device/RepairEngine.h"
#include "framework/MendraMessageBox.h"
#include "framework/MyFrame.h"
#include "framework/SkinManager.h"
#include "framework/TitleBar.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

namespace {
QString DefaultFileChooser(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}
} // namespace

Controller* Controller::s_instance = nullptr;

Controller* Controller::Instance() {
    return s_instance;
}

Controller* Controller::Create() {
    if (s_instance)
        qFatal("Controller::Create: a controller exists already");
    s_instance = new Controller;
    return s_instance;
}

Controller::Controller() : m_fileChooser(DefaultFileChooser) {
    m_repairSucceeded = false;
    m_workDevicePresent = true;
    Init();
}

Controller::~Controller() {
    LetGoOfViews();
    if (s_instance == this)
        s_instance = nullptr;
}

void Controller::Init() {
    m_window = nullptr;
    m_updateView.clear();
    m_bugReportView.clear();
    m_aboutView.clear();
    m_settingView.clear();
    m_item = std::make_unique<CItemDataBase>();
    m_repairMode = RepairMode::NotChosen;
    m_onlineFirmware = true;
    m_repairFinished = false;
}

QWidget* Controller::WindowWidget() const {
    return m_window ? m_window->WindowWidget() : nullptr;
}

// ---- Set-up ----

void Controller::SetMainWindow(ControllerWindow* window) {
    m_window = window;
    if (m_window && gAppData)
        m_window->WindowWidget()->setWindowTitle(gAppData->Brand + QLatin1Char(' ') + gAppData->ProductName);
}

void Controller::SetModel(RepairEngine* model) {
    m_model = model;
    if (m_model) {
        m_model->SetController(this);
        m_model->SetNotices(this);
    }
}

void Controller::SetTitleLabel(TitleBar* titleBar) {
    m_titleBar = titleBar;
    if (m_titleBar)
        m_titleBar->setTitleText(tr("Tavik Mendra"));
}

void Controller::SetMainFrame(MyFrame* frame) {
    m_mainFrame = frame;
    if (!frame)
        return;
    frame->SetCloseCallback(ConfirmCloseCallback, this);
    if (m_window)
        m_window->AddMenu(frame->GetMenu());
    // The frame's menu asks for the dialogs; the controller owns them.
    connect(frame, &MyFrame::SettingRequested, this, &Controller::ShowSettingFrame, Qt::UniqueConnection);
    connect(frame, &MyFrame::AboutRequested, this, &Controller::ShowAboutFrame, Qt::UniqueConnection);
    connect(frame, &MyFrame::UpdateRequested, this, &Controller::ShowUpdateFrame, Qt::UniqueConnection);
    connect(frame, &MyFrame::BugReportRequested, this, &Controller::ShowBugReportFrame, Qt::UniqueConnection);
    connect(frame, &MyFrame::LanguageRequested, this, &Controller::SetLanguage, Qt::UniqueConnection);
}

void Controller::SetMainFramePointer(MyFrame* frame) {
    m_mainFrame = frame;
}

// The settings dialog stores its check box's state, 2 when checked; any value but 0 means "delete".
void Controller::ApplyDeleteFileSetting() {
    if (m_model)
        m_model->SetDeleteFirmware(gConfig && gConfig->GetIsDeleteFile() != 0 ? 1 : 0);
}

void Controller::SetFileChooser(FileChooser chooser) {
    m_fileChooser = chooser ? std::move(chooser) : DefaultFileChooser;
}

// ---- Repair control ----

void Controller::UpdateModeTitle() {
    if (!m_titleBar || !m_window)
        return;
    const MainPage page = m_window->GetMainPageIndex();
    if (page == MainPage::Guide || page == MainPage::ModeChoice) {
        m_titleBar->setTitleText(tr("Tavik Mendra"));
        return;
    }
    switch (m_repairMode) {
    case RepairMode::Standard:
        m_titleBar->setTitleText(tr("Tavik Mendra - Standard Mode"));
        break;
    case RepairMode::Advanced:
        m_titleBar->setTitleText(tr("Tavik Mendra - Advanced Mode"));
        break;
    case RepairMode::NotChosen:
        m_titleBar->setTitleText(tr("Tavik Mendra"));
        break;
    }
}

Controller::RepairStart Controller::CheckRepairStart(bool fromNext) {
    if (!m_model)
        return RepairStart::NoEngine;
    if (m_repairMode != RepairMode::Advanced && m_repairMode != RepairMode::Standard)
        return RepairStart::NoRepairMode;
    if (!fromNext)
        return m_model->CurrentDevice() != 0 ? RepairStart::Started : RepairStart::NoDevice;
    // The second run works on the device the first one checked the package for, found again by its id; the
    // presence flag is read fresh, as the lists may have changed since it was last set.
    if (!IsDeviceConnected())
        return RepairStart::NoDevice;
    m_model->CheckWorkDevicePresent();
    return m_workDevicePresent ? RepairStart::Started : RepairStart::NoDevice;
}

bool Controller::StartRepair(bool fromNext) {
    m_lastRepairStart = CheckRepairStart(fromNext);
    if (m_lastRepairStart != RepairStart::Started)
        return false;
    // Standard mode keeps the user's data: the engine's flag says "standard".
    m_model->StartRepair(m_repairMode == RepairMode::Standard);
    return true;
}

void Controller::SelectLocalFirmware() {
    if (!m_model || !m_window)
        return;
    const MRDeviceRef device = m_model->CurrentDevice();
    // No package is asked for that no run could check.
    if (device == 0 || CheckRepairStart(false) != RepairStart::Started)
        return;
    const QString folder = gConfig ? gConfig->GetDownloadPath() : QString();
    const QString path =
        QDir::toNativeSeparators(m_fileChooser(WindowWidget(), tr("Select firmware"), folder, tr("*.ipsw")));
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // The dialog let the device reports through: a device that went meanwhile has been reported then.
    if (CheckRepairStart(false) != RepairStart::Started)
        return;

    m_model->SetDownloadFolder(nullptr);
    m_onlineFirmware = false;
    m_window->SetCheckPage(CheckPage::CheckFirmware);
    m_window->HideDownloadButton();
    SetFirmwarePath(path);
    m_model->SetLocalFirmware(device, path.toUtf8());
    m_model->SelectFirmware(device, m_window->GetSystemVersionIndex());
    m_window->ShowFixingDeviceName(device);
    m_model->SetWorkDeviceIdText(QString::number(m_model->DeviceId(device)));
    // The run acts on the device chosen now, whatever the lists show by the time it reports.
    m_model->SetRepairDevice(device);
    StartRepair(false);
}

void Controller::ToggleRecoveryMode() {
    if (m_model)
        m_model->ToggleRecoveryMode();
}

void Controller::OpenFirmwareUrl() {
    if (!m_model || m_model->CurrentDevice() == 0)
        return;
    const MRFirmwareEntry* entry = m_model->GetSelectedFirmwareEntry();
    if (entry && entry->url)
        QDesktopServices::openUrl(QUrl(QString::fromUtf8(entry->url)));
}

void Controller::StopDeviceJob() {
    if (m_model)
        m_model->StopCurrentDevice();
}

void Controller::StopRepairDevice() {
    if (m_model)
        m_model->StopRepairDevice();
}

MRDeviceRef Controller::GetSelectedDevice() {
    return m_model ? m_model->GetTypeBoxDevice() : 0;
}

bool Controller::IsDeviceConnected() const {
    return m_model && m_model->IsDevicePresent() != DevicePresence::NoDevice;
}

bool Controller::IsDeviceStepRunning() const {
    return m_model && m_model->IsDeviceStepRunning();
}

void Controller::UpdateRecoveryButton() {
    if (m_window)
        m_window->ShowRecoveryButtonState(0);
}

void Controller::ShowRepairSucceeded() {
    m_repairSucceeded = true;
    m_repairFinished = true;
    if (m_window)
        m_window->ShowRepairSucceeded();
}

void Controller::ShowRepairFailed() {
    m_repairFinished = true;
    if (m_window)
        m_window->ShowRepairFailed();
}

void Controller::OnDeviceDetected(int /*index*/) {
    if (!m_window || !m_model)
        return;
    // The device being repaired is off the bus, most likely re-enumerating into its next mode: the pages stay as
    // they are until the engine knows whether it came back, and it calls again when it did not. The look for it
    // comes first, as it may find it just gone.
    m_model->CheckWorkDevicePresent();
    if (m_model->IsWaitingForWorkDevice())
        return;
    const bool done = m_window->IsRepairDone();
    const MRDeviceRef device = m_model->CurrentDevice();
    if (device)
        m_window->SetDeviceTypeText(GetDeviceName(device));

    // Read where the window stands each time it is needed: a modal box lets reports change the pages.
    const auto onCheck = [this] {
        return m_window->GetMainPageIndex() == MainPage::FirmwareSelection &&
               m_window->GetCheckPageIndex() == CheckPage::CheckFirmware;
    };
    const auto onRunningFix = [this, done] {
        const FixSubPage fixPage = m_window->GetFixPageIndex();
        return m_window->GetMainPageIndex() == MainPage::Fix &&
               (fixPage == FixSubPage::ReadyToFix || fixPage == FixSubPage::Fixing) && !done;
    };

    m_window->ClearSystemVersions();
    if (device) {
        if (m_window->GetMainPageIndex() == MainPage::Guide) {
            MendraMessageBox box(
                QString(), QCoreApplication::translate("QObject", "Device detected. Please select mode to fix it."),
                QMessageBox::Yes | QMessageBox::No, WindowWidget());
            box.SetButtonText(QMessageBox::Yes, tr("Yes"));
            box.SetButtonText(QMessageBox::No, tr("No"));
            if (box.Exec() == QMessageBox::Yes) {
                m_window->SetMainPage(MainPage::ModeChoice);
                m_window->changGuiLblStaust();
            }
        }
        const int count = m_model->GetFirmwareEntryCount(device);
        for (int i = 0; i < count; ++i) {
            const MRFirmwareEntry* entry = m_model->GetFirmwareEntry(device, i);
            m_window->AddSystemVersion(entry && entry->version ? QString::fromUtf8(entry->version) : QString());
        }
        if (!m_workDevicePresent) {
            if (onCheck()) {
                StopRepairDevice();
                ShowDeviceNotConnected();
            } else if (onRunningFix()) {
                LeaveFixingForLostDevice();
            }
        }
        return;
    }

    const MainPage page = m_window->GetMainPageIndex();
    if (page == MainPage::FirmwareSelection && m_window->GetCheckPageIndex() == CheckPage::ChooseFirmware) {
        ShowDeviceNotConnected();
    } else if (onCheck()) {
        StopRepairDevice();
        ShowDeviceNotConnected();
    } else if (onRunningFix()) {
        LeaveFixingForLostDevice();
    } else if (page == MainPage::Fix && m_window->GetFixPageIndex() == FixSubPage::NoDevice) {
        m_window->SetFixConnState(FixConnState::Disconnected);
        m_window->ShowDownloadButtons(false);
        m_window->ShowFixStateUnconnected();
    }
}

void Controller::LeaveFixingForLostDevice() {
    m_window->ShowFixStateUnconnected();
    StopRepairDevice();
    m_window->DisableStartButton();
    ShowDeviceNotConnected();
    m_model->SetSkipReadyPage(false);
}

void Controller::ShowDeviceNotConnected() {
    if (!m_window)
        return;
    MendraMessageBox box(QString(),
                         QCoreApplication::translate("QObject", "Device not connected. Please re-connect device."),
                         QMessageBox::Yes, WindowWidget());
    box.SetButtonText(QMessageBox::Yes, tr("Yes"));
    // The box only acknowledges what already happened: however it is closed, the work on the device is over,
    // and the window must not stay on a page of work that no longer runs.
    box.ExecNoTitleButtons();
    m_window->EnableRetryDownload(false);
    m_window->SetMainPage(MainPage::Fix);
    m_window->ShowDownloadButtons(false);
    m_window->SetFixConnState(FixConnState::Disconnected);
    m_window->SetFixSubPage(FixSubPage::NoDevice);
    m_window->ResetStartButton();
    m_repairMode = RepairMode::NotChosen;
    m_window->ShowFixStateUnconnected();
}

bool Controller::ConfirmClose() {
    bool answer = true;
    // Without a window there is no page of work in progress, and no window to close.
    const MainPage page = m_window ? m_window->GetMainPageIndex() : MainPage::Home;
    if (page == MainPage::FirmwareSelection) {
        // A check that failed has nothing left running to stop.
        if (m_window->GetCheckPageIndex() == CheckPage::CheckFirmware && !m_window->IsFirmwareCheckFailed()) {
            MendraMessageBox box(QString(),
                                 QCoreApplication::translate(
                                     "QObject", "Downloading/Verifying Firmware package...\nAre you sure to exit?"),
                                 QMessageBox::Ok | QMessageBox::No, WindowWidget());
            box.SetButtonText(QMessageBox::Ok, tr("Yes"));
            box.SetButtonText(QMessageBox::No, tr("No"));
            answer = box.Exec() == QMessageBox::Ok;
            if (answer) {
                StopDeviceJob();
                // Give the library's thread a moment to leave the job before the program goes.
                WaitInEventLoop(100);
            }
        }
    } else if (page == MainPage::Fix) {
        if (m_window->GetFixPageIndex() == FixSubPage::Fixing && !m_window->IsRepairDone()) {
            MendraMessageBox box(
                QString(),
                QCoreApplication::translate("QObject",
                                            "Fixing the device now.\nQuiting might result in unknown device errors. "
                                            "Please don't shut down the program before the fixing completes. "),
                QMessageBox::Ok, WindowWidget());
            box.SetButtonText(QMessageBox::Ok, tr("OK"));
            box.Exec();
            answer = false;
        }
    } else if (QWidget* window = WindowWidget()) {
        window->close();
    }
    if (answer)
        SkinManager::Release();
    return answer;
}

void Controller::WaitInEventLoop(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QString Controller::GetDeviceName(MRDeviceRef device) const {
    return m_model && device ? m_model->DeviceName(device) : QString();
}

int Controller::GetDeviceMode(MRDeviceRef device) const {
    return m_model && device ? m_model->DeviceMode(device) : -1;
}

// ---- The current item ----

void Controller::SetCurrentStep(int step) {
    m_item->SetCurrentStep(step);
}
void Controller::SetItemMode(int mode) {
    m_item->SetMode(mode);
}
void Controller::SetFirmwarePath(const QString& path) {
    m_item->SetFirmwarePath(path);
}
void Controller::SetFirmwareText(const QString& text) {
    m_item->SetFirmwareText(text);
}
int Controller::GetCurrentStep() const {
    return m_item->GetCurrentStep();
}
int Controller::GetItemMode() const {
    return m_item->GetMode();
}
QString Controller::GetFirmwarePath() const {
    return m_item->GetFirmwarePath();
}
QString Controller::GetFirmwareText() const {
    return m_item->GetFirmwareText();
}
CItemDataBase* Controller::MakeDeviceItem() {
    return m_model ? m_model->MakeDeviceItem() : nullptr;
}

MainPage Controller::GetMainPageIndex() {
    if (m_window)
        m_mainPageIndex = m_window->GetMainPageIndex();
    return m_mainPageIndex;
}

void Controller::ShowNotice(const QString& text, const QString& buttonText) {
    AskNotice(text, buttonText);
}

bool Controller::AskNotice(const QString& text, const QString& buttonText) {
    MendraMessageBox box(QString(), text, QMessageBox::Ok, WindowWidget());
    box.SetButtonText(QMessageBox::Ok, buttonText);
    return box.Exec() == QMessageBox::Ok;
}
