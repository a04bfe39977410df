#pragma once

#include "device/ModelController.h"
#include "device/ModelNotices.h"
#include "device/WindowStates.h"
#include "deviceapi/zUZArovadu.h"
#include "dialogs/BugReportViewHost.h"
#include "dialogs/MyBugReportView.h"
#include "dialogs/SettingViewHost.h"
#include "dialogs/UpdateViewHost.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class CAbstractFrame;
class CItemDataBase;
class ControllerWindow;
class MyAboutView;
class MyFrame;
class MySettingView;
class MyUpdateView;
class RepairEngine;
class TitleBar;

// The mediator between the main window, the device engine, the frames and the auxiliary dialogs. It keeps
// the repair mode and the record of the device being repaired, starts repairs, answers device detection
// on the window's pages, asks before the main frame closes, opens the dialogs and changes the language.
//
// One instance at a time: the main window makes it (Create) and deletes it, and nothing else does. Instance()
// only finds it; it never makes one.
class Controller : public QObject,
                   public ModelController,
                   public ModelNotices,
                   public SettingViewHost,
                   public UpdateViewHost,
                   public BugReportViewHost {
    Q_OBJECT
public:
    // Whether a run could start, and if not, why.
    enum class RepairStart { Started, NoEngine, NoRepairMode, NoDevice };
    // The update offer of the start-up: waiting for the start-up check, waiting for a quiet moment to make
    // it, made (or found needless).
    enum class StartupOffer { AwaitingCheck, AwaitingQuiet, Decided };

    using FileChooser =
        std::function<QString(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)>;

    // The controller; null before the main window made it and after it deleted it.
    static Controller* Instance();
    // Makes the controller. A second one while the first lives is a programming error and ends the program.
    static Controller* Create();
    ~Controller() override;

    // Set-up.
    void SetMainWindow(ControllerWindow* window);
    void SetModel(RepairEngine* model);
    void SetTitleLabel(TitleBar* titleBar);
    void SetMainFrame(MyFrame* frame);
    void SetMainFramePointer(MyFrame* frame);
    void ApplyDeleteFileSetting();
    // Replaces the open-file dialog of SelectLocalFirmware (tests answer it without a dialog).
    void SetFileChooser(FileChooser chooser);
    // Where SetLanguage reads the translations from; the program folder's "Language" unless set (tests).
    void SetLanguageFolder(const QString& folder) { m_languageFolder = folder; }

    // Repair control.
    void SetRepairMode(RepairMode mode) { m_repairMode = mode; }
    RepairMode GetRepairMode() const { return m_repairMode; }
    void UpdateModeTitle();
    // Whether a run can start now. fromNext: the repair's second run, which needs the device of the first.
    RepairStart CheckRepairStart(bool fromNext);
    // Starts a run in the current repair mode; false, and nothing started, when it cannot start
    // (LastRepairStart says why).
    bool StartRepair(bool fromNext);
    RepairStart LastRepairStart() const { return m_lastRepairStart; }
    void SelectLocalFirmware();
    void ToggleRecoveryMode();
    void OpenFirmwareUrl();
    void StopDeviceJob();
    void StopRepairDevice();
    MRDeviceRef GetSelectedDevice();
    bool IsDeviceConnected() const;
    // A repair is in a step on the device itself (entering recovery mode, the restore), which nothing may cut short.
    bool IsDeviceStepRunning() const;
    void UpdateRecoveryButton();
    void SetRepairFinished(bool finished) { m_repairFinished = finished; }
    bool IsRepairFinished() const { return m_repairFinished; }
    void SetOnlineFirmware(bool online) { m_onlineFirmware = online; }
    bool IsOnlineFirmware() override { return m_onlineFirmware; }
    void SetDownloading(bool downloading) override { m_downloading = downloading; }
    bool IsDownloading() const { return m_downloading; }
    void SetWorkDevicePresent(bool present) override { m_workDevicePresent = present; }
    bool IsWorkDevicePresent() const { return m_workDevicePresent; }
    bool IsRepairSucceeded() const { return m_repairSucceeded; }
    void SetSystemVersionText(const QString& text) override { m_systemVersionText = text; }
    QString GetSystemVersionText() const { return m_systemVersionText; }
    void ShowRepairSucceeded() override;
    void ShowRepairFailed() override;
    void OnDeviceDetected(int index) override;
    void ShowDeviceNotConnected();
    bool ConfirmClose();

    // The device library's answers the window shows.
    QString GetDeviceName(MRDeviceRef device) const;
    int GetDeviceMode(MRDeviceRef device) const;

    // The current item.
    void SetCurrentStep(int step) override;
    void SetItemMode(int mode) override;
    void SetFirmwarePath(const QString& path) override;
    void SetFirmwareText(const QString& text) override;
    int GetCurrentStep() const;
    int GetItemMode() const;
    QString GetFirmwarePath() const;
    QString GetFirmwareText() const;
    CItemDataBase* MakeDeviceItem();

    // The model's message boxes.
    void ShowNotice(const QString& text, const QString& buttonText) override;
    bool AskNotice(const QString& text, const QString& buttonText) override;

    // The window's current main page, kept as last read; nothing calls it.
    MainPage GetMainPageIndex();

    // Dialogs, update prompt and language.
    void CheckUpdateAtStart();
    void CheckForUpdate() override;
    void GetUpdateDescription(QString& description);
    void CloseUpdateView();
    void ClearUpdateChecking();
    // The bug-report dialog's host: it hands the dialog to the engine.
    bool IsBugReportSetUp() override;
    void SendBugReport(BugReportDisplay* view) override;
    void StopBugReport(BugReportDisplay* view) override;
    void BugReportViewDestroyed(BugReportDisplay* view) override;
    QString SupportedFilesFilter() override;
    void RetranslateAll();
    void CenterOnMainWindow(QWidget* frame);

    // The start-up's update offer is made once the start-up check has ended, and only while the main window
    // is up and no modal window is open; otherwise at the next moment that is so.
    void UpdateCheckedAtStart() override;
    // The start-up asks after the main window was shown; the offer still waits for the check.
    void OfferUpdateAtStart();
    StartupOffer GetStartupOffer() const { return m_startupOffer; }

    // The settings dialog's changes, handed to the device library at once.
    void SetDownloadFolder(const QString& folder) override;
    void SetDeleteFirmware(bool enable) override;

    // What the update dialog asks for.
    void SkipVersion(const QString& version) override;
    QString GetUpdateDescription() override;
    QString GetUpdateDownloadUrl() override;
    void OpenDownloadAddress(const QUrl& address) override;

    // The kept dialogs; null before their first opening and once the main window took them along.
    MyUpdateView* GetUpdateView() const;
    MySettingView* GetSettingView() const;
    MyAboutView* GetAboutView() const;
    // The bug-report dialog while its frame is open; null otherwise.
    MyBugReportView* GetBugReportView() const;

public slots:
    void ShowSettingFrame();
    void ShowAboutFrame();
    void ShowUpdateFrame(bool atStart);
    void ShowBugReportFrame();
    void SetLanguage(const QString& language);

signals:
    void sglStopBugReport();
    // A dialog frame is about to run modally (tests close it from here).
    void dialogFrameOpened(CAbstractFrame* frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Controller();
    void Init();
    QWidget* WindowWidget() const;
    void LetGoOfViews();
    // Runs view modally in a child frame over the main window. False when the controller was destroyed
    // meanwhile (the main window went while the frame was open): the caller must not touch it then.
    bool ExecChildFrame(QWidget* view, const char* styleKey, const QString& titleObjectName);
    // Whether a dialog may open by itself now: the main window is shown and nothing modal is open.
    bool IsQuietMoment() const;
    void ScheduleStartupOffer();
    void TryStartupOffer();
    // Leaves the fix page's running state after the device being worked on went away.
    void LeaveFixingForLostDevice();
    static void WaitInEventLoop(int milliseconds);

    static Controller* s_instance;

    ControllerWindow* m_window = nullptr;
    QPointer<TitleBar> m_titleBar;
    RepairEngine* m_model = nullptr;
    QPointer<MyUpdateView> m_updateView;
    // The newest version the update dialog last offered to the user; the start-up does not offer it again.
    QString m_offeredVersion;
    QPointer<MyBugReportView> m_bugReportView;
    QPointer<MyFrame> m_mainFrame;
    QPointer<MyAboutView> m_aboutView;
    QPointer<MySettingView> m_settingView;
    RepairMode m_repairMode = RepairMode::NotChosen;
    RepairStart m_lastRepairStart = RepairStart::Started;
    std::unique_ptr<CItemDataBase> m_item;
    QString m_systemVersionText;
    MainPage m_mainPageIndex = MainPage::Home;
    bool m_onlineFirmware = true;
    bool m_repairFinished = false;
    bool m_downloading = false;
    bool m_repairSucceeded = false;
    bool m_workDevicePresent = true;
    FileChooser m_fileChooser;
    QString m_languageFolder;
    int m_framesOpen = 0;
    StartupOffer m_startupOffer = StartupOffer::AwaitingCheck;
    bool m_startupOfferScheduled = false;
    bool m_watchingForQuiet = false;
};

// Close callback of the main frame: a null user allows the close, else the Controller decides.
bool ConfirmCloseCallback(void* user);
