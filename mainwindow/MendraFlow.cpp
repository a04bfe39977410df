// The page flow of the main window: Next, Back, the mode and download buttons.
#include "Mendra.h"

#include "MendraForm.h"

#include "controller/Controller.h"
#include "device/RepairEngine.h"
#include "framework/MendraMessageBox.h"
#include "framework/MyButton.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

bool Mendra::Confirm(const QString& message) {
    MendraMessageBox box(QString(), message, QMessageBox::Ok | QMessageBox::No, this, false, Qt::FramelessWindowHint);
    box.SetButtonText(QMessageBox::Ok, tr("Yes"));
    box.SetButtonText(QMessageBox::No, tr("No"));
    // Only Ok stands for yes; closing the box any other way keeps everything as it was.
    return box.Exec() == QMessageBox::Ok;
}

void Mendra::Notice(const QString& message, int button) {
    const auto standard = static_cast<QMessageBox::StandardButton>(button);
    MendraMessageBox box(QString(), message, standard, this, false, Qt::FramelessWindowHint);
    box.SetButtonText(standard, tr("Ok"));
    box.Exec();
}

Mendra::PageButtons Mendra::ButtonsOn(MainPage page) {
    switch (page) {
    case MainPage::Home:
        return {&Mendra::NextFromHome, nullptr};
    case MainPage::ModeChoice:
        // Next is hidden here: the mode buttons take the Next step.
        return {&Mendra::NextFromModeChoice, &Mendra::BackFromModeChoice};
    case MainPage::Fix:
        return {&Mendra::NextFromFixPage, &Mendra::BackFromFixPage};
    case MainPage::FirmwareSelection:
        return {nullptr, &Mendra::BackFromFirmwareSelection};
    case MainPage::Guide:
        return {nullptr, &Mendra::BackFromGuide};
    }
    return {};
}

void Mendra::btnNextClick() {
    if (const PageAction next = ButtonsOn(GetMainPageIndex()).next)
        (this->*next)();
}

void Mendra::btnBackClick() {
    if (const PageAction back = ButtonsOn(GetMainPageIndex()).back)
        (this->*back)();
}

// ---- Next ----

void Mendra::NextFromHome() {
    SetMainPage(MainPage::ModeChoice);
    btnNext->hide();
    btnBack->show();
    btnBack->setEnabled(true);
}

void Mendra::NextFromModeChoice() {
    if (controller->IsDeviceConnected())
        ShowFirmwareSelection();
    else
        ShowNoDeviceFixPage();
}

void Mendra::NextFromFixPage() {
    const bool connected = controller->IsDeviceConnected();
    switch (GetFixPageIndex()) {
    case FixSubPage::ReadyToFix:
        if (connected)
            StartFixing();
        break;
    case FixSubPage::NoDevice:
        // A device has come meanwhile: its repair begins with the choice of mode.
        if (connected) {
            SetMainPage(MainPage::ModeChoice);
            btnNext->hide();
            btnBack->setEnabled(true);
            btnBack->show();
            controller->UpdateModeTitle();
        }
        break;
    case FixSubPage::Fixing:
        // Only a result page ("Done", "Try again") is left by Next; a running repair is never abandoned.
        if (nextButtonState == NextButtonState::TryAgain || nextButtonState == NextButtonState::Done)
            LeaveResultPage();
        break;
    }
}

void Mendra::StartFixing() {
    // The fixing page is a promise that the repair runs: a refused start leaves the ready page as it is.
    if (!StartRun(true))
        return;
    ShowFixAnimation();
    ui->fixStatusLbl->setStyleSheet(QStringLiteral("color: rgb(38, 38, 38);"));
    SetFixConnState(FixConnState::FixingDevice);
    SetFixSubPage(FixSubPage::Fixing);
    SetNextButton(NextButtonState::Fixing);
    btnNext->show();
    btnNext->setEnabled(false);
    if (model)
        model->SetSkipReadyPage(true);
    ShowResultText(ResultState::Fixing);
}

void Mendra::ShowFirmwareSelection() {
    SetMainPage(MainPage::FirmwareSelection);
    SetCheckPage(CheckPage::ChooseFirmware);
    btnNext->hide();
    btnNext->setEnabled(false);
    btnBack->show();
    btnBack->setEnabled(true);
    btnDownload->show();
    btnDownload->setEnabled(true);
    guideLinkLbl->hide();
    // The firmware page works on the device picked on the home page, found by its handle: the positions
    // of the two lists need not agree.
    const MRDeviceRef picked = controller->GetSelectedDevice();
    for (int i = 0; i < ui->DeviceModelBox->count(); ++i) {
        if (picked && ui->DeviceModelBox->itemData(i, Qt::UserRole).toULongLong() == picked) {
            SetModelIndex(i);
            break;
        }
    }
    UpdateLocalFirmwareButtons();
}

void Mendra::ShowNoDeviceFixPage() {
    SetMainPage(MainPage::Fix);
    SetFixConnState(FixConnState::Disconnected);
    SetFixSubPage(FixSubPage::NoDevice);
    btnNext->show();
    btnNext->setEnabled(false);
    SetNextButton(NextButtonState::Start);
    btnBack->show();
    ShowFixStateUnconnected();
}

void Mendra::LeaveResultPage() {
    // Every repair ends with its device's job stopped in the library; a failed one was stopped already.
    if (nextButtonState == NextButtonState::Done)
        controller->StopRepairDevice();
    repairDone = false;
    SetMainPage(MainPage::Home);
    SetFixSubPage(FixSubPage::NoDevice);
    SetCheckPage(CheckPage::ChooseFirmware);
    btnNext->show();
    btnNext->setEnabled(true);
    SetNextButton(NextButtonState::Start);
    btnBack->hide();
    btnBack->setEnabled(false);
    controller->SetRepairMode(RepairMode::NotChosen);
    controller->UpdateModeTitle();
    controller->SetRepairFinished(false);
    ShowResultText(ResultState::Fixing);
    if (reconnectNoticePending)
        Notice(tr("Please re-connect the device to scan and fix."), QMessageBox::Ok);
    reconnectNoticePending = false;
}

// ---- Back ----

void Mendra::BackFromModeChoice() {
    SetMainPage(MainPage::Home);
    btnNext->show();
    btnNext->setEnabled(true);
    btnBack->hide();
}

void Mendra::BackFromFirmwareSelection() {
    if (GetCheckPageIndex() == CheckPage::CheckFirmware) {
        StopFirmwareCheck();
        return;
    }
    SetMainPage(MainPage::ModeChoice);
    btnNext->hide();
    btnDownload->hide();
    btnBack->show();
    btnBack->setEnabled(true);
    controller->SetRepairMode(RepairMode::NotChosen);
    controller->UpdateModeTitle();
}

void Mendra::StopFirmwareCheck() {
    // A check that failed has nothing left running to ask about; a run started since (Download again) has
    // cleared the failure, even before its first report.
    if (!IsFailure(firmwareState)) {
        const QString question = controller->IsDownloading()
                                     ? tr("Are you sure you want to stop downloading the firmware package?")
                                     : tr("Are you sure you want to stop verifying the firmware package?");
        if (!Confirm(question))
            return;
        // The check went on behind the box: one that has ended meanwhile (on the ready page, or with its device
        // gone) is left as it ended.
        if (!OnFirmwareCheck())
            return;
    }
    SetCheckPage(CheckPage::ChooseFirmware);
    btnNext->hide();
    btnDownload->show();
    btnDownload->setEnabled(true);
    btnBack->show();
    btnBack->setEnabled(true);
    ui->FirmwareHintLbl->hide();
    btnRetryDownload->hide();
    controller->SetOnlineFirmware(true);
    controller->UpdateModeTitle();
    controller->StopDeviceJob();
    UpdateLocalFirmwareButtons();
}

void Mendra::BackFromGuide() {
    if (controller->IsDeviceConnected()) {
        SetMainPage(MainPage::ModeChoice);
        btnNext->hide();
        btnBack->show();
        btnBack->setEnabled(true);
    } else {
        SetMainPage(MainPage::Fix);
        SetFixSubPage(FixSubPage::NoDevice);
        btnNext->show();
    }
    guideLinkLbl->hide();
}

void Mendra::BackFromFixPage() {
    switch (GetFixPageIndex()) {
    case FixSubPage::NoDevice:
        SetMainPage(MainPage::ModeChoice);
        btnNext->hide();
        btnBack->setEnabled(true);
        btnBack->show();
        controller->SetRepairMode(RepairMode::NotChosen);
        controller->UpdateModeTitle();
        break;
    case FixSubPage::ReadyToFix:
        BackFromReadyPage();
        break;
    case FixSubPage::Fixing:
        BackFromFixing();
        break;
    }
}

void Mendra::BackFromReadyPage() {
    if (!Confirm(tr("Firmware package will be re-verfied after going back.\nGo back?")))
        return;
    SetMainPage(MainPage::FirmwareSelection);
    SetCheckPage(CheckPage::ChooseFirmware);
    btnNext->hide();
    btnDownload->show();
    btnDownload->setEnabled(true);
    btnBack->setEnabled(true);
    btnBack->show();
    SetNextButton(NextButtonState::Start);
    controller->UpdateModeTitle();
    if (model)
        model->SetSkipReadyPage(false);
    controller->SetOnlineFirmware(true);
    UpdateLocalFirmwareButtons();
}

bool Mendra::IsFixingInFirmwareStage() const {
    return GetMainPageIndex() == MainPage::Fix && GetFixPageIndex() == FixSubPage::Fixing && model &&
           model->IsRepairRunning() && model->IsFirmwareStageRunning();
}

void Mendra::BackFromFixing() {
    const bool running = model && model->IsRepairRunning();
    if (IsFixingInFirmwareStage())
        StopSecondVerification();
    else if (running)
        WarnDeviceBeingRepaired();
    else
        ReturnHomeFromResult();
}

void Mendra::WarnDeviceBeingRepaired() {
    Notice(tr("The device is being repaired, please do not close the program."), QMessageBox::Apply);
}

// The second run's verification can still be stopped: the ready page, from which "Fix Now" starts it again.
void Mendra::StopSecondVerification() {
    if (!Confirm(tr("Are you sure to stop fixing?")))
        return;
    // The run went on behind the box. Past its firmware stage the device is being worked on and nothing may cut
    // that short: the answer is refused as Back is then. A run that has ended shows its result.
    if (!IsFixingInFirmwareStage()) {
        if (GetMainPageIndex() == MainPage::Fix && GetFixPageIndex() == FixSubPage::Fixing && model &&
            model->IsRepairRunning())
            WarnDeviceBeingRepaired();
        return;
    }
    SetMainPage(MainPage::Fix);
    SetFixConnState(FixConnState::DeviceInfo);
    SetFixSubPage(FixSubPage::ReadyToFix);
    StopFixAnimation();
    ShowFixStateFix();
    SetNextButton(NextButtonState::FixNow);
    btnNext->show();
    btnNext->setEnabled(true);
    btnBack->show();
    btnRetryDownload->hide();
    btnDownload->hide();
    controller->StopDeviceJob();
    controller->SetOnlineFirmware(true);
}

void Mendra::ReturnHomeFromResult() {
    SetMainPage(MainPage::Home);
    btnNext->show();
    btnNext->setEnabled(true);
    SetNextButton(NextButtonState::Start);
    btnBack->setEnabled(false);
    btnBack->hide();
    repairDone = false;
    controller->SetRepairMode(RepairMode::NotChosen);
    controller->UpdateModeTitle();
    controller->SetRepairFinished(false);
    controller->StopDeviceJob();
}

void Mendra::standardModeBtnClicked() {
    ui->noteInfoLbl_22->hide();
    btnNextClick();
    controller->SetRepairMode(RepairMode::Standard);
    controller->UpdateModeTitle();
}

void Mendra::advancedModeBtnClicked() {
    ui->noteInfoLbl_22->show();
    btnNextClick();
    controller->SetRepairMode(RepairMode::Advanced);
    controller->UpdateModeTitle();
}

void Mendra::AutoDownloadbtnClicked() {
    firstDownload = true;
    if (!StartRun(false)) {
        firstDownload = false;
        return;
    }
    // The run's reports wait for the event loop: the check page is in place before the first one arrives.
    SetCheckPage(CheckPage::CheckFirmware);
    ShowCheckStarting();
    btnNext->hide();
    btnDownload->hide();
    btnDownload->setEnabled(false);
    btnBack->show();
    btnBack->setEnabled(true);
}

void Mendra::RetryDownload() {
    if (StartRun(false))
        ShowCheckStarting();
}

bool Mendra::StartRun(bool fromNext) {
    if (controller->StartRepair(fromNext))
        return true;
    Notice(RepairStartRefusedText(controller->LastRepairStart()), QMessageBox::Ok);
    return false;
}

QString Mendra::RepairStartRefusedText(Controller::RepairStart why) {
    switch (why) {
    case Controller::RepairStart::NoRepairMode:
        return tr("Please choose Standard Mode or Advanced Mode first.");
    case Controller::RepairStart::NoDevice:
        return tr("The device to be fixed is not connected. Please connect it and try again.");
    default:
        return tr("The repair could not be started. Please restart the program and try again.");
    }
}

void Mendra::DeviceModelBoxChanged(int) {
    controller->OnDeviceDetected(modelIndex);
    UpdateLocalFirmwareButtons();
}

void Mendra::GetCurrentIphonetype(int) {
    controller->UpdateRecoveryButton();
}

void Mendra::SetWorksWidget(int stack) {
    ui->WorksWidget->setCurrentIndex(stack);
}

void Mendra::btnDownloadFirmwareClick() {
    controller->OpenFirmwareUrl();
}

void Mendra::btnSelectFirmwareClick() {
    const Controller::RepairStart start = controller->CheckRepairStart(false);
    if (start != Controller::RepairStart::Started) {
        Notice(RepairStartRefusedText(start), QMessageBox::Ok);
        return;
    }
    controller->SelectLocalFirmware();
    if (OnFirmwareCheck())
        ShowCheckStarting();
}

void Mendra::btnrecoveryModeStateClick() {
    ui->recoveryModeStateBtn->setEnabled(false);
    controller->ToggleRecoveryMode();
}

void Mendra::UpdateLocalFirmwareButtons() {
    const bool usable = ui->DeviceModelBox->currentIndex() >= 0 && ui->SystemVersionBox->currentIndex() >= 0;
    ui->btnDownloadFirmware->setEnabled(usable);
    ui->btnSelectFirmware->setEnabled(usable);
}
