// The update check through the whole window, on the program's own engine and the test's update server: the
// start-up check runs in the background and its offer of the update dialog comes when the result is in (not
// for a version the user skipped, and not while another modal box is open), and the menu's check shows each
// of the dialog's four states.

#include "ExpectBoxes.h"
#include "SimulatedDevices.h"
#include "UpdateTestServer.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "controller/Controller.h"
#include "dialogs/MyUpdateView.h"
#include "framework/MyFrame.h"
#include "mainwindow/Mendra.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(UpdateViewState)

namespace {

const char kNewest[] = "99.0";

// The main window in its main frame, as the program's start builds them and takes them down.
struct ProgramWindow {
    ProgramWindow()
        : window(new Mendra),
          frame(window, nullptr, CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE | CAbstractFrame::FRAME_MAIN,
                QPixmap(), 0) {
        Controller::Instance()->SetMainFrame(&frame);
        Controller::Instance()->SetTitleLabel(frame.GetTitleBar());
    }
    ~ProgramWindow() { delete window; }

    void Show() {
        frame.show();
        ShowStartupUpdatePrompt();
    }

    Mendra* window;
    MyFrame frame;
};

// Runs then inside the modal run that is going on, once done says so.
void WhenDone(const std::function<bool()>& done, const std::function<void()>& then) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, done, then] {
        if (!done())
            return;
        timer->stop();
        timer->deleteLater();
        then();
    });
    timer->start();
}

} // namespace

class TestMendraUpdate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void offerAtStart_data();
    void offerAtStart();
    void offerWaitsForAModalBox();
    void menuCheck_data();
    void menuCheck();

private:
    void PointAt(const QString& answer) { qputenv("MENDRA_UPDATE_SERVER", AnswerEndpoint(m_server, answer).toUtf8()); }
    Controller::StartupOffer Offer() const { return Controller::Instance()->GetStartupOffer(); }
    // Records each dialog frame the controller opens and hands it to m_onOpen.
    void Watch() {
        connect(Controller::Instance(), &Controller::dialogFrameOpened, this, [this](CAbstractFrame* frame) {
            m_opened << frame->property("STYLE_KEY").toString();
            if (const auto action = m_onOpen)
                action(frame);
        });
    }

    QTemporaryDir m_home;
    PythonPeer m_server;
    QStringList m_opened;
    std::function<void(CAbstractFrame*)> m_onOpen;
};

void TestMendraUpdate::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("HOME", m_home.path().toUtf8());
    // The checks take the system's proxy: none here, so that they reach the server on this machine.
    for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
    QVERIFY(LoadEditionData());
    gAppData->Stalink.clear();
    gConfig = new MyConfig;
    const MRSimControl* devices = simulatedDevices();
    QVERIFY(devices);
    QCOMPARE(devices->LoadScenario("{\"devices\": []}"), 0);
    QVERIFY(StartUpdateServer(m_server, {"--newest", kNewest}));
}

void TestMendraUpdate::cleanupTestCase() {
    delete gConfig;
    gConfig = nullptr;
    FreeEditionData();
}

void TestMendraUpdate::init() {
    ExpectBoxes({});
    m_opened.clear();
    m_onOpen = nullptr;
    gConfig->SetSkipVersion(QString(), false);
}

void TestMendraUpdate::cleanup() {
    CheckExpectedBoxesShown();
}

void TestMendraUpdate::offerAtStart_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("skipped");
    QTest::addColumn<bool>("offered");
    QTest::newRow("newer version") << "newer"
                                   << "" << true;
    QTest::newRow("newer version, skipped") << "newer" << kNewest << false;
    QTest::newRow("an older version skipped") << "newer"
                                              << "98.0" << true;
    QTest::newRow("this version") << "newest"
                                  << "" << false;
    QTest::newRow("server error") << "error500"
                                  << "" << false;
}

// The window shows at once; the offer comes with the result. "Skip" in it is remembered.
void TestMendraUpdate::offerAtStart() {
    QFETCH(QString, answer);
    QFETCH(QString, skipped);
    QFETCH(bool, offered);
    gConfig->SetSkipVersion(skipped, false);
    PointAt(answer);
    ProgramWindow program;
    Watch();
    QString shownVersion;
    m_onOpen = [&](CAbstractFrame* frame) {
        auto* view = qobject_cast<MyUpdateView*>(frame->GetInnerWidget());
        QTimer::singleShot(0, view, [&, view] {
            shownVersion = view->LastLabel->text();
            view->SkipButton->click();
        });
    };
    program.Show();
    QVERIFY(program.frame.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(Offer(), Controller::StartupOffer::Decided, 30000);
    QCOMPARE(m_opened, offered ? QStringList{"UPDATE_FRAME"} : QStringList{});
    if (offered) {
        QCOMPARE(shownVersion, QStringLiteral("Update available: %1").arg(kNewest));
        QCOMPARE(gConfig->GetSkipVersion(), QString::fromLatin1(kNewest));
    }
}

// The result arrives while a box waits for the user: the offer follows once the box is closed.
void TestMendraUpdate::offerWaitsForAModalBox() {
    PointAt(QStringLiteral("newer"));
    ProgramWindow program;
    Watch();
    m_onOpen = [](CAbstractFrame* frame) { QMetaObject::invokeMethod(frame, "CloseSlot", Qt::QueuedConnection); };
    program.Show();
    QMessageBox box(QMessageBox::Information, QString(), QStringLiteral("A box that waits"), QMessageBox::Ok,
                    program.window);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QTRY_COMPARE_WITH_TIMEOUT(Offer(), Controller::StartupOffer::AwaitingQuiet, 30000);
    QCoreApplication::processEvents();
    QCOMPARE(m_opened, QStringList{});
    box.close();
    QTRY_COMPARE(m_opened, QStringList{"UPDATE_FRAME"});
    QCOMPARE(Offer(), Controller::StartupOffer::Decided);
}

void TestMendraUpdate::menuCheck_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QList<UpdateViewState>>("states");
    QTest::addColumn<QString>("text");
    using S = UpdateViewState;
    QTest::newRow("update available") << "newer" << QList<S>{S::Checking, S::UpdateAvailable}
                                      << QStringLiteral("Update available: %1").arg(kNewest);
    QTest::newRow("latest version") << "newest" << QList<S>{S::Checking, S::LatestVersion}
                                    << "Update:you are using the newest version.";
    // The start-up check and the menu's take three tries each; "Retry" then finds the newer version.
    QTest::newRow("failed, then retried") << "error500,error500,error500,error500,error500,error500,newer"
                                          << QList<S>{S::Checking, S::CheckFailed, S::Checking, S::UpdateAvailable}
                                          << QStringLiteral("Update available: %1").arg(kNewest);
}

// "Check for update" in the main frame's menu: the dialog shows "checking", then the result; after a
// failure "Retry" checks again.
void TestMendraUpdate::menuCheck() {
    QFETCH(QString, answer);
    QFETCH(QList<UpdateViewState>, states);
    QFETCH(QString, text);
    // No offer at start, whatever the start-up check finds.
    gConfig->SetSkipVersion(QString::fromLatin1(kNewest), false);
    PointAt(answer);
    ProgramWindow program;
    Watch();
    program.Show();
    QTRY_COMPARE_WITH_TIMEOUT(Offer(), Controller::StartupOffer::Decided, 30000);

    QList<UpdateViewState> seen;
    QString failure;
    QString shown;
    m_onOpen = [&](CAbstractFrame* frame) {
        auto* view = qobject_cast<MyUpdateView*>(frame->GetInnerWidget());
        seen << view->GetState();
        const auto settled = [view] { return view->GetState() != UpdateViewState::Checking; };
        const auto end = [&, view, frame] {
            seen << view->GetState();
            shown = view->GetState() == UpdateViewState::LatestVersion ? view->NewestLabel->text()
                                                                       : view->LastLabel->text();
            QMetaObject::invokeMethod(frame, "CloseSlot", Qt::QueuedConnection);
        };
        WhenDone(settled, [&, view, settled, end] {
            if (view->GetState() != UpdateViewState::CheckFailed)
                return end();
            seen << view->GetState();
            failure = view->checkStateLabel->text();
            view->RetryButton->click();
            seen << view->GetState();
            WhenDone(settled, end);
        });
    };
    QAction* check = program.frame.GetMenu()->actions().constLast();
    QCOMPARE(check->text(), QStringLiteral("Check for update"));
    check->trigger();
    QCOMPARE(m_opened, QStringList{"UPDATE_FRAME"});
    QCOMPARE(seen, states);
    QCOMPARE(shown, text);
    if (states.contains(UpdateViewState::CheckFailed))
        QCOMPARE(failure, QStringLiteral("Other errors. Please contact our Customer Service Center. (-1048593)"));
}

QTEST_MAIN(TestMendraUpdate)
#include "tst_mendraupdate.moc"
