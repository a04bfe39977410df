// The recovery and DFU guide page and its status-bar link.
#include "Mendra.h"

#include "controller/Controller.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

void Mendra::SetGuideLink(int which) {
    if (which == 0) {
        guideLinkLbl->setText(GuideLinkMarkup(tr("Failed to enter Recovery Mode? Click here to enter DFU Mode.")));
        guideLinkState = 1;
    } else if (which == 1) {
        guideLinkLbl->setText(GuideLinkMarkup(tr("Failed to enter DFU Mode? Click here to enter Recovery Mode.")));
        guideLinkState = 0;
    }
}

void Mendra::ShowGuideView() {
    stackedWidget->setCurrentIndex(4);
    if (controller->GetRepairMode() == Controller::AdvancedMode) {
        recoveryWidget->setCurrentIndex(1);
        stackedWidget_4->setCurrentIndex(0);
        SetGuideLink(1);
        OtherBtn_2->setChecked(true);
    } else {
        recoveryWidget->setCurrentIndex(0);
        stackedWidget_3->setCurrentIndex(0);
        SetGuideLink(0);
        OtherBtn->setChecked(true);
    }
    btnNext->hide();
    btnNext->setEnabled(false);
    guideLinkLbl->show();
    controller->UpdateModeTitle();
}

namespace {
// The other guide opens on the kind of device the user was looking at; the Apple TV pages, which only the
// recovery guide has, give the last kind.
void ShowSameKind(QStackedWidget* pages, QPushButton* const (&buttons)[3], int kind) {
    const int page = kind == 0 ? 0 : kind == 1 ? 1 : 2;
    pages->setCurrentIndex(page);
    buttons[page]->setChecked(true);
}
} // namespace

void Mendra::sltChangeGuideView() {
    if (recoveryWidget->currentIndex() == 0) {
        recoveryWidget->setCurrentIndex(1);
        SetGuideLink(1);
        ShowSameKind(stackedWidget_4, {OtherBtn_2, iPhoen7Btn_2, iPhone8Btn_2}, RetStackWidget_3());
    } else if (recoveryWidget->currentIndex() == 1) {
        recoveryWidget->setCurrentIndex(0);
        SetGuideLink(0);
        ShowSameKind(stackedWidget_3, {OtherBtn, iPhoen7Btn, iPhone8Btn}, RetStackWidget_4());
    }
}

namespace {
void ShowGuideKind(QStackedWidget* guides, QStackedWidget* recovery, QStackedWidget* dfu, QLabel* link, int kind) {
    if (guides->currentIndex() == 0)
        recovery->setCurrentIndex(kind);
    else
        dfu->setCurrentIndex(kind);
    link->show();
}
} // namespace

void Mendra::sltOtheriDvecesView() {
    ShowGuideKind(recoveryWidget, stackedWidget_3, stackedWidget_4, guideLinkLbl, 0);
}

void Mendra::sltiPhone7View() {
    ShowGuideKind(recoveryWidget, stackedWidget_3, stackedWidget_4, guideLinkLbl, 1);
}

void Mendra::sltiPhone8View() {
    ShowGuideKind(recoveryWidget, stackedWidget_3, stackedWidget_4, guideLinkLbl, 2);
}

void Mendra::sltAppleView() {
    if (recoveryWidget->currentIndex() != 0)
        return;
    stackedWidget_3->setCurrentIndex(3);
    guideLinkLbl->hide();
}

void Mendra::sltAppleHDView() {
    if (recoveryWidget->currentIndex() != 0)
        return;
    stackedWidget_3->setCurrentIndex(4);
    guideLinkLbl->hide();
}

void Mendra::changGuiLblStaust() {
    guideLinkLbl->hide();
}

int Mendra::RetStackWidget_3() {
    return stackedWidget_3->currentIndex();
}

int Mendra::RetStackWidget_4() {
    return stackedWidget_4->currentIndex();
}

void ShowStartupUpdatePrompt() {
    Controller::Instance()->CheckUpdateAtStart();
}
