#include "Mendra.h"

#include "app/EditionData.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "device/Controller.h"
#include "device/RepairEngine.h"
#include "framework/MyButton.h"
#include "framework/SkinManager.h"
#include "update/PatchCheck.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>

namespace {
int Scaled(double size) {
    return static_cast<int>(size * SkinManager::Instance()->GetScale());
}
} // namespace

Mendra::Mendra(QWidget* parent, const EngineFactory& makeEngine) : QMainWindow(parent) {
    setupUi(this);
    if (gConfig && gAppData)
        OpenRunLog(gConfig->GetDataDir(), gAppData->Version, gAppData->Platform);
    InitState();
    ApplyStyleKeys();
    ApplyScaledSizes();
    ConnectSignals();

    controller = Controller::Instance();
    controller->SetMainWindow(this);
    model = makeEngine ? makeEngine(this) : CreateRepairEngine(this);
    controller->SetModel(model);
    // The setting goes to the device library, which the engine reaches.
    controller->ApplyDeleteFileSetting();
    startPage->installEventFilter(this);
    repairDone = false;
    reconnectNoticePending = false;
}

Mendra::~Mendra() {
    delete model;
    model = nullptr;
    delete controller;
    controller = nullptr;
}

// Watches the mode-choice page without taking any of its events.
bool Mendra::eventFilter(QObject*, QEvent*) {
    return false;
}

void Mendra::InitState() {
    // The patch check waits for the event loop, so the window is up before it runs.
    QTimer::singleShot(0, this, &Mendra::CheckPatchUpdate);
    SetMainPage(0);
    recoveryModeStateBtn->hide();
    recoveryModeStateBtn->setEnabled(false);
    connectstackedWidget_2->setCurrentIndex(1);
    deviceNotConnLbl->show();
    worksComBox->setCurrentIndex(0);
    WorksWidget->setCurrentIndex(0);
    DisableModelListItems();
    btnDownloadFirmware->setEnabled(false);
    btnSelectFirmware->setEnabled(false);
    for (QProgressBar* bar : {FixprogressBar, FirmwareProgressBar}) {
        bar->setValue(0);
        bar->setMaximum(1000);
    }
    BuildStatusBar();
    InitRecoveryGuideLink();
    FillProblemList();
    fixstackedWidget->setCurrentIndex(0);
    DeviceVersionLbl->hide();
    userNameLbl->hide();
    whosLbl->hide();
    // A plain list view lets the skin's item-view style reach the drop-down lists.
    for (QComboBox* box : {worksComBox, iPhoneComBox, iPadComBox, iPodComBox, AppleTvComBox, DeviceModelBox,
                           SystemVersionBox, iPhoneTypeBox})
        box->setView(new QListView);
}

void Mendra::BuildStatusBar() {
    statusBarWidget = statusBar();
    statusBarWidget->setFixedHeight(Scaled(80));
    auto* holder = new QWidget;
    holder->setObjectName(QStringLiteral("buttomWidget"));
    holder->setMinimumSize(0, 0);

    btnNext = new QPushButton(tr("Start"), holder);
    btnNext->setFixedSize(Scaled(176), Scaled(42));
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setFocusPolicy(Qt::NoFocus);
    nextButtonState = 0;

    btnDownload = new QPushButton(tr("Download"));
    btnDownload->setFixedHeight(Scaled(42));
    btnDownload->setFixedWidth(Scaled(176));
    btnDownload->setObjectName(QStringLiteral("btnDownload"));
    btnDownload->setFocusPolicy(Qt::NoFocus);

    btnRetryDownload = new QPushButton(tr("Download again"));
    btnRetryDownload->setFixedSize(Scaled(176), Scaled(42));
    btnRetryDownload->setObjectName(QStringLiteral("btnRetryDownload"));
    btnRetryDownload->setFocusPolicy(Qt::NoFocus);

    btnBack = new MyButton;
    btnBack->setButtonType(0);
    btnBack->setFixedHeight(Scaled(32));
    btnBack->setFixedWidth(Scaled(58));
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnBack->setFocusPolicy(Qt::NoFocus);

    guideLinkLbl = new QLabel(holder);
    guideLinkLbl->setFocusPolicy(Qt::NoFocus);
    guideLinkLbl->setCursor(Qt::PointingHandCursor);

    statusBarLayout = new QHBoxLayout(holder);
    statusBarLayout->addWidget(btnBack, 1, Qt::AlignBaseline);
    statusBarLayout->addWidget(guideLinkLbl, 1, Qt::AlignCenter);
    statusBarLayout->addStretch(4);
    statusBarLayout->addWidget(btnNext, 1, Qt::AlignRight);
    statusBarLayout->addWidget(btnDownload, 1, Qt::AlignRight);
    statusBarLayout->addWidget(btnRetryDownload, 1, Qt::AlignRight);
    statusBarLayout->setContentsMargins(0, 18, 20, 20);

    statusBarWidget->addWidget(holder, 1);
    statusBarWidget->setAcceptDrops(true);
    statusBarWidget->setSizeGripEnabled(false);

    btnBack->hide();
    btnDownload->hide();
    guideLinkLbl->hide();
    btnRetryDownload->hide();
}

void Mendra::ConnectSignals() {
    connect(SkinManager::Instance(), &SkinManager::AllImageUpdate, this, &Mendra::ChangeSkin);
    connect(btnBack, &QPushButton::clicked, this, &Mendra::btnBackClick);
    connect(btnNext, &QPushButton::clicked, this, &Mendra::btnNextClick);
    connect(DeviceModelBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Mendra::DeviceModelBoxChanged);
    connect(worksComBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Mendra::SetWorksWidget);
    connect(iPhoneTypeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Mendra::GetCurrentIphonetype);
    connect(btnDownloadFirmware, &QPushButton::clicked, this, &Mendra::btnDownloadFirmwareClick);
    connect(btnSelectFirmware, &QPushButton::clicked, this, &Mendra::btnSelectFirmwareClick);
    connect(recoveryModeStateBtn, &QPushButton::clicked, this, &Mendra::btnrecoveryModeStateClick);
    connect(standardModeBtn, &QPushButton::clicked, this, &Mendra::standardModeBtnClicked);
    connect(advancedModeBtn, &QPushButton::clicked, this, &Mendra::advancedModeBtnClicked);
    connect(btnDownload, &QPushButton::clicked, this, &Mendra::AutoDownloadbtnClicked);
    connect(btnRetryDownload, &QPushButton::clicked, this, &Mendra::RetryDownload);
    connect(guideLinkLbl, &QLabel::linkActivated, this, &Mendra::sltChangeGuideView);
    for (QPushButton* button : {OtherBtn, OtherBtn_2})
        connect(button, &QPushButton::clicked, this, &Mendra::sltOtheriDvecesView);
    for (QPushButton* button : {iPhoen7Btn, iPhoen7Btn_2})
        connect(button, &QPushButton::clicked, this, &Mendra::sltiPhone7View);
    for (QPushButton* button : {iPhone8Btn, iPhone8Btn_2})
        connect(button, &QPushButton::clicked, this, &Mendra::sltiPhone8View);
    connect(AppleBtn, &QPushButton::clicked, this, &Mendra::sltAppleView);
    connect(AppleHDBtn, &QPushButton::clicked, this, &Mendra::sltAppleHDView);
    // "Download again" belongs to a failed check: whatever leaves the check page takes it away.
    connect(stackedWidget, &QStackedWidget::currentChanged, this, &Mendra::HideRetryOffCheckPage);
    connect(CheckstackedWidget, &QStackedWidget::currentChanged, this, &Mendra::HideRetryOffCheckPage);
    // Repairing from a local package needs a device and a system version to work with.
    connect(SystemVersionBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Mendra::UpdateLocalFirmwareButtons);
}

QRect Mendra::PageStackGlobalRect() const {
    return QRect(stackedWidget->mapToGlobal(QPoint(0, 0)), stackedWidget->size());
}

void Mendra::AddMenu(QMenu* menu) {
    if (!menu)
        return;
    QMenuBar* bar = menuBar();
    bar->addMenu(menu);
    bar->setNativeMenuBar(true);
    // Where the desktop has no menu bar of its own, Qt would keep the bar in the window: an empty strip
    // under the frame's title bar, whose menu button already opens the same menu.
    bar->setVisible(bar->isNativeMenuBar());
}

void Mendra::CheckPatchUpdate() {
    CheckPatchUpdateAtStart();
}

// ---- Page and button setters ----

void Mendra::SetMainPage(int page) {
    if (page >= 0 && page <= 3)
        stackedWidget->setCurrentIndex(page);
}

int Mendra::GetMainPageIndex() const {
    return stackedWidget->currentIndex();
}

void Mendra::SetCheckPage(int page) {
    CheckstackedWidget->setCurrentIndex(page);
}

int Mendra::GetCheckPageIndex() const {
    return CheckstackedWidget->currentIndex();
}

void Mendra::SetFixSubPage(int page) {
    fixstackedWidget->setCurrentIndex(page);
}

int Mendra::GetFixPageIndex() const {
    return fixstackedWidget->currentIndex();
}

void Mendra::SetFixConnState(int state) {
    connStatestackedWidget->setCurrentIndex(state);
}

void Mendra::ShowDownloadButtons(bool visible) {
    btnDownload->setVisible(visible);
    btnNext->show();
    btnNext->setEnabled(false);
}

void Mendra::HideDownloadButton() {
    btnDownload->hide();
    btnDownload->setEnabled(false);
}

void Mendra::EnableDownloadButton(bool enabled) {
    btnDownload->setEnabled(enabled);
}

void Mendra::ResetStartButton() {
    SetNextButton(0);
}

void Mendra::DisableStartButton() {
    btnNext->setEnabled(false);
}

void Mendra::HideRetryOffCheckPage() {
    if (GetMainPageIndex() == 3 && GetCheckPageIndex() == 1)
        return;
    btnRetryDownload->hide();
    btnRetryDownload->setEnabled(false);
}

void Mendra::EnableRetryDownload(bool on) {
    if (GetMainPageIndex() != 3 || GetCheckPageIndex() != 1)
        return;
    btnRetryDownload->setVisible(on);
    btnRetryDownload->setEnabled(on);
}

void Mendra::SetNextButton(int state) {
    static const char* const texts[] = {QT_TR_NOOP("Start"), QT_TR_NOOP("Fixing"), QT_TR_NOOP("Try again"),
                                        QT_TR_NOOP("Done"), QT_TR_NOOP("Fix Now")};
    if (state < 0 || state > 4)
        return;
    btnNext->setText(tr(texts[state]));
    nextButtonState = state;
}

void Mendra::FirstDownloadSet(bool DownloadFirmware) {
    firstDownload = DownloadFirmware;
}

bool Mendra::SetFirstDownloadSet() {
    return firstDownload;
}
