// The engine's update check against the test's update server: the silent check of the start-up runs in the
// background and tells the mediator when it has ended, a check asked for from the dialog drives the dialog,
// and the model going away ends a check that the server holds before anything it reports to is gone.

#include "ModelTestEnv.h"
#include "RecordingUpdateDisplay.h"
#include "UpdateTestServer.h"

#include "update/UpdateCheck.h"
#include "update/UpdateService.h"

#include <QElapsedTimer>
#include <QtTest>

class TestMyModelUpdate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void startupCheck_data();
    void startupCheck();
    void checkFromTheDialog();
    void endsWithTheModel();

private:
    // A model whose update checks ask the server for answer; an empty answer: no server configured.
    void Start(const QString& answer);

    ModelTestEnv m_env;
    PythonPeer m_server;
};

void TestMyModelUpdate::initTestCase() {
    QVERIFY(m_env.setUp());
    QVERIFY(StartUpdateServer(m_server, {"--newest", "99.0", "--download", "https://dl.tavik.example/mendra.run"}));
    // The checks take the system's proxy: none here, so that they reach the server on this machine.
    for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
}

void TestMyModelUpdate::cleanupTestCase() {
    m_env.tearDown();
}

void TestMyModelUpdate::cleanup() {
    m_env.stop();
}

void TestMyModelUpdate::Start(const QString& answer) {
    qputenv("MENDRA_UPDATE_SERVER", answer.isEmpty() ? QByteArray() : AnswerEndpoint(m_server, answer).toUtf8());
    m_env.start();
}

void TestMyModelUpdate::startupCheck_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("newest");
    QTest::newRow("newer version") << "newer"
                                   << "99.0";
    QTest::newRow("this version") << "newest" << gAppData->Version;
    // A check that fails leaves what an earlier one found.
    QTest::newRow("server error") << "error500" << QString();
    QTest::newRow("no server configured") << "" << QString();
}

// The constructor returns at once; the result comes later, shows nothing, and the mediator hears of it once.
void TestMyModelUpdate::startupCheck() {
    QFETCH(QString, answer);
    QFETCH(QString, newest);
    const int requests = m_server.records("REQUEST").size();
    const QString before = QString::fromUtf8(UpdateService().Info(1));
    Start(answer);
    RecordingUpdateDisplay display;
    m_env.model->SetUpdateView(&display);
    QCOMPARE(m_env.host->updateChecksAtStart, 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_env.host->updateChecksAtStart, 1, 30000);
    QCOMPARE(m_env.model->NewestVersion(), newest.isNull() ? before : newest);
    QVERIFY(display.states.isEmpty());
    QCOMPARE(m_server.records("REQUEST").size() - requests, answer.isEmpty() ? 0 : answer == "error500" ? 3 : 1);
}

void TestMyModelUpdate::checkFromTheDialog() {
    Start(QStringLiteral("newer"));
    QTRY_COMPARE_WITH_TIMEOUT(m_env.host->updateChecksAtStart, 1, 30000);
    RecordingUpdateDisplay display;
    display.checking = true;
    m_env.model->SetUpdateView(&display);
    m_env.model->CheckForUpdate(false);
    QCOMPARE(display.states, QList<UpdateViewState>{UpdateViewState::Checking});
    QTRY_COMPARE_WITH_TIMEOUT(display.states.size(), 2, 30000);
    QCOMPARE(display.states.constLast(), UpdateViewState::UpdateAvailable);
    QCOMPARE(display.newVersion, QStringLiteral("99.0"));
    QVERIFY(!display.checking);
    QString notes;
    m_env.model->GetUpdateDescription(notes);
    QCOMPARE(notes, QStringLiteral("Fixes and improvements."));
    QCOMPARE(m_env.model->UpdateDownloadUrl(),
             QStringLiteral("https://dl.tavik.example/mendra.run?product=MENDRA-TEST&lang=%1").arg(gAppData->Language));
    // Only the start-up check counts as one.
    QCOMPARE(m_env.host->updateChecksAtStart, 1);
}

// The window closes while the server holds the start-up check: the model does not wait for the check's
// time-outs, and nothing is reported afterwards.
void TestMyModelUpdate::endsWithTheModel() {
    const int requests = m_server.records("REQUEST").size();
    Start(QStringLiteral("hang"));
    QVERIFY(m_server.waitForRecords("REQUEST", requests + 1));
    QElapsedTimer closing;
    closing.start();
    m_env.model.reset();
    QVERIFY2(closing.elapsed() < UpdateCheck::ShutdownWaitMs, "the model waited for the check's time-outs");
    QCoreApplication::processEvents();
    QCOMPARE(m_env.host->updateChecksAtStart, 0);
}

QTEST_GUILESS_MAIN(TestMyModelUpdate)
#include "tst_mymodelupdate.moc"
