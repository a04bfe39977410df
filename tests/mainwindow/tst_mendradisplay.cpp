#include "FakeRepairEngine.h"
#include "MendraWindow.h"

#include "app/EditionData.h"
#include "controller/Controller.h"
#include "mainwindow/DownloadSpeed.h"
#include "mainwindow/Mendra.h"
#include "mainwindow/WrappableText.h"

#include <QComboBox>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

namespace {
// Shown or hidden by the window itself, whether or not its page is the current one.
bool Shown(const QWidget* widget) {
    return !widget->isHidden();
}
} // namespace

// What the window shows of the devices, the firmware check and the repair, driven the way the engine drives
// it; the download speed on a clock the test moves.
class TestMendraDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void downloadSpeed_data();
    void downloadSpeed();
    void speedNeedsTwoSamples();
    void speedClockWrapsAt32Bits();

    void firmwareProgress_data();
    void firmwareProgress();
    void firmwareState_data();
    void firmwareState();
    void firmwareStateOutOfRangeChangesNothing();
    void firmwareHint();
    void errorKeepsItsOwnCopy();
    void longWordsGetBreaks_data();
    void longWordsGetBreaks();
    void speedLabelFollowsCounts();

    void repairProgress_data();
    void repairProgress();
    void resultTexts();
    void failureColourDoesNotCarryOver();
    void readyPageNeedsDevice();

    void recoveryButton_data();
    void recoveryButton();
    void connectionDisplayEndsAnimation();
    void fixAnimationOutlivesSecondVerification();
    void deviceTextIsWhatIsShown();
    void listsSelectNewEntry();

private:
    Mendra* m_window = nullptr;
    FakeRepairEngine* m_engine = nullptr;
    quint64 m_now = 0;
};

void TestMendraDisplay::initTestCase() {
    CreateWindowAppData();
}

void TestMendraDisplay::init() {
    m_now = 1000;
    SetDownloadRateClock([this] { return m_now; });
    m_engine = new FakeRepairEngine;
    m_window = OpenMendraOn(m_engine);
}

void TestMendraDisplay::cleanup() {
    CloseMendra(m_window);
    m_engine = nullptr;
    SetDownloadRateClock(DownloadRateClock());
}

void TestMendraDisplay::cleanupTestCase() {
    ReleaseAppData();
}

// ---- Download speed ----

void TestMendraDisplay::downloadSpeed_data() {
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<quint64>("milliseconds");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1 B/s") << quint64(1) << quint64(1000) << "1 B/s";
    QTest::newRow("1024 B/s stays bytes") << quint64(1024) << quint64(1000) << "1024 B/s";
    QTest::newRow("1025 B/s is 1 KB/s") << quint64(1025) << quint64(1000) << "1 KB/s";
    QTest::newRow("KB rounded") << quint64(1536 * 10) << quint64(10000) << "2 KB/s";
    QTest::newRow("1 MiB/s stays KB") << quint64(1048576) << quint64(1000) << "1024 KB/s";
    QTest::newRow("just above 1 MiB/s") << quint64(1048577) << quint64(1000) << "1.00 MB/s";
    QTest::newRow("MB with two decimals") << quint64(5 * 1048576) << quint64(2000) << "2.50 MB/s";
    QTest::newRow("half a second") << quint64(500) << quint64(500) << "1000 B/s";
    QTest::newRow("nothing new") << quint64(0) << quint64(1000) << "";
    QTest::newRow("less than a byte a second") << quint64(1) << quint64(2000) << "";
}

void TestMendraDisplay::downloadSpeed() {
    QFETCH(quint64, bytes);
    QFETCH(quint64, milliseconds);
    QFETCH(QString, shown);
    const quint64 before = 7000;
    QCOMPARE(FormatDownloadSpeed(before), QString());
    m_now += milliseconds;
    QCOMPARE(FormatDownloadSpeed(before + bytes), shown);
}

void TestMendraDisplay::speedNeedsTwoSamples() {
    QCOMPARE(MeasureDownloadRate(5000), -1); // first sample
    QCOMPARE(MeasureDownloadRate(9000), -1); // the same millisecond
    m_now += 1000;
    QCOMPARE(MeasureDownloadRate(8000), -1); // the count went back: a new download
    m_now += 1000;
    QCOMPARE(MeasureDownloadRate(10000), 2000);
    // A sample taken at tick 0 counts as no sample at all.
    m_now = 0;
    QCOMPARE(MeasureDownloadRate(11000), 0); // the clock went back: a long span of 32-bit ticks
    m_now = 500;
    QCOMPARE(MeasureDownloadRate(12000), -1);
    m_now = 1500;
    QCOMPARE(MeasureDownloadRate(13000), 1000);
}

void TestMendraDisplay::speedClockWrapsAt32Bits() {
    m_now = 0xFFFFFF00ULL;
    QCOMPARE(MeasureDownloadRate(0), -1);
    m_now = 0x100000000ULL + 0x300; // 1024 ms later, past the 32-bit wrap
    QCOMPARE(MeasureDownloadRate(1024), 1000);
}

// ---- Firmware check ----

void TestMendraDisplay::firmwareProgress_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0.0f << 0 << "0.0%...";
    QTest::newRow("five tenths") << 5.0f << 5 << "0.5%...";
    QTest::newRow("fraction truncated in the bar") << 456.7f << 456 << "45.7%...";
    QTest::newRow("almost done") << 999.9f << 999 << "100.0%...";
    QTest::newRow("done") << 1000.0f << 1000 << "100.0%...";
}

void TestMendraDisplay::firmwareProgress() {
    QFETCH(float, value);
    QFETCH(int, bar);
    QFETCH(QString, text);
    m_window->ShowFirmwareProgress(value);
    QCOMPARE(Child<QProgressBar>(*m_window, "FirmwareProgressBar")->value(), bar);
    QCOMPARE(Child<QProgressBar>(*m_window, "FirmwareProgressBar")->maximum(), 1000);
    QCOMPARE(Child<QLabel>(*m_window, "ProgressBarValueLbl")->text(), text);
}

void TestMendraDisplay::firmwareState_data() {
    QTest::addColumn<FirmwareState>("state");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<bool>("speed");
    QTest::newRow("downloading") << FirmwareState::Downloading << "Downloading the Firmware package..." << false
                                 << true;
    QTest::newRow("downloaded") << FirmwareState::Downloaded << "Download finished..." << false << false;
    QTest::newRow("download failed") << FirmwareState::DownloadFailed << "Downloading failed. Error code:" << true
                                     << false;
    QTest::newRow("verifying") << FirmwareState::Verifying << "Verifying the Firmware package..." << false << false;
    QTest::newRow("verified") << FirmwareState::Verified << "Verified finished..." << false << false;
    QTest::newRow("verify failed") << FirmwareState::VerifyFailed << "Verifying failed. Error code:" << true << false;
}

void TestMendraDisplay::firmwareState() {
    QFETCH(FirmwareState, state);
    QFETCH(QString, text);
    QFETCH(bool, failed);
    QFETCH(bool, speed);
    Mendra& w = *m_window;
    w.SetCheckPage(CheckPage::CheckFirmware);
    // Start from the opposite of what the state shows, so every visibility is really set.
    for (QLabel* label : {Child<QLabel>(w, "descriptionLbl"), Child<QLabel>(w, "errCodeLbl"),
                          Child<QLabel>(w, "errStringLbl"), Child<QLabel>(w, "FirmwareHintLbl")})
        label->setVisible(!failed);
    Child<QLabel>(w, "DowanLoadSpeed")->setVisible(!speed);

    w.ShowFirmwareState(state);
    QCOMPARE(Child<QLabel>(w, "FirmwareStateLbl")->text(), text);
    for (QLabel* label : {Child<QLabel>(w, "descriptionLbl"), Child<QLabel>(w, "errCodeLbl"),
                          Child<QLabel>(w, "errStringLbl"), Child<QLabel>(w, "FirmwareHintLbl")})
        QCOMPARE(Shown(label), failed);
    QCOMPARE(Shown(Child<QLabel>(w, "DowanLoadSpeed")), speed);
    if (failed)
        QCOMPARE(Child<QLabel>(w, "descriptionLbl")->text(), QStringLiteral(", description:"));
    QCOMPARE(w.GetFirmwareState(), state);
}

void TestMendraDisplay::firmwareStateOutOfRangeChangesNothing() {
    m_window->ShowFirmwareState(FirmwareState::Verifying);
    for (FirmwareState state : {static_cast<FirmwareState>(6), FirmwareState::Unset}) {
        m_window->ShowFirmwareState(state);
        QCOMPARE(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(),
                 QStringLiteral("Verifying the Firmware package..."));
        QCOMPARE(m_window->GetFirmwareState(), FirmwareState::Verifying);
    }
}

void TestMendraDisplay::firmwareHint() {
    QLabel* hint = Child<QLabel>(*m_window, "FirmwareHintLbl");
    m_window->ShowFirmwareHint(FirmwareHint::TryOtherVersions);
    QCOMPARE(hint->text(), QStringLiteral("Please try other System versions or use the Advanced Mode."));
    QCOMPARE(m_window->GetHintState(), FirmwareHint::TryOtherVersions);
    hint->hide();
    m_window->ShowFirmwareHint(static_cast<FirmwareHint>(7)); // shown again, text and recorded hint kept
    QVERIFY(Shown(hint));
    QCOMPARE(m_window->GetHintState(), FirmwareHint::TryOtherVersions);
    m_window->ShowFirmwareHint(FirmwareHint::KeepConnected);
    QCOMPARE(hint->text(), QStringLiteral("Please keep the Internet well connected."));
    QCOMPARE(m_window->GetHintState(), FirmwareHint::KeepConnected);
    // No hint at all, for a failure whose description says what happened: none comes back with a language change.
    m_window->ClearFirmwareHint();
    QCOMPARE(hint->text(), QString());
    QVERIFY(!Shown(hint));
    QCOMPARE(m_window->GetHintState(), FirmwareHint::Unset);
}

// The description the library gave may be freed once its report is handled; the window shows its own copy,
// also after a language change re-applies the texts.
void TestMendraDisplay::errorKeepsItsOwnCopy() {
    QByteArray libraryText = QByteArray("Serveur injoignable \xc3\xa9tape 2");
    m_window->ShowFirmwareError(QStringLiteral("5"), QString::fromUtf8(libraryText.constData()));
    m_window->ShowFirmwareState(FirmwareState::DownloadFailed);
    libraryText.fill('#');
    QCOMPARE(Child<QLabel>(*m_window, "errCodeLbl")->text(), QStringLiteral("5"));
    QCOMPARE(Child<QLabel>(*m_window, "errStringLbl")->text(), QString::fromUtf8("Serveur injoignable \xc3\xa9tape 2"));

    m_window->ClearFirmwareState();
    for (QLabel* label : {Child<QLabel>(*m_window, "FirmwareStateLbl"), Child<QLabel>(*m_window, "descriptionLbl"),
                          Child<QLabel>(*m_window, "errCodeLbl"), Child<QLabel>(*m_window, "errStringLbl"),
                          Child<QLabel>(*m_window, "DowanLoadSpeed")})
        QCOMPARE(label->text(), QString());
}

// A library text's long words get places to break, marked here with "|"; what a user reads stays the same.
void TestMendraDisplay::longWordsGetBreaks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marked");
    QTest::newRow("short words") << "The server answered HTTP 404"
                                 << "The server answered HTTP 404";
    QTest::newRow("a digest") << "SHA-1 is 5d41402abc4b2a76b9719d911017c592, expected"
                              << "SHA-1 is 5d41402abc4b|2a76b9719d91|1017c592, expected";
    QTest::newRow("a path") << "Cannot write /home/anna/Documents/firmware: Permission denied"
                            << "Cannot write /home/|anna/|Documents/|firmware: Permission denied";
    const QString accented = QStringLiteral("abcdefghijke") + QChar(0x301);
    QTest::newRow("not between a letter and its accent") << accented + "xyz" << accented + "|xyz";
    const QString laughing = QStringLiteral("abcdefghijk") + QString::fromUcs4(U"\U0001F600");
    QTest::newRow("not inside a surrogate pair") << laughing + "xyz" << laughing + "|xyz";
}

void TestMendraDisplay::longWordsGetBreaks() {
    QFETCH(QString, text);
    QFETCH(QString, marked);
    const QString wrappable = WrappableText(text);
    QCOMPARE(QString(wrappable).replace(QChar(0x200B), QLatin1Char('|')), marked);
    QCOMPARE(WithoutBreakMarks(wrappable), text);

    // The label gets the wrappable text, and again after a language change.
    m_window->ShowFirmwareError(QStringLiteral("9"), text);
    m_window->ShowFirmwareState(FirmwareState::VerifyFailed);
    QCOMPARE(Child<QLabel>(*m_window, "errStringLbl")->text(), wrappable);
    m_window->Retranslate();
    QCOMPARE(Child<QLabel>(*m_window, "errStringLbl")->text(), wrappable);
}

void TestMendraDisplay::speedLabelFollowsCounts() {
    m_window->ShowDownloadSpeed(1000);
    QCOMPARE(Child<QLabel>(*m_window, "DowanLoadSpeed")->text(), QString());
    m_now += 250;
    m_window->ShowDownloadSpeed(1000 + 256 * 1024);
    QCOMPARE(Child<QLabel>(*m_window, "DowanLoadSpeed")->text(), QStringLiteral("1024 KB/s"));
    m_now += 250;
    m_window->ShowDownloadSpeed(1000 + 256 * 1024); // stalled: the label goes blank
    QCOMPARE(Child<QLabel>(*m_window, "DowanLoadSpeed")->text(), QString());
}

// ---- Repair progress and result ----

void TestMendraDisplay::repairProgress_data() {
    QTest::addColumn<RepairStep>("step");
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("text");
    QTest::newRow("secondary verification")
        << RepairStep::SecondaryVerification << 0.0f << 0 << "Secondary Verification: 0.0%...";
    QTest::newRow("unzipping") << RepairStep::Unzipping << 123.0f << 123 << "Unziping: 12.3%...";
    QTest::newRow("enter recovery") << RepairStep::EnteringRecovery << 1000.0f << 1000
                                    << "Enter Recovery Mode: 100.0%...";
    QTest::newRow("repairing") << RepairStep::Repairing << 456.0f << 456 << "Repairing: 45.6%...";
    QTest::newRow("almost") << RepairStep::Repairing << 999.9f << 999 << "Repairing: 100.0%...";
    QTest::newRow("complete") << RepairStep::Complete << 1000.0f << 1000 << "Repair complete: 100.0%...";
    QTest::newRow("download in the second run") << RepairStep::Downloading << 250.0f << 250 << "Download: 25.0%...";
}

void TestMendraDisplay::repairProgress() {
    QFETCH(RepairStep, step);
    QFETCH(float, value);
    QFETCH(int, bar);
    QFETCH(QString, text);
    Child<QProgressBar>(*m_window, "FixprogressBar")->hide();
    Child<QLabel>(*m_window, "progressValueLbl")->hide();
    m_window->ShowRepairProgress(step, value);
    QVERIFY(Shown(Child<QProgressBar>(*m_window, "FixprogressBar")));
    QVERIFY(Shown(Child<QLabel>(*m_window, "progressValueLbl")));
    QCOMPARE(Child<QProgressBar>(*m_window, "FixprogressBar")->value(), bar);
    QCOMPARE(Child<QLabel>(*m_window, "progressValueLbl")->text(), text);
    QCOMPARE(m_window->GetRepairStep(), step);

    // A step the window does not know moves only the bar.
    m_window->ShowRepairProgress(static_cast<RepairStep>(6), 10.0f);
    QCOMPARE(Child<QProgressBar>(*m_window, "FixprogressBar")->value(), 10);
    QCOMPARE(Child<QLabel>(*m_window, "progressValueLbl")->text(), text);
    QCOMPARE(m_window->GetRepairStep(), step);
}

void TestMendraDisplay::resultTexts() {
    Mendra& w = *m_window;
    const QString contact = QStringLiteral("<style> a {text-decoration: none} </style> <a "
                                           "href=\"https://127.0.0.1/support\">Contact us for more help.");
    w.ShowResultText(ResultState::Succeeded);
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->text(), QStringLiteral("Repair Success."));
    QVERIFY(Shown(Child<QLabel>(w, "repairInfoLbl")));
    QCOMPARE(Child<QLabel>(w, "repairInfoLbl")->text(),
             QStringLiteral("Please restart to check the device.\nIf the repair fails, please "
                            "restart your device and PC before trying again."));
    QCOMPARE(Child<QLabel>(w, "noteInfoLbl_3")->text(), contact);
    QVERIFY(Child<QLabel>(w, "noteInfoLbl_3")->openExternalLinks());
    QCOMPARE(w.GetResultState(), ResultState::Succeeded);

    w.ShowResultText(ResultState::Failed);
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->text(), QStringLiteral("Repair failed."));
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->styleSheet(), QStringLiteral("color: rgb(255, 0, 0);"));
    QCOMPARE(Child<QLabel>(w, "repairInfoLbl")->text(),
             QStringLiteral("Check whether the device restarts. If the restart fails, please restart computer and "
                            "device before you use Advanced Mode to try again."));
    QCOMPARE(Child<QLabel>(w, "noteInfoLbl_3")->text(), contact);
    QCOMPARE(w.GetResultState(), ResultState::Failed);

    w.ShowResultText(static_cast<ResultState>(3));
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->text(), QStringLiteral("Repair failed."));
    QCOMPARE(w.GetResultState(), ResultState::Failed);

    w.ShowResultText(ResultState::Fixing);
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->text(), QStringLiteral("Reparing. It takes about 10min..."));
    QVERIFY(!Shown(Child<QLabel>(w, "repairInfoLbl")));
    QCOMPARE(Child<QLabel>(w, "repairInfoLbl")->text(), QString());
    QCOMPARE(Child<QLabel>(w, "noteInfoLbl_3")->text(),
             QStringLiteral("1. Keep your device connected, and do not use it during fixing."));
    QCOMPARE(w.GetResultState(), ResultState::Fixing);
}

// A failure followed by a successful run: the success headline is not red.
void TestMendraDisplay::failureColourDoesNotCarryOver() {
    Mendra& w = *m_window;
    m_engine->devicePresent = DevicePresence::Selected;
    Controller::Instance()->SetRepairMode(RepairMode::Standard);
    w.ShowReadyToFix();
    w.ShowRepairFailed();
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->styleSheet(), QStringLiteral("color: rgb(255, 0, 0);"));
    w.SetFixSubPage(FixSubPage::ReadyToFix);
    w.btnNextClick(); // "Fix Now" starts the next run
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->styleSheet(), QStringLiteral("color: rgb(38, 38, 38);"));
    w.ShowRepairSucceeded();
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->text(), QStringLiteral("Repair Success."));
    QCOMPARE(Child<QLabel>(w, "fixStatusLbl")->styleSheet(), QStringLiteral("color: rgb(38, 38, 38);"));
}

void TestMendraDisplay::readyPageNeedsDevice() {
    Mendra& w = *m_window;
    Controller::Instance()->SetSystemVersionText(QStringLiteral("17.0 (21A329)"));
    w.ShowReadyToFix();
    QCOMPARE(w.GetMainPageIndex(), MainPage::Home);
    m_engine->devicePresent = DevicePresence::Selected;
    w.ShowReadyToFix();
    QCOMPARE(w.GetMainPageIndex(), MainPage::Fix);
    QCOMPARE(w.GetFixPageIndex(), FixSubPage::ReadyToFix);
    QCOMPARE(Stack<FixConnState>(w, "connStatestackedWidget"), FixConnState::FixingDevice);
    QCOMPARE(Child<QLabel>(w, "FirmwareVersionLbl")->text(), QStringLiteral("17.0 (21A329)"));
    QVERIFY(!Shown(Child<QLabel>(w, "repairInfoLbl")));
    QPushButton* next = w.findChild<QPushButton*>(QStringLiteral("btnNext"));
    QCOMPARE(next->text(), QStringLiteral("Fix Now"));
    QVERIFY(next->isEnabled() && next->isVisibleTo(&w));
    QCOMPARE(w.GetNextButtonState(), NextButtonState::FixNow);
}

// ---- Connection display ----

void TestMendraDisplay::recoveryButton_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("text");
    QTest::newRow("normal") << int(MRModeNormal) << true << "Enter Recovery Mode";
    QTest::newRow("recovery") << int(MRModeRecovery) << true << "Quit Recovery Mode";
    QTest::newRow("DFU") << int(MRModeDFU) << false << "Quit DFU Mode";
}

void TestMendraDisplay::recoveryButton() {
    QFETCH(int, mode);
    QFETCH(bool, enabled);
    QFETCH(QString, text);
    QPushButton* button = Child<QPushButton>(*m_window, "recoveryModeStateBtn");
    button->setText(QStringLiteral("before"));
    m_engine->deviceMode = mode;
    m_window->ShowRecoveryButtonState(0);
    QCOMPARE(button->text(), QStringLiteral("before")); // no selected device: nothing changes

    m_engine->typeBoxDevice = 9;
    button->setEnabled(!enabled);
    m_window->ShowRecoveryButtonState(0);
    QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(button->text(), text);
    QCOMPARE(m_window->GetRecoveryButtonState(), mode);

    m_engine->deviceMode = -1; // a mode the library does not have
    m_window->ShowRecoveryButtonState(0);
    QCOMPARE(button->text(), text);
    QCOMPARE(m_window->GetRecoveryButtonState(), mode);
}

// A mode change shows the connecting animation; whatever ends it (the device's new state or a failure)
// brings back the device list and stops the animation.
void TestMendraDisplay::connectionDisplayEndsAnimation() {
    Mendra& w = *m_window;
    w.ShowConnectionStateAlt(true);
    QCOMPARE(Stack<HomeConnection>(w, "connectstackedWidget_2"), HomeConnection::DeviceList);
    QVERIFY(Shown(Child<QPushButton>(w, "recoveryModeStateBtn")));
    QVERIFY(!Shown(Child<QLabel>(w, "deviceNotConnLbl")));

    w.ShowConnectingAnimation();
    QCOMPARE(Stack<HomeConnection>(w, "connectstackedWidget_2"), HomeConnection::Connecting);
    QMovie* movie = Child<QLabel>(w, "connectLabel")->movie();
    QVERIFY(movie);
    QCOMPARE(movie->state(), QMovie::Running);

    w.ShowConnectionState(0, 0);
    QCOMPARE(Stack<HomeConnection>(w, "connectstackedWidget_2"), HomeConnection::NotConnected);
    QVERIFY(Shown(Child<QLabel>(w, "deviceNotConnLbl")));
    QVERIFY(!Shown(Child<QPushButton>(w, "recoveryModeStateBtn")));
    QCOMPARE(movie->state(), QMovie::NotRunning);
}

// "Fix Now" starts the fix page's animation, then the second run's verification starts the firmware check's:
// the fix page keeps its own until the result stops it.
void TestMendraDisplay::fixAnimationOutlivesSecondVerification() {
    Mendra& w = *m_window;
    w.ShowFixAnimation();
    QMovie* fixing = Child<QLabel>(w, "FixStateLbl")->movie();
    QVERIFY(fixing);
    w.ShowVerifyAnimation();
    QCOMPARE(Child<QLabel>(w, "FixStateLbl")->movie(), fixing);
    QCOMPARE(fixing->state(), QMovie::Running);
    QMovie* verifying = Child<QLabel>(w, "FirmwareStatePic")->movie();
    QVERIFY(verifying && verifying != fixing);

    w.ShowRepairSucceeded();
    QCOMPARE(fixing->state(), QMovie::NotRunning);
    QCOMPARE(verifying->state(), QMovie::NotRunning);
    QVERIFY(!Child<QLabel>(w, "FixStateLbl")->movie());
}

// The fix page's device text after a language change is the one that was shown.
void TestMendraDisplay::deviceTextIsWhatIsShown() {
    Mendra& w = *m_window;
    w.SetDeviceTypeText(QStringLiteral("iPhone"));
    w.Retranslate();
    QCOMPARE(Child<QLabel>(w, "iPhoneTypeLbl_2")->text(), QStringLiteral("iPhone"));

    w.OnDeviceConnectionChanged(true, QString(), QStringLiteral("iPhone [Recovery]"), QStringLiteral("iPhone 11"));
    QCOMPARE(Child<QLabel>(w, "iPhoneTypeLbl_2")->text(), QString());
    w.Retranslate();
    QCOMPARE(Child<QLabel>(w, "iPhoneTypeLbl_2")->text(), QString());

    w.SetDeviceTypeText(QStringLiteral("iPad"));
    w.Retranslate();
    QCOMPARE(Child<QLabel>(w, "iPhoneTypeLbl_2")->text(), QStringLiteral("iPad"));
}

void TestMendraDisplay::listsSelectNewEntry() {
    Mendra& w = *m_window;
    w.AddDeviceEntry(QStringLiteral("iPhone"), QVariant(qlonglong(3)), 3);
    QCOMPARE(Child<QComboBox>(w, "iPhoneTypeBox")->currentIndex(), 0);
    QCOMPARE(w.GetDeviceIndex(), 0);
    w.AddDeviceEntry(QStringLiteral("iPad [DFU]"), QVariant(qlonglong(4)), 4);
    QCOMPARE(w.GetDeviceIndex(), 1);
    QCOMPARE(w.GetDeviceCount(), 2);
    QCOMPARE(w.GetDeviceData(1).toLongLong(), 4);
    QVERIFY(!w.GetDeviceData(5).isValid());
    w.RemoveDeviceEntry(0);
    QCOMPARE(w.GetDeviceCount(), 1);

    w.AddModelEntry(QStringLiteral("iPhone"), QVariant(qlonglong(3)));
    QCOMPARE(w.GetModelIndex(), 0);
    QCOMPARE(w.GetModelData(0).toLongLong(), 3);

    w.AddSystemVersion(QStringLiteral("17.0"));
    w.AddSystemVersion(QStringLiteral("16.6"));
    QVERIFY(!Child<QComboBox>(w, "SystemVersionBox")->itemData(0).isValid());
    QCOMPARE(w.GetSystemVersionIndex(), 0);
    QCOMPARE(w.GetSystemVersionText(), QStringLiteral("17.0"));
    w.ClearSystemVersions();
    QCOMPARE(Child<QComboBox>(w, "SystemVersionBox")->count(), 0);
    QCOMPARE(w.GetSystemVersionIndex(), -1);
}

QTEST_MAIN(TestMendraDisplay)
#include "tst_mendradisplay.moc"
