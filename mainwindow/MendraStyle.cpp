// The main window's look: the style keys its widgets are known by in the skin's style sheets, their
// sizes at the screen's scale, and the skin's pictures.
#include "Mendra.h"

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
    SetKey({standardModeBtn, advancedModeBtn}, "START_PAGE_ITEM_BUTTON");
    SetKey({AdvancedModeWidget, StandardModeWidget}, "START_PAGE_ITEM");
    SetKey({productInfoWidget}, "PRODUCT_INFO_WIDGET");
    SetKey({productNameLbl}, "PRODUCT_NAME_LABLE");
    SetKey({productInfoLbl}, "PRODUCT_INFO_LABLE");
    SetKey({FixprogressBar, FirmwareProgressBar}, "SAVEIOS_PROCESS");
    SetKey({fixStatusLbl}, "FIX_STATUS_LBL");
    SetKey({ProgressBarValueLbl}, "PROGRESS_BAR_VALUE_LBL");
    SetKey({btnBack}, "BTN_BACK");
    SetKey({btnDownload, btnNext, btnRetryDownload}, "BTN_NEXT_AND_DOWNLOAD");
    SetKey({statusHolder}, "STATUS_BAR");
    SetKey({recoveryModeStateBtn}, "BTN_RECOVERY_MODE");
    SetKey({problemsBrowser}, "PRO_BROWSER");
    SetKey({deviceNotConnLbl, disconnectedLbl}, "NOT_CONN_LBL");
    SetKey({DeviceModelBox, iPhoneTypeBox, worksComBox, SystemVersionBox}, "DEVICE_AND_SYSTEM");
    SetKey({iPhoneComBox, iPadComBox, iPodComBox, AppleTvComBox}, "DEVICE_AND_SYSTEM_Scrollbar");
    SetKey({btnDownloadFirmware, btnSelectFirmware}, "DOWNLOAD_AND_SELECT");
    SetKey({standardModeInfoLbl, advancedModeInfoLbl}, "MODE_INFO_LBL");
    SetKey({standardModeTipsLbl, advancedModeTipsLbl}, "MODE_LBL");
    SetKey({selectStateLbl1, selectStateLbl2}, "LABEL_7");
    SetKey({modeSelectLbl, systemSelectLbl}, "MODEL_AND_SYSTEM");
    SetKey({connectiOStoPCLbl, firmwareReadyLbl}, "CONNECT_IOSTOPCL_LBL");
    SetKey({showRecoveryGuideLbl}, "SHOW_RECOVERY_GUIDE_LBL");
    SetKey({DezazaLabel}, "DezazaLabel_LBL");
    SetKey({NoteLabel}, "DezazaLabel_LBL1");
    SetKey({FirmwareSelectPage}, "SHOWPHOTOLBL");
    SetKey({suggest_lbl}, "SUGGEST_LBL");
    SetKey({OtherBtn, OtherBtn_2, iPhoen7Btn, iPhoen7Btn_2, iPhone8Btn, iPhone8Btn_2, AppleBtn, AppleHDBtn},
           "GUIDE_VIEW_BTN");
    SetKey({line_3, line_11}, "LINE_LEFT");
    SetKey({line_4, line_12}, "LINE_RIGHT");
    SetKey({recovery_one, recovery_two, recovery_three, dfu_one, dfu_two, dfu_three}, "ONE_TWO_THREE");
    SetKey({recoveryModeLabel, dfuModeLabel}, "RECOVERY_DFU_MODE_LBL");
    SetKey({crossLine1, crossLine2, crossLine5, crossLine6, crossLine7, crossLine8}, "CROSS_LINE");
}

void Mendra::ApplyScaledSizes() {
    setMinimumSize(ScaledSize(1082, 638));
    SetFixedSize({recoveryModeStateBtn}, 180, 30);
    SetFixedSize({problemsBrowser}, 400, 274);
    SetFixedSize({AdvancedModeWidget, StandardModeWidget}, 396, 403);
    for (QWidget* label : {standardModeInfoLbl, advancedModeInfoLbl})
        label->setFixedHeight(Scaled(85));
    SetFixedSize({standardModeBtn, advancedModeBtn}, 270, 42);
    DeviceModelBox->setFixedHeight(Scaled(30));
    DeviceModelBox->setFixedWidth(Scaled(190));
    SetFixedSize({iPhoneTypeBox}, 150, 30);
    SetFixedSize({iPhoneComBox, iPadComBox, iPodComBox, AppleTvComBox}, 180, 30);
    SetFixedSize({worksComBox}, 110, 30);
    SetFixedSize({SystemVersionBox}, 120, 30);
    SetFixedSize({btnSelectFirmware}, 90, 30);
    SetFixedSize({btnDownloadFirmware}, 106, 30);
    FixprogressBar->setMinimumWidth(Scaled(458));
    FixprogressBar->setFixedHeight(Scaled(8));
    // The firmware bar keeps its design height whatever the screen.
    FirmwareProgressBar->setMinimumWidth(Scaled(968));
    FirmwareProgressBar->setFixedHeight(12);
    SetFixedSize({connstatusIogoLbl}, 200, 380);
    SetFixedSize({FixStateLbl}, 200, 390);
    SetFixedSize({disconnectIcon}, 23, 23);
    SetFixedSize({OtherBtn}, 192, 42);
    OtherBtn->setMinimumSize(ScaledSize(192, 42));
    SetFixedSize({iPhoen7Btn, iPhone8Btn, AppleBtn, AppleHDBtn, OtherBtn_2, iPhoen7Btn_2, iPhone8Btn_2}, 192, 42);
    SetFixedSize({line_3, line_4, line_11, line_12}, 284, 5);
    SetFixedSize({recovery_one, recovery_two, recovery_three, dfu_one, dfu_two, dfu_three}, 40, 40);
    for (QWidget* line : {crossLine1, crossLine2, crossLine5, crossLine6, crossLine7, crossLine8})
        line->setFixedWidth(1);
    AlignGuideSteps();
}

// Each step of a guide stands under its number. The numbers are a fixed pitch apart (a number and its line),
// centred in their row; the step grids below them are as wide as their texts and pictures make them, which
// put the columns off by as much as the texts differ. Each column is made exactly one pitch less the grid's
// gap, and the grid is centred as the number row is.
void Mendra::AlignGuideSteps() {
    const int pitch = recovery_one->width() + line_3->width();
    for (QStackedWidget* guide : {stackedWidget_3, stackedWidget_4}) {
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
    // The skin's rule for these buttons sets a smaller minimum than their design size, and the status bar's
    // layout would squeeze them to it, cutting a longer translation: once the rule is applied, the design size
    // is theirs again.
    for (QPushButton* button : {btnNext, btnDownload, btnRetryDownload}) {
        button->ensurePolished();
        button->setFixedSize(ScaledSize(176, 42));
    }

    skin->ChangePart(QStringLiteral("Buttun"));
    btnBack->setIconMargin(4);
    btnBack->changeIcon(QStringLiteral("Back"));
    const QSize modeIcon = ScaledSize(35, 35);
    standardModeBtn->setIconSize(modeIcon);
    standardModeBtn->setIcon(QIcon(skin->GetPagePixmap(QStringLiteral("StandardM"))));
    advancedModeBtn->setIconSize(modeIcon);
    advancedModeBtn->setIcon(QIcon(skin->GetPagePixmap(QStringLiteral("AdvancedM"))));

    ShowSkinPicture(connstatusIogoLbl, QStringLiteral("Other"), QStringLiteral("UnConnected"), 200, 380);
    ShowSkinPicture(disconnectIcon, QStringLiteral("Other"), QStringLiteral("help"), 23, 23);

    struct StepPicture {
        QLabel* label;
        const char* image;
        int width;
        int height;
    };
    const StepPicture steps[] = {
        {recoveryOtherOneLbl, "OtheriDevices1", 120, 300},   {recoveryOtherTwoLbl, "OtheriDevices2", 220, 300},
        {recoveryOtherThreeLbl, "OtheriDevices3", 220, 300}, {recoveryiPhone7OneLbl, "OtheriDevices1", 120, 300},
        {recoveryiPhone7TwoLbl, "iPhone7-2", 220, 300},      {recoveryiPhone7ThreeLbl, "iPhone7-3", 220, 300},
        {recoveryiPhone8OneLbl, "iPhone8-1", 120, 300},      {recoveryiPhone8TwoLbl, "iPhone8-2", 220, 300},
        {recoveryiPhone8ThreeLbl, "iPhone8-3", 220, 300},    {recoveryApplOneLbl, "AppleTV1", 220, 300},
        {recoveryApplTwoLbl, "AppleTV2", 220, 300},          {recoveryApplThreeLbl, "AppleTV3", 220, 300},
        {recoveryApplHdOneLbl, "AppleTVHD1", 220, 300},      {recoveryApplHdTwoLbl, "AppleTVHD2", 220, 300},
        {recoveryApplHdThreeLbl, "AppleTVHD3", 160, 300},    {dfuOtherOneLbl, "OtheriDevices1", 120, 300},
        {dfuOtherTwoLbl, "OtheriDevices2", 220, 300},        {dfuOtherThreeLbl, "OtheriDevices3D", 220, 300},
        {dfuiPhone7OneLbl, "OtheriDevices1", 120, 300},      {dfuiPhone7TwoLbl, "iPhone7-2", 220, 300},
        {dfuiPhone7ThreeLbl, "iPhone7-3D", 220, 300},        {dfuiPhone8OneLbl, "iPhone8-1D", 220, 280},
        {dfuiPhone8TwoLbl, "iPhone8-2D", 220, 280},          {dfuiPhone8ThreeLbl, "iPhone8-3D", 220, 280},
    };
    for (const StepPicture& step : steps)
        ShowSkinPicture(step.label, QStringLiteral("Steps"), QString::fromLatin1(step.image), step.width, step.height);
}
