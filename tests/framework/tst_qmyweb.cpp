#include "framework/HiddenWebPage.h"
#include "framework/QMyWeb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QPointer>
#include <QTcpServer>
#include <QtTest>

#include "PythonHttpServer.h"
#include "PythonPeer.h"

namespace {

const char kPage[] = "/stats/count.html";
// The same page on a server that takes the request and never answers.
const char kSilentPage[] = "/hang/stats/count.html";
const int kPauseUnit = 40;

// A port on 127.0.0.1 where nothing listens any more.
quint16 ClosedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

} // namespace

class TestQMyWeb : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void requestCarriesTheAction_data();
    void requestCarriesTheAction();
    void unreachablePageWaitsThePause();
    void silentServerTimesOut();
    void freedWhileLoading();
    void loadGoesThroughTheApplicationProxy();
    void hostThatCannotServeEndsTheLoad_data();
    void hostThatCannotServeEndsTheLoad();

private:
    QTemporaryDir m_served;
};

void TestQMyWeb::initTestCase() {
    QVERIFY(m_served.isValid());
    QVERIFY(QDir(m_served.path()).mkpath("stats"));
    QFile page(m_served.filePath(QString(kPage).mid(1)));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body>counted</body></html>");
}

void TestQMyWeb::requestCarriesTheAction_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("actions");

    QTest::newRow("open") << int(QMyWeb::Open) << QStringList{"open"};
    QTest::newRow("first open") << int(QMyWeb::FirstOpen) << QStringList{"open", "first"};
    QTest::newRow("install") << int(QMyWeb::Install) << QStringList{"install"};
    QTest::newRow("uninstall") << int(QMyWeb::Uninstall) << QStringList{"uninstall"};
    QTest::newRow("unknown mode: no action") << 7 << QStringList{};
}

void TestQMyWeb::requestCarriesTheAction() {
    QFETCH(int, mode);
    QFETCH(QStringList, actions);

    PythonHttpServer server(m_served.path());
    QVERIFY(server.start());

    QPointer<QMyWeb> web = new QMyWeb(server.url(QString(kPage) + "?ver=1.0.0.1&lang=de").toString(), mode);
    web->SetPauseUnit(kPauseUnit);
    QSignalSpy freed(web.data(), &QMyWeb::sglFreeWebView);
    QObject::connect(web.data(), &QMyWeb::sglFreeWebView, web.data(), &QObject::deleteLater);
    QElapsedTimer clock;
    clock.start();
    web->Start();
    QVERIFY(server.requests().isEmpty()); // the load waits for the event loop

    QVERIFY(freed.wait(60000));
    QCOMPARE(freed.first().first().toString(), QStringLiteral("AccessTime"));
    QVERIFY2(clock.elapsed() >= 2 * kPauseUnit, "the pause after the load was skipped");
    QTRY_VERIFY(web.isNull());

    const QList<QJsonObject> requests = server.requestsTo(kPage);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().value("method").toString(), QStringLiteral("GET"));
    QCOMPARE(RecordedRequest::QueryKeys(requests.first()), QStringList({"ver", "lang"}) + actions);
    QCOMPARE(RecordedRequest::QueryValue(requests.first(), "ver"), QStringLiteral("1.0.0.1"));
    QCOMPARE(RecordedRequest::QueryValue(requests.first(), "lang"), QStringLiteral("de"));
    for (const QString& action : actions)
        QVERIFY(RecordedRequest::QueryValue(requests.first(), action).isEmpty());
    QCOMPARE(freed.count(), 1);
}

// A load that fails at once still waits 2 to 6 whole seconds before it lets the page go.
void TestQMyWeb::unreachablePageWaitsThePause() {
    QMyWeb web(QStringLiteral("http://127.0.0.1:%1%2?ver=1&lang=en").arg(ClosedPort()).arg(kPage), QMyWeb::Open);
    QSignalSpy freed(&web, &QMyWeb::sglFreeWebView);
    QElapsedTimer clock;
    clock.start();
    web.Start();
    QVERIFY(freed.wait(30000));
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(freed.first().first().toString(), QStringLiteral("AccessTime"));
    // a coarse timer may end up to 5 % early
    QVERIFY2(elapsed >= 2000 * 95 / 100 && elapsed < 6000 + 5000, qPrintable(QString::number(elapsed)));
}

void TestQMyWeb::silentServerTimesOut() {
    PythonHttpServer server(m_served.path());
    QVERIFY(server.start());

    QMyWeb web(server.url(kSilentPage).toString(), QMyWeb::Install);
    web.SetConnectTimeOut(1500);
    web.SetPauseUnit(kPauseUnit);
    QSignalSpy freed(&web, &QMyWeb::sglFreeWebView);
    QElapsedTimer clock;
    clock.start();
    web.Start();
    QVERIFY(server.waitForRequestTo(kSilentPage));
    // Under load the time-out may already have fired while the request was awaited.
    QTRY_VERIFY_WITH_TIMEOUT(freed.count() == 1, 30000);
    QCOMPARE(freed.first().first().toString(), QStringLiteral("ConnectTimeOut"));
    QVERIFY(clock.elapsed() >= 1500 * 95 / 100); // a coarse timer may end up to 5 % early
    QCOMPARE(RecordedRequest::QueryKeys(server.requestsTo(kSilentPage).first()), QStringList{"install"});
}

// The owner may free the page at any time, even in the middle of a load: the load is stopped.
void TestQMyWeb::freedWhileLoading() {
    PythonHttpServer server(m_served.path());
    QVERIFY(server.start());

    auto* web = new QMyWeb(server.url(kSilentPage).toString(), QMyWeb::Open);
    web->Start();
    QVERIFY(server.waitForRequestTo(kSilentPage));
    QVERIFY(server.openConnections() > 0);
    delete web;
    QTRY_COMPARE(server.openConnections(), 0);
}

// The page's web engine runs in another program; the application's proxy goes with each load.
void TestQMyWeb::loadGoesThroughTheApplicationProxy() {
    PythonPeer proxy;
    QVERIFY2(proxy.start(QStringLiteral("recording_proxy.py")), qPrintable(proxy.errorText()));
    // A host name, not a loopback address: the web engine never sends those to a proxy.
    const QString page = QStringLiteral("http://stats.tavik.example/mendra/count.html?ver=1.0&lang=en");
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), proxy.port(), "tester", "pa ss"));
    QMyWeb web(page, QMyWeb::FirstOpen);
    web.SetPauseUnit(kPauseUnit);
    QSignalSpy freed(&web, &QMyWeb::sglFreeWebView);
    web.Start();
    const bool proxied = proxy.waitForRecords("PROXIED", 1, 60000);
    const bool ended = QTest::qWaitFor([&freed] { return !freed.isEmpty(); }, 60000);
    QNetworkProxy::setApplicationProxy(QNetworkProxy());
    QVERIFY(proxied);
    QCOMPARE(proxy.records("PROXIED").first().value("url").toString(), page + QStringLiteral("&open&first"));
    QVERIFY(ended);
    QCOMPARE(freed.first().first().toString(), QStringLiteral("AccessTime"));
}

void TestQMyWeb::hostThatCannotServeEndsTheLoad_data() {
    QTest::addColumn<QString>("host");
    QTest::newRow("missing") << QDir(m_served.path()).filePath("no-such-program");
    QTest::newRow("ends at once") << QStandardPaths::findExecutable("true");
}

// Without its web engine the page ends its load as failed, as an unreachable page does: the owner still gets
// the page back after the pause, long before the load's time-out.
void TestQMyWeb::hostThatCannotServeEndsTheLoad() {
    QFETCH(QString, host);
    const QString built = HiddenWebPage::HostProgram();
    HiddenWebPage::SetHostProgram(host);
    QMyWeb web(QStringLiteral("http://127.0.0.1:%1%2").arg(ClosedPort()).arg(kPage), QMyWeb::Open);
    web.SetPauseUnit(kPauseUnit);
    web.SetConnectTimeOut(60000);
    QSignalSpy freed(&web, &QMyWeb::sglFreeWebView);
    web.Start();
    const bool ended = freed.wait(30000);
    HiddenWebPage::SetHostProgram(built);
    QVERIFY(ended);
    QCOMPARE(freed.first().first().toString(), QStringLiteral("AccessTime"));
}

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The page's web engine runs in the host program the build puts beside the program.
    HiddenWebPage::SetHostProgram(qEnvironmentVariable("MENDRA_RUNTIME_DIR") + "/mendra-webpage");
    TestQMyWeb test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qmyweb.moc"
