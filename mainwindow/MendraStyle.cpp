// The main window's look: the style keys its widgets are known by in the skin's style sheets, their
// sizes at the screen's scale, and the skin's pictures.
#include "Mendra.h"

#include "MendraForm.h"

#include "framework/MyButton.h"
#include "framework/SkinManager.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>

#include <initializer_list>

namespace {

int Scaled(double size) {
    return static_cast<int>(size * SkinManager::Instance()->GetScale());
}

QSize ScaledSize(int width, int height) {
    return QSize(Scaled(width), Scaled(height));
}

void SetKey(std::initializer_list<QWidget*> widgets, const char* key) {
    for (QWidget* widget : widgets)
        widget->setProperty("STYLE_KEY", QString::fromLatin1(key));
}

void SetFixedSize(std::initializer_list<QWidget*> widgets, int width, int height) {
    for (QWidget* widget : widgets)
        widget->setFixedSize(ScaledSize(width, height));
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

void Mendra::ApplyStyleKeys() {
    QWidget* statusHolder = statusBarWidget->findChild<QWidget*>(QStringLiteral("buttomWidget"));
    SetKey({ui->standardModeBtn, ui->advancedModeBtn}, "START_PAGE_ITEM_BUTTON");
    SetKey({ui->AdvancedModeWidget, ui->StandardModeWidget}, "START_PAGE_ITEM");
    SetKey({ui->productInfoWidget}, "PRODUCT_INFO_WIDGET");
    SetKey({ui->productNameLbl}, "PRODUCT_NAME_LABLE");
    SetKey({ui->productInfoLbl}, "PRODUCT_INFO_LABLE");
    SetKey({ui->FixprogressBar, ui->FirmwareProgressBar}, "SAVEIOS_PROCESS");
    SetKey({ui->fixStatusLbl}, "FIX_STATUS_LBL");
    SetKey({ui->ProgressBarValueLbl}, "PROGRESS_BAR_VALUE_LBL");
    SetKey({btnBack}, "BTN_BACK");
    SetKey({btnDownload, btnNext, btnRetryDownload}, "BTN_NEXT_AND_DOWNLOAD");
    SetKey({statusHolder}, "STATUS_BAR");
    SetKey({ui->recoveryModeStateBtn}, "BTN_RECOVERY_MODE");
    SetKey({ui->problemsBrowser}, "PRO_BROWSER");
    SetKey({ui->deviceNotConnLbl, ui->disconnectedLbl}, "NOT_CONN_LBL");
    SetKey({ui->DeviceModelBox, ui->iPhoneTypeBox, ui->worksComBox, ui->SystemVersionBox}, "DEVICE_AND_SYSTEM");
    SetKey({ui->iPhoneComBox, ui->iPadComBox, ui->iPodComBox, ui->AppleTvComBox}, "DEVICE_AND_SYSTEM_Scrollbar");
    SetKey({ui->btnDownloadFirmware, ui->btnSelectFirmware}, "DOWNLOAD_AND_SELECT");
    SetKey({ui->standardModeInfoLbl, ui->advancedModeInfoLbl}, "MODE_INFO_LBL");
    SetKey({ui->standardModeTipsLbl, ui->advancedModeTipsLbl}, "MODE_LBL");
    SetKey({ui->selectStateLbl1, ui->selectStateLbl2}, "LABEL_7");
    SetKey({ui->modeSelectLbl, ui->systemSelectLbl}, "MODEL_AND_SYSTEM");
    SetKey({ui->connectiOStoPCLbl, ui->firmwareReadyLbl}, "CONNECT_IOSTOPCL_LBL");
    SetKey({ui->showRecoveryGuideLbl}, "SHOW_RECOVERY_GUIDE_LBL");
    SetKey({ui->DezazaLabel}, "DezazaLabel_LBL");
    SetKey({ui->NoteLabel}, "DezazaLabel_LBL1");
    SetKey({ui->FirmwareSelectPage}, "SHOWPHOTOLBL");
    SetKey({ui->suggest_lbl}, "SUGGEST_LBL");
    SetKey({ui->OtherBtn, ui->OtherBtn_2, ui->iPhoen7Btn, ui->iPhoen7Btn_2, ui->iPhone8Btn, ui->iPhone8Btn_2,
            ui->AppleBtn, ui->AppleHDBtn},
           "GUIDE_VIEW_BTN");
    SetKey({ui->line_3, ui->line_11}, "LINE_LEFT");
    SetKey({ui->line_4, ui->line_12}, "LINE_RIGHT");
    SetKey({ui->recovery_one, ui->recovery_two, ui->recovery_three, ui->dfu_one, ui->dfu_two, ui->dfu_three},
           "ONE_TWO_THREE");
    SetKey({ui->recoveryModeLabel, ui->dfuModeLabel}, "RECOVERY_DFU_MODE_LBL");
    SetKey({ui->crossLine1, ui->crossLine2, ui->crossLine5, ui->crossLine6, ui->crossLine7, ui->crossLine8},
           "CROSS_LINE");
}

void Mendra::ApplyScaledSizes() {
    setMinimumSize(ScaledSize(1082, 638));
    SetFixedSize({ui->recoveryModeStateBtn}, 180, 30);
    SetFixedSize({ui->problemsBrowser}, 400, 274);
    SetFixedSize({ui->AdvancedModeWidget, ui->StandardModeWidget}, 396, 403);
    for (QWidget* label : {ui->standardModeInfoLbl, ui->advancedModeInfoLbl})
        label->setFixedHeight(Scaled(85));
    SetFixedSize({ui->standardModeBtn, ui->advancedModeBtn}, 270, 42);
    ui->DeviceModelBox->setFixedHeight(Scaled(30));
    ui->DeviceModelBox->setFixedWidth(Scaled(190));
    SetFixedSize({ui->iPhoneTypeBox}, 150, 30);
    SetFixedSize({ui->iPhoneComBox, ui->iPadComBox, ui->iPodComBox, ui->AppleTvComBox}, 180, 30);
    SetFixedSize({ui->worksComBox}, 110, 30);
    SetFixedSize({ui->SystemVersionBox}, 120, 30);
    SetFixedSize({ui->btnSelectFirmware}, 90, 30);
    SetFixedSize({ui->btnDownloadFirmware}, 106, 30);
    ui->FixprogressBar->setMinimumWidth(Scaled(458));
    ui->FixprogressBar->setFixedHeight(Scaled(8));
    // The firmware bar keeps its design height whatever the screen.
    ui->FirmwareProgressBar->setMinimumWidth(Scaled(968));
    ui->FirmwareProgressBar->setFixedHeight(12);
    SetFixedSize({ui->connstatusIogoLbl}, 200, 380);
    SetFixedSize({ui->FixStateLbl}, 200, 390);
    SetFixedSize({ui->disconnectIcon}, 23, 23);
    SetFixedSize({ui->OtherBtn}, 192, 42);
    ui->OtherBtn->setMinimumSize(ScaledSize(192, 42));
    SetFixedSize({ui->iPhoen7Btn, ui->iPhone8Btn, ui->AppleBtn, ui->AppleHDBtn, ui->OtherBtn_2, ui->iPhoen7Btn_2,
                  ui->iPhone8Btn_2},
                 192, 42);
    SetFixedSize({ui->line_3, ui->line_4, ui->line_11, ui->line_12}, 284, 5);
    SetFixedSize({ui->recovery_one, ui->recovery_two, ui->recovery_three, ui->dfu_one, ui->dfu_two, ui->dfu_three}, 40,
                 40);
    for (QWidget* line :
         {ui->crossLine1, ui->crossLine2, ui->crossLine5, ui->crossLine6, ui->crossLine7, ui->crossLine8})
        line->setFixedWidth(1);
    AlignGuideSteps();
}

// Each step of a guide stands under its number. The numbers are a fixed pitch apart (a number and its line),
// centred in their row; the step grids below them are as wide as their texts and pictures make them, which
// put the columns off by as much as the texts differ. Each column is made exactly one pitch less the grid's
// gap, and the grid is centred as the number row is.
void Mendra::AlignGuideSteps() {
    const int pitch = ui->recovery_one->width() + ui->line_3->width();
    for (QStackedWidget* guide : {ui->stackedWidget_3, ui->stackedWidget_4}) {
        for (int i = 0; i < guide->count(); ++i) {
            QLayout* page = guide->widget(i)->layout();
            auto* steps = page && page->count() > 0 ? qobject_cast<QGridLayout*>(page->itemAt(0)->layout()) : nullptr;
            if (!steps)
                continue;
            for (int item = 0; item < steps->count(); ++item) {
                if (QWidget* step = steps->itemAt(item)->widget())
                    step->setFixedWidth(pitch - steps->horizontalSpacing());
            }
            page->setAlignment(steps, Qt::AlignHCenter);
        }
    }
}

void Mendra::ChangeSkin() {
    SkinManager* skin = SkinManager::Instance();
    setStyleSheet(ReadText(skin->GetColorQssPath()) + ReadText(skin->GetIconQssPath()));

    skin->ChangePart(QStringLiteral("Buttun"));
    btnBack->setIconMargin(4);
    btnBack->changeIcon(QStringLiteral("Back"));
    const QSize modeIcon = ScaledSize(35, 35);
    ui->standardModeBtn->setIconSize(modeIcon);
    ui->standardModeBtn->setIcon(QIcon(skin->GetPagePixmap(QStringLiteral("StandardM"))));
    ui->advancedModeBtn->setIconSize(modeIcon);
    ui->advancedModeBtn->setIcon(QIcon(skin->GetPagePixmap(QStringLiteral("AdvancedM"))));

    ShowSkinPicture(ui->connstatusIogoLbl, QStringLiteral("Other"), QStringLiteral("UnConnected"), 200, 380);
    ShowSkinPicture(ui->disconnectIcon, QStringLiteral("Other"), QStringLiteral("help"), 23, 23);

    struct StepPicture {
        QLabel* label;
        const char* image;
        int width;
        int height;
    };
    const StepPicture steps[] = {
        {ui->recoveryOtherOneLbl, "OtheriDevices1", 120, 300},
        {ui->recoveryOtherTwoLbl, "OtheriDevices2", 220, 300},
        {ui->recoveryOtherThreeLbl, "OtheriDevices3", 220, 300},
        {ui->recoveryiPhone7OneLbl, "OtheriDevices1", 120, 300},
        {ui->recoveryiPhone7TwoLbl, "iPhone7-2", 220, 300},
        {ui->recoveryiPhone7ThreeLbl, "iPhone7-3", 220, 300},
        {ui->recoveryiPhone8OneLbl, "iPhone8-1", 120, 300},
        {ui->recoveryiPhone8TwoLbl, "iPhone8-2", 220, 300},
        {ui->recoveryiPhone8ThreeLbl, "iPhone8-3", 220, 300},
        {ui->recoveryApplOneLbl, "AppleTV1", 220, 300},
        {ui->recoveryApplTwoLbl, "AppleTV2", 220, 300},
        {ui->recoveryApplThreeLbl, "AppleTV3", 220, 300},
        {ui->recoveryApplHdOneLbl, "AppleTVHD1", 220, 300},
        {ui->recoveryApplHdTwoLbl, "AppleTVHD2", 220, 300},
        {ui->recoveryApplHdThreeLbl, "AppleTVHD3", 160, 300},
        {ui->dfuOtherOneLbl, "OtheriDevices1", 120, 300},
        {ui->dfuOtherTwoLbl, "OtheriDevices2", 220, 300},
        {ui->dfuOtherThreeLbl, "OtheriDevices3D", 220, 300},
        {ui->dfuiPhone7OneLbl, "OtheriDevices1", 120, 300},
        {ui->dfuiPhone7TwoLbl, "iPhone7-2", 220, 300},
        {ui->dfuiPhone7ThreeLbl, "iPhone7-3D", 220, 300},
        {ui->dfuiPhone8OneLbl, "iPhone8-1D", 220, 280},
        {ui->dfuiPhone8TwoLbl, "iPhone8-2D", 220, 280},
        {ui->dfuiPhone8ThreeLbl, "iPhone8-3D", 220, 280},
    };
    for (const StepPicture& step : steps)
        ShowSkinPicture(step.label, QStringLiteral("Steps"), QString::fromLatin1(step.image), step.width, step.height);
}
