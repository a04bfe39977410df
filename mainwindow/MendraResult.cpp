// The fix page's ready, progress and result states.
#include "Mendra.h"

#include "app/EditionData.h"
#include "app/MendraData.h"
#include "device/Controller.h"
#include "device/RepairEngine.h"
#include "framework/MyButton.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

void Mendra::ShowRepairProgress(int step, float value) {
    static const char* const names[] = {QT_TR_NOOP("Secondary Verification"), QT_TR_NOOP("Unziping"),
                                        QT_TR_NOOP("Enter Recovery Mode"), QT_TR_NOOP("Repairing"),
                                        QT_TR_NOOP("Repair complete")};
    FixprogressBar->show();
    progressValueLbl->show();
    FixprogressBar->setValue(static_cast<int>(value));
    if (step < 0 || step > 4)
        return;
    progressValueLbl->setText(
        QStringLiteral("%1: %2%...").arg(tr(names[step]), QString::asprintf("%0.1f", value / 10.0)));
    repairStep = step;
}

void Mendra::ShowReadyToFix() {
    if (!controller->IsDeviceConnected())
        return;
    StopFixAnimation();
    ShowFixStateFix();
    SetMainPage(2);
    SetFixConnState(2);
    SetFixSubPage(1);
    FirmwareVersionLbl->setText(controller->GetSystemVersionText());
    repairInfoLbl->hide();
    SetNextButton(4);
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
    SetNextButton(3);
    btnBack->hide();
    btnBack->setEnabled(false);
    SetMainPage(2);
    SetFixSubPage(2);
    ShowResultText(1);
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
    SetNextButton(2);
    btnBack->hide();
    btnBack->setEnabled(false);
    SetMainPage(2);
    SetFixSubPage(2);
    ShowResultText(2);
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

void Mendra::ShowResultText(int result) {
    const QString contact = QStringLiteral("<style> a {text-decoration: none} </style> <a href=\"%1\">%2")
                                .arg(gAppData ? gAppData->Support : QString(), tr("Contact us for more help."));
    switch (result) {
    case 0:
        fixStatusLbl->setText(tr("Reparing. It takes about 10min..."));
        repairInfoLbl->setText(QString());
        repairInfoLbl->hide();
        noteInfoLbl_3->setText(tr("1. Keep your device connected, and do not use it during fixing."));
        break;
    case 1:
        fixStatusLbl->setText(tr("Repair Success."));
        repairInfoLbl->show();
        repairInfoLbl->setText(tr("Please restart to check the device.\nIf the repair fails, please restart your "
                                  "device and PC before trying again."));
        noteInfoLbl_3->setText(contact);
        noteInfoLbl_3->setOpenExternalLinks(true);
        break;
    case 2:
        fixStatusLbl->setText(tr("Repair failed."));
        fixStatusLbl->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        repairInfoLbl->show();
        repairInfoLbl->setText(tr("Check whether the device restarts. If the restart fails, please restart computer "
                                  "and device before you use Advanced Mode to try again."));
        noteInfoLbl_3->setText(contact);
        noteInfoLbl_3->setOpenExternalLinks(true);
        break;
    default:
        return;
    }
    resultState = result;
}
