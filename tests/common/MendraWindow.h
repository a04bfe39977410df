#pragma once

#include "ExpectBoxes.h"
#include "FakeRepairEngine.h"
#include "StateName.h"

#include "app/EditionData.h"
#include "controller/Controller.h"
#include "mainwindow/Mendra.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <QVariant>
#include <QtGlobal>
#include <QtTest>

// What the window tests read off the main window the way a user sees it.

// The widget (or button group) of the window named so, as the form or the status bar names it. A name the window
// does not have is a mistake in the test: it stops the test run.
template <typename T = QWidget> T* Child(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("The main window has no %s named %s", T::staticMetaObject.className(), name);
    return found;
}

// The page a stack of the window shows, as the name of its page or state: Stack<FixConnState>(w,
// "connStatestackedWidget").
template <typename Page> Page Stack(const QWidget& window, const char* name) {
    return static_cast<Page>(Child<QStackedWidget>(window, name)->currentIndex());
}

// The page the window shows: "home", "mode", "fix/<sub-page>", "select/<sub-page>" or "guide", a sub-page by its
// name ("fix/ReadyToFix", "select/CheckFirmware").
inline QString MainPageName(const Mendra& window) {
    switch (window.GetMainPageIndex()) {
    case MainPage::Home:
        return QStringLiteral("home");
    case MainPage::ModeChoice:
        return QStringLiteral("mode");
    case MainPage::Fix:
        return QStringLiteral("fix/%1").arg(StateName(window.GetFixPageIndex()));
    case MainPage::FirmwareSelection:
        return QStringLiteral("select/%1").arg(StateName(window.GetCheckPageIndex()));
    case MainPage::Guide:
        return QStringLiteral("guide");
    }
    return QStringLiteral("?");
}

// The status-bar buttons a user would see, Next with its text and "(off)" when disabled.
inline QStringList VisibleStatusButtons(const Mendra& window) {
    QStringList shown;
    for (const char* name : {"btnBack", "btnNext", "btnDownload", "btnRetryDownload"}) {
        const QPushButton* button = window.findChild<QPushButton*>(QLatin1String(name));
        if (!button->isVisibleTo(&window))
            continue;
        QString entry = QString::fromLatin1(name).mid(3);
        if (entry == QLatin1String("Next"))
            entry += QStringLiteral(" \"%1\"").arg(button->text());
        if (!button->isEnabled())
            entry += QStringLiteral(" (off)");
        shown << entry;
    }
    return shown;
}

// The status-bar link between the guides and to them.
inline QLabel* StatusBarLink(const Mendra& window) {
    return window.statusBar()->findChild<QWidget*>(QStringLiteral("buttomWidget"))->findChild<QLabel*>();
}

// Where a window test starts from on a FakeRepairEngine: a stage of the repair as the user and the engine reach it.
enum class WindowStage {
    Home,
    ModeChoice,
    FixNoDevice, // the mode chosen without a device
    Selection,
    Downloading,
    DownloadFailed,
    Verifying,
    VerifyFailed,
    Verified,
    ReadyToFix,
    FixingVerify, // "Fix Now": the second run's verification
    Fixing,       // past it: the repair proper
    FixingEnded,  // a run that ended without a result
    Done,
    TryAgain,
    Guide
};
Q_DECLARE_METATYPE(WindowStage)

// What the user picks and the engine reports on the way to a stage.
struct StageDetails {
    bool advanced = false; // the repair mode the user picks: advanced, else standard
    QString errorCode = QStringLiteral("9");
    QString errorDescription;
    RepairStep step = RepairStep::Unzipping; // the progress a running repair shows
    float progress = 300;
};

// The engine answers that the phone is connected and listed in both lists, with one system version.
inline void ListPhone(Mendra& window, FakeRepairEngine& engine, MRDeviceRef phone,
                      const QString& entry = QStringLiteral("iPhone")) {
    engine.devicePresent = DevicePresence::Selected;
    engine.currentDevice = engine.typeBoxDevice = phone;
    const QVariant handle = QVariant::fromValue<qulonglong>(phone);
    window.AddDeviceEntry(entry, handle, phone);
    window.AddModelEntry(entry, handle);
    window.AddSystemVersion(QStringLiteral("17.0"));
}

// Drives the window from its home page to the stage: the user's clicks (Next, the mode button, Download, "Fix
// Now"), then what the engine would report there. The stages from Downloading on need a connected phone
// (ListPhone).
inline void DriveTo(Mendra& window, FakeRepairEngine& engine, WindowStage stage, const StageDetails& details = {}) {
    Controller* controller = Controller::Instance();
    if (stage == WindowStage::Home)
        return;
    if (stage == WindowStage::Guide) {
        window.ShowGuideView();
        return;
    }
    window.btnNextClick();
    if (stage == WindowStage::ModeChoice)
        return;
    QTest::mouseClick(Child<QPushButton>(window, details.advanced ? "advancedModeBtn" : "standardModeBtn"),
                      Qt::LeftButton);
    if (stage == WindowStage::FixNoDevice || stage == WindowStage::Selection)
        return;
    QTest::mouseClick(Child<QPushButton>(window, "btnDownload"), Qt::LeftButton);
    switch (stage) {
    case WindowStage::Downloading:
        controller->SetDownloading(true);
        window.ShowFirmwareState(FirmwareState::Downloading);
        return;
    case WindowStage::DownloadFailed:
        // A failed download leaves the download flag set.
        controller->SetDownloading(true);
        window.EnableRetryDownload(true);
        window.ShowFirmwareError(details.errorCode, details.errorDescription);
        window.ShowFirmwareState(FirmwareState::DownloadFailed);
        window.ShowFirmwareHint(FirmwareHint::KeepConnected);
        return;
    case WindowStage::Verifying:
        controller->SetDownloading(false);
        window.ShowFirmwareState(FirmwareState::Verifying);
        return;
    case WindowStage::VerifyFailed:
        controller->SetDownloading(false);
        window.ShowFirmwareError(details.errorCode, details.errorDescription);
        window.ShowFirmwareState(FirmwareState::VerifyFailed);
        window.ShowFirmwareHint(FirmwareHint::TryOtherVersions);
        return;
    case WindowStage::Verified:
        controller->SetDownloading(false);
        window.ShowFirmwareState(FirmwareState::Verified);
        return;
    default:
        break;
    }
    window.ShowReadyToFix();
    if (stage == WindowStage::ReadyToFix)
        return;
    window.btnNextClick();
    window.ShowFixingDeviceName(engine.currentDevice);
    engine.repairRunning = stage == WindowStage::FixingVerify || stage == WindowStage::Fixing;
    engine.firmwareStage = stage == WindowStage::FixingVerify;
    window.ShowRepairProgress(stage == WindowStage::FixingVerify ? RepairStep::SecondaryVerification : details.step,
                              details.progress);
    if (stage == WindowStage::Done)
        controller->ShowRepairSucceeded();
    else if (stage == WindowStage::TryAgain)
        controller->ShowRepairFailed();
}

// A main window that drives the given engine; the window takes the engine over and deletes it.
inline Mendra* NewMendraOn(FakeRepairEngine* engine) {
    return new Mendra(nullptr, [engine](const ModelHost&) { return engine; });
}

// A fresh window for one test function, no message box expected yet.
inline Mendra* OpenMendraOn(FakeRepairEngine* engine) {
    ExpectBoxes({});
    return NewMendraOn(engine);
}

// Ends a test function's window once the boxes it expected were all shown; the window deletes its
// engine and the controller.
inline void CloseMendra(Mendra*& window) {
    CheckExpectedBoxesShown();
    delete window;
    window = nullptr;
}

// The edition data the window reads; the support address stays on this machine.
inline void CreateWindowAppData() {
    gAppData = new MendraData(AppDataParams{});
    gAppData->Support = QStringLiteral("https://127.0.0.1/support");
}

inline void ReleaseAppData() {
    delete gAppData;
    gAppData = nullptr;
}
