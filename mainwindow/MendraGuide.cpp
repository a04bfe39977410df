// The recovery and DFU guide page and its status-bar link.
#include "Mendra.h"

#include "MendraForm.h"

#include "controller/Controller.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

void Mendra::SetGuideLink(Guide shown) {
    switch (shown) {
    case Guide::Recovery:
        guideLinkLbl->setText(GuideLinkMarkup(tr("Failed to enter Recovery Mode? Click here to enter DFU Mode.")));
        guideLinkState = GuideLink::ToDfu;
        break;
    case Guide::Dfu:
        guideLinkLbl->setText(GuideLinkMarkup(tr("Failed to enter DFU Mode? Click here to enter Recovery Mode.")));
        guideLinkState = GuideLink::ToRecovery;
        break;
    }
}

Guide Mendra::GuideShown() const {
    return static_cast<Guide>(ui->recoveryWidget->currentIndex());
}

void Mendra::SetGuideShown(Guide guide) {
    ui->recoveryWidget->setCurrentIndex(static_cast<int>(guide));
}

void Mendra::ShowDeviceKind(Guide guide, DeviceKind kind) {
    QStackedWidget* kinds = guide == Guide::Recovery ? ui->stackedWidget_3 : ui->stackedWidget_4;
    kinds->setCurrentIndex(static_cast<int>(kind));
}

void Mendra::ShowGuideView() {
    ui->stackedWidget->setCurrentIndex(static_cast<int>(MainPage::Guide));
    // Advanced mode erases the device, for which the DFU guide is the way in.
    const Guide guide = controller->GetRepairMode() == RepairMode::Advanced ? Guide::Dfu : Guide::Recovery;
    SetGuideShown(guide);
    ShowDeviceKind(guide, DeviceKind::Other);
    SetGuideLink(guide);
    (guide == Guide::Dfu ? ui->OtherBtn_2 : ui->OtherBtn)->setChecked(true);
    btnNext->hide();
    btnNext->setEnabled(false);
    guideLinkLbl->show();
    controller->UpdateModeTitle();
}

namespace {
// The other guide opens on the kind of device the user was looking at; the Apple TV pages, which only the
// recovery guide has, give the last kind.
DeviceKind SameKind(DeviceKind kind) {
    return kind == DeviceKind::Other || kind == DeviceKind::iPhone7 ? kind : DeviceKind::iPhone8;
}
} // namespace

void Mendra::sltChangeGuideView() {
    const Guide shown = GuideShown();
    if (shown != Guide::Recovery && shown != Guide::Dfu)
        return;
    const Guide other = shown == Guide::Recovery ? Guide::Dfu : Guide::Recovery;
    const DeviceKind kind = SameKind(shown == Guide::Recovery ? RetStackWidget_3() : RetStackWidget_4());
    SetGuideShown(other);
    SetGuideLink(other);
    ShowDeviceKind(other, kind);
    QPushButton* const recoveryButtons[] = {ui->OtherBtn, ui->iPhoen7Btn, ui->iPhone8Btn};
    QPushButton* const dfuButtons[] = {ui->OtherBtn_2, ui->iPhoen7Btn_2, ui->iPhone8Btn_2};
    (other == Guide::Recovery ? recoveryButtons : dfuButtons)[static_cast<int>(kind)]->setChecked(true);
}

void Mendra::sltOtheriDvecesView() {
    ShowDeviceKind(GuideShown(), DeviceKind::Other);
    guideLinkLbl->show();
}

void Mendra::sltiPhone7View() {
    ShowDeviceKind(GuideShown(), DeviceKind::iPhone7);
    guideLinkLbl->show();
}

void Mendra::sltiPhone8View() {
    ShowDeviceKind(GuideShown(), DeviceKind::iPhone8);
    guideLinkLbl->show();
}

void Mendra::sltAppleView() {
    if (GuideShown() != Guide::Recovery)
        return;
    ShowDeviceKind(Guide::Recovery, DeviceKind::AppleTv);
    guideLinkLbl->hide();
}

void Mendra::sltAppleHDView() {
    if (GuideShown() != Guide::Recovery)
        return;
    ShowDeviceKind(Guide::Recovery, DeviceKind::AppleTvHd);
    guideLinkLbl->hide();
}

void Mendra::changGuiLblStaust() {
    guideLinkLbl->hide();
}

DeviceKind Mendra::RetStackWidget_3() {
    return static_cast<DeviceKind>(ui->stackedWidget_3->currentIndex());
}

DeviceKind Mendra::RetStackWidget_4() {
    return static_cast<DeviceKind>(ui->stackedWidget_4->currentIndex());
}

void ShowStartupUpdatePrompt() {
    if (Controller* controller = Controller::Instance())
        controller->OfferUpdateAtStart();
}
