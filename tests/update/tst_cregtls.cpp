// The update check over TLS: certificates and host names are verified, and an authority named in
// MENDRA_EXTRA_CA is trusted besides the system's.

#include "TestCa.h"
#include "UpdateTestServer.h"

#include <QtTest>

class TestCRegTls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void servers_data();
    void servers();

private:
    bool StartTlsServer(PythonPeer& server, const TestCa::ServerCertificate& issued);

    TestCa m_ca;
    // Vouches for the self-signed stand-in: never named in MENDRA_EXTRA_CA.
    TestCa m_unknownCa{QStringLiteral("Unknown CA")};
    PythonPeer m_trusted;
    PythonPeer m_otherHost;
    PythonPeer m_selfSigned;
};

bool TestCRegTls::StartTlsServer(PythonPeer& server, const TestCa::ServerCertificate& issued) {
    return issued.isValid() && StartUpdateServer(server, {"--tls", issued.certificatePath, issued.keyPath});
}

void TestCRegTls::initTestCase() {
    QVERIFY(m_ca.isValid() && m_unknownCa.isValid());
    QVERIFY(StartTlsServer(m_trusted, m_ca.issueServerCertificate()));
    QVERIFY(StartTlsServer(m_otherHost, m_ca.issueServerCertificate({"other.example"}, {})));
    QVERIFY(StartTlsServer(m_selfSigned, m_unknownCa.issueServerCertificate()));
}

void TestCRegTls::cleanup() {
    qunsetenv("MENDRA_EXTRA_CA");
}

void TestCRegTls::servers_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("extraCa");
    QTest::addColumn<int>("code");
    QTest::newRow("signed by the extra CA") << "trusted" << true << 12;
    QTest::newRow("extra CA not named") << "trusted" << false << -1048593;
    QTest::newRow("certificate for another host") << "other" << true << -1048593;
    QTest::newRow("issuer unknown") << "selfsigned" << true << -1048593;
}

void TestCRegTls::servers() {
    QFETCH(QString, server);
    QFETCH(bool, extraCa);
    QFETCH(int, code);
    PythonPeer& peer = server == "trusted" ? m_trusted : server == "other" ? m_otherHost : m_selfSigned;
    if (extraCa)
        qputenv("MENDRA_EXTRA_CA", m_ca.caCertificatePath().toLocal8Bit());
    const int before = peer.records("REQUEST").size();

    auto service = MakeService(AnswerEndpoint(peer, QStringLiteral("newer"), QStringLiteral("https")));
    QCOMPARE(service->RunCheck(), code);
    if (code == 12) {
        QVERIFY(peer.waitForRecords("REQUEST", before + 1));
        QCOMPARE(service->Info(1), QByteArray("2.1.0"));
    } else {
        // Refused in the handshake: no request ever reached the server.
        QCOMPARE(peer.records("REQUEST").size(), before);
        QVERIFY2(!service->GetErrorText().isEmpty(), "the refusal keeps its reason");
        qInfo("refused: %s", service->GetErrorText().constData());
    }
}

QTEST_GUILESS_MAIN(TestCRegTls)
#include "tst_cregtls.moc"
