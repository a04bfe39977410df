#include "ControllerFixture.h"
#include "UrlRecorder.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "controller/Controller.h"
#include "device/CItemDataBase.h"
#include "dialogs/MyUpdateView.h"
#include "framework/CAbstractFrame.h"
#include "framework/MendraMessageBox.h"
#include "framework/MyFrame.h"
#include "framework/TitleBar.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {
const int Yes = QMessageBox::Yes;
const int No = QMessageBox::No;
const int Ok = QMessageBox::Ok;
const int Closed = QMessageBox::Cancel;

const QString detectedText = QStringLiteral("Device detected. Please select mode to fix it.");
const QString lostText = QStringLiteral("Device not connected. Please re-connect device.");
const QString exitText = QStringLiteral("Downloading/Verifying Firmware package...\nAre you sure to exit?");
const QString fixingText = QStringLiteral("Fixing the device now.\nQuiting might result in unknown device errors. "
                                          "Please don't shut down the program before the fixing completes. ");

// What the controller does after the box that reports a lost device, whatever the answer.
const QStringList lostDeviceReset{
    QStringLiteral("EnableRetryDownload(0)"),  QStringLiteral("SetMainPage(Fix)"),
    QStringLiteral("ShowDownloadButtons(0)"),  QStringLiteral("SetFixConnState(Disconnected)"),
    QStringLiteral("SetFixSubPage(NoDevice)"), QStringLiteral("ResetStartButton"),
    QStringLiteral("ShowFixStateUnconnected")};

QString TitleText(TitleBar* bar) {
    // The title is the bar's only label with text.
    for (QLabel* label : bar->findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            return label->text();
    }
    return QString();
}
} // namespace

Q_DECLARE_METATYPE(Controller::RepairStart)

class TestController : public QObject, public ControllerFixture {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void itemRecord();
    void repairModeChoosesOptionWord_data();
    void repairModeChoosesOptionWord();
    void repairStartRefused_data();
    void repairStartRefused();
    void modeTitle_data();
    void modeTitle();
    void deviceDetected_data();
    void deviceDetected();
    void deviceDetectedWhileWorkDeviceAway_data();
    void deviceDetectedWhileWorkDeviceAway();
    void confirmClose_data();
    void confirmClose();
    void closeCallbackWithoutController();
    void localFirmware_data();
    void localFirmware();
    void localFirmwareNeedsDevice();
    void firmwareUrl_data();
    void firmwareUrl();
    void resultsSetFlags();
    void deleteFileSetting_data();
    void deleteFileSetting();
    void mainFrameLink();
    void updateAtStart_data();
    void updateAtStart();
    void bugReportFrame();
    void bugReportSubmit();
    void askNotice_data();
    void askNotice();
    void frameCentredOnPages();
    void supportedFilesFilter();
    void retranslateAll();
    void languageChange();
    void instanceEndsWithItsOwner();

private:
    // Opens the bug-report frame and runs inside it once it is up; the frame is then closed.
    void WhileOpen(const std::function<void(CAbstractFrame*, MyBugReportView*)>& inside);
};

void TestController::initTestCase() {
    SetUpHome();
}

void TestController::init() {
    MakeController();
}

void TestController::cleanup() {
    DeleteController();
}

void TestController::cleanupTestCase() {
    TearDownHome();
}

void TestController::itemRecord() {
    m_controller->SetFirmwarePath(QStringLiteral("/tmp/fw/iPhone_17.0.ipsw"));
    QCOMPARE(m_controller->GetFirmwarePath(), QDir::toNativeSeparators(QStringLiteral("/tmp/fw/iPhone_17.0.ipsw")));
    m_controller->SetFirmwareText(QStringLiteral("17.0"));
    m_controller->SetCurrentStep(MRStepEnterRecovery);
    m_controller->SetItemMode(MRModeRecovery);
    QCOMPARE(m_controller->GetFirmwareText(), QStringLiteral("17.0"));
    QCOMPARE(m_controller->GetCurrentStep(), int(MRStepEnterRecovery));
    QCOMPARE(m_controller->GetItemMode(), int(MRModeRecovery));

    // A fresh Controller starts with no mode chosen, online firmware and nothing finished.
    QCOMPARE(m_controller->GetRepairMode(), RepairMode::NotChosen);
    QVERIFY(m_controller->IsOnlineFirmware());
    QVERIFY(!m_controller->IsRepairFinished());
    QVERIFY(m_controller->IsWorkDevicePresent());
    QCOMPARE(m_engine->controller, static_cast<ModelController*>(m_controller));
    QCOMPARE(m_engine->notices, static_cast<ModelNotices*>(m_controller));
    QCOMPARE(m_window->widget.windowTitle(), QStringLiteral("Tavik Mendra"));
}

void TestController::repairModeChoosesOptionWord_data() {
    QTest::addColumn<RepairMode>("mode");
    QTest::addColumn<QStringList>("calls");
    // Standard mode keeps the user's data; a mix-up here would erase a phone.
    QTest::newRow("standard") << RepairMode::Standard << QStringList{"StartRepair(standard)"};
    QTest::newRow("advanced") << RepairMode::Advanced << QStringList{"StartRepair(advanced)"};
}

void TestController::repairModeChoosesOptionWord() {
    QFETCH(RepairMode, mode);
    QFETCH(QStringList, calls);
    m_engine->currentDevice = 9;
    m_engine->devicePresent = DevicePresence::Selected;
    m_controller->SetRepairMode(mode);
    QVERIFY(m_controller->StartRepair(false));
    QVERIFY(m_controller->StartRepair(true));
    QCOMPARE(m_controller->LastRepairStart(), Controller::RepairStart::Started);
    QCOMPARE(m_engine->calls, calls + QStringList{"CheckWorkDevicePresent"} + calls);
}

// A run that cannot start is refused, never reported as started with nothing running.
void TestController::repairStartRefused_data() {
    QTest::addColumn<RepairMode>("mode");
    QTest::addColumn<bool>("fromNext");
    QTest::addColumn<MRDeviceRef>("listed");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("workDevicePresent");
    QTest::addColumn<Controller::RepairStart>("why");
    QTest::addColumn<QStringList>("calls");
    const auto noDevice = Controller::RepairStart::NoDevice;
    QTest::newRow("no mode chosen") << RepairMode::NotChosen << false << MRDeviceRef(9) << true << true
                                    << Controller::RepairStart::NoRepairMode << QStringList{};
    QTest::newRow("no mode chosen, second run") << RepairMode::NotChosen << true << MRDeviceRef(9) << true << true
                                                << Controller::RepairStart::NoRepairMode << QStringList{};
    QTest::newRow("first run, no device listed")
        << RepairMode::Standard << false << MRDeviceRef(0) << false << true << noDevice << QStringList{};
    QTest::newRow("second run, nothing connected")
        << RepairMode::Standard << true << MRDeviceRef(9) << false << true << noDevice << QStringList{};
    QTest::newRow("second run, another device connected") << RepairMode::Advanced << true << MRDeviceRef(9) << true
                                                          << false << noDevice << QStringList{"CheckWorkDevicePresent"};
}

void TestController::repairStartRefused() {
    QFETCH(RepairMode, mode);
    QFETCH(bool, fromNext);
    QFETCH(MRDeviceRef, listed);
    QFETCH(bool, connected);
    QFETCH(bool, workDevicePresent);
    QFETCH(Controller::RepairStart, why);
    QFETCH(QStringList, calls);
    m_engine->currentDevice = listed;
    m_engine->devicePresent = connected ? DevicePresence::Selected : DevicePresence::NoDevice;
    m_controller->SetWorkDevicePresent(workDevicePresent);
    m_controller->SetRepairMode(mode);
    QCOMPARE(m_controller->CheckRepairStart(fromNext), why);
    m_engine->calls.clear();
    QVERIFY(!m_controller->StartRepair(fromNext));
    QCOMPARE(m_controller->LastRepairStart(), why);
    QCOMPARE(m_engine->calls, calls);
}

void TestController::modeTitle_data() {
    QTest::addColumn<MainPage>("page");
    QTest::addColumn<RepairMode>("mode");
    QTest::addColumn<QString>("title");
    QTest::newRow("fix page, standard") << MainPage::Fix << RepairMode::Standard << "Tavik Mendra - Standard Mode";
    QTest::newRow("select page, advanced")
        << MainPage::FirmwareSelection << RepairMode::Advanced << "Tavik Mendra - Advanced Mode";
    QTest::newRow("fix page, none") << MainPage::Fix << RepairMode::NotChosen << "Tavik Mendra";
    QTest::newRow("mode choice, standard") << MainPage::ModeChoice << RepairMode::Standard << "Tavik Mendra";
    QTest::newRow("guide, advanced") << MainPage::Guide << RepairMode::Advanced << "Tavik Mendra";
    QTest::newRow("home, advanced") << MainPage::Home << RepairMode::Advanced << "Tavik Mendra - Advanced Mode";
}

void TestController::modeTitle() {
    QFETCH(MainPage, page);
    QFETCH(RepairMode, mode);
    QFETCH(QString, title);
    m_window->mainPage = page;
    m_controller->SetRepairMode(mode);
    m_controller->UpdateModeTitle();
    QCOMPARE(TitleText(m_title), title);
}

void TestController::deviceDetected_data() {
    QTest::addColumn<WindowPlace>("place");
    QTest::addColumn<bool>("done");
    QTest::addColumn<bool>("device");
    QTest::addColumn<bool>("workDevicePresent");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("windowLog");
    QTest::addColumn<QStringList>("engineCalls");
    QTest::addColumn<RepairMode>("repairMode");

    const QStringList refill{"SetDeviceTypeText(iPhone)", "ClearSystemVersions", "AddSystemVersion(17.0)",
                             "AddSystemVersion(16.5)"};
    const QStringList checked{"CheckWorkDevicePresent"};
    const QStringList stopped{"CheckWorkDevicePresent", "StopRepairDevice"};
    const QStringList lostOnFix = QStringList{"ShowFixStateUnconnected", "DisableStartButton"} + lostDeviceReset;

    QTest::newRow("guide page, arrival, Yes")
        << Place(MainPage::Guide) << false << true << true << QList<int>{Yes} << QStringList{detectedText}
        << QStringList{"SetDeviceTypeText(iPhone)", "ClearSystemVersions",    "SetMainPage(ModeChoice)",
                       "changGuiLblStaust",         "AddSystemVersion(17.0)", "AddSystemVersion(16.5)"}
        << checked << RepairMode::Standard;
    QTest::newRow("guide page, arrival, No") << Place(MainPage::Guide) << false << true << true << QList<int>{No}
                                             << QStringList{detectedText} << refill << checked << RepairMode::Standard;
    QTest::newRow("guide page, arrival, box closed")
        << Place(MainPage::Guide) << false << true << true << QList<int>{Closed} << QStringList{detectedText} << refill
        << checked << RepairMode::Standard;
    QTest::newRow("home page, device listed") << Place(MainPage::Home) << false << true << true << QList<int>{}
                                              << QStringList{} << refill << checked << RepairMode::Standard;
    QTest::newRow("check page, worked device gone")
        << Place(CheckPage::CheckFirmware) << false << true << false << QList<int>{Yes} << QStringList{lostText}
        << refill + lostDeviceReset << stopped << RepairMode::NotChosen;
    QTest::newRow("check page, worked device still there")
        << Place(CheckPage::CheckFirmware) << false << true << true << QList<int>{} << QStringList{} << refill
        << checked << RepairMode::Standard;
    QTest::newRow("fixing, worked device gone")
        << Place(FixSubPage::Fixing) << false << true << false << QList<int>{Yes} << QStringList{lostText}
        << refill + lostOnFix << stopped << RepairMode::NotChosen;
    QTest::newRow("ready to fix, worked device gone")
        << Place(FixSubPage::ReadyToFix) << false << true << false << QList<int>{Yes} << QStringList{lostText}
        << refill + lostOnFix << stopped << RepairMode::NotChosen;
    QTest::newRow("result shown, worked device gone")
        << Place(FixSubPage::Fixing) << true << true << false << QList<int>{} << QStringList{} << refill << checked
        << RepairMode::Standard;
    QTest::newRow("no device, choosing firmware")
        << Place(CheckPage::ChooseFirmware) << false << false << true << QList<int>{Yes} << QStringList{lostText}
        << QStringList{"ClearSystemVersions"} + lostDeviceReset << checked << RepairMode::NotChosen;
    QTest::newRow("no device, checking firmware")
        << Place(CheckPage::CheckFirmware) << false << false << true << QList<int>{Yes} << QStringList{lostText}
        << QStringList{"ClearSystemVersions"} + lostDeviceReset << stopped << RepairMode::NotChosen;
    QTest::newRow("no device, fixing") << Place(FixSubPage::Fixing) << false << false << true << QList<int>{Yes}
                                       << QStringList{lostText} << QStringList{"ClearSystemVersions"} + lostOnFix
                                       << stopped << RepairMode::NotChosen;
    QTest::newRow("no device, fixing, notice closed without Yes")
        << Place(FixSubPage::Fixing) << false << false << true << QList<int>{Closed} << QStringList{lostText}
        << QStringList{"ClearSystemVersions"} + lostOnFix << stopped << RepairMode::NotChosen;
    QTest::newRow("no device, result shown")
        << Place(FixSubPage::Fixing) << true << false << true << QList<int>{} << QStringList{}
        << QStringList{"ClearSystemVersions"} << checked << RepairMode::Standard;
    QTest::newRow("no device, fix page without device")
        << Place(FixSubPage::NoDevice) << false << false << true << QList<int>{} << QStringList{}
        << QStringList{"ClearSystemVersions", "SetFixConnState(Disconnected)", "ShowDownloadButtons(0)",
                       "ShowFixStateUnconnected"}
        << checked << RepairMode::Standard;
    QTest::newRow("no device, home page")
        << Place(MainPage::Home) << false << false << true << QList<int>{} << QStringList{}
        << QStringList{"ClearSystemVersions"} << checked << RepairMode::Standard;
}

void TestController::deviceDetected() {
    QFETCH(WindowPlace, place);
    QFETCH(bool, done);
    QFETCH(bool, device);
    QFETCH(bool, workDevicePresent);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, windowLog);
    QFETCH(QStringList, engineCalls);
    QFETCH(RepairMode, repairMode);

    m_window->StandOn(place, done);
    m_engine->currentDevice = device ? 7 : 0;
    m_engine->firmware = {{"17.0", "http://127.0.0.1/a.ipsw"}, {"16.5", "http://127.0.0.1/b.ipsw"}};
    m_engine->skipReadyPage = true;
    m_controller->SetWorkDevicePresent(workDevicePresent);
    m_controller->SetRepairMode(RepairMode::Standard);
    ExpectBoxes(answers);

    m_controller->OnDeviceDetected(-1);

    QCOMPARE(MendraMessageBox::ShownMessages(), messages);
    QCOMPARE(m_window->log, windowLog);
    QCOMPARE(m_engine->calls, engineCalls);
    QCOMPARE(m_controller->GetRepairMode(), repairMode);
    // Leaving a running fix page lets the next verification show the ready page again.
    QCOMPARE(m_engine->skipReadyPage, !windowLog.contains(QStringLiteral("DisableStartButton")));
}

// The engine waits for the device being repaired to come back from a re-enumeration: whatever the lists show
// meanwhile, the pages and the run stay as they are.
void TestController::deviceDetectedWhileWorkDeviceAway_data() {
    QTest::addColumn<WindowPlace>("place");
    QTest::addColumn<bool>("device");
    QTest::newRow("checking firmware, no device listed") << Place(CheckPage::CheckFirmware) << false;
    QTest::newRow("fixing, no device listed") << Place(FixSubPage::Fixing) << false;
    QTest::newRow("fixing, another device listed") << Place(FixSubPage::Fixing) << true;
}

void TestController::deviceDetectedWhileWorkDeviceAway() {
    QFETCH(WindowPlace, place);
    QFETCH(bool, device);
    m_window->StandOn(place, false);
    m_engine->waitingForWorkDevice = true;
    m_engine->currentDevice = device ? 8 : 0;
    m_engine->firmware = {{"17.0", "http://127.0.0.1/a.ipsw"}};
    m_controller->SetWorkDevicePresent(false);
    m_controller->SetRepairMode(RepairMode::Standard);

    m_controller->OnDeviceDetected(-1);

    QCOMPARE(MendraMessageBox::ShownMessages(), QStringList());
    QCOMPARE(m_window->log, QStringList());
    // Only the look for the work device, which is what tells the engine to wait.
    QCOMPARE(m_engine->calls, QStringList{"CheckWorkDevicePresent"});
    QCOMPARE(m_controller->GetRepairMode(), RepairMode::Standard);
}

void TestController::confirmClose_data() {
    QTest::addColumn<WindowPlace>("place");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("engineCalls");

    QTest::newRow("checking firmware, Yes") << Place(CheckPage::CheckFirmware) << false << QList<int>{Ok} << true
                                            << QStringList{exitText} << QStringList{"StopCurrentDevice"};
    QTest::newRow("checking firmware, No") << Place(CheckPage::CheckFirmware) << false << QList<int>{No} << false
                                           << QStringList{exitText} << QStringList{};
    QTest::newRow("checking firmware, box closed") << Place(CheckPage::CheckFirmware) << false << QList<int>{Closed}
                                                   << false << QStringList{exitText} << QStringList{};
    QTest::newRow("firmware check failed")
        << Place(CheckPage::CheckFirmware) << true << QList<int>{} << true << QStringList{} << QStringList{};
    QTest::newRow("choosing firmware") << Place(CheckPage::ChooseFirmware) << false << QList<int>{} << true
                                       << QStringList{} << QStringList{};
    QTest::newRow("fixing, OK") << Place(FixSubPage::Fixing) << false << QList<int>{Ok} << false
                                << QStringList{fixingText} << QStringList{};
    QTest::newRow("fixing, closed") << Place(FixSubPage::Fixing) << false << QList<int>{Closed} << false
                                    << QStringList{fixingText} << QStringList{};
    QTest::newRow("result shown") << Place(FixSubPage::Fixing) << true << QList<int>{} << true << QStringList{}
                                  << QStringList{};
    QTest::newRow("ready to fix") << Place(FixSubPage::ReadyToFix) << false << QList<int>{} << true << QStringList{}
                                  << QStringList{};
    QTest::newRow("home") << Place(MainPage::Home) << false << QList<int>{} << true << QStringList{} << QStringList{};
    QTest::newRow("guide") << Place(MainPage::Guide) << false << QList<int>{} << true << QStringList{} << QStringList{};
}

void TestController::confirmClose() {
    QFETCH(WindowPlace, place);
    QFETCH(bool, done);
    QFETCH(QList<int>, answers);
    QFETCH(bool, closes);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, engineCalls);

    m_window->StandOn(place, done);
    m_window->widget.show();
    ExpectBoxes(answers);

    QCOMPARE(ConfirmCloseCallback(m_controller), closes);
    QCOMPARE(MendraMessageBox::ShownMessages(), messages);
    QCOMPARE(m_engine->calls, engineCalls);
    // Pages without work in progress close the window itself as well.
    QCOMPARE(m_window->widget.isVisible(), place.page == MainPage::Fix || place.page == MainPage::FirmwareSelection);
}

void TestController::closeCallbackWithoutController() {
    QVERIFY(ConfirmCloseCallback(nullptr));
}

void TestController::localFirmware_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("starts");
    QTest::newRow("existing package") << "package" << true;
    QTest::newRow("dialog cancelled") << "" << false;
    QTest::newRow("file gone") << "missing" << false;
    QTest::newRow("a folder") << "folder" << false;
    QTest::newRow("the device went while choosing") << "package, device gone" << false;
}

void TestController::localFirmware() {
    QFETCH(QString, chosen);
    QFETCH(bool, starts);
    QTemporaryDir dir;
    const QString package = dir.filePath(QStringLiteral("iPhone 17.0.ipsw"));
    QFile file(package);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = chosen.startsWith(QLatin1String("package")) ? package
                         : chosen == QLatin1String("missing")        ? dir.filePath(QStringLiteral("gone.ipsw"))
                         : chosen == QLatin1String("folder")         ? dir.path()
                                                                     : QString();
    QString caption, filter;
    m_controller->SetFileChooser([&](QWidget*, const QString& c, const QString&, const QString& f) {
        caption = c;
        filter = f;
        if (chosen.endsWith(QLatin1String("device gone")))
            m_engine->currentDevice = 0;
        return path;
    });
    m_engine->currentDevice = 9;
    m_window->systemVersionIndex = 1;
    m_controller->SetRepairMode(RepairMode::Advanced);

    m_controller->SelectLocalFirmware();

    QCOMPARE(caption, QStringLiteral("Select firmware"));
    QCOMPARE(filter, QStringLiteral("*.ipsw"));
    if (!starts) {
        QVERIFY(m_engine->calls.isEmpty());
        QVERIFY(m_window->log.isEmpty());
        QVERIFY(m_controller->IsOnlineFirmware());
        return;
    }
    QCOMPARE(m_engine->calls, (QStringList{"SetDownloadFolder(null)", "SetLocalFirmware(9)", "SelectFirmware(9,1)",
                                           "StartRepair(advanced)"}));
    QCOMPARE(m_window->log,
             (QStringList{"SetCheckPage(CheckFirmware)", "HideDownloadButton", "ShowFixingDeviceName(9)"}));
    QVERIFY(!m_controller->IsOnlineFirmware());
    QCOMPARE(m_controller->GetFirmwarePath(), QDir::toNativeSeparators(package));
    QCOMPARE(QString::fromUtf8(m_engine->localFirmware), QDir::toNativeSeparators(package));
    QCOMPARE(m_engine->workDeviceId, QStringLiteral("4242"));
    // The run works on the device chosen now, not on whatever the list shows when it reports.
    QCOMPARE(m_engine->repairDevice, MRDeviceRef(9));
}

void TestController::localFirmwareNeedsDevice() {
    bool asked = false;
    m_controller->SetFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
        asked = true;
        return QString();
    });
    m_controller->SelectLocalFirmware();
    QVERIFY(!asked);
    QVERIFY(m_engine->calls.isEmpty());
    // Nor is a package asked for that no run could check.
    m_engine->currentDevice = 9;
    m_controller->SelectLocalFirmware();
    QVERIFY(!asked);
    QVERIFY(m_engine->calls.isEmpty());
    QVERIFY(m_window->log.isEmpty());
}

void TestController::firmwareUrl_data() {
    QTest::addColumn<MRDeviceRef>("device");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("opened");
    QTest::newRow("entry of the device") << MRDeviceRef(3) << 1 << "http://127.0.0.1/b.ipsw";
    QTest::newRow("no device") << MRDeviceRef(0) << 1 << "";
    QTest::newRow("no entry") << MRDeviceRef(3) << 5 << "";
}

void TestController::firmwareUrl() {
    QFETCH(MRDeviceRef, device);
    QFETCH(int, entry);
    QFETCH(QString, opened);
    UrlRecorder recorder({QStringLiteral("http")});
    m_engine->currentDevice = device;
    m_engine->firmware = {{"17.0", "http://127.0.0.1/a.ipsw"}, {"16.5", "http://127.0.0.1/b.ipsw"}};
    m_engine->selectedFirmware = entry;
    m_controller->OpenFirmwareUrl();
    QCOMPARE(recorder.opened.isEmpty(), opened.isEmpty());
    if (!opened.isEmpty())
        QCOMPARE(recorder.opened.first(), QUrl(opened));
}

void TestController::resultsSetFlags() {
    m_controller->ShowRepairFailed();
    QVERIFY(m_controller->IsRepairFinished());
    QVERIFY(!m_controller->IsRepairSucceeded());
    m_controller->ShowRepairSucceeded();
    QVERIFY(m_controller->IsRepairSucceeded());
    QCOMPARE(m_window->log, (QStringList{"ShowRepairFailed", "ShowRepairSucceeded"}));
}

void TestController::deleteFileSetting_data() {
    QTest::addColumn<int>("setting");
    QTest::addColumn<QString>("call");
    QTest::newRow("on") << 1 << "SetDeleteFirmware(1)";
    // What the settings dialog's check box stores when checked.
    QTest::newRow("checked box") << 2 << "SetDeleteFirmware(1)";
    QTest::newRow("off") << 0 << "SetDeleteFirmware(0)";
    QTest::newRow("other value") << 7 << "SetDeleteFirmware(1)";
}

void TestController::deleteFileSetting() {
    QFETCH(int, setting);
    QFETCH(QString, call);
    gConfig->SetIsDeleteFile(setting);
    m_controller->ApplyDeleteFileSetting();
    QCOMPARE(m_engine->calls, QStringList{call});
}

void TestController::mainFrameLink() {
    // The frame takes its inner widget over.
    MyFrame frame(new QWidget, nullptr, CAbstractFrame::FRAME_CLOSE | CAbstractFrame::FRAME_MAIN, QPixmap(), 0);
    m_controller->SetMainFrame(&frame);
    QCOMPARE(m_window->menus, QList<QMenu*>{frame.GetMenu()});

    // The frame's menu reaches the controller's dialogs.
    QStringList opened;
    connect(m_controller, &Controller::dialogFrameOpened, this, [&](CAbstractFrame* child) {
        opened << child->property("STYLE_KEY").toString();
        QMetaObject::invokeMethod(child, "CloseSlot", Qt::QueuedConnection);
    });
    emit frame.AboutRequested();
    QCOMPARE(opened, QStringList{"ABOUT_FRAME"});
}

void TestController::updateAtStart_data() {
    QTest::addColumn<QString>("newest");
    QTest::addColumn<QString>("skipped");
    QTest::addColumn<bool>("offered");
    QTest::newRow("newer") << "2.2.0"
                           << "" << true;
    QTest::newRow("newer but skipped") << "3.0"
                                       << "3.0" << false;
    QTest::newRow("same version") << "2.1"
                                  << "" << false;
    QTest::newRow("older") << "2.0.9"
                           << "" << false;
    QTest::newRow("none known") << ""
                                << "" << false;
}

void TestController::updateAtStart() {
    QFETCH(QString, newest);
    QFETCH(QString, skipped);
    QFETCH(bool, offered);
    gConfig->SetSkipVersion(skipped, false);
    m_engine->newestVersion = newest;
    QStringList keys;
    connect(m_controller, &Controller::dialogFrameOpened, this, [&](CAbstractFrame* child) {
        keys << child->property("STYLE_KEY").toString();
        QMetaObject::invokeMethod(child, "CloseSlot", Qt::QueuedConnection);
    });
    m_controller->CheckUpdateAtStart();
    QCOMPARE(keys, offered ? QStringList{"UPDATE_FRAME"} : QStringList{});
    if (offered) {
        // At start-up the view is not marked as checking before the check itself runs.
        QCOMPARE(m_engine->calls, (QStringList{"SetUpdateView", "CheckForUpdate(start)"}));
        QVERIFY(!m_controller->GetUpdateView()->IsChecking());
    }
}

void TestController::WhileOpen(const std::function<void(CAbstractFrame*, MyBugReportView*)>& inside) {
    const QMetaObject::Connection opened =
        connect(m_controller, &Controller::dialogFrameOpened, this, [this, inside](CAbstractFrame* frame) {
            QTimer::singleShot(0, frame, [this, frame, inside] {
                inside(frame, m_controller->GetBugReportView());
                frame->CloseSlot();
            });
        });
    m_controller->ShowBugReportFrame();
    disconnect(opened);
}

// Each opening makes a new dialog in a "BUG_FRAME" frame over the window; closing it stops a send of that
// dialog, waits half a second and only then deletes the dialog and tells the engine.
void TestController::bugReportFrame() {
    QList<QPointer<MyBugReportView>> views;
    QElapsedTimer sinceClosed;
    for (int opening = 0; opening < 2; ++opening) {
        WhileOpen([&](CAbstractFrame* frame, MyBugReportView* view) {
            QVERIFY(view);
            views << view;
            QCOMPARE(frame->property("STYLE_KEY").toString(), QStringLiteral("BUG_FRAME"));
            QVERIFY(frame->findChild<QWidget*>(QStringLiteral("bugReportFrame")));
            QCOMPARE(view->window(), static_cast<QWidget*>(frame));
            QVERIFY(frame->isModal());
            QCOMPARE(m_engine->bugReportView, static_cast<BugReportDisplay*>(view));
            // A change of language reaches the open dialog.
            view->setWindowTitle(QStringLiteral("stale"));
            m_controller->RetranslateAll();
            QCOMPARE(view->windowTitle(), QStringLiteral("Bug Report"));
            sinceClosed.start();
        });
        QVERIFY(sinceClosed.elapsed() >= 500);
        QVERIFY(!m_controller->GetBugReportView());
        QVERIFY(!views.last());
        QCOMPARE(m_engine->bugReportView, static_cast<BugReportDisplay*>(nullptr));
    }
    QCOMPARE(views.size(), 2);
    const QStringList opening{"SetBugReportView", "StopBugReport", "SetBugReportView(null)"};
    QCOMPARE(m_engine->calls, opening + opening);
}

// "Submit" reaches the engine only while the installation can send reports; otherwise the dialog says so.
void TestController::bugReportSubmit() {
    WhileOpen([&](CAbstractFrame*, MyBugReportView* view) {
        auto* submit = view->findChild<QPushButton*>(QStringLiteral("SubmitButton"));
        QTest::mouseClick(submit, Qt::LeftButton);
        QCOMPARE(view->GetState(), BugReportViewState::NotSetUp);
        QVERIFY(!m_engine->calls.contains(QStringLiteral("SendBugReport")));
        m_engine->bugReportSetUp = true;
        QTest::mouseClick(submit, Qt::LeftButton);
        QCOMPARE(m_engine->calls.count(QStringLiteral("SendBugReport")), 1);
    });
}

void TestController::askNotice_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("taken");
    QTest::newRow("its button") << int(QMessageBox::Ok) << true;
    QTest::newRow("closed") << int(QMessageBox::Cancel) << false;
}

// The engine's offer (send the report again) is taken only with the box's button.
void TestController::askNotice() {
    QFETCH(int, answer);
    QFETCH(bool, taken);
    ExpectBoxes({answer});
    QCOMPARE(m_controller->AskNotice(QStringLiteral("Bug sending failed, please try again."), QStringLiteral("Ok")),
             taken);
    QCOMPARE(MendraMessageBox::ShownMessages(), QStringList{"Bug sending failed, please try again."});
}

void TestController::frameCentredOnPages() {
    QWidget frame;
    frame.resize(300, 100);
    m_controller->CenterOnMainWindow(&frame);
    // Pages at (100, 200), 800 x 400; a plain widget has no title bar.
    QCOMPARE(frame.pos(), QPoint(100 + 400 - 150, 200 + 200 - 50));
}

void TestController::supportedFilesFilter() {
    QCOMPARE(m_controller->SupportedFilesFilter(),
             QStringLiteral("Supported Files (*.png;*.jpg;*.jpeg;*.bmp;*.heic);;"));
}

void TestController::retranslateAll() {
    m_window->mainPage = MainPage::Fix;
    m_controller->SetRepairMode(RepairMode::Standard);
    m_controller->RetranslateAll();
    QCOMPARE(m_window->retranslations, 1);
    QCOMPARE(TitleText(m_title), QStringLiteral("Tavik Mendra - Standard Mode"));
}

void TestController::languageChange() {
    m_window->mainPage = MainPage::FirmwareSelection;
    m_controller->SetRepairMode(RepairMode::Advanced);
    m_controller->SetLanguage(QStringLiteral("fr"));
    // Kept in memory; the settings file takes it when the settings are saved.
    QCOMPARE(gConfig->GetLanguage(), QStringLiteral("fr"));
    QCOMPARE(gAppData->Language, QStringLiteral("fr"));
    QCOMPARE(m_window->retranslations, 1);
    QCOMPARE(TitleText(m_title), QStringLiteral("Tavik Mendra - Advanced Mode"));
    // Later update checks ask in the new language.
    QCOMPARE(m_engine->calls, QStringList{"SetUpdateLanguage(fr)"});
}

void TestController::instanceEndsWithItsOwner() {
    QCOMPARE(Controller::Instance(), m_controller);
    m_controller->SetRepairMode(RepairMode::Advanced);
    delete m_controller;
    // Nothing finds a dangling controller, and none is made behind the owner's back.
    QCOMPARE(Controller::Instance(), static_cast<Controller*>(nullptr));
    QCOMPARE(Controller::Instance(), static_cast<Controller*>(nullptr));
    // The next window makes a fresh one.
    m_controller = Controller::Create();
    QCOMPARE(Controller::Instance(), m_controller);
    QCOMPARE(m_controller->GetRepairMode(), RepairMode::NotChosen);
}

QTEST_MAIN(TestController)
#include "moc_UrlRecorder.cpp"
#include "tst_controller.moc"
