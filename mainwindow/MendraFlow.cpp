// The page flow of the main window: Next, Back, the mode and download buttons.
#include "Mendra.h"

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

void Mendra::btnNextClick() {
    switch (GetMainPageIndex()) {
    case 0:
        SetMainPage(1);
        btnNext->hide();
        btnBack->show();
        btnBack->setEnabled(true);
        break;
    case 1:
        if (controller->IsDeviceConnected())
            ShowFirmwareSelection();
        else
            ShowNoDeviceFixPage();
        break;
    case 2: {
        const bool connected = controller->IsDeviceConnected();
        const int fixPage = GetFixPageIndex();
        if (connected && fixPage == 1) {
            // The fixing page is a promise that the repair runs: a refused start leaves the ready page as it is.
            if (!StartRun(true))
                return;
            ShowFixAnimation();
            fixStatusLbl->setStyleSheet(QStringLiteral("color: rgb(38, 38, 38);"));
            SetFixConnState(2);
            SetFixSubPage(2);
            SetNextButton(1);
            btnNext->show();
            btnNext->setEnabled(false);
            if (model)
                model->SetSkipReadyPage(true);
            ShowResultText(0);
        } else if (connected && fixPage == 0) {
            SetMainPage(1);
            btnNext->hide();
            btnBack->setEnabled(true);
            btnBack->show();
            controller->UpdateModeTitle();
        } else if (fixPage == 2 && (nextButtonState == 2 || nextButtonState == 3)) {
            // Only a result page ("Done", "Try again") is left by Next; a running repair is never abandoned.
            LeaveResultPage();
        }
        break;
    }
    default:
        break;
    }
}

void Mendra::ShowFirmwareSelection() {
    SetMainPage(3);
    CheckstackedWidget->setCurrentIndex(0);
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
    for (int i = 0; i < DeviceModelBox->count(); ++i) {
        if (picked && DeviceModelBox->itemData(i, Qt::UserRole).toULongLong() == picked) {
            SetModelIndex(i);
            break;
        }
    }
    UpdateLocalFirmwareButtons();
}

void Mendra::ShowNoDeviceFixPage() {
    SetMainPage(2);
    connStatestackedWidget->setCurrentIndex(0);
    fixstackedWidget->setCurrentIndex(0);
    btnNext->show();
    btnNext->setEnabled(false);
    SetNextButton(0);
    btnBack->show();
    ShowFixStateUnconnected();
}

void Mendra::LeaveResultPage() {
    // Every repair ends with its device's job stopped in the library; a failed one was stopped already.
    if (nextButtonState == 3)
        controller->StopRepairDevice();
    repairDone = false;
    stackedWidget->setCurrentIndex(0);
    fixstackedWidget->setCurrentIndex(0);
    CheckstackedWidget->setCurrentIndex(0);
    btnNext->show();
    btnNext->setEnabled(true);
    SetNextButton(0);
    btnBack->hide();
    btnBack->setEnabled(false);
    controller->SetRepairMode(Controller::NoMode);
    controller->UpdateModeTitle();
    controller->SetRepairFinished(false);
    ShowResultText(0);
    if (reconnectNoticePending)
        Notice(tr("Please re-connect the device to scan and fix."), QMessageBox::Ok);
    reconnectNoticePending = false;
}

void Mendra::btnBackClick() {
    switch (GetMainPageIndex()) {
    case 3:
        if (GetCheckPageIndex() == 0) {
            stackedWidget->setCurrentIndex(1);
            btnNext->hide();
            btnDownload->hide();
            btnBack->show();
            btnBack->setEnabled(true);
            controller->SetRepairMode(Controller::NoMode);
            controller->UpdateModeTitle();
        } else {
            // A check that failed has nothing left running to ask about; a run started since (Download again)
            // has cleared the failure, even before its first report.
            const bool failed = firmwareState == 2 || firmwareState == 5;
            if (!failed) {
                const QString question = controller->IsDownloading()
                                             ? tr("Are you sure you want to stop downloading the firmware package?")
                                             : tr("Are you sure you want to stop verifying the firmware package?");
                if (!Confirm(question))
                    return;
            }
            CheckstackedWidget->setCurrentIndex(0);
            btnNext->hide();
            btnDownload->show();
            btnDownload->setEnabled(true);
            btnBack->show();
            btnBack->setEnabled(true);
            FirmwareHintLbl->hide();
            btnRetryDownload->hide();
            controller->SetOnlineFirmware(true);
            controller->UpdateModeTitle();
            controller->StopDeviceJob();
            UpdateLocalFirmwareButtons();
        }
        break;
    case 1:
        stackedWidget->setCurrentIndex(0);
        btnNext->show();
        btnNext->setEnabled(true);
        btnBack->hide();
        break;
    case 4:
        if (controller->IsDeviceConnected()) {
            stackedWidget->setCurrentIndex(1);
            btnNext->hide();
            btnBack->show();
            btnBack->setEnabled(true);
        } else {
            stackedWidget->setCurrentIndex(2);
            fixstackedWidget->setCurrentIndex(0);
            btnNext->show();
        }
        guideLinkLbl->hide();
        break;
    case 2:
        BackFromFixPage();
        break;
    default:
        break;
    }
}

void Mendra::BackFromFixPage() {
    switch (GetFixPageIndex()) {
    case 0:
        stackedWidget->setCurrentIndex(1);
        btnNext->hide();
        btnBack->setEnabled(true);
        btnBack->show();
        controller->SetRepairMode(Controller::NoMode);
        controller->UpdateModeTitle();
        break;
    case 1:
        if (!Confirm(tr("Firmware package will be re-verfied after going back.\nGo back?")))
            return;
        stackedWidget->setCurrentIndex(3);
        CheckstackedWidget->setCurrentIndex(0);
        btnNext->hide();
        btnDownload->show();
        btnDownload->setEnabled(true);
        btnBack->setEnabled(true);
        btnBack->show();
        SetNextButton(0);
        controller->UpdateModeTitle();
        if (model)
            model->SetSkipReadyPage(false);
        controller->SetOnlineFirmware(true);
        UpdateLocalFirmwareButtons();
        break;
    case 2: {
        const bool running = model && model->IsRepairRunning();
        if (running && model->IsFirmwareStageRunning()) {
            if (!Confirm(tr("Are you sure to stop fixing?")))
                return;
            stackedWidget->setCurrentIndex(2);
            connStatestackedWidget->setCurrentIndex(1);
            fixstackedWidget->setCurrentIndex(1);
            StopFixAnimation();
            ShowFixStateFix();
            SetNextButton(4);
            btnNext->show();
            btnNext->setEnabled(true);
            btnBack->show();
            btnRetryDownload->hide();
            btnDownload->hide();
            controller->StopDeviceJob();
            controller->SetOnlineFirmware(true);
        } else if (running) {
            Notice(tr("The device is being repaired, please do not close the program."), QMessageBox::Apply);
        } else {
            stackedWidget->setCurrentIndex(0);
            btnNext->show();
            btnNext->setEnabled(true);
            SetNextButton(0);
            btnBack->setEnabled(false);
            btnBack->hide();
            repairDone = false;
            controller->SetRepairMode(Controller::NoMode);
            controller->UpdateModeTitle();
            controller->SetRepairFinished(false);
            controller->StopDeviceJob();
        }
        break;
    }
    default:
        break;
    }
}

void Mendra::standardModeBtnClicked() {
    noteInfoLbl_22->hide();
    btnNextClick();
    controller->SetRepairMode(Controller::StandardMode);
    controller->UpdateModeTitle();
}

void Mendra::advancedModeBtnClicked() {
    noteInfoLbl_22->show();
    btnNextClick();
    controller->SetRepairMode(Controller::AdvancedMode);
    controller->UpdateModeTitle();
}

void Mendra::AutoDownloadbtnClicked() {
    firstDownload = true;
    if (!StartRun(false)) {
        firstDownload = false;
        return;
    }
    // The run's reports wait for the event loop: the check page is in place before the first one arrives.
    CheckstackedWidget->setCurrentIndex(1);
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
    WorksWidget->setCurrentIndex(stack);
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
    if (GetMainPageIndex() == 3 && GetCheckPageIndex() == 1)
        ShowCheckStarting();
}

void Mendra::btnrecoveryModeStateClick() {
    recoveryModeStateBtn->setEnabled(false);
    controller->ToggleRecoveryMode();
}

void Mendra::UpdateLocalFirmwareButtons() {
    const bool usable = DeviceModelBox->currentIndex() >= 0 && SystemVersionBox->currentIndex() >= 0;
    btnDownloadFirmware->setEnabled(usable);
    btnSelectFirmware->setEnabled(usable);
}
