// The fix page's ready, progress and result states.
#include "Mendra.h"

#include "MendraTexts.h"

#include "controller/Controller.h"
#include "device/RepairEngine.h"
#include "framework/MyButton.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

void Mendra::ShowRepairProgress(RepairStep step, float value) {
    FixprogressBar->show();
    progressValueLbl->show();
    FixprogressBar->setValue(static_cast<int>(value));
    const char* name = RepairStepSource(step);
    if (!name)
        return;
    progressValueLbl->setText(QStringLiteral("%1: %2%...").arg(tr(name), QString::asprintf("%0.1f", value / 10.0)));
    repairStep = step;
}

void Mendra::ShowReadyToFix() {
    if (!controller->IsDeviceConnected())
        return;
    StopFixAnimation();
    ShowFixStateFix();
    SetMainPage(MainPage::Fix);
    SetFixConnState(FixConnState::FixingDevice);
    SetFixSubPage(FixSubPage::ReadyToFix);
    FirmwareVersionLbl->setText(controller->GetSystemVersionText());
    repairInfoLbl->hide();
    SetNextButton(NextButtonState::FixNow);
    btnNext->show();
    btnNext->setEnabled(true);
    btnBack->show();
    btnBack->setEnabled(true);
}

void Mendra::ShowRepairSucceeded() {
    StopFixAnimation();
    ShowFixStateConnected();
    FixprogressBar->hide();
    progressValueLbl->hide();
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
    FixprogressBar->hide();
    progressValueLbl->hide();
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
    for (int i = iPhoneTypeBox->count() - 1; failed && i >= 0; --i) {
        if (iPhoneTypeBox->itemData(i, Qt::UserRole).toULongLong() == failed)
            RemoveDeviceEntry(i);
    }
    ShowConnectionStateAlt(iPhoneTypeBox->count() > 0);
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
        repairInfoLbl->setText(QString());
        repairInfoLbl->hide();
        break;
    case ResultState::Failed:
        fixStatusLbl->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        Q_FALLTHROUGH();
    default:
        repairInfoLbl->show();
        noteInfoLbl_3->setOpenExternalLinks(true);
        break;
    }
    resultState = result;
}
