// The repair as a user lives it: the program's main window in its frame, on the program's own controller and
// device model, over the device library's simulated devices. A firmware package is served from 127.0.0.1.
#include "EventLoopWatch.h"
#include "ExpectBoxes.h"
#include "FrameworkSkin.h"
#include "MendraWindow.h"
#include "ModalHelper.h"
#include "ResidentMemory.h"
#include "RunLogText.h"
#include "SimulatedDevices.h"
#include "TimeBound.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "controller/Controller.h"
#include "device/MyModelEngine.h"
#include "device/RestoreThread.h"
#include "framework/ApplicationFonts.h"
#include "framework/MyFrame.h"
#include "framework/TitleBar.h"
#include "mainwindow/Mendra.h"
#include "mainwindow/WrappableText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMovie>
#include <QMutex>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWaitCondition>
#include <QtTest>

#include <cmath>

namespace {

constexpr quint64 PhoneId = 1;
const char* const PhoneName = "Ada's iPhone";
constexpr quint64 OtherPhoneId = 2; // listed in every scenario, plugged in only where a test says so
const char* const OtherPhoneName = "Bob's iPhone";
constexpr quint64 ThirdPhoneId = 3; // likewise
const char* const Version = "17.0 (21A329)";
const char* const PackageName = "DemoFirmware_17.0_Restore.ipsw";
constexpr int Slow = 20000; // a whole run under the sanitizers

const int Ok = QMessageBox::Ok;
const int No = QMessageBox::No;
const int Yes = QMessageBox::Yes;

// Serves the firmware package over HTTP the way a distant server would: in small pieces, with a pause
// wherever the test wants to look at a download in progress, or with an error status.
class FirmwareServer : public QTcpServer {
public:
    QByteArray body;
    int status = 200;
    qint64 holdAt = -1; // the sending pauses once this many bytes of the package are out, until released
    int requests = 0;

    bool Start() { return listen(QHostAddress::LocalHost, 0); }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/%2").arg(serverPort()).arg(PackageName); }
    bool Holding() const { return m_holding; }
    void Release() {
        holdAt = -1;
        m_holding = false;
    }

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        auto* request = new QByteArray;
        connect(socket, &QTcpSocket::disconnected, socket, [socket, request] {
            delete request;
            socket->deleteLater();
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n") || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            ++requests;
            Answer(socket, *request);
        });
    }

private:
    void Answer(QTcpSocket* socket, const QByteArray& request) {
        if (status != 200) {
            socket->write("HTTP/1.1 " + QByteArray::number(status) +
                          " Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
            return;
        }
        // A download that was stopped goes on from its partial file.
        qint64 from = 0;
        const QRegularExpression range(QStringLiteral("[Rr]ange: bytes=(\\d+)-"));
        const QRegularExpressionMatch match = range.match(QString::fromLatin1(request));
        if (match.hasMatch())
            from = qMin<qint64>(match.captured(1).toLongLong(), body.size());
        QByteArray head = match.hasMatch() ? "HTTP/1.1 206 Partial Content\r\n" : "HTTP/1.1 200 OK\r\n";
        head += "Content-Length: " + QByteArray::number(body.size() - from) + "\r\n";
        if (match.hasMatch())
            head += "Content-Range: bytes " + QByteArray::number(from) + "-" + QByteArray::number(body.size() - 1) +
                    "/" + QByteArray::number(body.size()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head);
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [this, socket, from]() mutable {
            if (holdAt >= 0 && from >= holdAt) {
                m_holding = true;
                return;
            }
            qint64 piece = 64 * 1024;
            if (holdAt >= 0)
                piece = qMin(piece, holdAt - from);
            piece = qMin<qint64>(piece, body.size() - from);
            socket->write(body.mid(int(from), int(piece)));
            from += piece;
            if (from >= body.size())
                socket->disconnectFromHost();
        });
        timer->start(25);
    }

    bool m_holding = false;
};

// Watches every report of the repair runs once the model has handled it: what the window showed then, and,
// when asked, holds the run after a chosen report (the library's thread waits) so that the test can act
// on a page that is otherwise gone in a blink.
class RunWatch : public QObject {
public:
    RunWatch(Mendra* window, RestoreThread* thread) : m_window(window) {
        // After the model's own connection: the window has handled the report when these run.
        connect(
            thread, &RestoreThread::OnRestoreCallback, this,
            [this](MRRestoreCallbackData*, void*) { shown << Snapshot(); }, Qt::BlockingQueuedConnection);
        connect(
            thread, &RestoreThread::OnRestoreCallback, this,
            [this](MRRestoreCallbackData* data, void*) { MaybeHold(*data); }, Qt::DirectConnection);
    }
    ~RunWatch() override { Release(); }

    QStringList shown;

    void HoldAfter(int step, int status) {
        QMutexLocker lock(&m_mutex);
        m_holdStep = step;
        m_holdStatus = status;
    }
    bool Held() {
        QMutexLocker lock(&m_mutex);
        return m_held;
    }
    void Release() { HoldNext(-1, -1); }
    // Lets the held run go on until the report named, and holds it there.
    void HoldNext(int step, int status) {
        QMutexLocker lock(&m_mutex);
        m_holdStep = step;
        m_holdStatus = status;
        m_held = false;
        ++m_releases;
        m_wake.wakeAll();
    }

    // What the repair's pages show: the page, then its texts.
    QString Snapshot() const;

private:
    void MaybeHold(const MRRestoreCallbackData& data) {
        QMutexLocker lock(&m_mutex);
        if (data.step != m_holdStep || data.status != m_holdStatus)
            return;
        m_held = true;
        const int releases = m_releases;
        while (m_releases == releases)
            m_wake.wait(&m_mutex);
    }

    Mendra* m_window;
    QMutex m_mutex;
    QWaitCondition m_wake;
    int m_holdStep = -1;
    int m_holdStatus = -1;
    bool m_held = false;
    int m_releases = 0;
};

QString RunWatch::Snapshot() const {
    const Mendra& w = *m_window;
    QStringList parts{MainPageName(w)};
    const QString page = parts.first();
    if (page == QLatin1String("select/CheckFirmware")) {
        parts << Child<QLabel>(w, "FirmwareStateLbl")->text();
        if (!Child<QLabel>(w, "errCodeLbl")->isHidden())
            parts << Child<QLabel>(w, "errCodeLbl")->text() + Child<QLabel>(w, "descriptionLbl")->text() +
                         Child<QLabel>(w, "errStringLbl")->text();
        parts << Child<QLabel>(w, "ProgressBarValueLbl")->text();
        if (!Child<QLabel>(w, "DowanLoadSpeed")->isHidden())
            parts << QStringLiteral("speed ") + Child<QLabel>(w, "DowanLoadSpeed")->text();
    } else if (page == QLatin1String("fix/ReadyToFix")) {
        parts << Child<QLabel>(w, "FirmwareVersionLbl")->text();
    } else if (page == QLatin1String("fix/Fixing")) {
        if (!Child<QLabel>(w, "progressValueLbl")->isHidden())
            parts << Child<QLabel>(w, "progressValueLbl")->text();
        parts << Child<QLabel>(w, "fixStatusLbl")->text();
    }
    return parts.join(QStringLiteral(" | "));
}

// The lines matched in this order, each by a line of its own; the first line that did not match, or an
// empty text when all did.
QString MissingInOrder(const QStringList& shown, const QStringList& patterns) {
    int at = 0;
    for (const QString& pattern : patterns) {
        const QRegularExpression expression(QStringLiteral("^(?:%1)$").arg(pattern));
        while (at < shown.size() && !expression.match(shown.at(at)).hasMatch())
            ++at;
        if (at == shown.size())
            return pattern;
        ++at;
    }
    return QString();
}

QString Literal(const QString& text) {
    return QRegularExpression::escape(text);
}

const QString Percent = QStringLiteral("\\d{1,3}\\.\\d%\\.\\.\\.");
const QString Speed = QStringLiteral("speed (\\d+ B/s|\\d+ KB/s|\\d+\\.\\d\\d MB/s)");

// Plays a device that reaches recovery mode by itself just as the user's change starts: the device's mode
// notification is handled before the change's thread runs, and the thread then finds nothing left to change,
// so no notification follows it.
class ModeReachedFirst : public QObject {
public:
    ModeReachedFirst(const MRSimControl* devices, QComboBox* entries) : m_devices(devices), m_entries(entries) {}
    bool armed = false;
    bool reached = false; // the window listed the device in its new mode before the change began

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // The model's new child is the change's thread, not yet started.
        if (!armed || event->type() != QEvent::ChildAdded)
            return false;
        armed = false;
        m_devices->SetMode(PhoneId, MRModeRecovery);
        reached =
            QTest::qWaitFor([this] { return m_entries->currentText().endsWith(QLatin1String("[Recovery]")); }, Slow);
        return false;
    }

private:
    const MRSimControl* m_devices;
    QComboBox* m_entries;
};

enum Branch {
    DownloadFails,
    BackRightAfterDownloadAgain,
    WrongChecksum,
    RestoreFails,
    DepartsMidRestore,
    LeavesWhileReenumerating,
    OtherDeviceWhileAway,
    BackWhileDownloading,
    BackWhileVerifying,
    BackFromReadyPage,
    BackDuringSecondVerification,
    BackDuringUnzip,
    BackDuringRestore,
    LocalFirmware
};

// How the work on the package fails, in the first run or, after "Fix Now", in the second.
enum PackageFault {
    DownloadFault,        // the library's fault at the download
    ChangedOnReadyPage,   // a byte of the package changes while the ready page is shown
    CutOnReadyPage,       // the package loses its second half meanwhile
    UnpackFault,          // the library's fault at the unpack
    GoneOnReadyPage,      // the package is deleted meanwhile: the second run downloads it, and the server fails
    GoneThenDownloadFault // the same, and the library's fault at that download
};

} // namespace

Q_DECLARE_METATYPE(Branch)
Q_DECLARE_METATYPE(PackageFault)

class TestRepairRoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void road_data();
    void road();
    void branches_data();
    void branches();
    void arrivalShowsMode_data();
    void arrivalShowsMode();
    void recoveryButton_data();
    void recoveryButton();
    void packageFailures_data();
    void packageFailures();
    void secondRunDownloadShowsProgress();
    void closeOnTheCheckPage_data();
    void closeOnTheCheckPage();
    void outsideTextShownAsItReads_data();
    void outsideTextShownAsItReads();
    void boxWhileTheRunMovesOn_data();
    void boxWhileTheRunMovesOn();
    void phonesLeaveTogether_data();
    void phonesLeaveTogether();
    void unpluggedBeforeTheDeviceSteps_data();
    void unpluggedBeforeTheDeviceSteps();

private:
    // Opens the program's window in its frame with the phone of the scenario still unplugged. A phone that
    // re-enumerates is off the bus for offBusMs at each mode change.
    void Open(const QString& sha1 = QString(), int restoreMs = 400, bool reenumerate = false, int offBusMs = 0,
              int recoveryMs = 200);
    void Close();
    void PlugPhone();
    void StartStandardOrAdvanced(bool advanced);
    void Download();
    void FinishFirstRun();
    void FixNowUntilDone();
    // From the firmware selection: the first run, or the second one after the first, held in the step (a download
    // by the server, the other steps after a progress report).
    void HoldRunAt(bool secondRun, int step);
    void Shot(const QString& name);
    // The repair's package in the download folder.
    QString DownloadedPackage() const;

    QString Page() const { return MainPageName(*m_window); }
    QStringList Buttons() const { return VisibleStatusButtons(*m_window); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*m_window, name); }
    QString Title() const { return m_frame->GetTitleBar()->TitleLabel()->text(); }
    MyModel& Model() const { return dynamic_cast<MyModelEngine*>(m_window->Engine())->Model(); }
    MRSimDeviceState Phone(quint64 id = PhoneId) const;
    static bool Shown(const QWidget* widget) { return !widget->isHidden(); }

    QTemporaryDir m_home;
    const MRSimControl* m_devices = nullptr;
    FirmwareServer m_server;
    QByteArray m_packageSha1;
    QString m_packagePath;
    QPointer<Mendra> m_window;
    MyFrame* m_frame = nullptr;
    RunWatch* m_watch = nullptr;
    bool m_shots = true; // the screenshots show the plain road only
};

void TestRepairRoad::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("HOME", m_home.path().toUtf8());
    QVERIFY(LoadEditionData());
    // Nothing at start-up reaches beyond this machine: no statistics page.
    gAppData->Stalink.clear();
    gAppData->Support = QStringLiteral("http://127.0.0.1:9/support");
    gConfig = new MyConfig;
    gConfig->SetDownloadPath(m_home.filePath(QStringLiteral("Downloads")), false);

    // The program's look: its skin, style sheet and fonts, pictures found from the program folder.
    const QString runtime = qEnvironmentVariable("MENDRA_RUNTIME_DIR");
    QDir::setCurrent(runtime);
    QCOMPARE(InitShippedSkin(), 3);
    SetSkinScaleForScreenWidth(1920);
    SkinManager::Instance()->LoadStyleSheet();
    SetupApplicationFonts(SkinManager::Instance()->GetStyleSheet(), QStringLiteral("en"));

    m_packagePath = QDir(runtime).filePath(QLatin1String(PackageName));
    QFile package(m_packagePath);
    QVERIFY(package.open(QIODevice::ReadOnly));
    m_server.body = package.readAll();
    QVERIFY(m_server.body.size() > 1024 * 1024);
    m_packageSha1 = QCryptographicHash::hash(m_server.body, QCryptographicHash::Sha1).toHex();
    QVERIFY(m_server.Start());

    m_devices = simulatedDevices();
    QVERIFY(m_devices);
}

void TestRepairRoad::cleanup() {
    Close();
    m_shots = true;
    QCOMPARE(m_devices->LoadScenario("{\"devices\": []}"), 0);
    QCOMPARE(m_devices->WaitIdle(Slow), 0);
    // Every run starts with nothing downloaded.
    QDir(gConfig->GetDownloadPath()).removeRecursively();
    m_server.status = 200;
    m_server.Release();
    MendraMessageBox::ClearQueuedAnswers();
}

void TestRepairRoad::cleanupTestCase() {
    delete gConfig;
    gConfig = nullptr;
    FreeEditionData();
}

void TestRepairRoad::Open(const QString& sha1, int restoreMs, bool reenumerate, int offBusMs, int recoveryMs) {
    const QString scenario =
        QStringLiteral("{\"timing\": {\"enterRecoveryMs\": %10, \"quitRecoveryMs\": %10, \"restoreMs\": %1,"
                       " \"reenumerateMs\": %8}, \"modeChange\": \"%7\","
                       " \"firmware\": {\"iPhone12,1\": [{\"version\": \"%2\", \"url\": \"%3\", \"sha1\": \"%4\","
                       " \"size\": %5}]}, \"devices\": [{\"id\": 1, \"name\": \"%6\", \"info\": \"iPhone 11\","
                       " \"productType\": \"iPhone12,1\", \"arriveMs\": -1},"
                       " {\"id\": 2, \"name\": \"%9\", \"productType\": \"iPhone12,1\", \"arriveMs\": -1},"
                       " {\"id\": 3, \"name\": \"Cy's iPhone\", \"productType\": \"iPhone12,1\", \"arriveMs\": -1}]}")
            .arg(restoreMs)
            .arg(QLatin1String(Version), m_server.Url(), sha1.isEmpty() ? QString::fromLatin1(m_packageSha1) : sha1)
            .arg(m_server.body.size())
            .arg(QLatin1String(PhoneName), reenumerate ? QStringLiteral("reenumerate") : QStringLiteral("change"))
            .arg(offBusMs)
            .arg(QLatin1String(OtherPhoneName))
            .arg(recoveryMs);
    QCOMPARE(m_devices->LoadScenario(scenario.toUtf8().constData()), 0);
    QCOMPARE(m_devices->WaitIdle(Slow), 0);

    m_window = new Mendra;
    auto* engine = dynamic_cast<MyModelEngine*>(m_window->Engine());
    QVERIFY(engine);
    m_frame =
        new MyFrame(m_window, nullptr,
                    CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE | CAbstractFrame::FRAME_MAIN, QPixmap(), 0);
    Controller::Instance()->SetMainFrame(m_frame);
    Controller::Instance()->SetTitleLabel(m_frame->GetTitleBar());
    SkinManager::Instance()->NotifyAllImageUpdate();
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    auto* thread = engine->Model().findChild<RestoreThread*>();
    QVERIFY(thread);
    m_watch = new RunWatch(m_window, thread);

    // Nothing connected yet.
    QCOMPARE(Page(), QStringLiteral("home"));
    QCOMPARE(Buttons(), QStringList{"Next \"Start\""});
    QCOMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::NotConnected);
    QVERIFY(Shown(Child<QLabel>(*m_window, "deviceNotConnLbl")));
    QVERIFY(!Shown(Child<QPushButton>(*m_window, "recoveryModeStateBtn")));
}

void TestRepairRoad::Close() {
    if (m_watch)
        m_watch->Release();
    // As at shut-down: the window (and with it the device model) goes first, then its frame.
    delete m_window;
    delete m_watch;
    m_watch = nullptr;
    delete m_frame;
    m_frame = nullptr;
}

MRSimDeviceState TestRepairRoad::Phone(quint64 id) const {
    MRSimDeviceState state{};
    m_devices->GetState(id, &state);
    return state;
}

void TestRepairRoad::Shot(const QString& name) {
    const QString folder = qEnvironmentVariable("MENDRA_SCREENSHOT_DIR");
    if (folder.isEmpty() || !m_shots)
        return;
    QTest::qWait(300); // let the animations draw a frame
    m_frame->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

QString TestRepairRoad::DownloadedPackage() const {
    return QDir(gConfig->GetDownloadPath()).filePath(QLatin1String(PackageName));
}

void TestRepairRoad::PlugPhone() {
    QCOMPARE(m_devices->Plug(PhoneId), 0);
    QTRY_COMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 1);
    QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->currentText(), QLatin1String(PhoneName));
    QCOMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->currentText(), QLatin1String(PhoneName));
    QCOMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::DeviceList);
    QVERIFY(!Shown(Child<QLabel>(*m_window, "deviceNotConnLbl")));
    QVERIFY(Shown(Child<QPushButton>(*m_window, "recoveryModeStateBtn")));
    QVERIFY(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->isEnabled());
    QCOMPARE(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->text(), QStringLiteral("Enter Recovery Mode"));
    QVERIFY(!Child<QLabel>(*m_window, "connstatusIogoLbl")->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(Child<QComboBox>(*m_window, "SystemVersionBox")->count(), 1);
    QCOMPARE(Child<QComboBox>(*m_window, "SystemVersionBox")->currentText(), QLatin1String(Version));
    QCOMPARE(Page(), QStringLiteral("home"));
    QCOMPARE(Buttons(), QStringList{"Next \"Start\""});
}

void TestRepairRoad::StartStandardOrAdvanced(bool advanced) {
    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QCOMPARE(Page(), QStringLiteral("mode"));
    QCOMPARE(Buttons(), QStringList{"Back"});
    QCOMPARE(Title(), QStringLiteral("Tavik Mendra"));
    Shot(QStringLiteral("2-mode-choice"));

    QTest::mouseClick(advanced ? Child<QPushButton>(*m_window, "advancedModeBtn")
                               : Child<QPushButton>(*m_window, "standardModeBtn"),
                      Qt::LeftButton);
    QCOMPARE(Page(), QStringLiteral("select/ChooseFirmware"));
    QCOMPARE(Buttons(), (QStringList{"Back", "Download"}));
    QCOMPARE(Title(), advanced ? QStringLiteral("Tavik Mendra - Advanced Mode")
                               : QStringLiteral("Tavik Mendra - Standard Mode"));
    QCOMPARE(Shown(Child<QLabel>(*m_window, "noteInfoLbl_22")), advanced);
    QCOMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->currentText(), QLatin1String(PhoneName));
    QCOMPARE(Child<QComboBox>(*m_window, "SystemVersionBox")->currentText(), QLatin1String(Version));
    QVERIFY(Child<QPushButton>(*m_window, "btnSelectFirmware")->isEnabled());
    QVERIFY(Child<QPushButton>(*m_window, "btnDownloadFirmware")->isEnabled());
}

void TestRepairRoad::Download() {
    QTest::mouseClick(Button("btnDownload"), Qt::LeftButton);
    QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
    QCOMPARE(Buttons(), QStringList{"Back"});
}

// From the download's end: the package verified, the ready page.
void TestRepairRoad::FinishFirstRun() {
    QTRY_COMPARE_WITH_TIMEOUT(Page(), QStringLiteral("fix/ReadyToFix"), Slow);
    QCOMPARE(Stack<FixConnState>(*m_window, "connStatestackedWidget"), FixConnState::FixingDevice);
    QCOMPARE(Child<QLabel>(*m_window, "FirmwareVersionLbl")->text(), QLatin1String(Version));
    QCOMPARE(Child<QLabel>(*m_window, "iPhoneFixingLabel")->text(), QLatin1String(PhoneName));
    QVERIFY(!Child<QLabel>(*m_window, "FixStateLbl")->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(Buttons(), (QStringList{"Back", "Next \"Fix Now\""}));
    QTRY_COMPARE(
        MissingInOrder(m_watch->shown, {Literal("select/CheckFirmware | Verifying the Firmware package... | 0.0%..."),
                                        Literal("select/CheckFirmware | Verifying the Firmware package... | 100.0%..."),
                                        Literal(QStringLiteral("fix/ReadyToFix | ") + QLatin1String(Version))}),
        QString());
}

// "Fix Now" and the second run to its successful end.
void TestRepairRoad::FixNowUntilDone() {
    m_watch->shown.clear();
    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
    QCOMPARE(Buttons(), (QStringList{"Back", "Next \"Fixing\" (off)"}));
    QCOMPARE(Child<QLabel>(*m_window, "fixStatusLbl")->text(), QStringLiteral("Reparing. It takes about 10min..."));
    QCOMPARE(Child<QLabel>(*m_window, "noteInfoLbl_3")->text(),
             QStringLiteral("1. Keep your device connected, and do not use it during fixing."));
    QVERIFY(Child<QLabel>(*m_window, "FixStateLbl")->movie());

    QTRY_COMPARE_WITH_TIMEOUT(Button("btnNext")->text(), QStringLiteral("Done"), Slow);
    QTRY_COMPARE(
        MissingInOrder(m_watch->shown,
                       {Literal("fix/Fixing | Secondary Verification: 0.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Secondary Verification: 100.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Unziping: 0.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Unziping: 100.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Enter Recovery Mode: 0.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Enter Recovery Mode: 100.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Repairing: 0.0%... | Reparing. It takes about 10min..."),
                        "fix/Fixing \\| Repairing: " + Percent + " \\| Reparing\\. It takes about 10min\\.\\.\\.",
                        Literal("fix/Fixing | Repair Success.")}),
        QString());
    QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
    QCOMPARE(Buttons(), QStringList{"Next \"Done\""});
    QCOMPARE(Child<QLabel>(*m_window, "fixStatusLbl")->text(), QStringLiteral("Repair Success."));
    QCOMPARE(Child<QLabel>(*m_window, "repairInfoLbl")->text(),
             QStringLiteral("Please restart to check the device.\nIf the repair fails, please restart your device and "
                            "PC before trying again."));
    QCOMPARE(Child<QLabel>(*m_window, "noteInfoLbl_3")->text(),
             QStringLiteral("<style> a {text-decoration: none} </style> <a href=\"http://127.0.0.1:9/support\">Contact "
                            "us for more help."));
    QVERIFY(!Shown(Child<QProgressBar>(*m_window, "FixprogressBar")));
    QVERIFY(!Shown(Child<QLabel>(*m_window, "progressValueLbl")));
    QVERIFY(!Child<QLabel>(*m_window, "FixStateLbl")->pixmap(Qt::ReturnByValue).isNull());
}

void TestRepairRoad::HoldRunAt(bool secondRun, int step) {
    if (secondRun) {
        Download();
        FinishFirstRun();
    }
    if (step == MRStepDownload) {
        m_server.holdAt = 512 * 1024;
        Download();
        QTRY_VERIFY_WITH_TIMEOUT(m_server.Holding(), Slow);
        return;
    }
    m_watch->HoldAfter(step, MRStatusProgress);
    if (secondRun)
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    else
        Download();
    QTRY_VERIFY_WITH_TIMEOUT(m_watch->Held(), Slow);
}

// A phone that re-enumerates is off the bus for a while when it enters recovery mode and again when it restarts
// after the restore; the repair goes on with it under its new handle, and the window shows no lost device.
void TestRepairRoad::road_data() {
    QTest::addColumn<bool>("advanced");
    QTest::addColumn<bool>("reenumerate");
    QTest::newRow("standard mode keeps the data") << false << false;
    QTest::newRow("advanced mode erases the device") << true << false;
    QTest::newRow("standard mode, the phone re-enumerates") << false << true;
    QTest::newRow("advanced mode, the phone re-enumerates") << true << true;
}

void TestRepairRoad::road() {
    QFETCH(bool, advanced);
    QFETCH(bool, reenumerate);
    ExpectBoxes({});
    m_shots = !reenumerate;
    Open(QString(), 400, reenumerate, reenumerate ? 300 : 0);
    Shot(QStringLiteral("0-home-no-device"));
    PlugPhone();
    Shot(QStringLiteral("1-home-device"));
    StartStandardOrAdvanced(advanced);
    Shot(QStringLiteral("3-select-firmware"));

    // The download, held part way so that its progress and speed can be read.
    const qint64 gate = 1024 * 1024;
    m_server.holdAt = gate;
    Download();
    const float permille = std::trunc(float(gate) / float(m_server.body.size()) * 1000.0f);
    const QString percent = QString::asprintf("%0.1f", permille / 10.0) + QStringLiteral("%...");
    QTRY_VERIFY_WITH_TIMEOUT(m_server.Holding(), Slow);
    QTRY_COMPARE_WITH_TIMEOUT(Child<QLabel>(*m_window, "ProgressBarValueLbl")->text(), percent, Slow);
    QCOMPARE(Child<QProgressBar>(*m_window, "FirmwareProgressBar")->value(), int(permille));
    QCOMPARE(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(),
             QStringLiteral("Downloading the Firmware package..."));
    QVERIFY(Shown(Child<QLabel>(*m_window, "DowanLoadSpeed")));
    QVERIFY2(QRegularExpression("^" + Speed.mid(6) + "$")
                 .match(Child<QLabel>(*m_window, "DowanLoadSpeed")->text())
                 .hasMatch(),
             qPrintable(Child<QLabel>(*m_window, "DowanLoadSpeed")->text()));
    for (QLabel* label : {Child<QLabel>(*m_window, "errCodeLbl"), Child<QLabel>(*m_window, "descriptionLbl"),
                          Child<QLabel>(*m_window, "errStringLbl"), Child<QLabel>(*m_window, "FirmwareHintLbl")})
        QVERIFY(!Shown(label));
    QVERIFY(Child<QLabel>(*m_window, "FirmwareStatePic")->movie());
    QCOMPARE(Child<QLabel>(*m_window, "FirmwareStatePic")->movie()->state(), QMovie::Running);
    QCOMPARE(Buttons(), QStringList{"Back"});
    QVERIFY(Phone().jobRunning);
    Shot(QStringLiteral("4-downloading"));

    m_server.Release();
    FinishFirstRun();
    QTRY_COMPARE(
        MissingInOrder(
            m_watch->shown,
            {Literal("select/CheckFirmware | Downloading the Firmware package... | 0.0%... | speed "),
             "select/CheckFirmware \\| Downloading the Firmware package\\.\\.\\. \\| " + Percent + " \\| " + Speed,
             Literal("select/CheckFirmware | Download finished... | 100.0%..."),
             Literal("select/CheckFirmware | Verifying the Firmware package... | 0.0%...")}),
        QString());
    QCOMPARE(Shown(Child<QLabel>(*m_window, "noteInfoLbl_22")), advanced);
    QCOMPARE(Title(), advanced ? QStringLiteral("Tavik Mendra - Advanced Mode")
                               : QStringLiteral("Tavik Mendra - Standard Mode"));
    Shot(QStringLiteral("5-ready-to-fix"));

    FixNowUntilDone();
    Shot(QStringLiteral("7-success"));
    const MRSimDeviceState phone = Phone();
    QCOMPARE(phone.restoreCount, 1);
    QCOMPARE(phone.lastOption, advanced ? 1 : 0);
    QCOMPARE(phone.erased, advanced ? 1 : 0);
    QCOMPARE(QString::fromLatin1(phone.lastVersion), QLatin1String(Version));
    QCOMPARE(phone.mode, 0);

    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QCOMPARE(Page(), QStringLiteral("home"));
    QCOMPARE(Buttons(), QStringList{"Next \"Start\""});
    QCOMPARE(Title(), QStringLiteral("Tavik Mendra"));
    QCOMPARE(Controller::Instance()->GetRepairMode(), RepairMode::NotChosen);
    // A phone that re-enumerates may still be restarting.
    QTRY_COMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->currentText(), QLatin1String(PhoneName));
    QTRY_VERIFY(!Phone().jobRunning);
    QCOMPARE(m_devices->WaitIdle(Slow), 0);

    // A second repair in the same session starts from a clean state; the package is there already.
    const int requests = m_server.requests;
    m_watch->shown.clear();
    StartStandardOrAdvanced(advanced);
    Download();
    FinishFirstRun();
    QCOMPARE(m_server.requests, requests);
    FixNowUntilDone();
    QCOMPARE(Phone().restoreCount, 2);
    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QCOMPARE(Page(), QStringLiteral("home"));
    QCOMPARE(Buttons(), QStringList{"Next \"Start\""});
    QCOMPARE(MendraMessageBox::ShownMessages(), QStringList());
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

void TestRepairRoad::branches_data() {
    QTest::addColumn<Branch>("branch");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("endPage");
    QTest::addColumn<QStringList>("endButtons");

    const QString downloading = QStringLiteral("Are you sure you want to stop downloading the firmware package?");
    const QString verifying = QStringLiteral("Are you sure you want to stop verifying the firmware package?");
    const QString goBack = QStringLiteral("Firmware package will be re-verfied after going back.\nGo back?");
    const QString stopFixing = QStringLiteral("Are you sure to stop fixing?");
    QTest::newRow("download fails, then Download again") << DownloadFails << QList<int>{} << QStringList{}
                                                         << "fix/ReadyToFix" << QStringList{"Back", "Next \"Fix Now\""};
    QTest::newRow("download fails, Download again, Back at once asks, No then Yes")
        << BackRightAfterDownloadAgain << QList<int>{No, Ok} << QStringList{downloading, downloading}
        << "select/ChooseFirmware" << QStringList{"Back", "Download"};
    QTest::newRow("wrong checksum") << WrongChecksum << QList<int>{} << QStringList{} << "select/ChooseFirmware"
                                    << QStringList{"Back", "Download"};
    QTest::newRow("restore fails, Try again")
        << RestoreFails << QList<int>{Ok} << QStringList{"Please re-connect the device to scan and fix."} << "home"
        << QStringList{"Next \"Start\""};
    const QString lost = QStringLiteral("Device not connected. Please re-connect device.");
    QTest::newRow("device departs mid-restore") << DepartsMidRestore << QList<int>{Yes} << QStringList{lost}
                                                << "fix/NoDevice" << QStringList{"Back", "Next \"Start\" (off)"};
    QTest::newRow("the phone leaves for good while it re-enumerates")
        << LeavesWhileReenumerating << QList<int>{Yes} << QStringList{lost} << "fix/NoDevice"
        << QStringList{"Back", "Next \"Start\" (off)"};
    QTest::newRow("another phone arrives while the phone is away")
        << OtherDeviceWhileAway << QList<int>{Yes} << QStringList{lost} << "fix/NoDevice"
        << QStringList{"Back", "Next \"Start\" (off)"};
    QTest::newRow("Back while downloading, No then Yes")
        << BackWhileDownloading << QList<int>{No, Ok} << QStringList{downloading, downloading}
        << "select/ChooseFirmware" << QStringList{"Back", "Download"};
    QTest::newRow("Back while verifying, No then Yes")
        << BackWhileVerifying << QList<int>{No, Ok} << QStringList{verifying, verifying} << "select/ChooseFirmware"
        << QStringList{"Back", "Download"};
    QTest::newRow("Back from the ready page, No then Yes, Download verifies again")
        << BackFromReadyPage << QList<int>{No, Ok} << QStringList{goBack, goBack} << "fix/ReadyToFix"
        << QStringList{"Back", "Next \"Fix Now\""};
    QTest::newRow("Back during the second verification, No then Yes, Fix Now again")
        << BackDuringSecondVerification << QList<int>{No, Ok} << QStringList{stopFixing, stopFixing} << "fix/Fixing"
        << QStringList{"Next \"Done\""};
    QTest::newRow("Back during the unzip, No then Yes, Fix Now again")
        << BackDuringUnzip << QList<int>{No, Ok} << QStringList{stopFixing, stopFixing} << "fix/Fixing"
        << QStringList{"Next \"Done\""};
    QTest::newRow("Back during the restore only warns")
        << BackDuringRestore << QList<int>{Ok}
        << QStringList{"The device is being repaired, please do not close the program."} << "fix/Fixing"
        << QStringList{"Next \"Done\""};
    QTest::newRow("local firmware file") << LocalFirmware << QList<int>{} << QStringList{} << "fix/Fixing"
                                         << QStringList{"Next \"Done\""};
}

void TestRepairRoad::branches() {
    QFETCH(Branch, branch);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, boxes);
    QFETCH(QString, endPage);
    QFETCH(QStringList, endButtons);

    ExpectBoxes(answers);
    const QString wrongSha1(40, QLatin1Char('0'));
    const bool away = branch == LeavesWhileReenumerating || branch == OtherDeviceWhileAway;
    // Off the bus long enough that only the test brings it back.
    Open(branch == WrongChecksum ? wrongSha1 : QString(), branch == DepartsMidRestore ? 2000 : 400, away,
         away ? 60000 : 0);
    // A phone that left is waited for; these tests shorten the wait, or leave it long enough to act in.
    Model().SetReconnectGraceMs(branch == OtherDeviceWhileAway ? 3000 : 300);
    PlugPhone();
    StartStandardOrAdvanced(false);

    switch (branch) {
    case DownloadFails: {
        m_server.status = 404;
        Download();
        QTRY_COMPARE_WITH_TIMEOUT(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(),
                                  QStringLiteral("Downloading failed. Error code:"), Slow);
        QCOMPARE(Child<QLabel>(*m_window, "errCodeLbl")->text(), QStringLiteral("6"));
        QCOMPARE(Child<QLabel>(*m_window, "descriptionLbl")->text(), QStringLiteral(", description:"));
        QCOMPARE(Child<QLabel>(*m_window, "errStringLbl")->text(), QStringLiteral("The server answered HTTP 404"));
        QCOMPARE(Child<QLabel>(*m_window, "FirmwareHintLbl")->text(),
                 QStringLiteral("Please keep the Internet well connected."));
        for (QLabel* label : {Child<QLabel>(*m_window, "errCodeLbl"), Child<QLabel>(*m_window, "descriptionLbl"),
                              Child<QLabel>(*m_window, "errStringLbl"), Child<QLabel>(*m_window, "FirmwareHintLbl")})
            QVERIFY(Shown(label));
        QVERIFY(!Shown(Child<QLabel>(*m_window, "DowanLoadSpeed")));
        QVERIFY(!Child<QLabel>(*m_window, "FirmwareStatePic")->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
        QCOMPARE(Buttons(), (QStringList{"Back", "RetryDownload"}));
        QCOMPARE(Button("btnRetryDownload")->text(), QStringLiteral("Download again"));
        Shot(QStringLiteral("8-download-failed"));

        m_server.status = 200;
        QTest::mouseClick(Button("btnRetryDownload"), Qt::LeftButton);
        QTRY_COMPARE(Buttons(), QStringList{"Back"});
        FinishFirstRun();
        break;
    }
    case BackRightAfterDownloadAgain: {
        m_server.status = 404;
        Download();
        QTRY_COMPARE_WITH_TIMEOUT(Buttons(), (QStringList{"Back", "RetryDownload"}), Slow);
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        m_server.status = 200;
        m_server.holdAt = 512 * 1024;
        // Back before the new download's first report: the page no longer counts as failed.
        QTest::mouseClick(Button("btnRetryDownload"), Qt::LeftButton);
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
        QCOMPARE(Buttons(), QStringList{"Back"});
        QTRY_VERIFY_WITH_TIMEOUT(m_server.Holding(), Slow);
        QVERIFY(Phone().jobRunning);
        QCOMPARE(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(),
                 QStringLiteral("Downloading the Firmware package..."));
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("select/ChooseFirmware"));
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        break;
    }
    case WrongChecksum: {
        Download();
        QTRY_COMPARE_WITH_TIMEOUT(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(),
                                  QStringLiteral("Verifying failed. Error code:"), Slow);
        QCOMPARE(Child<QLabel>(*m_window, "errCodeLbl")->text(), QStringLiteral("9"));
        QCOMPARE(Child<QLabel>(*m_window, "descriptionLbl")->text(), QStringLiteral(", description:"));
        QCOMPARE(WithoutBreakMarks(Child<QLabel>(*m_window, "errStringLbl")->text()),
                 QStringLiteral("The package's SHA-1 is %1, expected %2")
                     .arg(QString::fromLatin1(m_packageSha1), wrongSha1));
        QCOMPARE(Child<QLabel>(*m_window, "FirmwareHintLbl")->text(),
                 QStringLiteral("Please try other System versions or use the Advanced Mode."));
        QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
        QCOMPARE(Buttons(), QStringList{"Back"});
        // Nothing is left running to ask about.
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        break;
    }
    case RestoreFails: {
        MRSimFault fault{MRStepRestore, 50, MRErrorDevice, "The device refused the restore", 0, 0, 0};
        QCOMPARE(m_devices->InjectFault(PhoneId, &fault), 0);
        Download();
        FinishFirstRun();
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(Button("btnNext")->text(), QStringLiteral("Try again"), Slow);
        QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
        QCOMPARE(Buttons(), QStringList{"Next \"Try again\""});
        QCOMPARE(Child<QLabel>(*m_window, "fixStatusLbl")->text(), QStringLiteral("Repair failed."));
        QCOMPARE(Child<QLabel>(*m_window, "fixStatusLbl")->styleSheet(), QStringLiteral("color: rgb(255, 0, 0);"));
        QCOMPARE(Child<QLabel>(*m_window, "repairInfoLbl")->text(),
                 QStringLiteral("Check whether the device restarts. If the restart fails, please restart computer and "
                                "device before you use Advanced Mode to try again."));
        QVERIFY(
            Child<QLabel>(*m_window, "noteInfoLbl_3")->text().contains(QStringLiteral(">Contact us for more help.")));
        QVERIFY(!Shown(Child<QLabel>(*m_window, "progressValueLbl")));
        // The failed device restarts, as a real one does: it comes back in recovery mode, to be tried again.
        QTRY_COMPARE_WITH_TIMEOUT(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 1, Slow);
        QCOMPARE(Phone().mode, int(MRModeRecovery));
        QCOMPARE(Phone().restoreCount, 0);
        Shot(QStringLiteral("9-repair-failed"));
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
        QTRY_COMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::DeviceList);
        QVERIFY(Shown(Child<QPushButton>(*m_window, "recoveryModeStateBtn")));
        QCOMPARE(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->text(), QStringLiteral("Quit Recovery Mode"));
        break;
    }
    case DepartsMidRestore: {
        Download();
        FinishFirstRun();
        m_watch->HoldAfter(MRStepRestore, MRStatusProgress);
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(m_watch->Held(), Slow);
        QVERIFY(Child<QLabel>(*m_window, "progressValueLbl")->text().startsWith(QStringLiteral("Repairing: ")));
        QCOMPARE(m_devices->Unplug(PhoneId), 0);
        QTRY_COMPARE_WITH_TIMEOUT(Page(), QStringLiteral("fix/NoDevice"), Slow);
        m_watch->Release();
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        QCOMPARE(m_devices->WaitIdle(Slow), 0);
        QCOMPARE(Stack<FixConnState>(*m_window, "connStatestackedWidget"), FixConnState::Disconnected);
        QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 0);
        QCOMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::NotConnected);
        QCOMPARE(Controller::Instance()->GetRepairMode(), RepairMode::NotChosen);
        QCOMPARE(Phone().restoreCount, 0);
        break;
    }
    case LeavesWhileReenumerating:
    case OtherDeviceWhileAway: {
        const bool other = branch == OtherDeviceWhileAway;
        Download();
        FinishFirstRun();
        // Entering recovery mode takes the phone off the bus; the run is held there while the test acts.
        m_watch->HoldAfter(MRStepEnterRecovery, MRStatusFinished);
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(m_watch->Held(), Slow);
        QCOMPARE(Phone().present, 0);
        QCOMPARE(m_devices->Unplug(PhoneId), 0); // pulled out while away: it does not come back
        if (other) {
            QCOMPARE(m_devices->Plug(OtherPhoneId), 0);
            QTRY_COMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->currentText(), QLatin1String(OtherPhoneName));
            // Listed and selected, but the repair is still the phone's and its page stays.
            QVERIFY(Model().IsWaitingForWorkDevice());
            QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
            QCOMPARE(Child<QLabel>(*m_window, "fixStatusLbl")->text(),
                     QStringLiteral("Reparing. It takes about 10min..."));
            QCOMPARE(MendraMessageBox::ShownMessages(), QStringList());
        }
        QTRY_COMPARE_WITH_TIMEOUT(Page(), QStringLiteral("fix/NoDevice"), Slow);
        m_watch->Release();
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        QCOMPARE(m_devices->WaitIdle(Slow), 0);
        QCOMPARE(Controller::Instance()->GetRepairMode(), RepairMode::NotChosen);
        QCOMPARE(Phone().restoreCount, 0);
        QCOMPARE(Phone(OtherPhoneId).restoreCount, 0);
        QCOMPARE(Phone(OtherPhoneId).jobRunning, 0);
        break;
    }
    case BackWhileDownloading: {
        m_server.holdAt = 512 * 1024;
        Download();
        QTRY_VERIFY_WITH_TIMEOUT(m_server.Holding(), Slow);
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
        QVERIFY(Phone().jobRunning);
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("select/ChooseFirmware"));
        QVERIFY(!Shown(Child<QLabel>(*m_window, "FirmwareHintLbl")));
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        break;
    }
    case BackWhileVerifying: {
        m_watch->HoldAfter(MRStepVerify, MRStatusProgress);
        Download();
        QTRY_VERIFY_WITH_TIMEOUT(m_watch->Held(), Slow);
        QCOMPARE(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(),
                 QStringLiteral("Verifying the Firmware package..."));
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("select/ChooseFirmware"));
        m_watch->Release();
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        QCOMPARE(m_devices->WaitIdle(Slow), 0);
        break;
    }
    case BackFromReadyPage: {
        Download();
        FinishFirstRun();
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("fix/ReadyToFix"));
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("select/ChooseFirmware"));
        QCOMPARE(Buttons(), (QStringList{"Back", "Download"}));
        QCOMPARE(Button("btnNext")->text(), QStringLiteral("Start"));
        // The package is there already: Download goes straight to its verification.
        const int requests = m_server.requests;
        m_watch->shown.clear();
        Download();
        FinishFirstRun();
        QCOMPARE(m_server.requests, requests);
        QVERIFY(!m_watch->shown.join('\n').contains(QStringLiteral("Downloading")));
        break;
    }
    case BackDuringSecondVerification:
    case BackDuringUnzip: {
        // The device is not touched yet: the run can still be stopped, and "Fix Now" starts it again.
        Download();
        FinishFirstRun();
        const bool unzipping = branch == BackDuringUnzip;
        m_watch->HoldAfter(unzipping ? MRStepUnzip : MRStepVerify, MRStatusProgress);
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(m_watch->Held(), Slow);
        QVERIFY(Child<QLabel>(*m_window, "progressValueLbl")
                    ->text()
                    .startsWith(unzipping ? QStringLiteral("Unziping: ") : QStringLiteral("Secondary Verification: ")));
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("fix/ReadyToFix"));
        QCOMPARE(Buttons(), (QStringList{"Back", "Next \"Fix Now\""}));
        m_watch->Release();
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        QCOMPARE(Page(), QStringLiteral("fix/ReadyToFix"));
        QCOMPARE(Phone().restoreCount, 0);
        QCOMPARE(Phone().mode, int(MRModeNormal));
        FixNowUntilDone();
        break;
    }
    case BackDuringRestore: {
        Download();
        FinishFirstRun();
        m_watch->HoldAfter(MRStepRestore, MRStatusProgress);
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(m_watch->Held(), Slow);
        QVERIFY(Child<QLabel>(*m_window, "progressValueLbl")->text().startsWith(QStringLiteral("Repairing: ")));
        Shot(QStringLiteral("6-repairing"));
        QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
        QCOMPARE(Buttons(), (QStringList{"Back", "Next \"Fixing\" (off)"}));
        m_watch->Release();
        QTRY_COMPARE_WITH_TIMEOUT(Button("btnNext")->text(), QStringLiteral("Done"), Slow);
        QCOMPARE(Phone().restoreCount, 1);
        break;
    }
    case LocalFirmware: {
        const QString local = m_home.filePath(QStringLiteral("Mine.ipsw"));
        QVERIFY(QFile::copy(m_packagePath, local));
        QString askedIn;
        Controller::Instance()->SetFileChooser(
            [&](QWidget*, const QString& caption, const QString& folder, const QString& filter) {
                askedIn = caption + QLatin1Char('|') + folder + QLatin1Char('|') + filter;
                return local;
            });
        const int requests = m_server.requests;
        QTest::mouseClick(Child<QPushButton>(*m_window, "btnSelectFirmware"), Qt::LeftButton);
        QCOMPARE(askedIn, QStringLiteral("Select firmware|%1|*.ipsw").arg(gConfig->GetDownloadPath()));
        QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
        FinishFirstRun();
        QCOMPARE(m_server.requests, requests);
        QVERIFY(!m_watch->shown.join('\n').contains(QStringLiteral("Downloading")));
        FixNowUntilDone();
        QCOMPARE(Phone().restoreCount, 1);
        // The package's own version: a local package has no catalogue entry.
        QCOMPARE(QString::fromLatin1(Phone().lastVersion), QLatin1String(Version));
        QVERIFY(QFileInfo::exists(local));
        break;
    }
    }

    QCOMPARE(Page(), endPage);
    QCOMPARE(Buttons(), endButtons);
    QCOMPARE(MendraMessageBox::ShownMessages(), boxes);
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// A device is listed with its name and mode, and the recovery button offers what the mode allows.
void TestRepairRoad::arrivalShowsMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("normal") << 0 << "Ada's iPad"
                            << "Enter Recovery Mode" << true;
    QTest::newRow("recovery") << 1 << "Ada's iPad [Recovery]"
                              << "Quit Recovery Mode" << true;
    QTest::newRow("DFU") << 2 << "Ada's iPad [DFU]"
                         << "Quit DFU Mode" << false;
}

void TestRepairRoad::arrivalShowsMode() {
    QFETCH(int, mode);
    QFETCH(QString, entry);
    QFETCH(QString, button);
    QFETCH(bool, enabled);
    ExpectBoxes({});
    Open();
    const QString scenario =
        QStringLiteral("{\"devices\": [{\"id\": 7, \"name\": \"Ada's iPad\", \"mode\": %1}]}").arg(mode);
    QCOMPARE(m_devices->LoadScenario(scenario.toUtf8().constData()), 0);
    QTRY_COMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 1);
    QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->currentText(), entry);
    QCOMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->currentText(), entry);
    QCOMPARE(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->text(), button);
    QCOMPARE(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->isEnabled(), enabled);
    QVERIFY(Shown(Child<QPushButton>(*m_window, "recoveryModeStateBtn")));
    QCOMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::DeviceList);

    QCOMPARE(m_devices->Unplug(7), 0);
    QTRY_COMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 0);
    QCOMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::NotConnected);
    QVERIFY(Shown(Child<QLabel>(*m_window, "deviceNotConnLbl")));
    QVERIFY(!Shown(Child<QPushButton>(*m_window, "recoveryModeStateBtn")));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// The recovery button: while the mode changes it is off and the connecting animation plays, whatever other phone
// arrives meanwhile; afterwards, whether the change worked or failed, the button and the connection display show the
// device again.
void TestRepairRoad::recoveryButton_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("reenumerate");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<bool>("reachedFirst");
    QTest::addColumn<bool>("otherArrives");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("enter") << 0 << false << false << false << false << "Ada's iPhone [Recovery]"
                           << "Quit Recovery Mode" << QStringList{};
    QTest::newRow("enter, the device comes back as a new one")
        << 0 << true << false << false << false << "Ada's iPhone [Recovery]"
        << "Quit Recovery Mode" << QStringList{};
    QTest::newRow("enter, the device is there first and nothing follows")
        << 0 << false << false << true << false << "Ada's iPhone [Recovery]"
        << "Quit Recovery Mode" << QStringList{};
    QTest::newRow("quit") << 1 << false << false << false << false << "Ada's iPhone"
                          << "Enter Recovery Mode" << QStringList{};
    QTest::newRow("enter fails") << 0 << false << true << false << false << "Ada's iPhone"
                                 << "Enter Recovery Mode"
                                 << QStringList{"Failed to enter recovery mode. Please try again."};
    QTest::newRow("enter, another phone arrives meanwhile")
        << 0 << false << false << false << true << QString::fromLatin1(OtherPhoneName) << "Enter Recovery Mode"
        << QStringList{};
}

void TestRepairRoad::recoveryButton() {
    QFETCH(int, mode);
    QFETCH(bool, reenumerate);
    QFETCH(bool, fails);
    QFETCH(bool, reachedFirst);
    QFETCH(bool, otherArrives);
    QFETCH(QString, entry);
    QFETCH(QString, button);
    QFETCH(QStringList, boxes);
    ExpectBoxes(fails ? QList<int>{Ok} : QList<int>{});
    // Long enough a change that the other phone surely comes while it runs.
    Open(QString(), 400, reenumerate, 0, otherArrives ? 3000 : 200);
    PlugPhone();
    if (mode == 1) {
        QCOMPARE(m_devices->SetMode(PhoneId, MRModeRecovery), 0);
        QTRY_COMPARE(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->text(),
                     QStringLiteral("Quit Recovery Mode"));
    }
    if (fails) {
        MRSimFault fault{MRStepEnterRecovery, 50, MRErrorDevice, "", 0, 0, 0};
        QCOMPARE(m_devices->InjectFault(PhoneId, &fault), 0);
    }
    ModeReachedFirst hook(m_devices, Child<QComboBox>(*m_window, "iPhoneTypeBox"));
    hook.armed = reachedFirst;
    dynamic_cast<MyModelEngine*>(m_window->Engine())->Model().installEventFilter(&hook);
    QTest::mouseClick(Child<QPushButton>(*m_window, "recoveryModeStateBtn"), Qt::LeftButton);
    QCOMPARE(hook.reached, reachedFirst);
    // Off while the change runs, unless the device's own notification has just shown its new mode.
    QCOMPARE(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->isEnabled(), reachedFirst);
    QCOMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::Connecting);
    QMovie* movie = Child<QLabel>(*m_window, "connectLabel")->movie();
    QVERIFY(movie);
    QCOMPARE(movie->state(), QMovie::Running);
    if (otherArrives) {
        QCOMPARE(m_devices->Plug(OtherPhoneId), 0);
        QTRY_COMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 2);
        QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->currentText(), QLatin1String(OtherPhoneName));
        QVERIFY(Phone().jobRunning);
        // A click now would start a second change while the first one runs.
        QVERIFY(!Child<QPushButton>(*m_window, "recoveryModeStateBtn")->isEnabled());
    }

    QTRY_COMPARE_WITH_TIMEOUT(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::DeviceList,
                              Slow);
    QTRY_COMPARE_WITH_TIMEOUT(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->text(), button, Slow);
    // On once the change has ended, which the device's notification of its new mode may precede.
    QTRY_VERIFY_WITH_TIMEOUT(Child<QPushButton>(*m_window, "recoveryModeStateBtn")->isEnabled(), Slow);
    if (otherArrives) {
        QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->itemText(0), QStringLiteral("Ada's iPhone [Recovery]"));
        QCOMPARE(Phone(OtherPhoneId).mode, int(MRModeNormal));
    }
    QCOMPARE(movie->state(), QMovie::NotRunning);
    QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->currentText(), entry);
    QCOMPARE(m_devices->WaitIdle(Slow), 0);
    QCOMPARE(MendraMessageBox::ShownMessages(), boxes);
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// The work on the package fails (its download, its verification, or after "Fix Now" its unpack, before the phone is
// touched): the firmware check page shows the library's code and description with "Download again", the phone
// stays listed, and the hint fits what failed: nothing about the connection when the disk failed, nothing at all
// after an unpack, whose description says what happened. "Download again" then leads to the ready page again.
void TestRepairRoad::packageFailures_data() {
    QTest::addColumn<PackageFault>("fault");
    QTest::addColumn<bool>("secondRun");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("description"); // empty: the package's own checksum text, found by the test
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("hint"); // empty: no hint shown

    const QString downloadFailed = QStringLiteral("Downloading failed. Error code:");
    const QString verifyFailed = QStringLiteral("Verifying failed. Error code:");
    const QString keepConnected = QStringLiteral("Please keep the Internet well connected.");
    const QString otherVersions = QStringLiteral("Please try other System versions or use the Advanced Mode.");
    const QString noSpace =
        QStringLiteral("Cannot write /home/ada/Downloads/%1.part: No space left on device").arg(PackageName);
    const QString readOnly =
        QStringLiteral("Cannot write to the download folder /home/ada/Downloads: Read-only file system");
    const QString denied = QStringLiteral("Cannot write to the download folder /home/ada/Downloads: Permission denied");
    const QString gone =
        QStringLiteral("Cannot write /home/ada/Downloads/%1.part: it was removed during the download").arg(PackageName);

    QTest::newRow("download, no space left")
        << DownloadFault << false << int(MRErrorWrite) << noSpace << downloadFailed << QString();
    QTest::newRow("download, read-only folder")
        << DownloadFault << false << int(MRErrorFolder) << readOnly << downloadFailed << QString();
    QTest::newRow("download, no permission")
        << DownloadFault << false << int(MRErrorFolder) << denied << downloadFailed << QString();
    QTest::newRow("download, folder gone")
        << DownloadFault << false << int(MRErrorWrite) << gone << downloadFailed << QString();
    QTest::newRow("download, the connection breaks")
        << DownloadFault << false << int(MRErrorNetwork) << QStringLiteral("Connection reset by peer") << downloadFailed
        << keepConnected;
    QTest::newRow("second verification, the package changed on the ready page")
        << ChangedOnReadyPage << true << int(MRErrorChecksum) << QString() << verifyFailed << otherVersions;
    QTest::newRow("second verification, the package cut on the ready page")
        << CutOnReadyPage << true << int(MRErrorChecksum) << QString() << verifyFailed << otherVersions;
    QTest::newRow("unpack, damaged package")
        << UnpackFault << true << int(MRErrorUnzip)
        << QStringLiteral("The package is damaged: Restore.plist fails its CRC check") << verifyFailed << QString();
    QTest::newRow("unpack, no space left") << UnpackFault << true << int(MRErrorWrite)
                                           << QStringLiteral("Cannot write /home/ada/Downloads/.unpack-Q1w2E3/"
                                                             "Firmware/all_flash/LLB.img4: No space left on device")
                                           << verifyFailed << QString();
    QTest::newRow("unpack, its folder gone")
        << UnpackFault << true << int(MRErrorWrite)
        << QStringLiteral("The unpack folder /home/ada/Downloads/.unpack-Q1w2E3 was removed") << verifyFailed
        << QString();
    QTest::newRow("download in the second run, the server fails")
        << GoneOnReadyPage << true << int(MRErrorHttp) << QStringLiteral("The server answered HTTP 404")
        << downloadFailed << keepConnected;
    QTest::newRow("download in the second run, no space left")
        << GoneThenDownloadFault << true << int(MRErrorWrite) << noSpace << downloadFailed << QString();
}

void TestRepairRoad::packageFailures() {
    QFETCH(PackageFault, fault);
    QFETCH(bool, secondRun);
    QFETCH(int, code);
    QFETCH(QString, description);
    QFETCH(QString, state);
    QFETCH(QString, hint);
    ExpectBoxes({});
    Open();
    PlugPhone();
    StartStandardOrAdvanced(false);
    const QByteArray byteDescription = description.toUtf8();
    const auto inject = [&](int step) {
        MRSimFault simFault{step, 50, code, byteDescription.constData(), 0, 0, 0};
        QCOMPARE(m_devices->InjectFault(PhoneId, &simFault), 0);
    };
    if (fault == DownloadFault)
        inject(MRStepDownload);
    Download();
    if (secondRun) {
        FinishFirstRun();
        QFile package(DownloadedPackage());
        switch (fault) {
        case ChangedOnReadyPage: {
            QVERIFY(package.open(QIODevice::ReadWrite));
            QByteArray changed = m_server.body;
            changed[changed.size() / 2] = char(changed.at(changed.size() / 2) ^ 0x20);
            QCOMPARE(package.write(changed), qint64(changed.size()));
            package.close();
            description =
                QStringLiteral("The package's SHA-1 is %1, expected %2")
                    .arg(QString::fromLatin1(QCryptographicHash::hash(changed, QCryptographicHash::Sha1).toHex()),
                         QString::fromLatin1(m_packageSha1));
            break;
        }
        case CutOnReadyPage:
            QVERIFY(package.resize(m_server.body.size() / 2));
            break;
        case UnpackFault:
            inject(MRStepUnzip);
            break;
        case GoneOnReadyPage:
            QVERIFY(package.remove());
            m_server.status = 404;
            break;
        default:
            QVERIFY(package.remove());
            inject(MRStepDownload);
            break;
        }
        QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
        QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
    }

    // Wherever the failure is shown: the check page, or the repair's failure page.
    QTRY_VERIFY_WITH_TIMEOUT(Child<QLabel>(*m_window, "FirmwareStateLbl")->text() == state ||
                                 Button("btnNext")->text() == QLatin1String("Try again"),
                             Slow);
    QCOMPARE(Page(), QStringLiteral("select/CheckFirmware"));
    QCOMPARE(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(), state);
    QCOMPARE(Buttons(), (QStringList{"Back", "RetryDownload"}));
    QCOMPARE(Child<QLabel>(*m_window, "errCodeLbl")->text(), QString::number(code));
    QCOMPARE(Child<QLabel>(*m_window, "descriptionLbl")->text(), QStringLiteral(", description:"));
    if (fault != CutOnReadyPage)
        QCOMPARE(WithoutBreakMarks(Child<QLabel>(*m_window, "errStringLbl")->text()), description);
    QVERIFY(!Child<QLabel>(*m_window, "errStringLbl")->text().isEmpty());
    QCOMPARE(Shown(Child<QLabel>(*m_window, "FirmwareHintLbl")), !hint.isEmpty());
    if (!hint.isEmpty())
        QCOMPARE(Child<QLabel>(*m_window, "FirmwareHintLbl")->text(), hint);
    QVERIFY(!Child<QLabel>(*m_window, "FirmwareStatePic")->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(Title(), QStringLiteral("Tavik Mendra - Standard Mode"));
    // The phone never left: it stays listed, and the home page shows it connected.
    QCOMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->currentText(), QLatin1String(PhoneName));
    QCOMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->currentText(), QLatin1String(PhoneName));
    QCOMPARE(Stack<HomeConnection>(*m_window, "connectstackedWidget_2"), HomeConnection::DeviceList);
    QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
    QCOMPARE(Phone().mode, int(MRModeNormal));
    QCOMPARE(Phone().restoreCount, 0);
    Shot(QStringLiteral("10-package-failed"));

    // A language change keeps the failure's texts; the hint stays as it was.
    Controller::Instance()->RetranslateAll();
    QCOMPARE(Shown(Child<QLabel>(*m_window, "FirmwareHintLbl")), !hint.isEmpty());
    QCOMPARE(Child<QLabel>(*m_window, "FirmwareHintLbl")->text(), hint);

    m_server.status = 200;
    QTest::mouseClick(Button("btnRetryDownload"), Qt::LeftButton);
    FinishFirstRun();
    QCOMPARE(MendraMessageBox::ShownMessages(), QStringList());
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// A package that is gone by "Fix Now" is downloaded by the second run: the fix page shows that download's progress,
// then the verification's.
void TestRepairRoad::secondRunDownloadShowsProgress() {
    ExpectBoxes({});
    Open();
    PlugPhone();
    StartStandardOrAdvanced(false);
    Download();
    FinishFirstRun();
    QVERIFY(QFile::remove(DownloadedPackage()));
    const qint64 gate = 1024 * 1024;
    m_server.holdAt = gate;
    m_watch->shown.clear();
    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_server.Holding(), Slow);
    const float permille = std::trunc(float(gate) / float(m_server.body.size()) * 1000.0f);
    const QString percent = QString::asprintf("%0.1f", permille / 10.0) + QStringLiteral("%...");
    QTRY_COMPARE_WITH_TIMEOUT(Child<QLabel>(*m_window, "progressValueLbl")->text(),
                              QLatin1String("Download: ") + percent, Slow);
    QCOMPARE(Child<QProgressBar>(*m_window, "FixprogressBar")->value(), int(permille));
    QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
    m_server.Release();
    QTRY_COMPARE_WITH_TIMEOUT(Button("btnNext")->text(), QStringLiteral("Done"), Slow);
    // The last report's snapshot is taken once the window has handled it, which may be a moment after "Done".
    QTRY_COMPARE_WITH_TIMEOUT(
        MissingInOrder(m_watch->shown,
                       {Literal("fix/Fixing | Download: 0.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Download: 100.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Secondary Verification: 0.0%... | Reparing. It takes about 10min..."),
                        Literal("fix/Fixing | Repair Success.")}),
        QString(), Slow);
    QCOMPARE(Phone().restoreCount, 1);
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// Closing the window on the firmware check page asks only while a download or verification runs.
void TestRepairRoad::closeOnTheCheckPage_data() {
    QTest::addColumn<bool>("failed");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("after a failed download") << true << QStringList{};
    QTest::newRow("while downloading") << false
                                       << QStringList{QStringLiteral(
                                              "Downloading/Verifying Firmware package...\nAre you sure to exit?")};
}

void TestRepairRoad::closeOnTheCheckPage() {
    QFETCH(bool, failed);
    QFETCH(QStringList, boxes);
    ExpectBoxes(failed ? QList<int>{} : QList<int>{No});
    Open();
    PlugPhone();
    StartStandardOrAdvanced(false);
    if (failed)
        m_server.status = 404;
    else
        m_server.holdAt = 512 * 1024;
    Download();
    if (failed)
        QTRY_COMPARE_WITH_TIMEOUT(Buttons(), (QStringList{"Back", "RetryDownload"}), Slow);
    else
        QTRY_VERIFY_WITH_TIMEOUT(m_server.Holding(), Slow);
    QCOMPARE(ConfirmCloseCallback(Controller::Instance()), failed);
    QCOMPARE(MendraMessageBox::ShownMessages(), boxes);
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
    if (failed) {
        // The close went ahead and let go of the skin; the next test needs it again.
        QCOMPARE(InitShippedSkin(), 3);
        SetSkinScaleForScreenWidth(1920);
        SkinManager::Instance()->LoadStyleSheet();
    }
}

// What a phone and the device library report is shown as it reads wherever it appears: a phone's name is its owner's
// choice, the firmware versions and the error descriptions are the library's. Markup in them renders nothing and
// loads nothing it names; an image of /dev/zero is read without end (gigabytes and a frozen window for each place that
// took it for markup).
void TestRepairRoad::outsideTextShownAsItReads_data() {
    QTest::addColumn<QString>("markup");
    QTest::newRow("an image of /dev/zero") << QStringLiteral("<img src=\"file:///dev/zero\">");
    QTest::newRow("a heading") << QStringLiteral("<h1>big</h1>");
    QTest::newRow("a font") << QStringLiteral("<font size=7 color=red>red</font>");
    QTest::newRow("a link") << QStringLiteral("<a href=\"file:///etc/passwd\">link</a>");
}

void TestRepairRoad::outsideTextShownAsItReads() {
    QFETCH(QString, markup);
    const QString name = QStringLiteral("Ada's ") + markup + QStringLiteral(" iPhone");
    const QString version = QStringLiteral("17.0 ") + markup;
    const QString refusal = markup + QStringLiteral(" refused the package");
    ExpectBoxes({});
    Open();
    m_shots = false;
    const QJsonObject entry{{"version", version},
                            {"url", m_server.Url()},
                            {"sha1", QString::fromLatin1(m_packageSha1)},
                            {"size", m_server.body.size()}};
    const QJsonObject phone{{"id", qint64(PhoneId)}, {"name", name}, {"info", name}, {"productType", "iPhone12,1"}};
    const QJsonObject scenario{{"timing", QJsonObject{{"enterRecoveryMs", 200}, {"restoreMs", 400}}},
                               {"firmware", QJsonObject{{"iPhone12,1", QJsonArray{entry}}}},
                               {"devices", QJsonArray{phone}}};

    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::CurrentMb();
    EventLoopWatch watch;
    watch.start();
    QStringList places;
    // Each place as the user sees it: the window drawn, then the widget's text as it was given and its format. A
    // label that may be empty (the home page's device text is cleared once the device is listed) says so.
    const auto look = [&](const char* widget, const QString& expected, bool mayBeEmpty = false) {
        m_frame->grab();
        QString shown;
        if (auto* box = m_window->findChild<QComboBox*>(QLatin1String(widget))) {
            box->showPopup();
            box->view()->grab();
            box->hidePopup();
            shown = box->currentText();
        } else {
            auto* label = Child<QLabel>(*m_window, widget);
            shown = WithoutBreakMarks(label->text());
            if (label->textFormat() != Qt::PlainText)
                places << QStringLiteral("%1 takes markup").arg(QLatin1String(widget));
        }
        if (shown != expected && !(mayBeEmpty && shown.isEmpty()))
            places << QStringLiteral("%1 shows \"%2\"").arg(QLatin1String(widget), shown);
    };

    QCOMPARE(m_devices->LoadScenario(QJsonDocument(scenario).toJson().constData()), 0);
    QTRY_COMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), 1);
    look("iPhoneTypeBox", name);
    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(*m_window, "standardModeBtn"), Qt::LeftButton);
    QCOMPARE(Page(), QStringLiteral("select/ChooseFirmware"));
    look("DeviceModelBox", name);
    look("SystemVersionBox", version);
    const QByteArray refusalBytes = refusal.toUtf8();
    MRSimFault fault{MRStepVerify, 50, MRErrorPackage, refusalBytes.constData(), 0, 0, 0};
    QCOMPARE(m_devices->InjectFault(PhoneId, &fault), 0);
    Download();
    QTRY_COMPARE_WITH_TIMEOUT(Child<QLabel>(*m_window, "FirmwareStateLbl")->text(),
                              QStringLiteral("Verifying failed. Error code:"), Slow);
    look("errStringLbl", refusal);
    look("errCodeLbl", QString::number(MRErrorPackage));
    QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
    Download();
    QTRY_COMPARE_WITH_TIMEOUT(Page(), QStringLiteral("fix/ReadyToFix"), Slow);
    look("FirmwareVersionLbl", version);
    look("iPhoneFixingLabel", name);
    look("iPhoneTypeLbl_2", name, true);
    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(Button("btnNext")->text(), QStringLiteral("Done"), Slow);
    look("iPhoneFixingLabel", name);
    // A language change shows the same texts again.
    Controller::Instance()->RetranslateAll();
    look("iPhoneFixingLabel", name);
    look("FirmwareVersionLbl", version);
    watch.stop();

    const qint64 grown = ResidentMemory::PeakMb() - before;
    qInfo("resident growth %lld MB, longest freeze %lld ms", grown, watch.longestGapMs());
    QVERIFY2(grown < 200, qPrintable(QStringLiteral("%1 MB more resident").arg(grown)));
    QVERIFY2(watch.longestGapMs() < TimeBound(700),
             qPrintable(QStringLiteral("the window froze for %1 ms").arg(watch.longestGapMs())));
    QVERIFY2(places.isEmpty(), qPrintable(places.join(QStringLiteral("; "))));
    QCOMPARE(Phone().restoreCount, 1);
    QCOMPARE(MendraMessageBox::ShownMessages(), QStringList());
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

namespace {

// Presses the button of the box on screen that stands for the answer; false when it has none.
bool PressBoxButton(QWidget* modal, int answer) {
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->property("value").toInt() == answer) {
            button->click();
            return true;
        }
    }
    return false;
}

} // namespace

// A box open while a run goes on lets the run go on behind it. The answer acts on the run as it is when the user
// gives it: a run that has reached the device steps is never stopped (Yes meets the notice that Back meets there),
// and a check that has ended meanwhile stays as it ended.
void TestRepairRoad::boxWhileTheRunMovesOn_data() {
    QTest::addColumn<bool>("secondRun");
    QTest::addColumn<int>("backAt");   // the step held when Back is pressed
    QTest::addColumn<int>("answerAt"); // the step held when Yes is pressed; -1: the run's end
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("after"); // the boxes after it
    QTest::addColumn<QString>("endPage");
    QTest::addColumn<QStringList>("endButtons");
    QTest::addColumn<int>("restores");
    const QString stopFixing = QStringLiteral("Are you sure to stop fixing?");
    const QStringList beingRepaired{"The device is being repaired, please do not close the program."};
    QTest::newRow("Back during the unzip, Yes while the phone enters recovery mode")
        << true << int(MRStepUnzip) << int(MRStepEnterRecovery) << stopFixing << beingRepaired << "fix/Fixing"
        << QStringList{"Next \"Done\""} << 1;
    QTest::newRow("Back during the second verification, Yes during the restore")
        << true << int(MRStepVerify) << int(MRStepRestore) << stopFixing << beingRepaired << "fix/Fixing"
        << QStringList{"Next \"Done\""} << 1;
    QTest::newRow("Back while verifying, Yes once the ready page is shown")
        << false << int(MRStepVerify) << -1
        << QStringLiteral("Are you sure you want to stop verifying the firmware package?") << QStringList{}
        << "fix/ReadyToFix" << QStringList{"Back", "Next \"Fix Now\""} << 0;
}

void TestRepairRoad::boxWhileTheRunMovesOn() {
    QFETCH(bool, secondRun);
    QFETCH(int, backAt);
    QFETCH(int, answerAt);
    QFETCH(QString, question);
    QFETCH(QStringList, after);
    QFETCH(QString, endPage);
    QFETCH(QStringList, endButtons);
    QFETCH(int, restores);
    ExpectBoxes({});
    Open();
    PlugPhone();
    StartStandardOrAdvanced(false);
    HoldRunAt(secondRun, backAt);
    if (QTest::currentTestFailed())
        return;

    // The question is shown for real: the run goes on while it waits.
    MendraMessageBox::ClearQueuedAnswers();
    QString asked;
    bool movedOn = false;
    bool answered = false;
    WhenModalShown([&](QWidget* modal) {
        asked = modal->findChild<MendraMessageBox*>()->MessageLabel()->text();
        if (answerAt >= 0) {
            m_watch->HoldNext(answerAt, MRStatusProgress);
            movedOn = QTest::qWaitFor([&] { return m_watch->Held(); }, Slow);
        } else {
            m_watch->Release();
            movedOn = QTest::qWaitFor([&] { return Page() == QLatin1String("fix/ReadyToFix"); }, Slow);
        }
        ExpectBoxes(after.isEmpty() ? QList<int>{} : QList<int>{Ok});
        answered = PressBoxButton(modal, Ok);
    });
    QTest::mouseClick(Button("btnBack"), Qt::LeftButton);
    QVERIFY(movedOn);
    QVERIFY(answered);
    QCOMPARE(asked, question);
    QCOMPARE(MendraMessageBox::ShownMessages(), after);
    if (secondRun) {
        // Still the repair's page, and the device's job still runs.
        QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
        QCOMPARE(Buttons(), (QStringList{"Back", "Next \"Fixing\" (off)"}));
        QVERIFY(Phone().jobRunning);
        m_watch->Release();
        QTRY_COMPARE_WITH_TIMEOUT(Button("btnNext")->text(), QStringLiteral("Done"), Slow);
    }
    QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
    QCOMPARE(Page(), endPage);
    QCOMPARE(Buttons(), endButtons);
    QCOMPARE(Phone().restoreCount, restores);
    QCOMPARE(Phone().mode, int(MRModeNormal));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// Two phones unplugged together (a hub, a knocked cable) while the one being repaired is restored. The library
// forgets both at once but tells of their departures one after the other: whichever comes first, and whatever
// arrives meanwhile, the repair waits for its phone and goes on when it is back in time. It is dropped only when the
// grace time is up, and the run log says so.
void TestRepairRoad::phonesLeaveTogether_data() {
    QTest::addColumn<bool>("otherFirst");
    QTest::addColumn<bool>("thirdArrives");
    QTest::addColumn<bool>("comesBack");
    QTest::newRow("the other phone's departure first, the phone comes back") << true << false << true;
    QTest::newRow("the phone's departure first, the phone comes back") << false << false << true;
    QTest::newRow("the other phone's departure first, a third phone arrives, the phone comes back")
        << true << true << true;
    QTest::newRow("the phone's departure first, a third phone arrives, the phone comes back") << false << true << true;
    QTest::newRow("the other phone's departure first, the phone stays away") << true << false << false;
}

void TestRepairRoad::phonesLeaveTogether() {
    QFETCH(bool, otherFirst);
    QFETCH(bool, thirdArrives);
    QFETCH(bool, comesBack);
    const QString lost = QStringLiteral("Device not connected. Please re-connect device.");
    ExpectBoxes(comesBack ? QList<int>{} : QList<int>{Yes});
    Open();
    constexpr int graceMs = 1500;
    Model().SetReconnectGraceMs(comesBack ? 600000 : graceMs);
    PlugPhone();
    StartStandardOrAdvanced(false);
    Download();
    FinishFirstRun();
    QCOMPARE(m_devices->Plug(OtherPhoneId), 0);
    QTRY_COMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->count(), 2);
    m_watch->HoldAfter(MRStepRestore, MRStatusProgress);
    QTest::mouseClick(Button("btnNext"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_watch->Held(), Slow);
    const int logFrom = RunLogText().size();

    // Both are gone for the library before the window hears of either.
    QElapsedTimer away;
    away.start();
    QCOMPARE(m_devices->Unplug(otherFirst ? OtherPhoneId : PhoneId), 0);
    QCOMPARE(m_devices->Unplug(otherFirst ? PhoneId : OtherPhoneId), 0);
    if (thirdArrives)
        QCOMPARE(m_devices->Plug(ThirdPhoneId), 0);
    QTRY_COMPARE(Child<QComboBox>(*m_window, "DeviceModelBox")->count(), thirdArrives ? 1 : 0);
    QTRY_COMPARE(Child<QComboBox>(*m_window, "iPhoneTypeBox")->count(), thirdArrives ? 1 : 0);
    QCOMPARE(m_devices->WaitIdle(0), -1); // the job waits for its phone
    QVERIFY(Model().IsWaitingForWorkDevice());
    QCOMPARE(Page(), QStringLiteral("fix/Fixing"));
    QCOMPARE(MendraMessageBox::ShownMessages(), QStringList());

    if (comesBack) {
        QCOMPARE(m_devices->Plug(PhoneId), 0);
        QTRY_VERIFY(!Model().IsWaitingForWorkDevice());
        m_watch->Release();
        QTRY_COMPARE_WITH_TIMEOUT(Button("btnNext")->text(), QStringLiteral("Done"), Slow);
        QCOMPARE(Phone().restoreCount, 1);
        QVERIFY(RunLogText().mid(logFrom).contains(QStringLiteral("The device being repaired is connected again.")));
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(Page(), QStringLiteral("fix/NoDevice"), Slow);
        // Not before the grace time is up (the model's timer is a coarse one: it may fire up to 5 % early).
        QVERIFY2(away.elapsed() >= graceMs * 95 / 100, qPrintable(QString::number(away.elapsed())));
        m_watch->Release();
        QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
        QCOMPARE(Phone().restoreCount, 0);
        QVERIFY(RunLogText().mid(logFrom).contains(QStringLiteral("The device being repaired did not come back.")));
    }
    const QString log = RunLogText().mid(logFrom);
    QCOMPARE(log.count(QStringLiteral("The device being repaired left; waiting for it to come back.")), 1);
    QCOMPARE(MendraMessageBox::ShownMessages(), comesBack ? QStringList{} : QStringList{lost});
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// The grace time is for the steps on the phone, which take it off the bus on purpose. Before them a phone that is
// unplugged is reported at once, however long that grace time.
void TestRepairRoad::unpluggedBeforeTheDeviceSteps_data() {
    QTest::addColumn<bool>("secondRun");
    QTest::addColumn<int>("step");
    QTest::newRow("during the download") << false << int(MRStepDownload);
    QTest::newRow("during the verification") << false << int(MRStepVerify);
    QTest::newRow("during the second verification") << true << int(MRStepVerify);
    QTest::newRow("during the unzip") << true << int(MRStepUnzip);
}

void TestRepairRoad::unpluggedBeforeTheDeviceSteps() {
    QFETCH(bool, secondRun);
    QFETCH(int, step);
    ExpectBoxes({Yes});
    Open();
    Model().SetReconnectGraceMs(600000);
    PlugPhone();
    StartStandardOrAdvanced(false);
    HoldRunAt(secondRun, step);
    if (QTest::currentTestFailed())
        return;

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_devices->Unplug(PhoneId), 0);
    QTRY_COMPARE_WITH_TIMEOUT(Page(), QStringLiteral("fix/NoDevice"), Slow);
    qInfo("reported %lld ms after the phone was unplugged", clock.elapsed());
    QVERIFY(!Model().IsWaitingForWorkDevice());
    m_watch->Release();
    m_server.Release();
    QTRY_VERIFY_WITH_TIMEOUT(!Phone().jobRunning, Slow);
    QCOMPARE(Buttons(), (QStringList{"Back", "Next \"Start\" (off)"}));
    QCOMPARE(MendraMessageBox::ShownMessages(), QStringList{"Device not connected. Please re-connect device."});
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

QTEST_MAIN(TestRepairRoad)
#include "tst_repairroad.moc"
