#include "ScriptedSmtpPeer.h"
#include "SmtpTestServer.h"
#include "TestCa.h"
#include "TestMail.h"

#include "mail/BugreportThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(MailSecurity)
Q_DECLARE_METATYPE(SmtpTestServer::Mode)

namespace {

const QString kUser = QStringLiteral("reports@example.org");
const QString kPassword = QStringLiteral("secret for tests");
void* const kDialog = reinterpret_cast<void*>(quintptr(0xd1a1));

} // namespace

class TestBugreportThread : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sendsReport_data();
    void sendsReport();
    void reportWithoutArchive();
    void unsafeReportIsNotSent();
    void stopBeforeStart();
    void stopDuringUpload();
    void stopRefusedInFinalPhase();
    void deletedWhileSending_data();
    void deletedWhileSending();
    void stopAtEveryStep();

private:
    BugReportInfo Info(const QString& archivePath) const;
    QString WriteArchive(const QByteArray& bytes);
    static MailAccount LocalAccount(quint16 port) {
        return {QStringLiteral("127.0.0.1"), port, MailSecurity::Plain, kUser, kPassword};
    }

    std::unique_ptr<TestCa> m_ca;
    TestCa::ServerCertificate m_certificate;
    QTemporaryDir m_dir;
};

void TestBugreportThread::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_ca = std::make_unique<TestCa>();
    QVERIFY2(m_ca->isValid(), qPrintable(m_ca->errorText()));
    m_certificate = m_ca->issueServerCertificate();
    QVERIFY2(m_certificate.isValid(), qPrintable(m_ca->errorText()));
    qputenv("MENDRA_EXTRA_CA", m_ca->caCertificatePath().toLocal8Bit());
}

BugReportInfo TestBugreportThread::Info(const QString& archivePath) const {
    BugReportInfo info;
    info.model = 0x30de1;
    info.operator_ = reinterpret_cast<quintptr>(kDialog);
    info.archivePath = archivePath;
    info.userName = QStringLiteral("Ann Example");
    info.userEmail = QStringLiteral("ann@example.org");
    info.description = QStringLiteral("The repair stopped at 60%.\nIt said: error 40.");
    info.productName = QStringLiteral("Tavik Mendra");
    info.programPath = QStringLiteral("/opt/mendra/bin/mendra");
    info.recipient = QStringLiteral("support@example.com");
    return info;
}

QString TestBugreportThread::WriteArchive(const QByteArray& bytes) {
    const QString path = m_dir.filePath(QStringLiteral("Tavik Mendra V1.0.0.dmp"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

void TestBugreportThread::sendsReport_data() {
    QTest::addColumn<MailSecurity>("security");
    QTest::addColumn<SmtpTestServer::Mode>("mode");
    QTest::newRow("TLS") << MailSecurity::Tls << SmtpTestServer::Mode::Tls;
    QTest::newRow("STARTTLS") << MailSecurity::StartTls << SmtpTestServer::Mode::StartTls;
    QTest::newRow("plain to this machine") << MailSecurity::Plain << SmtpTestServer::Mode::Plain;
}

void TestBugreportThread::sendsReport() {
    QFETCH(MailSecurity, security);
    QFETCH(SmtpTestServer::Mode, mode);
    SmtpTestServer server;
    const SmtpTestServer::Options options(mode, m_certificate.certificatePath, m_certificate.keyPath, kUser, kPassword);
    QVERIFY2(server.start(options), qPrintable(server.errorText()));
    const QByteArray archive = BinaryBytes(300000);
    const QString archivePath = WriteArchive(archive);
    QVERIFY(!archivePath.isEmpty());

    BugreportThread thread(Info(archivePath),
                           MailAccount(QStringLiteral("127.0.0.1"), server.port(), security, kUser, kPassword));
    QSignalSpy result(&thread, &BugreportThread::updateResultUI);
    QSignalSpy progress(&thread, &BugreportThread::progress);
    QSignalSpy limitStop(&thread, &BugreportThread::limitStop);
    thread.start();
    QVERIFY(result.wait(60000));
    QCOMPARE(result.first(), (QVariantList{true, archivePath, QVariant::fromValue(kDialog)}));
    QVERIFY(thread.Result());
    QVERIFY(!thread.IsStopped());
    QCOMPARE(limitStop.size(), 1);
    QCOMPARE(limitStop.first().first().value<void*>(), kDialog);
    QVERIFY(!progress.isEmpty());
    for (const QVariantList& step : qAsConst(progress))
        QCOMPARE(step.at(2).value<void*>(), kDialog);
    QCOMPARE(progress.last().at(0), progress.last().at(1));

    const QList<QJsonObject> mails = server.mails();
    QCOMPARE(mails.size(), 1);
    const QJsonObject& mail = mails.first();
    QCOMPARE(mail.value(QStringLiteral("mail_from")).toString(), kUser);
    QCOMPARE(mail.value(QStringLiteral("rcpt_tos")).toArray(), QJsonArray{QStringLiteral("support@example.com")});
    QVERIFY(mail.value(QStringLiteral("encrypted")).toBool() == (security != MailSecurity::Plain));
    QCOMPARE(mail.value(QStringLiteral("authenticated_as")).toString(), kUser);
    QCOMPARE(mail.value(QStringLiteral("from")).toString(), QStringLiteral("bug <reports@example.org>"));
    QCOMPARE(mail.value(QStringLiteral("to")).toString(), QStringLiteral("support <support@example.com>"));
    QCOMPARE(mail.value(QStringLiteral("subject")).toString(),
             QStringLiteral("Ann Example - ann@example.org -> Tavik Mendra( LINUX )"));
    QCOMPARE(SmtpTestServer::Bytes(mail, QStringLiteral("text_b64")),
             QByteArray("The repair stopped at 60%.\r\nIt said: error 40."));
    const QJsonArray attachments = mail.value(QStringLiteral("attachments")).toArray();
    QCOMPARE(attachments.size(), 1);
    QCOMPARE(attachments.at(0).toObject().value(QStringLiteral("name")).toString(),
             QStringLiteral("Tavik Mendra V1.0.0.dmp"));
    QCOMPARE(SmtpTestServer::Bytes(attachments.at(0).toObject(), QStringLiteral("data_b64")), archive);
}

void TestBugreportThread::reportWithoutArchive() {
    SmtpTestServer server;
    const SmtpTestServer::Options options(SmtpTestServer::Mode::Plain, QString(), QString(), kUser, kPassword);
    QVERIFY2(server.start(options), qPrintable(server.errorText()));
    BugreportThread thread(Info(m_dir.filePath(QStringLiteral("never packed.dmp"))), LocalAccount(server.port()));
    QSignalSpy result(&thread, &BugreportThread::updateResultUI);
    thread.start();
    QVERIFY(result.wait(60000));
    QCOMPARE(result.first().first().toBool(), true);
    QCOMPARE(server.mails().size(), 1);
    QCOMPARE(server.mails().first().value(QStringLiteral("attachments")).toArray(), QJsonArray());
}

void TestBugreportThread::unsafeReportIsNotSent() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    BugReportInfo info = Info(QString());
    info.userName = QStringLiteral("Eve\r\nBcc: victim@example.net");
    BugreportThread thread(info, LocalAccount(peer.serverPort()));
    QSignalSpy result(&thread, &BugreportThread::updateResultUI);
    thread.start();
    QVERIFY(result.wait(30000));
    QCOMPARE(result.first().first().toBool(), false);
    QVERIFY(!peer.connected());
}

void TestBugreportThread::stopBeforeStart() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    BugreportThread thread(Info(QString()), LocalAccount(peer.serverPort()));
    QSignalSpy result(&thread, &BugreportThread::updateResultUI);
    QVERIFY(thread.ThreadStop());
    thread.start();
    QVERIFY(result.wait(30000));
    QCOMPARE(result.first().first().toBool(), false);
    QVERIFY(thread.IsStopped());
    QVERIFY(!peer.connected());
    // Nothing is left to stop once the send is over.
    QVERIFY(!thread.ThreadStop());
}

void TestBugreportThread::stopDuringUpload() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setStopReadingInData(true);
    const QString archivePath = WriteArchive(BinaryBytes(16 * 1024 * 1024));
    BugreportThread thread(Info(archivePath), LocalAccount(peer.serverPort()));
    QSignalSpy result(&thread, &BugreportThread::updateResultUI);
    QSignalSpy limitStop(&thread, &BugreportThread::limitStop);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(!peer.data().isEmpty(), 30000);
    QVERIFY(thread.ThreadStop());
    QVERIFY(result.wait(30000));
    QCOMPARE(result.first(), (QVariantList{false, archivePath, QVariant::fromValue(kDialog)}));
    QVERIFY(thread.IsStopped());
    QVERIFY(limitStop.isEmpty());
    peer.resumeReading();
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 30000);
    QVERIFY(!peer.dataEnded());
}

void TestBugreportThread::stopRefusedInFinalPhase() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(ScriptedSmtpPeer::EndOfData, QByteArray());
    BugreportThread thread(Info(QString()), LocalAccount(peer.serverPort()));
    QSignalSpy result(&thread, &BugreportThread::updateResultUI);
    QSignalSpy limitStop(&thread, &BugreportThread::limitStop);
    thread.start();
    QVERIFY(limitStop.wait(30000));
    QTRY_VERIFY_WITH_TIMEOUT(peer.dataEnded(), 30000);
    QVERIFY(!thread.ThreadStop());
    peer.send("250 2.0.0 queued\r\n");
    QVERIFY(result.wait(30000));
    QCOMPARE(result.first().first().toBool(), true);
    QVERIFY(thread.IsStopped());
}

void TestBugreportThread::deletedWhileSending_data() {
    QTest::addColumn<bool>("inUpload"); // else: waiting for the greeting
    QTest::newRow("waiting for the greeting") << false;
    QTest::newRow("in the upload") << true;
}

void TestBugreportThread::deletedWhileSending() {
    QFETCH(bool, inUpload);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    if (inUpload)
        peer.setStopReadingInData(true);
    else
        peer.setReply(ScriptedSmtpPeer::Greeting, QByteArray());
    // In the upload, the mail must be larger than what the socket buffers on both sides take.
    const QString archive = WriteArchive(BinaryBytes(inUpload ? 16 * 1024 * 1024 : 1000));
    auto* thread = new BugreportThread(Info(archive), LocalAccount(peer.serverPort()));
    thread->start();
    if (inUpload)
        QTRY_VERIFY_WITH_TIMEOUT(!peer.data().isEmpty(), 30000);
    else
        QTRY_VERIFY_WITH_TIMEOUT(peer.connected(), 30000);
    QElapsedTimer timer;
    timer.start();
    delete thread;
    // Far less than the 3 s of one reply wait, let alone the 60 s of a write.
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    peer.resumeReading();
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 30000);
    QVERIFY(!peer.dataEnded());
}

// A stop at each point of the dialogue, repeated while the send ends, never reaches a deleted client and
// never reports a mail that was not taken.
void TestBugreportThread::stopAtEveryStep() {
    // EHLO, AUTH, MAIL, RCPT, DATA, QUIT: a stop before each command the peer has seen and after the last.
    for (int step = 0; step <= 6; ++step) {
        ScriptedSmtpPeer peer;
        QVERIFY(peer.start());
        BugreportThread thread(Info(QString()), LocalAccount(peer.serverPort()));
        QSignalSpy result(&thread, &BugreportThread::updateResultUI);
        thread.start();
        while (!thread.isFinished() && peer.commands().size() < step)
            QCoreApplication::processEvents();
        bool stopped = false;
        while (!thread.isFinished()) {
            thread.ThreadStop();
            stopped = true;
            QCoreApplication::processEvents();
        }
        // The result may have come while the loop above served events.
        QTRY_COMPARE_WITH_TIMEOUT(result.size(), 1, 30000);
        QCOMPARE(thread.IsStopped(), stopped);
        if (thread.Result())
            QVERIFY(peer.dataEnded());
    }
}

QTEST_GUILESS_MAIN(TestBugreportThread)
#include "tst_bugreportthread.moc"
