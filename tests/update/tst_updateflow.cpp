// The application's side of the update check against the real test server: which dialog state and
// text each reply ends in, the start-up check, a check asked for while one runs, and shutting down
// while a check hangs.

#include "RecordingUpdateDisplay.h"
#include "UpdateTestServer.h"
#include "update/UpdateDisplay.h"
#include "update/UpdateFlow.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(UpdateViewState)

namespace {

struct Rig {
    explicit Rig(const QString& endpoint, const QByteArray& versioncur = "2.0.9")
        : service(MakeService(endpoint, versioncur)), flow(new UpdateFlow(*service)),
          finished(flow.get(), &UpdateFlow::CheckFinished) {
        flow->SetProxySource([] { return QNetworkProxy(QNetworkProxy::NoProxy); });
        flow->SetUpdateView(&display);
    }
    // The flow goes before the service it uses.
    ~Rig() { flow.reset(); }

    int WaitForResult() {
        if (finished.isEmpty() && !finished.wait(30000))
            return 0;
        return finished.takeFirst().at(0).toInt();
    }

    std::unique_ptr<CRegImpl> service;
    RecordingUpdateDisplay display;
    std::unique_ptr<UpdateFlow> flow;
    QSignalSpy finished;
};

} // namespace

class TestUpdateFlow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void results_data();
    void results();
    void retryAfterFailure();
    void startupCheckIsSilent();
    void askedWhileStartupCheckRuns();
    void downloadAddress_data();
    void downloadAddress();
    void shutdownDuringHangingCheck();
    void dialogGoneDuringCheck();

private:
    PythonPeer m_server;
};

void TestUpdateFlow::initTestCase() {
    QVERIFY(StartUpdateServer(m_server));
}

void TestUpdateFlow::results_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("versioncur");
    QTest::addColumn<int>("code");
    QTest::addColumn<UpdateViewState>("state");
    QTest::addColumn<QString>("message");
    const QString other = QStringLiteral("Other errors. Please contact our Customer Service Center. (%1)");
    const QString newest = QStringLiteral("Update:you are using the newest version.");
    QTest::newRow("newer") << "newer" << QByteArray("2.0.9") << 12 << UpdateViewState::UpdateAvailable << QString();
    QTest::newRow("newest") << "newest" << QByteArray("2.0.9") << 13 << UpdateViewState::LatestVersion << newest;
    // The service counts the extra ".0" as newer; the program's own comparison does not.
    QTest::newRow("12 but the same version")
        << "newer" << QByteArray("2.1") << 12 << UpdateViewState::LatestVersion << newest;
    QTest::newRow("no product") << "noproduct" << QByteArray("2.0.9") << 11 << UpdateViewState::CheckFailed
                                << "Update:failed to find product record.";
    QTest::newRow("not XML") << "notxml" << QByteArray("2.0.9") << 14 << UpdateViewState::CheckFailed
                             << "Update:xml data error. (14)";
    QTest::newRow("HTTP 500") << "error500" << QByteArray("2.0.9") << -1048593 << UpdateViewState::CheckFailed
                              << other.arg(-1048593);
    QTest::newRow("empty body") << "empty" << QByteArray("2.0.9") << -69905 << UpdateViewState::CheckFailed
                                << other.arg(-69905);
    QTest::newRow("stops half-way") << "halfway" << QByteArray("2.0.9") << -1048593 << UpdateViewState::CheckFailed
                                    << other.arg(-1048593);
    QTest::newRow("redirect") << "redirect" << QByteArray("2.0.9") << 12 << UpdateViewState::UpdateAvailable
                              << QString();
}

// A check asked for from the dialog: "checking" first, then one result state; the checking mark the
// opener set is cleared whatever the result.
void TestUpdateFlow::results() {
    QFETCH(QString, answer);
    QFETCH(QByteArray, versioncur);
    QFETCH(int, code);
    QFETCH(UpdateViewState, state);
    QFETCH(QString, message);
    Rig rig(AnswerEndpoint(m_server, answer), versioncur);
    rig.display.checking = true;
    rig.flow->CheckForUpdate(false);
    QCOMPARE(rig.display.states, QList<UpdateViewState>{UpdateViewState::Checking});
    QCOMPARE(rig.WaitForResult(), code);
    QCOMPARE(rig.display.states, (QList<UpdateViewState>{UpdateViewState::Checking, state}));
    QCOMPARE(rig.display.message, message);
    QCOMPARE(rig.display.newVersion, state == UpdateViewState::UpdateAvailable ? QStringLiteral("2.1.0") : QString());
    QVERIFY(!rig.display.checking);
}

void TestUpdateFlow::retryAfterFailure() {
    Rig rig(AnswerEndpoint(m_server, QStringLiteral("error500,error500,error500,newer")));
    rig.flow->CheckForUpdate(false);
    QCOMPARE(rig.WaitForResult(), -1048593);
    QCOMPARE(rig.display.states.constLast(), UpdateViewState::CheckFailed);
    rig.flow->CheckForUpdate(false);
    QCOMPARE(rig.WaitForResult(), 12);
    QCOMPARE(rig.display.states, (QList<UpdateViewState>{UpdateViewState::Checking, UpdateViewState::CheckFailed,
                                                         UpdateViewState::Checking, UpdateViewState::UpdateAvailable}));
}

// The start-up check shows nothing; opening the dialog at start then shows what it found without asking
// again, and shows nothing at all when there is nothing newer.
void TestUpdateFlow::startupCheckIsSilent() {
    for (const QByteArray& versioncur : {QByteArray("2.0.9"), QByteArray("2.1.0")}) {
        Rig rig(AnswerEndpoint(m_server, QStringLiteral("newer")), versioncur);
        QVERIFY(rig.flow->StartStartupCheck());
        QCOMPARE(rig.WaitForResult(), versioncur == "2.0.9" ? 12 : 13);
        QVERIFY(rig.display.states.isEmpty());
        QCOMPARE(rig.flow->newestVersion(), QStringLiteral("2.1.0"));

        const int requests = m_server.records("REQUEST").size();
        rig.flow->CheckForUpdate(true);
        QCOMPARE(m_server.records("REQUEST").size(), requests);
        QCOMPARE(rig.flow->IsCheckRunning(), false);
        if (versioncur == "2.0.9")
            QCOMPARE(rig.display.states, QList<UpdateViewState>{UpdateViewState::UpdateAvailable});
        else
            QVERIFY(rig.display.states.isEmpty());
    }
}

// The dialog opened while the start-up check runs waits for that check instead of starting another.
void TestUpdateFlow::askedWhileStartupCheckRuns() {
    const QString endpoint = AnswerEndpoint(m_server, QStringLiteral("newer"));
    const int before = m_server.records("REQUEST").size();
    Rig rig(endpoint);
    QVERIFY(rig.flow->StartStartupCheck());
    rig.flow->CheckForUpdate(false);
    QVERIFY(rig.finished.wait(30000));
    QCOMPARE(rig.finished.constFirst().at(1).toBool(), true);
    QCOMPARE(rig.display.states, (QList<UpdateViewState>{UpdateViewState::Checking, UpdateViewState::UpdateAvailable}));
    QCOMPARE(m_server.records("REQUEST").size(), before + 1);
}

void TestUpdateFlow::downloadAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "https://dl.tavik.example/mendra.exe"
                           << "https://dl.tavik.example/mendra.exe?product=MENDRA-TEST&lang=en";
    QTest::newRow("with a query") << "https://dl.tavik.example/get?channel=beta"
                                  << "https://dl.tavik.example/get?channel=beta&product=MENDRA-TEST&lang=en";
}

// The address gets the product code and the language of the service's set-up, not a later one.
void TestUpdateFlow::downloadAddress() {
    QFETCH(QString, address);
    QFETCH(QString, expected);
    PythonPeer server;
    QVERIFY(StartUpdateServer(server, {"--download", address}));
    Rig rig(AnswerEndpoint(server, QStringLiteral("newer")));
    rig.service->SetServiceLanguage("de");
    rig.flow->CheckForUpdate(false);
    QCOMPARE(rig.WaitForResult(), 12);
    QCOMPARE(rig.flow->updateDownloadUrl(), expected);
    QCOMPARE(rig.flow->GetUpdateDescription(), QStringLiteral("Fixes and improvements."));
}

// Going away while a server holds the check does not wait for the check's time-outs, and nothing is
// reported afterwards.
void TestUpdateFlow::shutdownDuringHangingCheck() {
    PythonPeer server;
    QVERIFY(StartUpdateServer(server));
    Rig rig(AnswerEndpoint(server, QStringLiteral("hang")));
    rig.flow->CheckForUpdate(false);
    QVERIFY(server.waitForRecords("REQUEST", 1));
    QElapsedTimer closing;
    closing.start();
    rig.flow.reset();
    QVERIFY2(closing.elapsed() < 2500, "shutting down waited for the check's time-outs");
    QCoreApplication::processEvents();
    QCOMPARE(rig.display.states, QList<UpdateViewState>{UpdateViewState::Checking});
    QVERIFY(rig.finished.isEmpty());
}

// A result that arrives after the dialog was destroyed touches nothing.
void TestUpdateFlow::dialogGoneDuringCheck() {
    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("newer")));
    UpdateFlow flow(*service);
    flow.SetProxySource([] { return QNetworkProxy(QNetworkProxy::NoProxy); });
    QSignalSpy finished(&flow, &UpdateFlow::CheckFinished);
    auto display = std::make_unique<RecordingUpdateDisplay>();
    flow.SetUpdateView(display.get());
    flow.CheckForUpdate(false);
    display.reset();
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.constFirst().at(0).toInt(), 12);
    flow.RefreshUpdateView(false);
}

QTEST_GUILESS_MAIN(TestUpdateFlow)
#include "tst_updateflow.moc"
