// The update check's proxy: an HTTP proxy carries the query (with its credentials), also one named by an IPv6
// address, and "no proxy" means none, even when the environment names one.

#include "UpdateTestServer.h"
#include "app/SystemProxy.h"
#include "platform/ProxySettings.h"
#include "update/UpdateService.h"

#include <QtTest>

class TestCRegProxy : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void throughHttpProxy();
    void throughIpv6Proxy_data();
    void throughIpv6Proxy();
    void noProxy_data();
    void noProxy();

private:
    PythonPeer m_server;
    PythonPeer m_proxy;
    PythonPeer m_environmentProxy; // named by the proxy variables; must never see a request
};

void TestCRegProxy::initTestCase() {
    QVERIFY(StartUpdateServer(m_server));
    QVERIFY(m_proxy.start(QStringLiteral("recording_proxy.py")));
    QVERIFY(m_environmentProxy.start(QStringLiteral("recording_proxy.py")));
    const QByteArray address = m_environmentProxy.url(QString()).toLatin1();
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        qputenv(name, address);
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
}

void TestCRegProxy::throughHttpProxy() {
    const int before = m_server.records("REQUEST").size();
    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("newer")));
    // A colon, a blank and an at sign: the credentials reach the proxy as they were given.
    service->SetProxy(3, "127.0.0.1", m_proxy.port(), "tester", "p:ss w@rd");
    QCOMPARE(service->RunCheck(), 12);

    QVERIFY(m_proxy.waitForRecords("PROXIED", 1));
    const QJsonObject passed = m_proxy.records("PROXIED").constLast();
    QCOMPARE(passed.value("url").toString(),
             AnswerEndpoint(m_server, QStringLiteral("newer")) +
                 QStringLiteral("?action=getinfo&product=Tavik%20Mendra&versioncur=2.0.9&lang=en"));
    QCOMPARE(RecordedRequest::Header(passed, "Proxy-Authorization"),
             QStringLiteral("Basic ") + QByteArray("tester:p:ss w@rd").toBase64());
    QVERIFY(m_server.waitForRecords("REQUEST", before + 1));
    QCOMPARE(m_environmentProxy.records("PROXIED").size(), 0);
}

void TestCRegProxy::throughIpv6Proxy_data() {
    QTest::addColumn<QString>("variable"); // http_proxy as the system gives it; %1 stands for the port
    QTest::newRow("address in brackets with a port") << QStringLiteral("http://[::1]:%1");
    QTest::newRow("address in brackets, no scheme") << QStringLiteral("[::1]:%1");
    QTest::newRow("address written out") << QStringLiteral("http://[0:0:0:0:0:0:0:1]:%1/");
}

// A proxy on the IPv6 loopback, named as the system's proxy setting names it, gets the query.
void TestCRegProxy::throughIpv6Proxy() {
    QFETCH(QString, variable);
    PythonPeer proxy;
    if (!proxy.start(QStringLiteral("recording_proxy.py"), {QStringLiteral("--listen"), QStringLiteral("::1")}))
        QSKIP("no IPv6 loopback on this machine: the proxy cannot listen on ::1");
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("http_proxy"), variable.arg(proxy.port()));
    const QNetworkProxy system = ProxyFromSystemValues(platform::readSystemProxy(environment));
    QCOMPARE(system.type(), QNetworkProxy::HttpProxy);

    const int before = m_server.records("REQUEST").size();
    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("newer")));
    SetServiceProxy(system, *service);
    QCOMPARE(service->RunCheck(), 12);
    QVERIFY(proxy.waitForRecords("PROXIED", 1));
    QCOMPARE(proxy.records("PROXIED").constLast().value("url").toString(),
             AnswerEndpoint(m_server, QStringLiteral("newer")) +
                 QStringLiteral("?action=getinfo&product=Tavik%20Mendra&versioncur=2.0.9&lang=en"));
    QVERIFY(m_server.waitForRecords("REQUEST", before + 1));
    QCOMPARE(m_environmentProxy.records("PROXIED").size(), 0);
}

void TestCRegProxy::noProxy_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("storedKind");
    QTest::newRow("never set") << -1 << 0;
    QTest::newRow("none") << 2 << 2;
    QTest::newRow("unknown kind 0") << 0 << 2;
    QTest::newRow("caching proxy, unknown here") << 4 << 2;
}

// Each row first goes through the proxy, then switches to the row's kind: the second check goes straight
// to the server, neither through the old proxy nor through the environment's.
void TestCRegProxy::noProxy() {
    QFETCH(int, kind);
    QFETCH(int, storedKind);
    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("newer")));
    if (kind >= 0) {
        service->SetProxy(3, "127.0.0.1", m_proxy.port());
        QCOMPARE(service->RunCheck(), 12);
        service->SetProxy(kind, "127.0.0.1", m_proxy.port());
    }
    QCOMPARE(service->GetProxy().kind, storedKind);
    const int proxied = m_proxy.records("PROXIED").size();
    const int before = m_server.records("REQUEST").size();

    QCOMPARE(service->RunCheck(), 12);
    QVERIFY(m_server.waitForRecords("REQUEST", before + 1));
    QCOMPARE(m_proxy.records("PROXIED").size(), proxied);
    QCOMPARE(m_environmentProxy.records("PROXIED").size(), 0);
}

QTEST_GUILESS_MAIN(TestCRegProxy)
#include "tst_cregproxy.moc"
