#include "ExpectBoxes.h"
#include "FakeRepairEngine.h"
#include "MendraWindow.h"

#include "app/EditionData.h"
#include "controller/Controller.h"
#include "framework/MendraMessageBox.h"
#include "framework/MyFrame.h"
#include "mainwindow/Mendra.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QtTest>

namespace {
// The stages of the shared road (WindowStage), and three more the user cannot start a run from.
enum State {
    Home = int(WindowStage::Home),
    ModeChoice = int(WindowStage::ModeChoice),
    FixNoDevice = int(WindowStage::FixNoDevice),
    Selection = int(WindowStage::Selection),
    Downloading = int(WindowStage::Downloading),
    Verifying = int(WindowStage::Verifying),
    DownloadFailed = int(WindowStage::DownloadFailed),
    VerifyFailed = int(WindowStage::VerifyFailed),
    ReadyToFix = int(WindowStage::ReadyToFix),
    FixingVerify = int(WindowStage::FixingVerify),
    FixingRestore = int(WindowStage::Fixing),
    FixingEnded = int(WindowStage::FixingEnded),
    Done = int(WindowStage::Done),
    TryAgain = int(WindowStage::TryAgain),
    GuidePage = int(WindowStage::Guide),
    SelectionNoMode = 100,
    ReadyNoMode,
    ReadyWorkDeviceGone
};
enum Action { Next, Back, StandardMode, AdvancedMode, Download, RetryThenBack };

const int Ok = QMessageBox::Ok;
const int No = QMessageBox::No;
const int Closed = QMessageBox::Cancel;

const MRDeviceRef phone = 5;

QVariant Handle(MRDeviceRef device) {
    return QVariant::fromValue<qulonglong>(device);
}

} // namespace

Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(Action)

class TestMendra : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void startsAtHome();
    void pageFlow_data();
    void pageFlow();
    void retryDownloadOnlyOnCheckPage();
    void localFirmwareButtonsNeedDeviceAndVersion();
    void selectionFollowsPickedDevice();
    void failureRemovesFailedDeviceByHandle();
    void fixNowAgainAfterStoppedVerification();
    void keysStartNothing_data();
    void keysStartNothing();

private:
    void Reach(State state);
    QString Page() const { return MainPageName(*m_window); }
    QStringList VisibleButtons() const { return VisibleStatusButtons(*m_window); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*m_window, name); }

    Mendra* m_window = nullptr;
    FakeRepairEngine* m_engine = nullptr;
};

void TestMendra::initTestCase() {
    CreateWindowAppData();
}

void TestMendra::init() {
    m_engine = new FakeRepairEngine;
    m_window = OpenMendraOn(m_engine);
}

void TestMendra::cleanup() {
    CloseMendra(m_window);
    m_engine = nullptr;
}

void TestMendra::cleanupTestCase() {
    ReleaseAppData();
}

// Drives the window to a state the way the user and the engine get there.
void TestMendra::Reach(State state) {
    Controller* controller = Controller::Instance();
    switch (state) {
    case SelectionNoMode:
        DriveTo(*m_window, *m_engine, WindowStage::Selection);
        controller->SetRepairMode(RepairMode::NotChosen);
        break;
    case ReadyNoMode:
        DriveTo(*m_window, *m_engine, WindowStage::ReadyToFix);
        controller->SetRepairMode(RepairMode::NotChosen);
        break;
    case ReadyWorkDeviceGone:
        DriveTo(*m_window, *m_engine, WindowStage::ReadyToFix);
        controller->SetWorkDevicePresent(false);
        break;
    default:
        DriveTo(*m_window, *m_engine, static_cast<WindowStage>(state));
        break;
    }
}

void TestMendra::startsAtHome() {
    QCOMPARE(Page(), QStringLiteral("home"));
    QCOMPARE(VisibleButtons(), QStringList{"Next \"Start\""});
    QCOMPARE(m_window->statusBar()->findChild<QWidget*>(QStringLiteral("buttomWidget"))->parentWidget(),
             m_window->statusBar());
    QVERIFY(!Child<QPushButton>(*m_window, "btnDownloadFirmware")->isEnabled());
    QVERIFY(!Child<QPushButton>(*m_window, "btnSelectFirmware")->isEnabled());
    QCOMPARE(Child<QProgressBar>(*m_window, "FixprogressBar")->maximum(), 1000);
    QCOMPARE(Child<QProgressBar>(*m_window, "FirmwareProgressBar")->maximum(), 1000);
    QCOMPARE(m_engine->controller, Controller::Instance());
}

void TestMendra::pageFlow_data() {
    QTest::addColumn<State>("state");
    QTest::addColumn<bool>("device");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("engineCalls");
    QTest::addColumn<RepairMode>("repairMode");

    const QString stopDownload = QStringLiteral("Are you sure you want to stop downloading the firmware package?");
    const QString stopVerify = QStringLiteral("Are you sure you want to stop verifying the firmware package?");
    const QString goBack = QStringLiteral("Firmware package will be re-verfied after going back.\nGo back?");
    const QString stopFixing = QStringLiteral("Are you sure to stop fixing?");
    const QString repairing = QStringLiteral("The device is being repaired, please do not close the program.");
    const QString reconnect = QStringLiteral("Please re-connect the device to scan and fix.");
    const QString noMode = QStringLiteral("Please choose Standard Mode or Advanced Mode first.");
    const QString noDevice =
        QStringLiteral("The device to be fixed is not connected. Please connect it and try again.");
    const QStringList none;
    const QStringList selection{"Back", "Download"};
    const QStringList stopJob{"StopCurrentDevice"};
    const QStringList fixing{"Back", "Next \"Fixing\" (off)"};
    const QStringList ready{"Back", "Next \"Fix Now\""};
    const QStringList retried{"StartRepair(standard)"};

    // clang-format off
    QTest::newRow("home, Next") << Home << false << Next << QList<int>{} << "mode" << QStringList{"Back"} << none << none << RepairMode::NotChosen;
    QTest::newRow("mode choice, Back") << ModeChoice << false << Back << QList<int>{} << "home" << QStringList{"Next \"Start\""} << none << none << RepairMode::NotChosen;
    QTest::newRow("standard mode with a device") << ModeChoice << true << StandardMode << QList<int>{} << "select/ChooseFirmware" << selection << none << none << RepairMode::Standard;
    QTest::newRow("advanced mode with a device") << ModeChoice << true << AdvancedMode << QList<int>{} << "select/ChooseFirmware" << selection << none << none << RepairMode::Advanced;
    QTest::newRow("standard mode without a device") << ModeChoice << false << StandardMode << QList<int>{} << "fix/NoDevice" << QStringList{"Back", "Next \"Start\" (off)"} << none << none << RepairMode::Standard;
    QTest::newRow("no device page, Back") << FixNoDevice << false << Back << QList<int>{} << "mode" << QStringList{"Back"} << none << none << RepairMode::NotChosen;
    QTest::newRow("no device page, Next once connected") << FixNoDevice << true << Next << QList<int>{} << "mode" << QStringList{"Back"} << none << none << RepairMode::Standard;
    QTest::newRow("no device page, Next still without") << FixNoDevice << false << Next << QList<int>{} << "fix/NoDevice" << QStringList{"Back", "Next \"Start\" (off)"} << none << none << RepairMode::Standard;
    QTest::newRow("selection, Back") << Selection << true << Back << QList<int>{} << "mode" << QStringList{"Back"} << none << none << RepairMode::NotChosen;
    QTest::newRow("downloading, Back, Yes") << Downloading << true << Back << QList<int>{Ok} << "select/ChooseFirmware" << selection << QStringList{stopDownload} << stopJob << RepairMode::Standard;
    QTest::newRow("downloading, Back, No") << Downloading << true << Back << QList<int>{No} << "select/CheckFirmware" << QStringList{"Back"} << QStringList{stopDownload} << none << RepairMode::Standard;
    QTest::newRow("downloading, Back, box closed") << Downloading << true << Back << QList<int>{Closed} << "select/CheckFirmware" << QStringList{"Back"} << QStringList{stopDownload} << none << RepairMode::Standard;
    QTest::newRow("verifying, Back, Yes") << Verifying << true << Back << QList<int>{Ok} << "select/ChooseFirmware" << selection << QStringList{stopVerify} << stopJob << RepairMode::Standard;
    QTest::newRow("download failed, Back") << DownloadFailed << true << Back << QList<int>{} << "select/ChooseFirmware" << selection << none << stopJob << RepairMode::Standard;
    // Right after "Download again" the new download runs, though its first report has not come yet.
    QTest::newRow("download failed, Download again, Back, No") << DownloadFailed << true << RetryThenBack << QList<int>{No} << "select/CheckFirmware" << QStringList{"Back"} << QStringList{stopDownload} << retried << RepairMode::Standard;
    QTest::newRow("download failed, Download again, Back, Yes") << DownloadFailed << true << RetryThenBack << QList<int>{Ok} << "select/ChooseFirmware" << selection << QStringList{stopDownload} << retried + stopJob << RepairMode::Standard;
    QTest::newRow("selection without a mode, Download") << SelectionNoMode << true << Download << QList<int>{Ok} << "select/ChooseFirmware" << selection << QStringList{noMode} << none << RepairMode::NotChosen;
    QTest::newRow("verify failed, Back") << VerifyFailed << true << Back << QList<int>{} << "select/ChooseFirmware" << selection << none << stopJob << RepairMode::Standard;
    QTest::newRow("ready, Fix Now") << ReadyToFix << true << Next << QList<int>{} << "fix/Fixing" << fixing << none << QStringList{"CheckWorkDevicePresent", "StartRepair(standard)"} << RepairMode::Standard;
    // A start the controller refuses leaves the ready page as it was, and the user is told why.
    QTest::newRow("ready without a mode, Fix Now") << ReadyNoMode << true << Next << QList<int>{Ok} << "fix/ReadyToFix" << ready << QStringList{noMode} << none << RepairMode::NotChosen;
    QTest::newRow("ready, the device gone, Fix Now") << ReadyWorkDeviceGone << true << Next << QList<int>{Ok} << "fix/ReadyToFix" << ready << QStringList{noDevice} << QStringList{"CheckWorkDevicePresent"} << RepairMode::Standard;
    QTest::newRow("ready, Back, Yes") << ReadyToFix << true << Back << QList<int>{Ok} << "select/ChooseFirmware" << selection << QStringList{goBack} << none << RepairMode::Standard;
    QTest::newRow("ready, Back, No") << ReadyToFix << true << Back << QList<int>{No} << "fix/ReadyToFix" << QStringList{"Back", "Next \"Fix Now\""} << QStringList{goBack} << none << RepairMode::Standard;
    QTest::newRow("verifying again, Back, Yes") << FixingVerify << true << Back << QList<int>{Ok} << "fix/ReadyToFix" << QStringList{"Back", "Next \"Fix Now\""} << QStringList{stopFixing} << stopJob << RepairMode::Standard;
    QTest::newRow("verifying again, Back, No") << FixingVerify << true << Back << QList<int>{No} << "fix/Fixing" << fixing << QStringList{stopFixing} << none << RepairMode::Standard;
    QTest::newRow("restoring, Back") << FixingRestore << true << Back << QList<int>{Ok} << "fix/Fixing" << fixing << QStringList{repairing} << none << RepairMode::Standard;
    QTest::newRow("restoring, Next") << FixingRestore << true << Next << QList<int>{} << "fix/Fixing" << fixing << none << none << RepairMode::Standard;
    QTest::newRow("run ended without result, Back") << FixingEnded << true << Back << QList<int>{} << "home" << QStringList{"Next \"Start\""} << none << stopJob << RepairMode::NotChosen;
    QTest::newRow("done, Next") << Done << true << Next << QList<int>{} << "home" << QStringList{"Next \"Start\""} << none << QStringList{"StopRepairDevice"} << RepairMode::NotChosen;
    QTest::newRow("try again, Next") << TryAgain << true << Next << QList<int>{Ok} << "home" << QStringList{"Next \"Start\""} << QStringList{reconnect} << none << RepairMode::NotChosen;
    QTest::newRow("try again, Next without a device") << TryAgain << false << Next << QList<int>{Ok} << "home" << QStringList{"Next \"Start\""} << QStringList{reconnect} << none << RepairMode::NotChosen;
    QTest::newRow("guide, Back with a device") << GuidePage << true << Back << QList<int>{} << "mode" << QStringList{"Back"} << none << none << RepairMode::NotChosen;
    QTest::newRow("guide, Back without a device") << GuidePage << false << Back << QList<int>{} << "fix/NoDevice" << QStringList{"Next \"Start\" (off)"} << none << none << RepairMode::NotChosen;
    // clang-format on
}

void TestMendra::pageFlow() {
    QFETCH(State, state);
    QFETCH(bool, device);
    QFETCH(Action, action);
    QFETCH(QList<int>, answers);
    QFETCH(QString, page);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, engineCalls);
    QFETCH(RepairMode, repairMode);

    // Rows that end at "no device" start connected and lose the device only before the action.
    if (device || state == TryAgain)
        ListPhone(*m_window, *m_engine, phone);
    if (state == FixNoDevice)
        m_engine->devicePresent = DevicePresence::NoDevice;
    Reach(state);
    m_engine->devicePresent = device ? DevicePresence::Selected : DevicePresence::NoDevice;
    m_engine->calls.clear();
    ExpectBoxes(answers);

    switch (action) {
    case Next:
        m_window->btnNextClick();
        break;
    case Back:
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        break;
    case StandardMode:
        QTest::mouseClick(Child<QPushButton>(*m_window, "standardModeBtn"), Qt::LeftButton);
        break;
    case AdvancedMode:
        QTest::mouseClick(Child<QPushButton>(*m_window, "advancedModeBtn"), Qt::LeftButton);
        break;
    case Download:
        QTest::mouseClick(Button("btnDownload"), Qt::LeftButton);
        break;
    case RetryThenBack:
        QTest::mouseClick(Button("btnRetryDownload"), Qt::LeftButton);
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        break;
    }

    QCOMPARE(Page(), page);
    QCOMPARE(VisibleButtons(), buttons);
    QCOMPARE(MendraMessageBox::ShownMessages(), messages);
    QCOMPARE(m_engine->calls, engineCalls);
    QCOMPARE(Controller::Instance()->GetRepairMode(), repairMode);
}

void TestMendra::retryDownloadOnlyOnCheckPage() {
    m_engine->devicePresent = DevicePresence::Selected;
    m_engine->currentDevice = phone;
    m_window->EnableRetryDownload(true);
    QVERIFY(!Button("btnRetryDownload")->isVisibleTo(m_window));
    Reach(DownloadFailed);
    m_window->EnableRetryDownload(true);
    QVERIFY(Button("btnRetryDownload")->isVisibleTo(m_window));
    QVERIFY(Button("btnRetryDownload")->isEnabled());
    QTest::mouseClick(Button("btnRetryDownload"), Qt::LeftButton);
    QCOMPARE(m_engine->calls.last(), QStringLiteral("StartRepair(standard)"));
    // The new run has the page: a second click cannot queue another run behind it.
    QVERIFY(!Button("btnRetryDownload")->isVisibleTo(m_window));
    QVERIFY(Child<QLabel>(*m_window, "FirmwareStateLbl")->text().isEmpty());
    m_window->EnableRetryDownload(true);
    QVERIFY(Button("btnRetryDownload")->isVisibleTo(m_window));
    m_window->EnableRetryDownload(false);
    QVERIFY(!Button("btnRetryDownload")->isVisibleTo(m_window));

    // A retry that gets through to the ready page takes the button with it.
    m_window->EnableRetryDownload(true);
    m_window->ShowReadyToFix();
    QCOMPARE(VisibleButtons(), (QStringList{"Back", "Next \"Fix Now\""}));
}

void TestMendra::localFirmwareButtonsNeedDeviceAndVersion() {
    m_engine->devicePresent = DevicePresence::Selected;
    m_engine->currentDevice = m_engine->typeBoxDevice = phone;
    m_window->AddDeviceEntry(QStringLiteral("iPhone"), Handle(phone), phone);
    m_window->AddModelEntry(QStringLiteral("iPhone"), Handle(phone));
    Reach(Selection);
    QVERIFY(!Child<QPushButton>(*m_window, "btnSelectFirmware")->isEnabled());
    m_window->AddSystemVersion(QStringLiteral("17.0"));
    QVERIFY(Child<QPushButton>(*m_window, "btnSelectFirmware")->isEnabled());
    QVERIFY(Child<QPushButton>(*m_window, "btnDownloadFirmware")->isEnabled());
    m_window->ClearSystemVersions();
    QVERIFY(!Child<QPushButton>(*m_window, "btnSelectFirmware")->isEnabled());
    QVERIFY(!Child<QPushButton>(*m_window, "btnDownloadFirmware")->isEnabled());
}

void TestMendra::selectionFollowsPickedDevice() {
    // The two lists hold the same devices in another order.
    m_window->AddModelEntry(QStringLiteral("iPad"), Handle(8));
    m_window->AddModelEntry(QStringLiteral("iPhone"), Handle(phone));
    m_window->AddDeviceEntry(QStringLiteral("iPhone"), Handle(phone), phone);
    m_window->AddDeviceEntry(QStringLiteral("iPad"), Handle(8), 8);
    m_window->SetDeviceIndex(0);
    m_engine->devicePresent = DevicePresence::Selected;
    m_engine->typeBoxDevice = phone;
    Reach(Selection);
    QCOMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->currentText(), QStringLiteral("iPhone"));
}

void TestMendra::failureRemovesFailedDeviceByHandle() {
    ListPhone(*m_window, *m_engine, phone);
    m_engine->repairDevice = phone;
    Reach(FixingRestore);
    // A second device arrives during the repair and becomes the current entry.
    m_window->AddDeviceEntry(QStringLiteral("iPad"), Handle(8), 8);
    Controller::Instance()->ShowRepairFailed();
    QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 1);
    QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->itemText(0), QStringLiteral("iPad"));
    QVERIFY(m_window->IsRepairDone());
    QCOMPARE(Child<QLabel>(*m_window, "fixStatusLbl")->text(), QStringLiteral("Repair failed."));
}

void TestMendra::fixNowAgainAfterStoppedVerification() {
    m_engine->devicePresent = DevicePresence::Selected;
    m_engine->currentDevice = m_engine->typeBoxDevice = phone;
    m_window->AddModelEntry(QStringLiteral("iPhone"), Handle(phone));
    m_window->AddSystemVersion(QStringLiteral("17.0"));
    Reach(FixingVerify);
    ExpectBoxes({Ok});
    m_window->btnBackClick();
    m_engine->calls.clear();
    m_window->btnNextClick();
    QCOMPARE(m_engine->calls, (QStringList{"CheckWorkDevicePresent", "StartRepair(standard)"}));
    QVERIFY(m_engine->skipReadyPage);
    QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
}

void TestMendra::keysStartNothing_data() {
    QTest::addColumn<State>("state");
    QTest::addColumn<QString>("focus"); // the widget that has the focus, or none
    QTest::addColumn<int>("key");
    const struct {
        const char* name;
        State state;
        const char* focus;
    } places[] = {{"fresh home page", Home, ""},
                  {"home page, the list of works", Home, "worksComBox"},
                  {"home page, the recovery button", Home, "recoveryModeStateBtn"},
                  {"mode choice", ModeChoice, ""},
                  {"selection, the device list", Selection, "DeviceModelBox"},
                  {"selection, the version list", Selection, "SystemVersionBox"},
                  {"ready to fix", ReadyToFix, ""}};
    for (const auto& place : places) {
        for (const auto& key : {std::make_pair("Return", Qt::Key_Return), std::make_pair("Enter", Qt::Key_Enter),
                                std::make_pair("Escape", Qt::Key_Escape)})
            QTest::addRow("%s, %s", place.name, key.first) << place.state << place.focus << int(key.second);
    }
}

// The main frame is a dialog, whose keyboard would press its first push button: a stray Return must not take a
// connected phone into recovery mode, nor start, stop or leave anything. Only a message box has a default button.
void TestMendra::keysStartNothing() {
    QFETCH(State, state);
    QFETCH(QString, focus);
    QFETCH(int, key);
    ListPhone(*m_window, *m_engine, phone);
    m_engine->deviceMode = MRModeNormal;
    m_window->ShowConnectionStateAlt(true);
    m_window->ShowRecoveryButtonState(0);
    MyFrame frame(m_window, nullptr,
                  CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    // The window goes with the test function's clean-up, not with the frame.
    const auto release = qScopeGuard([this]() { m_window->setParent(nullptr); });
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QTest::qWait(0);
    Reach(state);
    QWidget* target = &frame;
    if (!focus.isEmpty()) {
        target = Child(*m_window, focus.toLatin1().constData());
        QVERIFY(target->isVisible());
        target->setFocus(Qt::OtherFocusReason);
    }
    const QString page = Page();
    const QStringList buttons = VisibleButtons();
    m_engine->calls.clear();

    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(m_engine->calls, QStringList());
    QCOMPARE(Page(), page);
    QCOMPARE(VisibleButtons(), buttons);
    QVERIFY(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->isEnabled());
    QVERIFY(frame.isVisible());
    for (QPushButton* button : frame.findChildren<QPushButton*>())
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
}

QTEST_MAIN(TestMendra)
#include "tst_mendra.moc"
