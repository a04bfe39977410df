#include "ClientRun.h"
#include "ResidentMemory.h"
#include "ScriptedSmtpPeer.h"
#include "SmtpTestServer.h"
#include "TestCa.h"
#include "TestMail.h"

#include "app/RunLog.h"
#include "mail/LineEnds.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(SmtpTestServer::Mode)

namespace {

const QString kUser = QStringLiteral("reports@example.org");
const QString kPassword = QStringLiteral("pa55 w\u00f6rd:=");
// A text with everything that the wire treats specially: a lone ".", lines starting with ".", bare line
// ends of both kinds, a line far over the 998-octet limit and non-ASCII letters.
const QString kTrickyText = QStringLiteral("Gr\u00fc\u00dfe from the test\n.\n..two dots\rbare CR\nand\r\nCRLF\n") +
                            QString(5000, QLatin1Char('x')) + QStringLiteral("\n.\nend");

// Connect to 127.0.0.1, log in with AUTH PLAIN, send the message.
ClientRun::Plan LoginPlan(quint16 port, int connectionType, MimeMessage* message) {
    ClientRun::Plan plan;
    plan.port = port;
    plan.connectionType = connectionType;
    plan.user = kUser;
    plan.password = kPassword;
    plan.login = true;
    plan.message = message;
    return plan;
}

// The same over plain TCP to the scripted peer, with short reply waits.
ClientRun::Plan PeerPlan(const ScriptedSmtpPeer& peer, MimeMessage* message) {
    ClientRun::Plan plan = LoginPlan(peer.serverPort(), SmtpClient::PlainTcp, message);
    plan.replyTimeout = 200;
    return plan;
}

QList<int> Repeated(int value, int times) {
    QList<int> list;
    for (int i = 0; i < times; ++i)
        list.append(value);
    return list;
}

} // namespace

class TestSmtpClient : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    // Real server (aiosmtpd) on 127.0.0.1.
    void deliversToRealServer_data();
    void deliversToRealServer();
    void wrongPasswordIsRejected();
    void untrustedServerIsRefused_data();
    void untrustedServerIsRefused();

    // Scripted peer for what a real server does not do on demand.
    void replyLineWithoutText_data();
    void replyLineWithoutText();
    void multiLineRepliesAreReadWhole();
    void authMethodFromTheOffer_data();
    void authMethodFromTheOffer();
    void stalledReplyFails_data();
    void stalledReplyFails();
    void oversizedReplies_data();
    void oversizedReplies();
    void errorAtEachStep_data();
    void errorAtEachStep();
    void connectionDroppedDuringData();
    void rawLineEndsAreNormalisedBeforeStuffing();
    void headerInjectionIsRefused_data();
    void headerInjectionIsRefused();
    void credentialsOnlyWhenEncryptedOrLocal_data();
    void credentialsOnlyWhenEncryptedOrLocal();
    void stopDuringUpload();
    void stopRefusedInFinalPhase();

private:
    QTemporaryDir m_logDir;
    std::unique_ptr<TestCa> m_ca;
    std::unique_ptr<TestCa> m_otherCa;
    TestCa::ServerCertificate m_certificate;
    TestCa::ServerCertificate m_unknownIssuer;
    TestCa::ServerCertificate m_otherName;
};

void TestSmtpClient::initTestCase() {
    QVERIFY(OpenRunLog(m_logDir.path(), "1.0", "Linux"));
    m_ca = std::make_unique<TestCa>();
    QVERIFY2(m_ca->isValid(), qPrintable(m_ca->errorText()));
    m_certificate = m_ca->issueServerCertificate();
    m_otherName = m_ca->issueServerCertificate({QStringLiteral("mail.other.invalid")}, {});
    m_otherCa = std::make_unique<TestCa>(QStringLiteral("Unknown Test CA"));
    QVERIFY2(m_otherCa->isValid(), qPrintable(m_otherCa->errorText()));
    m_unknownIssuer = m_otherCa->issueServerCertificate();
    QVERIFY2(m_certificate.isValid() && m_otherName.isValid() && m_unknownIssuer.isValid(),
             qPrintable(m_ca->errorText() + m_otherCa->errorText()));
    qputenv("MENDRA_EXTRA_CA", m_ca->caCertificatePath().toLocal8Bit());
}

void TestSmtpClient::deliversToRealServer_data() {
    QTest::addColumn<SmtpTestServer::Mode>("mode");
    QTest::addColumn<int>("connectionType");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("authMethod");      // -1: no AUTH
    QTest::addColumn<QStringList>("offered"); // the server's AUTH methods; empty: PLAIN and LOGIN
    using Mode = SmtpTestServer::Mode;
    const QString ip = QStringLiteral("127.0.0.1");
    const QStringList both;
    const QStringList plain{"PLAIN"};
    const QStringList login{"LOGIN"};
    QTest::newRow("TLS, AUTH PLAIN") << Mode::Tls << int(SmtpClient::SslOnConnect) << ip << int(SmtpClient::SaslPlain)
                                     << both;
    QTest::newRow("TLS, AUTH LOGIN") << Mode::Tls << int(SmtpClient::SslOnConnect) << ip << int(SmtpClient::SaslLogin)
                                     << both;
    QTest::newRow("TLS by host name") << Mode::Tls << int(SmtpClient::SslOnConnect) << QStringLiteral("localhost")
                                      << int(SmtpClient::SaslPlain) << both;
    QTest::newRow("STARTTLS, AUTH PLAIN")
        << Mode::StartTls << int(SmtpClient::StartTls) << ip << int(SmtpClient::SaslPlain) << both;
    QTest::newRow("STARTTLS, AUTH LOGIN")
        << Mode::StartTls << int(SmtpClient::StartTls) << ip << int(SmtpClient::SaslLogin) << both;
    QTest::newRow("TLS, only LOGIN offered")
        << Mode::Tls << int(SmtpClient::SslOnConnect) << ip << int(SmtpClient::SaslPlain) << login;
    QTest::newRow("STARTTLS, only LOGIN offered")
        << Mode::StartTls << int(SmtpClient::StartTls) << ip << int(SmtpClient::SaslPlain) << login;
    QTest::newRow("TLS, LOGIN asked, only PLAIN offered")
        << Mode::Tls << int(SmtpClient::SslOnConnect) << ip << int(SmtpClient::SaslLogin) << plain;
    QTest::newRow("plain to this machine, AUTH PLAIN")
        << Mode::Plain << int(SmtpClient::PlainTcp) << ip << int(SmtpClient::SaslPlain) << both;
    QTest::newRow("plain to this machine, only LOGIN offered")
        << Mode::Plain << int(SmtpClient::PlainTcp) << ip << int(SmtpClient::SaslPlain) << login;
    QTest::newRow("plain, no AUTH") << Mode::Plain << int(SmtpClient::PlainTcp) << ip << -1 << both;
}

void TestSmtpClient::deliversToRealServer() {
    QFETCH(SmtpTestServer::Mode, mode);
    QFETCH(int, connectionType);
    QFETCH(QString, host);
    QFETCH(int, authMethod);
    QFETCH(QStringList, offered);

    SmtpTestServer server;
    SmtpTestServer::Options options(mode, m_certificate.certificatePath, m_certificate.keyPath);
    if (authMethod >= 0) {
        options.user = kUser;
        options.password = kPassword;
        options.offered = offered;
    }
    QVERIFY2(server.start(options), qPrintable(server.errorText()));

    const QByteArray attachment = BinaryBytes(150000);
    const QString subject = QStringLiteral("Bericht \u00fcber den Fehler: 40 % (\u65e5\u672c)");
    TestMail mail(subject, kTrickyText, attachment);
    ClientRun run;
    ClientRun::Plan plan = LoginPlan(server.port(), connectionType, &mail.message);
    plan.host = host;
    plan.authMethod = authMethod;
    plan.login = authMethod >= 0;
    QVERIFY(run.run(plan));
    QVERIFY2(run.sent, qPrintable(run.lastText)); // the server's own complaints stand in the test's output

    const QList<QJsonObject> mails = server.mails();
    QCOMPARE(mails.size(), 1);
    const QJsonObject& record = mails.first();
    QCOMPARE(record.value(QStringLiteral("mail_from")).toString(), QStringLiteral("reports@example.org"));
    QCOMPARE(record.value(QStringLiteral("rcpt_tos")).toArray(),
             QJsonArray({QStringLiteral("support@example.com"), QStringLiteral("copy@example.com"),
                         QStringLiteral("hidden@example.com")}));
    QCOMPARE(record.value(QStringLiteral("encrypted")).toBool(), mode != SmtpTestServer::Mode::Plain);
    QCOMPARE(record.value(QStringLiteral("authenticated_as")).toString(), authMethod >= 0 ? kUser : QString());
    QCOMPARE(record.value(QStringLiteral("from")).toString(), QStringLiteral("bug <reports@example.org>"));
    QCOMPARE(record.value(QStringLiteral("to")).toString(), QStringLiteral("support <support@example.com>"));
    QCOMPARE(record.value(QStringLiteral("subject")).toString(), subject);
    QCOMPARE(record.value(QStringLiteral("defects")).toArray(), QJsonArray());
    QVERIFY(record.value(QStringLiteral("longest_line")).toInt() <= 998);
    QVERIFY(!SmtpTestServer::Bytes(record, QStringLiteral("raw_b64")).contains("hidden@example.com"));
    QCOMPARE(SmtpTestServer::Bytes(record, QStringLiteral("text_b64")), LineEnds::ToCrlf(kTrickyText.toUtf8()));
    QCOMPARE(record.value(QStringLiteral("text_charset")).toString(), QStringLiteral("utf-8"));
    const QJsonArray attachments = record.value(QStringLiteral("attachments")).toArray();
    QCOMPARE(attachments.size(), 1);
    QCOMPARE(attachments.at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("logs V1.0.dmp"));
    QCOMPARE(attachments.at(0).toObject().value(QStringLiteral("disposition")).toString(),
             QStringLiteral("attachment"));
    QCOMPARE(SmtpTestServer::Bytes(attachments.at(0).toObject(), QStringLiteral("data_b64")), attachment);

    // The progress never passes its total and ends on it.
    QVERIFY(!run.progress.isEmpty());
    const qint64 total = run.progress.last().second;
    QCOMPARE(run.progress.last().first, total);
    for (const auto& step : run.progress) {
        QCOMPARE(step.second, total);
        QVERIFY(step.first >= 0 && step.first <= total);
    }
    QCOMPARE(run.limitStops, 1);
}

void TestSmtpClient::wrongPasswordIsRejected() {
    SmtpTestServer server;
    const SmtpTestServer::Options options(SmtpTestServer::Mode::Tls, m_certificate.certificatePath,
                                          m_certificate.keyPath, kUser, kPassword);
    QVERIFY2(server.start(options), qPrintable(server.errorText()));
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), QByteArray("a"));
    ClientRun run;
    ClientRun::Plan plan = LoginPlan(server.port(), SmtpClient::SslOnConnect, &mail.message);
    plan.password = QStringLiteral("wrong");
    QVERIFY(run.run(plan));
    QVERIFY(run.connected);
    QVERIFY(!run.loggedIn);
    QVERIFY(!run.sent);
    QCOMPARE(run.lastCode, 535);
    QVERIFY(run.errors.contains(SmtpClient::ServerPermanentError));
    QVERIFY(run.errors.contains(SmtpClient::AuthRejected));
    QVERIFY(server.mails().isEmpty());
}

void TestSmtpClient::untrustedServerIsRefused_data() {
    QTest::addColumn<SmtpTestServer::Mode>("mode");
    QTest::addColumn<int>("connectionType");
    QTest::addColumn<bool>("unknownIssuer"); // else: a trusted issuer, but for another host name
    using Mode = SmtpTestServer::Mode;
    QTest::newRow("TLS, unknown issuer") << Mode::Tls << int(SmtpClient::SslOnConnect) << true;
    QTest::newRow("TLS, other host name") << Mode::Tls << int(SmtpClient::SslOnConnect) << false;
    QTest::newRow("STARTTLS, unknown issuer") << Mode::StartTls << int(SmtpClient::StartTls) << true;
    QTest::newRow("STARTTLS, other host name") << Mode::StartTls << int(SmtpClient::StartTls) << false;
}

void TestSmtpClient::untrustedServerIsRefused() {
    QFETCH(SmtpTestServer::Mode, mode);
    QFETCH(int, connectionType);
    QFETCH(bool, unknownIssuer);
    const TestCa::ServerCertificate& certificate = unknownIssuer ? m_unknownIssuer : m_otherName;
    SmtpTestServer server;
    const SmtpTestServer::Options options(mode, certificate.certificatePath, certificate.keyPath);
    QVERIFY2(server.start(options), qPrintable(server.errorText()));
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), QByteArray("a"));
    ClientRun run;
    const ClientRun::Plan plan = LoginPlan(server.port(), connectionType, &mail.message);
    QVERIFY(run.run(plan));
    QVERIFY(!run.connected);
    QVERIFY(run.errors.contains(SmtpClient::ConnectFailed));
    QVERIFY(server.mails().isEmpty());
}

void TestSmtpClient::replyLineWithoutText_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("greeting") << QByteArray(ScriptedSmtpPeer::Greeting) << QByteArray("220\r\n");
    QTest::newRow("EHLO") << QByteArray("EHLO") << QByteArray("250\r\n");
    QTest::newRow("AUTH") << QByteArray("AUTH") << QByteArray("235\r\n");
    QTest::newRow("MAIL") << QByteArray("MAIL") << QByteArray("250\r\n");
    QTest::newRow("end of data") << QByteArray(ScriptedSmtpPeer::EndOfData) << QByteArray("250\r\n");
    QTest::newRow("bare LF") << QByteArray("RCPT") << QByteArray("250\n");
}

void TestSmtpClient::replyLineWithoutText() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, reply);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(key, reply);
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), QByteArray("a"));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    QVERIFY(run.run(plan));
    QVERIFY2(run.sent, qPrintable(run.lastText));
    QVERIFY(!run.errors.contains(SmtpClient::ReplyTimedOut));
}

void TestSmtpClient::multiLineRepliesAreReadWhole() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(ScriptedSmtpPeer::Greeting, "220-peer ESMTP\r\n220-more words\r\n220 ready\r\n");
    peer.setReply("EHLO", "250-peer\r\n250-SIZE 10000000\r\n250-8BITMIME\r\n250 AUTH PLAIN LOGIN\r\n");
    peer.setReply("RCPT", "250-recipient ok\r\n250 2.1.5 really\r\n");
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), QByteArray("a"));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    QVERIFY(run.run(plan));
    QVERIFY2(run.sent, qPrintable(run.lastText));
    QTRY_COMPARE_WITH_TIMEOUT(peer.commandWords(),
                              (QList<QByteArray>{"EHLO", "AUTH", "MAIL", "RCPT", "RCPT", "RCPT", "DATA", "QUIT"}),
                              30000);
    QVERIFY(!run.errors.contains(SmtpClient::ReplyTimedOut));
}

void TestSmtpClient::authMethodFromTheOffer_data() {
    QTest::addColumn<QByteArray>("ehlo");  // the EHLO reply
    QTest::addColumn<int>("asked");        // the method the client is set to
    QTest::addColumn<QByteArray>("first"); // the first line of the login
    const QByteArray plain = "AUTH PLAIN " + QByteArray('\0' + kUser.toUtf8() + '\0' + kPassword.toUtf8()).toBase64();
    const int asPlain = SmtpClient::SaslPlain;
    const int asLogin = SmtpClient::SaslLogin;
    QTest::newRow("only LOGIN, in the older form")
        << QByteArray("250-peer\r\n250-AUTH=LOGIN\r\n250 8BITMIME\r\n") << asPlain << QByteArray("AUTH LOGIN");
    QTest::newRow("only LOGIN, in lower case")
        << QByteArray("250-peer\r\n250 auth login\r\n") << asPlain << QByteArray("AUTH LOGIN");
    QTest::newRow("both, PLAIN asked") << QByteArray("250-peer\r\n250 AUTH LOGIN PLAIN\r\n") << asPlain << plain;
    QTest::newRow("both, LOGIN asked") << QByteArray("250-peer\r\n250 AUTH PLAIN LOGIN\r\n") << asLogin
                                       << QByteArray("AUTH LOGIN");
    QTest::newRow("only PLAIN, LOGIN asked") << QByteArray("250-peer\r\n250 AUTH PLAIN\r\n") << asLogin << plain;
    QTest::newRow("no AUTH named") << QByteArray("250 peer\r\n") << asPlain << plain;
    QTest::newRow("neither of them") << QByteArray("250-peer\r\n250 AUTH CRAM-MD5 XOAUTH2\r\n") << asPlain << plain;
    QTest::newRow("a word that only starts like AUTH")
        << QByteArray("250-peer\r\n250-AUTHENTICATE LOGIN\r\n250 AUTH PLAIN LOGIN\r\n") << asPlain << plain;
}

// The login takes the method the EHLO reply offers: the one asked for when it is there, the other when only
// that one is, and the one asked for when the reply names neither (as before). The progress is counted as
// sized for the one asked for.
void TestSmtpClient::authMethodFromTheOffer() {
    QFETCH(QByteArray, ehlo);
    QFETCH(int, asked);
    QFETCH(QByteArray, first);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply("EHLO", ehlo);
    peer.setReply("AUTH", first.startsWith("AUTH LOGIN") ? "334 VXNlcm5hbWU6\r\n" : "235 2.7.0 accepted\r\n");
    peer.setReply(kUser.toUtf8().toBase64().toUpper(), "334 UGFzc3dvcmQ6\r\n");
    peer.setReply(kPassword.toUtf8().toBase64().toUpper(), "235 2.7.0 accepted\r\n");
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), QByteArray("a"));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    plan.authMethod = asked;
    QVERIFY(run.run(plan));
    QVERIFY2(run.sent, qPrintable(run.lastText));
    QVERIFY(peer.commands().size() > 1);
    QCOMPARE(peer.commands().at(1), first);
    const qint64 total = run.progress.last().second;
    for (const auto& step : run.progress) {
        QCOMPARE(step.second, total);
        QVERIFY(step.first >= 0 && step.first <= total);
    }
}

void TestSmtpClient::stalledReplyFails_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<int>>("errors");
    const QList<int> timedOut = Repeated(SmtpClient::ReplyTimedOut, 11);
    QTest::newRow("no greeting") << QByteArray(ScriptedSmtpPeer::Greeting) << QByteArray()
                                 << timedOut + QList<int>{SmtpClient::ServerTransientError};
    QTest::newRow("EHLO reply without its last line")
        << QByteArray("EHLO") << QByteArray("250-peer\r\n250-SIZE 1000\r\n")
        << timedOut + QList<int>{SmtpClient::ServerTransientError};
    QTest::newRow("half a line") << QByteArray("EHLO") << QByteArray("25")
                                 << timedOut + QList<int>{SmtpClient::ServerTransientError};
}

void TestSmtpClient::stalledReplyFails() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, reply);
    QFETCH(QList<int>, errors);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(key, reply);
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, nullptr);
    plan.replyTimeout = 100;
    QVERIFY(run.run(plan));
    QVERIFY(!run.connected);
    QCOMPARE(run.lastCode, -1);
    QCOMPARE(run.errors, errors);
}

void TestSmtpClient::oversizedReplies_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("unit"); // repeated without end (up to 1 GiB)
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("logged"); // empty: nothing about the reply's size
    const QByteArray line4000 = "250-" + QByteArray(3994, 'x') + "\r\n";
    QTest::newRow("greeting line without an end")
        << QByteArray(ScriptedSmtpPeer::Greeting) << QByteArray("220-") << QByteArray("x") << false
        << "reply to the greeting: a line longer than 4096 bytes";
    QTest::newRow("greeting without an end, in lines")
        << QByteArray(ScriptedSmtpPeer::Greeting) << QByteArray() << QByteArray("220-more to come\r\n") << false
        << "reply to the greeting: longer than 65536 bytes";
    QTest::newRow("EHLO line without an end") << QByteArray("EHLO") << QByteArray("250-") << QByteArray("y") << false
                                              << "reply to EHLO: a line longer than 4096 bytes";
    QTest::newRow("one EHLO line too long") << QByteArray("EHLO") << "250-" + QByteArray(5000, 'z') + "\r\n250 ok\r\n"
                                            << QByteArray() << false << "reply to EHLO: a line longer than 4096 bytes";
    // What a sound server sends, even a talkative one, stays within both bounds.
    QTest::newRow("EHLO reply of long lines within the bounds")
        << QByteArray("EHLO") << line4000.repeated(15) + "250 AUTH PLAIN\r\n"
        << QByteArray() << true << QString();
}

// A peer that sends a reply line without an end, or a reply without its last line, is cut off as soon as a
// bound is passed: the client's memory stays small and the step fails at once with a line in the run log.
void TestSmtpClient::oversizedReplies() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, unit);
    QFETCH(bool, connected);
    QFETCH(QString, logged);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setHostileReply(key, head, unit);
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, nullptr);
    plan.login = false;
    plan.replyTimeout = 3000;
    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::CurrentMb();
    QElapsedTimer timer;
    timer.start();
    QVERIFY(run.run(plan));
    const qint64 grown = ResidentMemory::PeakMb() - before;
    qInfo("%s: %lld ms, peak resident memory %lld MB above the start, %lld bytes sent by the peer",
          QTest::currentDataTag(), timer.elapsed(), grown, peer.floodBytes());
    QCOMPARE(run.connected, connected);
    QVERIFY2(grown < 100, qPrintable(QString::number(grown)));
    // Far less than the reply's time-out: the client does not wait for more of a reply it will not take.
    QVERIFY2(timer.elapsed() < 2500, qPrintable(QString::number(timer.elapsed())));
    QFile log(RunLogPath(m_logDir.path()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    if (!logged.isEmpty())
        QVERIFY2(text.contains(logged), qPrintable(text.right(600)));
    if (!connected)
        QCOMPARE(run.lastCode, -1);
}

void TestSmtpClient::errorAtEachStep_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<QList<int>>("errors");
    using E = SmtpClient;
    QTest::newRow("greeting 554") << QByteArray(ScriptedSmtpPeer::Greeting) << QByteArray("554 5.3.2 go away\r\n")
                                  << QList<QByteArray>{}
                                  << QList<int>{E::ServerPermanentError, E::ServerTransientError};
    QTest::newRow("EHLO 550") << QByteArray("EHLO") << QByteArray("550 5.7.1 no\r\n") << QList<QByteArray>{"EHLO"}
                              << QList<int>{E::ServerPermanentError, E::ServerTransientError};
    QTest::newRow("AUTH 535") << QByteArray("AUTH") << QByteArray("535 5.7.8 bad credentials\r\n")
                              << QList<QByteArray>{"EHLO", "AUTH", "QUIT"}
                              << QList<int>{E::ServerPermanentError, E::AuthRejected};
    QTest::newRow("MAIL 550") << QByteArray("MAIL") << QByteArray("550 5.7.1 sender refused\r\n")
                              << QList<QByteArray>{"EHLO", "AUTH", "MAIL", "QUIT"}
                              << QList<int>{E::ServerPermanentError};
    QTest::newRow("MAIL 451") << QByteArray("MAIL") << QByteArray("451 4.3.0 try later\r\n")
                              << QList<QByteArray>{"EHLO", "AUTH", "MAIL", "QUIT"}
                              << QList<int>{E::ServerTransientError};
    QTest::newRow("RCPT 550") << QByteArray("RCPT") << QByteArray("550 5.1.1 no such user\r\n")
                              << QList<QByteArray>{"EHLO", "AUTH", "MAIL", "RCPT", "QUIT"}
                              << QList<int>{E::ServerPermanentError};
    QTest::newRow("DATA 554") << QByteArray("DATA") << QByteArray("554 5.5.1 no valid recipients\r\n")
                              << QList<QByteArray>{"EHLO", "AUTH", "MAIL", "RCPT", "RCPT", "RCPT", "DATA", "QUIT"}
                              << QList<int>{E::ServerPermanentError};
    QTest::newRow("end of data 554") << QByteArray(ScriptedSmtpPeer::EndOfData) << QByteArray("554 5.7.1 spam\r\n")
                                     << QList<QByteArray>{"EHLO", "AUTH", "MAIL", "RCPT",
                                                          "RCPT", "RCPT", "DATA", "QUIT"}
                                     << QList<int>{E::ServerPermanentError};
    // Lines after the go-ahead were sent in the clear and would pass for the encrypted server's words.
    QTest::newRow("STARTTLS reply with more behind it")
        << QByteArray("STARTTLS") << QByteArray("220 2.0.0 go ahead\r\n250 2.1.0 sender ok\r\n")
        << QList<QByteArray>{"EHLO", "STARTTLS"} << QList<int>{E::ConnectFailed};
    QTest::newRow("STARTTLS refused") << QByteArray("STARTTLS") << QByteArray("554 5.7.0 no\r\n")
                                      << QList<QByteArray>{"EHLO", "STARTTLS"}
                                      << QList<int>{E::ServerPermanentError, E::ServerTransientError};
}

void TestSmtpClient::errorAtEachStep() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, reply);
    QFETCH(QList<QByteArray>, commands);
    QFETCH(QList<int>, errors);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(key, reply);
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), QByteArray("a"));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    plan.connectionType = key == "STARTTLS" ? SmtpClient::StartTls : SmtpClient::PlainTcp;
    QVERIFY(run.run(plan));
    QVERIFY(!run.sent);
    QCOMPARE(run.lastCode, reply.left(3).toInt());
    QCOMPARE(run.errors, errors);
    // The peer saw QUIT (or the connection close) before it could answer; wait for it to have read all.
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 30000);
    QCOMPARE(peer.commandWords(), commands);
}

void TestSmtpClient::connectionDroppedDuringData() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setDropAfterDataBytes(1000);
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), BinaryBytes(4 * 1024 * 1024));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    QVERIFY(run.run(plan, 30000));
    QVERIFY(run.connected);
    QVERIFY(!run.sent);
    QVERIFY(!peer.dataEnded());
    QCOMPARE(run.limitStops, 0);
    QVERIFY(run.errors.contains(SmtpClient::WriteTimedOut));
}

void TestSmtpClient::rawLineEndsAreNormalisedBeforeStuffing() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    EmailAddress sender(kUser);
    EmailAddress recipient(QStringLiteral("support@example.com"));
    MimePart part;
    part.setContentType(QStringLiteral("text/plain"));
    part.setEncoding(MimePart::Enc8Bit);
    part.setBody("first\n.\n.x\r\n.\rlast\n");
    MimeMessage message(false);
    message.setSender(&sender);
    message.addTo(&recipient);
    message.setRootPart(&part);
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &message);
    QVERIFY(run.run(plan));
    QVERIFY(run.sent);
    QVERIFY2(peer.data().endsWith("\r\n\r\nfirst\r\n..\r\n..x\r\n..\r\nlast\r\n\r\n"), peer.data().constData());
    QVERIFY(!peer.data().contains("\r\n.\r\n"));
    QCOMPARE(peer.data().count('\n'), peer.data().count("\r\n"));
    QCOMPARE(peer.data().count('\r'), peer.data().count("\r\n"));
}

void TestSmtpClient::headerInjectionIsRefused_data() {
    QTest::addColumn<QString>("senderAddress");
    QTest::addColumn<QString>("recipientAddress");
    QTest::addColumn<QString>("subject");
    const QString a = QStringLiteral("reports@example.org");
    const QString b = QStringLiteral("support@example.com");
    QTest::newRow("command in the sender")
        << QStringLiteral("reports@example.org>\r\nRCPT TO: <victim@example.net") << b << QStringLiteral("s");
    QTest::newRow("LF in the recipient") << a << QStringLiteral("support@example.com\nRCPT TO: <victim@example.net>")
                                         << QStringLiteral("s");
    QTest::newRow("header in the subject") << a << b << QStringLiteral("s\r\nBcc: victim@example.net");
}

void TestSmtpClient::headerInjectionIsRefused() {
    QFETCH(QString, senderAddress);
    QFETCH(QString, recipientAddress);
    QFETCH(QString, subject);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    ShortMail mail(senderAddress, QString(), recipientAddress, subject, QStringLiteral("t"));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    QVERIFY(run.run(plan));
    QVERIFY(run.connected);
    QVERIFY(!run.sent);
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 30000);
    QCOMPARE(peer.commandWords(), (QList<QByteArray>{"EHLO", "AUTH", "QUIT"}));
}

void TestSmtpClient::credentialsOnlyWhenEncryptedOrLocal_data() {
    QTest::addColumn<bool>("encrypted");
    QTest::addColumn<QString>("peer");
    QTest::addColumn<bool>("allowed");
    // Documentation addresses (RFC 5737, RFC 3849) stand for other machines; nothing is sent to them.
    QTest::newRow("plain to 127.0.0.1") << false << QStringLiteral("127.0.0.1") << true;
    QTest::newRow("plain to 127.0.0.2") << false << QStringLiteral("127.0.0.2") << true;
    QTest::newRow("plain to ::1") << false << QStringLiteral("::1") << true;
    QTest::newRow("plain to mapped 127.0.0.1") << false << QStringLiteral("::ffff:127.0.0.1") << true;
    QTest::newRow("plain to another machine") << false << QStringLiteral("192.0.2.25") << false;
    QTest::newRow("plain to another IPv6 machine") << false << QStringLiteral("2001:db8::25") << false;
    QTest::newRow("plain to mapped other") << false << QStringLiteral("::ffff:192.0.2.25") << false;
    QTest::newRow("plain, no peer") << false << QString() << false;
    QTest::newRow("encrypted to another machine") << true << QStringLiteral("192.0.2.25") << true;
}

void TestSmtpClient::credentialsOnlyWhenEncryptedOrLocal() {
    QFETCH(bool, encrypted);
    QFETCH(QString, peer);
    QFETCH(bool, allowed);
    QCOMPARE(SmtpClient::MayAuthenticate(encrypted, QHostAddress(peer)), allowed);
}

void TestSmtpClient::stopDuringUpload() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setStopReadingInData(true);
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), BinaryBytes(16 * 1024 * 1024));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    run.start(plan);
    QTRY_VERIFY_WITH_TIMEOUT(!peer.data().isEmpty(), 30000);
    // The peer reads no more, so the client is stuck in the upload and cannot have finished.
    QVERIFY(run.client.load()->RequestStop());
    QVERIFY(run.wait(10000));
    QVERIFY(!run.sent);
    QCOMPARE(run.limitStops, 0);
    peer.resumeReading();
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 30000);
    QVERIFY(!peer.dataEnded());
    QVERIFY(!peer.commandWords().contains("QUIT"));
}

void TestSmtpClient::stopRefusedInFinalPhase() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(ScriptedSmtpPeer::EndOfData, QByteArray());
    TestMail mail(QStringLiteral("s"), QStringLiteral("t"), QByteArray("a"));
    ClientRun run;
    ClientRun::Plan plan = PeerPlan(peer, &mail.message);
    run.start(plan);
    QTRY_VERIFY_WITH_TIMEOUT(peer.dataEnded(), 30000);
    // The client waits for the reply to its ".": the server may be taking the mail right now.
    QVERIFY(!run.client.load()->RequestStop());
    peer.send("250 2.0.0 queued\r\n");
    QVERIFY(run.wait());
    QVERIFY(run.sent);
    QCOMPARE(run.limitStops, 1);
    QTRY_VERIFY_WITH_TIMEOUT(peer.commandWords().contains("QUIT"), 30000);
}

QTEST_GUILESS_MAIN(TestSmtpClient)
#include "tst_smtpclient.moc"
