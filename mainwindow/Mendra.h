#pragma once

#include "controller/Controller.h"
#include "controller/ControllerWindow.h"
#include "device/ConnectionView.h"
#include "device/DeviceListView.h"
#include "device/FirmwareCheckView.h"
#include "device/FirmwareChoiceView.h"
#include "device/RepairProgressView.h"
#include "device/WindowStates.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class MendraForm;
class MyButton;
class QHBoxLayout;
class QLabel;
class QMovie;
class QPushButton;
class QStatusBar;
class RepairEngine;
struct ModelHost;

// The program's main window: the designer form's pages shown one after the other (home, repair-mode
// choice, firmware selection and check, fix and result, recovery guide), with Back, Next and the
// download buttons in its status bar. It is a passive view: its slots switch pages and ask the
// controller to act; the controller and the device engine call its display operations.
class Mendra : public QMainWindow,
               public ControllerWindow,
               public DeviceListView,
               public ConnectionView,
               public FirmwareCheckView,
               public RepairProgressView,
               public FirmwareChoiceView {
    Q_OBJECT
public:
    // Makes the window's device engine on the window's displays; the program's engine unless a test supplies
    // its own.
    using EngineFactory = std::function<RepairEngine*(const ModelHost& host)>;

    explicit Mendra(QWidget* parent = nullptr, const EngineFactory& makeEngine = EngineFactory());
    ~Mendra() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    RepairEngine* Engine() const { return model; }

    // The controller's and the engine's views of the window.
    QWidget* WindowWidget() override { return this; }
    QRect PageStackGlobalRect() const override;
    void AddMenu(QMenu* menu) override;
    void Retranslate() override;

    void SetMainPage(MainPage page) override;
    MainPage GetMainPageIndex() const override;
    void SetCheckPage(CheckPage page) override;
    CheckPage GetCheckPageIndex() const override;
    void SetFixSubPage(FixSubPage page) override;
    FixSubPage GetFixPageIndex() const override;
    void SetFixConnState(FixConnState state) override;

    void ShowDownloadButtons(bool visible) override;
    void HideDownloadButton() override;
    void EnableDownloadButton(bool enabled);
    void ResetStartButton() override;
    void DisableStartButton() override;
    void EnableRetryDownload(bool on) override;

    void ShowRecoveryButtonState(int unused) override;
    void ShowConnectionState(int index, MRDeviceRef device) override;
    void ShowConnectionStateAlt(bool connected) override;
    void ShowConnectingAnimation() override;
    void OnDeviceConnectionChanged(bool connected, const QString& name, const QString& entryText,
                                   const QString& infoText) override;
    void SetDeviceTypeText(const QString& text) override;
    void ShowFixingDeviceName(MRDeviceRef device) override;
    void ShowFixStateConnected();
    void ShowFixStateFix();
    void ShowFixStateUnconnected() override;
    void ShowFixAnimation();
    void StopFixAnimation();
    void AddDeviceEntry(const QString& text, const QVariant& data, MRDeviceRef device) override;
    void AddModelEntry(const QString& text, const QVariant& data) override;
    void RemoveDeviceEntry(int index) override;
    void RemoveModelEntry(int index) override;
    int GetDeviceCount() override;
    int GetModelCount() override;
    int GetDeviceIndex() override;
    int GetModelIndex() override;
    QVariant GetDeviceData(int index) const override;
    QVariant GetModelData(int index) const override;
    void SetDeviceIndex(int index) override;
    void SetModelIndex(int index) override;
    void SetDeviceItemText(int index, const QString& text) override;
    void SetModelItemText(int index, const QString& text) override;

    void ClearSystemVersions() override;
    void AddSystemVersion(const QString& text) override;
    int GetSystemVersionIndex() override;
    QString GetSystemVersionText() const override;

    void ShowFirmwareState(FirmwareState state) override;
    void ShowFirmwareHint(FirmwareHint hint) override;
    void ClearFirmwareHint() override;
    void ClearFirmwareState() override;
    void ShowFirmwareError(const QString& code, const QString& description) override;
    void ShowFirmwareProgress(float value) override;
    void ShowDownloadSpeed(qint64 bytesDone) override;
    void ShowDownloadAnimation() override;
    void ShowVerifyAnimation() override;
    void ShowDownloadFailedPicture() override;
    void ShowVerifyFailedPicture() override;
    void ReturnToFirmwareCheck() override;
    bool IsFirmwareCheckFailed() const override;

    void ShowReadyToFix() override;
    void ShowRepairProgress(RepairStep step, float value) override;
    void ShowRepairSucceeded() override;
    void ShowRepairFailed() override;
    void ShowResultText(ResultState result);
    bool IsRepairDone() const override { return repairDone; }
    void SetRepairDone(bool done) { repairDone = done; }
    bool IsResultPageShown() const { return resultPageShown; }
    void SetResultPageShown(bool shown) { resultPageShown = shown; }

    // State fields the language refresh reads back.
    NextButtonState GetNextButtonState() const { return nextButtonState; }
    void SetNextButtonState(NextButtonState state) { nextButtonState = state; }
    GuideLink GetGuideLinkState() const { return guideLinkState; }
    void SetGuideLinkState(GuideLink state) { guideLinkState = state; }
    ResultState GetResultState() const { return resultState; }
    void SetResultState(ResultState state) { resultState = state; }
    FirmwareState GetFirmwareState() const { return firmwareState; }
    void SetFirmwareState(FirmwareState state) { firmwareState = state; }
    FirmwareHint GetHintState() const { return hintState; }
    void SetHintState(FirmwareHint state) { hintState = state; }
    RepairStep GetRepairStep() const { return repairStep; }
    void SetRepairStep(RepairStep step) { repairStep = step; }
    // The device mode the recovery-mode button shows (MRModeNormal, MRModeRecovery or MRModeDFU); -1 before
    // the first device.
    int GetRecoveryButtonState() const { return recoveryButtonState; }
    void SetRecoveryButtonState(int state) { recoveryButtonState = state; }

public slots:
    void CheckPatchUpdate();
    void ChangeSkin();
    void btnNextClick();
    void btnBackClick();
    void DeviceModelBoxChanged(int);
    void GetCurrentIphonetype(int);
    void SetWorksWidget(int stack);
    void btnDownloadFirmwareClick();
    void btnSelectFirmwareClick();
    void btnrecoveryModeStateClick();
    void standardModeBtnClicked();
    void advancedModeBtnClicked();
    void AutoDownloadbtnClicked();
    void RetryDownload();
    void FirstDownloadSet(bool DownloadFirmware) override;
    bool SetFirstDownloadSet() override;
    void ShowGuideView();
    void sltChangeGuideView();
    void sltOtheriDvecesView();
    void sltiPhone7View();
    void sltiPhone8View();
    void sltAppleView();
    void sltAppleHDView();
    void changGuiLblStaust() override;
    DeviceKind RetStackWidget_3();
    DeviceKind RetStackWidget_4();

private:
    void InitState();
    void BuildStatusBar();
    void TakeDefaultsOffButtons();
    void ConnectSignals();
    void SetNextButton(NextButtonState state);
    // Asks the controller for a run; when it refuses, says why in a box and returns false.
    bool StartRun(bool fromNext);
    QString RepairStartRefusedText(Controller::RepairStart why);
    // A run starting on the check page: nothing of an earlier run's failure stays shown or counts.
    void ShowCheckStarting();
    // A box over the window with the message and the given buttons relabelled; true when the answer is Ok.
    bool Confirm(const QString& message);
    void Notice(const QString& message, int button);
    // What Next and Back do on a main page; null where the button is hidden.
    using PageAction = void (Mendra::*)();
    struct PageButtons {
        PageAction next = nullptr;
        PageAction back = nullptr;
    };
    static PageButtons ButtonsOn(MainPage page);
    void NextFromHome();
    void NextFromModeChoice();
    void NextFromFixPage();
    void BackFromModeChoice();
    void BackFromFirmwareSelection();
    void BackFromGuide();
    void BackFromFixPage();
    // The steps of the page flow.
    void ShowFirmwareSelection();
    void ShowNoDeviceFixPage();
    void StartFixing();
    void LeaveResultPage();
    void StopFirmwareCheck();
    void BackFromReadyPage();
    void BackFromFixing();
    void StopSecondVerification();
    // The fixing page shows a run that is still in its firmware stage, which Back may stop.
    bool IsFixingInFirmwareStage() const;
    void WarnDeviceBeingRepaired();
    void ReturnHomeFromResult();
    // The firmware selection page shows the check (download and verification).
    bool OnFirmwareCheck() const;
    static bool IsFailure(FirmwareState state);
    void SetHomeConnection(HomeConnection view);
    // The guide the recovery page shows, and the device kind it shows in each.
    Guide GuideShown() const;
    void SetGuideShown(Guide guide);
    void ShowDeviceKind(Guide guide, DeviceKind kind);
    void UpdateLocalFirmwareButtons();
    void HideRetryOffCheckPage();
    // The status-bar link of the guide shown; it leads to the other one.
    void SetGuideLink(Guide shown);

    // Look, texts and lists of the window (style keys, sizes, problem list, read-only model lists).
    void ApplyStyleKeys();
    void ApplyScaledSizes();
    void AlignGuideSteps();
    void DisableModelListItems();
    void InitRecoveryGuideLink();
    void FillProblemList();
    static QString GuideLinkMarkup(const QString& text);
    static QString ContactLinkMarkup();
    // The fix page's step line: the step's name and its percentage.
    QString RepairProgressText(RepairStep step, float value) const;
    bool ShowResultTexts(ResultState result);

    void ShowSkinPicture(QLabel* label, const QString& part, const QString& name, int width, int height);
    void PlayMovie(QPointer<QMovie>& slot, QLabel* label, const QString& file, int width, int height);

    // The designer form; the window's own, reached by the window alone (tests find its widgets by name).
    std::unique_ptr<MendraForm> ui;
    int systemVersionIndex = -1;
    QString deviceTypeText;
    QString deviceNameText;
    QString errorCodeText;
    // A copy of the description: the library's text need not outlive the report it came with.
    QString errorDescription;
    int modelIndex = -1;
    int modelCount = 0;
    int deviceIndex = -1;
    int deviceCount = 0;
    NextButtonState nextButtonState = NextButtonState::Start;
    GuideLink guideLinkState = GuideLink::Unset;
    ResultState resultState = ResultState::Unset;
    FirmwareState firmwareState = FirmwareState::Unset;
    FirmwareHint hintState = FirmwareHint::Unset;
    RepairStep repairStep = RepairStep::Unset;
    // The percentage of that step's line, in tenths, for the language refresh.
    float repairProgress = 0;
    int recoveryButtonState = -1;
    bool resultPageShown = false;
    bool repairDone = false;
    bool reconnectNoticePending = false;
    bool firstDownload = false;
    Controller* controller = nullptr;
    RepairEngine* model = nullptr;
    QStatusBar* statusBarWidget = nullptr;
    QHBoxLayout* statusBarLayout = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnDownload = nullptr;
    QPushButton* btnRetryDownload = nullptr;
    QLabel* guideLinkLbl = nullptr;
    MyButton* btnBack = nullptr;
    QPointer<QMovie> fixMovie;
    // The firmware check's animation has a slot of its own: the second run's verification starts it while the
    // fix page's animation plays, and replacing that one would leave the fix page's picture blank.
    QPointer<QMovie> firmwareMovie;
    QPointer<QMovie> connectMovie;
};

// Start-up's word, once the main frame shows, that a newer version may be offered from now on: the offer
// comes when the start-up's update check has found one, whenever that is.
void ShowStartupUpdatePrompt();
