#include "Mendra.h"

#include "MendraForm.h"
#include "MendraTexts.h"
#include "StatisticsPage.h"

#include "app/EditionData.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "controller/Controller.h"
#include "device/ModelHost.h"
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

Mendra::Mendra(QWidget* parent, const EngineFactory& makeEngine)
    : QMainWindow(parent), ui(std::make_unique<MendraForm>()) {
    ui->setupUi(this);
    if (gConfig && gAppData)
        OpenRunLog(gConfig->GetDataDir(), gAppData->Version, gAppData->Platform);
    InitState();
    TakeDefaultsOffButtons();
    ApplyStyleKeys();
    ApplyScaledSizes();
    ConnectSignals();

    controller = Controller::Create();
    controller->SetMainWindow(this);
    ModelHost host = ModelHost::AllOn(this);
    host.statisticsPage = OpenStatisticsPage;
    model = makeEngine ? makeEngine(host) : CreateRepairEngine(host);
    controller->SetModel(model);
    // The setting goes to the device library, which the engine reaches.
    controller->ApplyDeleteFileSetting();
    ui->startPage->installEventFilter(this);
    repairDone = false;
    reconnectNoticePending = false;
}

Mendra::~Mendra() {
    delete model;
    model = nullptr;
    delete controller;
    controller = nullptr;
}

// Watches the mode-choice page and the status bar's large buttons without taking any of their events. The skin's
// rule for those buttons sets a smaller minimum than their design size whenever a style sheet is applied to them (a
// skin or a language change sets one again), and the status bar's layout would then squeeze them to it, cutting a
// longer translation: once the rule is applied, the design size is theirs again.
bool Mendra::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange) {
        for (QPushButton* button : {btnNext, btnDownload, btnRetryDownload}) {
            if (watched == button)
                button->setFixedSize(Scaled(176), Scaled(42));
        }
    }
    return false;
}

void Mendra::InitState() {
    // The patch check waits for the event loop, so the window is up before it runs.
    QTimer::singleShot(0, this, &Mendra::CheckPatchUpdate);
    SetMainPage(MainPage::Home);
    ui->recoveryModeStateBtn->hide();
    ui->recoveryModeStateBtn->setEnabled(false);
    SetHomeConnection(HomeConnection::NotConnected);
    ui->deviceNotConnLbl->show();
    ui->worksComBox->setCurrentIndex(0);
    ui->WorksWidget->setCurrentIndex(0);
    DisableModelListItems();
    ui->btnDownloadFirmware->setEnabled(false);
    ui->btnSelectFirmware->setEnabled(false);
    for (QProgressBar* bar : {ui->FixprogressBar, ui->FirmwareProgressBar}) {
        bar->setValue(0);
        bar->setMaximum(1000);
    }
    BuildStatusBar();
    InitRecoveryGuideLink();
    FillProblemList();
    SetFixSubPage(FixSubPage::NoDevice);
    ui->DeviceVersionLbl->hide();
    ui->userNameLbl->hide();
    ui->whosLbl->hide();
    // What a device and its library report (a name its owner chose, a firmware version, an error's description)
    // is shown as it reads: taken for markup it would render, and load whatever file an image in it names.
    for (QLabel* label : {ui->iPhoneTypeLbl_2, ui->userNameLbl, ui->iPhoneFixingLabel, ui->FirmwareVersionLbl,
                          ui->errCodeLbl, ui->errStringLbl})
        label->setTextFormat(Qt::PlainText);
    // A plain list view lets the skin's item-view style reach the drop-down lists.
    for (QComboBox* box : {ui->worksComBox, ui->iPhoneComBox, ui->iPadComBox, ui->iPodComBox, ui->AppleTvComBox,
                           ui->DeviceModelBox, ui->SystemVersionBox, ui->iPhoneTypeBox})
        box->setView(new QListView);
}

// The window lives in a dialog frame, and a dialog lets Return press its default button, or else the first
// auto-default one it finds: on the home page that is "Enter Recovery Mode", which reboots a real phone. Every
// device action needs a click.
void Mendra::TakeDefaultsOffButtons() {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
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
    nextButtonState = NextButtonState::Start;

    btnDownload = new QPushButton(tr("Download"));
    btnDownload->setFixedHeight(Scaled(42));
    btnDownload->setFixedWidth(Scaled(176));
    btnDownload->setObjectName(QStringLiteral("btnDownload"));
    btnDownload->setFocusPolicy(Qt::NoFocus);

    btnRetryDownload = new QPushButton(tr("Download again"));
    btnRetryDownload->setFixedSize(Scaled(176), Scaled(42));
    btnRetryDownload->setObjectName(QStringLiteral("btnRetryDownload"));
    btnRetryDownload->setFocusPolicy(Qt::NoFocus);

    for (QPushButton* button : {btnNext, btnDownload, btnRetryDownload})
        button->installEventFilter(this);

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
    connect(ui->DeviceModelBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Mendra::DeviceModelBoxChanged);
    connect(ui->worksComBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &Mendra::SetWorksWidget);
    connect(ui->iPhoneTypeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Mendra::GetCurrentIphonetype);
    connect(ui->btnDownloadFirmware, &QPushButton::clicked, this, &Mendra::btnDownloadFirmwareClick);
    connect(ui->btnSelectFirmware, &QPushButton::clicked, this, &Mendra::btnSelectFirmwareClick);
    connect(ui->recoveryModeStateBtn, &QPushButton::clicked, this, &Mendra::btnrecoveryModeStateClick);
    connect(ui->standardModeBtn, &QPushButton::clicked, this, &Mendra::standardModeBtnClicked);
    connect(ui->advancedModeBtn, &QPushButton::clicked, this, &Mendra::advancedModeBtnClicked);
    connect(btnDownload, &QPushButton::clicked, this, &Mendra::AutoDownloadbtnClicked);
    connect(btnRetryDownload, &QPushButton::clicked, this, &Mendra::RetryDownload);
    connect(guideLinkLbl, &QLabel::linkActivated, this, &Mendra::sltChangeGuideView);
    for (QPushButton* button : {ui->OtherBtn, ui->OtherBtn_2})
        connect(button, &QPushButton::clicked, this, &Mendra::sltOtheriDvecesView);
    for (QPushButton* button : {ui->iPhoen7Btn, ui->iPhoen7Btn_2})
        connect(button, &QPushButton::clicked, this, &Mendra::sltiPhone7View);
    for (QPushButton* button : {ui->iPhone8Btn, ui->iPhone8Btn_2})
        connect(button, &QPushButton::clicked, this, &Mendra::sltiPhone8View);
    connect(ui->AppleBtn, &QPushButton::clicked, this, &Mendra::sltAppleView);
    connect(ui->AppleHDBtn, &QPushButton::clicked, this, &Mendra::sltAppleHDView);
    // "Download again" belongs to a failed check: whatever leaves the check page takes it away.
    connect(ui->stackedWidget, &QStackedWidget::currentChanged, this, &Mendra::HideRetryOffCheckPage);
    connect(ui->CheckstackedWidget, &QStackedWidget::currentChanged, this, &Mendra::HideRetryOffCheckPage);
    // Repairing from a local package needs a device and a system version to work with.
    connect(ui->SystemVersionBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Mendra::UpdateLocalFirmwareButtons);
}

QRect Mendra::PageStackGlobalRect() const {
    return QRect(ui->stackedWidget->mapToGlobal(QPoint(0, 0)), ui->stackedWidget->size());
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
    CheckPatchUpdateAtStart(this);
}

// ---- Page and button setters ----

// The guide page is shown only by the guide view (ShowGuideView).
void Mendra::SetMainPage(MainPage page) {
    const int index = static_cast<int>(page);
    if (index >= static_cast<int>(MainPage::Home) && index <= static_cast<int>(MainPage::FirmwareSelection))
        ui->stackedWidget->setCurrentIndex(index);
}

MainPage Mendra::GetMainPageIndex() const {
    return static_cast<MainPage>(ui->stackedWidget->currentIndex());
}

void Mendra::SetCheckPage(CheckPage page) {
    ui->CheckstackedWidget->setCurrentIndex(static_cast<int>(page));
}

CheckPage Mendra::GetCheckPageIndex() const {
    return static_cast<CheckPage>(ui->CheckstackedWidget->currentIndex());
}

bool Mendra::OnFirmwareCheck() const {
    return GetMainPageIndex() == MainPage::FirmwareSelection && GetCheckPageIndex() == CheckPage::CheckFirmware;
}

void Mendra::SetFixSubPage(FixSubPage page) {
    ui->fixstackedWidget->setCurrentIndex(static_cast<int>(page));
}

FixSubPage Mendra::GetFixPageIndex() const {
    return static_cast<FixSubPage>(ui->fixstackedWidget->currentIndex());
}

void Mendra::SetFixConnState(FixConnState state) {
    ui->connStatestackedWidget->setCurrentIndex(static_cast<int>(state));
}

void Mendra::SetHomeConnection(HomeConnection view) {
    ui->connectstackedWidget_2->setCurrentIndex(static_cast<int>(view));
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
    SetNextButton(NextButtonState::Start);
}

void Mendra::DisableStartButton() {
    btnNext->setEnabled(false);
}

void Mendra::HideRetryOffCheckPage() {
    if (OnFirmwareCheck())
        return;
    btnRetryDownload->hide();
    btnRetryDownload->setEnabled(false);
}

void Mendra::EnableRetryDownload(bool on) {
    if (!OnFirmwareCheck())
        return;
    btnRetryDownload->setVisible(on);
    btnRetryDownload->setEnabled(on);
}

void Mendra::SetNextButton(NextButtonState state) {
    const char* text = NextButtonSource(state);
    if (!text)
        return;
    btnNext->setText(tr(text));
    nextButtonState = state;
}

void Mendra::FirstDownloadSet(bool DownloadFirmware) {
    firstDownload = DownloadFirmware;
}

bool Mendra::SetFirstDownloadSet() {
    return firstDownload;
}
