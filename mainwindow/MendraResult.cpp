// The fix page's ready, progress and result states.
#include "Mendra.h"

#include "MendraForm.h"

#include "MendraTexts.h"

#include "controller/Controller.h"
#include "device/RepairEngine.h"
#include "framework/MyButton.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

void Mendra::ShowRepairProgress(RepairStep step, float value) {
    ui->FixprogressBar->show();
    ui->progressValueLbl->show();
    ui->FixprogressBar->setValue(static_cast<int>(value));
    if (!RepairStepSource(step))
        return;
    ui->progressValueLbl->setText(RepairProgressText(step, value));
    repairStep = step;
    repairProgress = value;
}

QString Mendra::RepairProgressText(RepairStep step, float value) const {
    return QStringLiteral("%1: %2%...").arg(tr(RepairStepSource(step)), QString::asprintf("%0.1f", value / 10.0));
}

void Mendra::ShowReadyToFix() {
    if (!controller->IsDeviceConnected())
        return;
    StopFixAnimation();
    ShowFixStateFix();
    SetMainPage(MainPage::Fix);
    SetFixConnState(FixConnState::FixingDevice);
    SetFixSubPage(FixSubPage::ReadyToFix);
    ui->FirmwareVersionLbl->setText(controller->GetSystemVersionText());
    ui->repairInfoLbl->hide();
    SetNextButton(NextButtonState::FixNow);
    btnNext->show();
    btnNext->setEnabled(true);
    btnBack->show();
    btnBack->setEnabled(true);
}

void Mendra::ShowRepairSucceeded() {
    StopFixAnimation();
    ShowFixStateConnected();
    ui->FixprogressBar->hide();
    ui->progressValueLbl->hide();
    btnNext->show();
    btnNext->setEnabled(true);
    SetNextButton(NextButtonState::Done);
    btnBack->hide();
    btnBack->setEnabled(false);
    SetMainPage(MainPage::Fix);
    SetFixSubPage(FixSubPage::Fixing);
    ShowResultText(ResultState::Succeeded);
    resultPageShown = true;
    controller->SetWorkDevicePresent(true);
    repairDone = true;
}

void Mendra::ShowRepairFailed() {
    StopFixAnimation();
    ShowFixStateUnconnected();
    ui->FixprogressBar->hide();
    ui->progressValueLbl->hide();
    btnNext->show();
    btnNext->setEnabled(true);
    SetNextButton(NextButtonState::TryAgain);
    btnBack->hide();
    btnBack->setEnabled(false);
    SetMainPage(MainPage::Fix);
    SetFixSubPage(FixSubPage::Fixing);
    ShowResultText(ResultState::Failed);
    // The failed device's entry goes, found by its handle: another device may be the current entry now.
    const MRDeviceRef failed = model ? model->GetRepairDevice() : 0;
    for (int i = ui->iPhoneTypeBox->count() - 1; failed && i >= 0; --i) {
        if (ui->iPhoneTypeBox->itemData(i, Qt::UserRole).toULongLong() == failed)
            RemoveDeviceEntry(i);
    }
    ShowConnectionStateAlt(ui->iPhoneTypeBox->count() > 0);
    resultPageShown = true;
    reconnectNoticePending = true;
    repairDone = true;
    controller->SetWorkDevicePresent(true);
}

void Mendra::ShowResultText(ResultState result) {
    if (!ShowResultTexts(result))
        return;
    switch (result) {
    case ResultState::Fixing:
        ui->repairInfoLbl->setText(QString());
        ui->repairInfoLbl->hide();
        break;
    case ResultState::Failed:
        ui->fixStatusLbl->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        Q_FALLTHROUGH();
    default:
        ui->repairInfoLbl->show();
        ui->noteInfoLbl_3->setOpenExternalLinks(true);
        break;
    }
    resultState = result;
}
