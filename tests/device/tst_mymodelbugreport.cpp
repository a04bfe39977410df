// The model's bug reports: the account from the deployment file, the checks of the form, the archive that
// reaches the mail server (unpacked again with 7z), the packing off the GUI thread, one report at a time, the
// stop, and the offer to retry. The servers are real: aiosmtpd with TLS and AUTH, and a scripted peer for a
// server that stalls or refuses; a stand-in 7z for an archiver that fails or stalls.

#include "BinaryBytes.h"
#include "EventLoopWatch.h"
#include "MailDeployment.h"
#include "ModelTestEnv.h"
#include "RecordingDisplay.h"
#include "ResidentMemory.h"
#include "RunLogText.h"
#include "ScriptedSmtpPeer.h"
#include "StandInProgram.h"
#include "TimeBound.h"
#include "UnattachableFile.h"

#include "app/RunLog.h"
#include "device/BugReportArchive.h"
#include "mail/BugReportMail.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

const char kBusy[] = "Sending a bug report. Please try another later.";
const char kDescribe[] = "Please describe the problem clearly before submitting.";
const char kUnknown[] = "Unknown error, try again please.";
const char kRetry[] = "Bug sending failed, please try again.";

// Bytes that no archiver can shrink, so that 7z has all of them to work through.
bool WriteUnshrinkable(const QString& path, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QRandomGenerator random(4013);
    QByteArray chunk(1024 * 1024, Qt::Uninitialized);
    for (qint64 written = 0; written < size; written += chunk.size()) {
        random.fillRange(reinterpret_cast<quint32*>(chunk.data()), chunk.size() / 4);
        if (file.write(chunk.constData(), qMin<qint64>(chunk.size(), size - written)) < 0)
            return false;
    }
    return file.size() == size;
}

} // namespace

class TestMyModelBugReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void sendsReport();
    void notSetUp_data();
    void notSetUp();
    void refusedBeforeSending_data();
    void refusedBeforeSending();
    void attachmentThatCannotBeAttached_data();
    void attachmentThatCannotBeAttached();
    void largestAttachmentArrives();
    void mailOverTheLimitIsNotSent();
    void packingLeavesEventLoopAnswering();
    void packingEnds_data();
    void packingEnds();
    void stopMidSend_data();
    void stopMidSend();
    void failureOffersRetry();
    void modelGoesWhileSending_data();
    void modelGoesWhileSending();

private:
    QString ArchivePath() const {
        return BugReportArchive::PathFor(gConfig->GetDataDir(), gAppData->FullProductName, gAppData->Version);
    }
    bool PointAt(const ScriptedSmtpPeer& peer) { return m_mail.writeAccount(peer.serverPort(), "plain"); }
    // Submit, as the dialog's host hands the dialog on.
    void Submit() { m_env.model->SendBugReport(&m_display); }

    ModelTestEnv m_env;
    MailDeployment m_mail;
    RecordingDisplay m_display;
    QTemporaryDir m_files;
};

void TestMyModelBugReport::initTestCase() {
    QVERIFY(m_env.setUp());
    QVERIFY2(m_mail.setUp(), qPrintable(m_mail.errorText()));
    QVERIFY(m_files.isValid());
    QVERIFY(OpenRunLog(gConfig->GetDataDir(), gAppData->Version, gAppData->Platform));
}

void TestMyModelBugReport::init() {
    m_env.start();
    m_display = RecordingDisplay();
    m_env.model->SetBugReportView(&m_display);
    m_mail.removeAccount();
    QFile::remove(ArchivePath());
}

void TestMyModelBugReport::cleanup() {
    m_env.stop();
}

void TestMyModelBugReport::cleanupTestCase() {
    CloseRunLog();
    m_env.tearDown();
}

// Submit against a server with TLS from the start and AUTH: the mail goes from the account to the
// edition's support address, and its archive holds the run log, the settings without their secrets and the
// user's picture.
void TestMyModelBugReport::sendsReport() {
    QVERIFY2(m_mail.startServer(SmtpTestServer::Mode::Tls), qPrintable(m_mail.errorText()));
    QVERIFY(MyModel::IsBugReportSetUp());
    QVERIFY(gConfig->SetProxyName(QStringLiteral("proxyuser"), true));
    QVERIFY(gConfig->SetProxyPassword(QStringLiteral("hunter2 proxy"), true));
    QVERIFY(gConfig->SetProxyHost(QStringLiteral("proxy.example.net"), true));
    RunLog->WriteString(TextLog::Info, QStringLiteral("a line before the report"), true);
    const QByteArray picture = BinaryBytes(120000);
    m_display.attachment = m_files.filePath(QStringLiteral("screen shot.png"));
    QFile file(m_display.attachment);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(picture) == picture.size());
    file.close();

    Submit();
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending"}));
    QVERIFY(m_env.model->IsSendingBugReport());
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 60000);
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending", "Sent"}));
    QVERIFY(m_env.host->notices.isEmpty());
    QCOMPARE(m_display.progress.first(), 0);
    QCOMPARE(m_display.progress.last(), 100);
    QVERIFY(std::is_sorted(m_display.progress.begin(), m_display.progress.end()));
    // A report that went out leaves no archive behind.
    QVERIFY(!QFile::exists(ArchivePath()));

    const QList<QJsonObject> mails = m_mail.server->mails();
    QCOMPARE(mails.size(), 1);
    const QJsonObject& mail = mails.first();
    QCOMPARE(mail.value("mail_from").toString(), QLatin1String(MailDeployment::User));
    QCOMPARE(mail.value("rcpt_tos").toArray(), QJsonArray{gAppData->Email});
    QVERIFY(mail.value("encrypted").toBool());
    QCOMPARE(mail.value("authenticated_as").toString(), QLatin1String(MailDeployment::User));
    QCOMPARE(mail.value("subject").toString(),
             "Erika Muster - erika@example.com -> " + gAppData->FullProductName + "( LINUX )");
    QCOMPARE(SmtpTestServer::Bytes(mail, "text_b64"), QByteArray("The repair stopped at 42 %.\r\nError 4013."));

    UnpackedReport report;
    QVERIFY2(report.unpackFromMail(mail), qPrintable(report.errorText()));
    QVERIFY2(report.files().contains("myrun.log"), qPrintable(report.files().join(", ")));
    QVERIFY(report.read("myrun.log").contains("a line before the report"));
    const QByteArray settings = report.read("config.xml");
    QVERIFY(settings.contains("<Host>proxy.example.net</Host>"));
    QVERIFY(!settings.contains("hunter2"));
    QVERIFY(!settings.contains("proxyuser"));
    QCOMPARE(report.read("attachment/screen shot.png"), picture);
    QCOMPARE(mail.value("attachments").toArray().at(0).toObject().value("name").toString(),
             QFileInfo(ArchivePath()).fileName());
}

void TestMyModelBugReport::notSetUp_data() {
    QTest::addColumn<QByteArray>("accountFile"); // empty: none; "folder": a folder in the file's place
    QTest::addColumn<QString>("logged");
    QTest::newRow("no account file") << QByteArray() << "no mail account file";
    QTest::newRow("a folder in its place") << QByteArray("folder") << "cannot be read";
    QTest::newRow("no host in it") << QByteArray("[mail]\nport = 465\nuser = reports@tavik.example\n")
                                   << "names no host in [mail]";
    QTest::newRow("no user in it") << QByteArray("[mail]\nhost = 127.0.0.1\n") << "names no user in [mail]";
    QTest::newRow("bad port") << QByteArray("[mail]\nhost = 127.0.0.1\nport = 99999\nuser = r@tavik.example\n")
                              << "port \"99999\" is no port number";
    QTest::newRow("bad security") << QByteArray("[mail]\nhost = 127.0.0.1\nsecurity = carrier pigeon\n")
                                  << "security \"carrier pigeon\" is none of tls, starttls, plain";
}

// Without a usable account the dialog says so, nothing is packed or sent, and the run log says what is wrong
// with the file: already when the dialog asks, before any Submit.
void TestMyModelBugReport::notSetUp() {
    QFETCH(QByteArray, accountFile);
    QFETCH(QString, logged);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    if (accountFile == "folder")
        QVERIFY(QDir().mkpath(m_mail.accountPath()));
    else if (!accountFile.isEmpty())
        QVERIFY(m_mail.writeAccount(peer.serverPort(), "plain", accountFile));
    QFile log(RunLogPath(gConfig->GetDataDir()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    log.seek(log.size());
    QVERIFY(!MyModel::IsBugReportSetUp());
    const QString written = QString::fromUtf8(log.readAll());
    QVERIFY2(written.contains("Bug reports are not set up: ") && written.contains(logged), qPrintable(written));
    QVERIFY(written.contains(QDir::toNativeSeparators(m_mail.accountPath())) || written.contains(m_mail.accountPath()));
    QVERIFY(!written.contains(MailDeployment::Password));
    Submit();
    QDir(m_mail.accountPath()).removeRecursively();
    QCOMPARE(m_display.log, QStringList{"NotSetUp"});
    QVERIFY(m_env.host->notices.isEmpty());
    QVERIFY(!m_env.model->IsSendingBugReport());
    QVERIFY(!QFile::exists(ArchivePath()));
    QVERIFY(!peer.connected());
}

void TestMyModelBugReport::refusedBeforeSending_data() {
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("attachmentMb"); // a file of that size; 0: none
    QTest::addColumn<bool>("archiver");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notices");
    const QString name = QStringLiteral("Erika Muster");
    const QString email = QStringLiteral("erika@example.com");
    QTest::newRow("address without a domain")
        << "erika@example" << name << "It hangs." << 0 << true << QStringList{"EmailInvalid"} << QStringList();
    QTest::newRow("a header in the address") << "erika@example.com\r\nBcc: all@example.com" << name << "It hangs." << 0
                                             << true << QStringList{"EmailInvalid"} << QStringList();
    QTest::newRow("a line break in the name")
        << email << "Erika\nMuster"
        << "It hangs." << 0 << true << QStringList{"EmailValid", "NameInvalid"} << QStringList();
    QTest::newRow("a tab in the name") << email << "Erika\tMuster"
                                       << "It hangs." << 0 << true << QStringList{"EmailValid", "NameInvalid"}
                                       << QStringList();
    QTest::newRow("an attachment of 200 MB") << email << name << "It hangs." << 200 << true
                                             << QStringList{"EmailValid", "AttachmentTooLarge"} << QStringList();
    QTest::newRow("an attachment just over the limit")
        << email << name << "It hangs." << int(BugReportDisplay::MaxAttachmentMb) << true
        << QStringList{"EmailValid", "AttachmentTooLarge"} << QStringList();
    QTest::newRow("no description") << email << name << "" << 0 << true << QStringList{"EmailValid"}
                                    << QStringList{kDescribe};
    QTest::newRow("no archiver") << email << name << "It hangs." << 0 << false << QStringList{"EmailValid"}
                                 << QStringList{kUnknown};
}

// What stops a report before any mail goes: the dialog's marks or a message, no archive and no connection.
void TestMyModelBugReport::refusedBeforeSending() {
    QFETCH(QString, email);
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(int, attachmentMb);
    QFETCH(bool, archiver);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notices);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    QVERIFY(PointAt(peer));
    m_display.email = email;
    m_display.name = name;
    m_display.content = content;
    if (attachmentMb > 0) {
        // Sparse: only its size counts. The limit's own row is one byte over it.
        m_display.attachment = m_files.filePath(QStringLiteral("big.png"));
        QFile big(m_display.attachment);
        QVERIFY(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const qint64 size = qint64(attachmentMb) * 1024 * 1024;
        QVERIFY(big.resize(size == BugReportDisplay::MaxAttachmentBytes ? size + 1 : size));
    }
    const QByteArray path = qgetenv("PATH");
    if (!archiver)
        qputenv("PATH", m_files.path().toLocal8Bit());
    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::CurrentMb();
    Submit();
    const qint64 grown = ResidentMemory::PeakMb() - before;
    qputenv("PATH", path);
    if (attachmentMb > 0)
        QFile::remove(m_display.attachment);
    QCOMPARE(m_display.log, shown);
    QCOMPARE(m_env.host->notices, notices);
    QVERIFY(!m_env.model->IsSendingBugReport());
    QVERIFY(!QFile::exists(ArchivePath()));
    QVERIFY(!peer.connected());
    QVERIFY2(grown < 50, qPrintable(QString::number(grown)));
}

void TestMyModelBugReport::attachmentThatCannotBeAttached_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("removed after it was chosen") << "removed";
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("/dev/zero typed in") << "device";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a link to a picture") << "link";
}

// A picture that cannot be attached is named on the dialog, and no report goes without it: nothing is packed,
// nothing sent, nothing waits on the file.
void TestMyModelBugReport::attachmentThatCannotBeAttached() {
    QFETCH(QString, kind);
    QVERIFY2(m_mail.startServer(SmtpTestServer::Mode::Tls), qPrintable(m_mail.errorText()));
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("picture.png"));
    QFile file(picture);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(BinaryBytes(5000)) == 5000);
    file.close();
    m_display.attachment = MakeUnattachable(kind, folder.filePath(QStringLiteral("screen.png")), picture);
    QVERIFY(!m_display.attachment.isEmpty());
    const int logStart = RunLogText().size();
    QElapsedTimer clock;
    clock.start();
    Submit();
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 10000);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "AttachmentUnreadable"}));
    QVERIFY(m_env.host->notices.isEmpty());
    QVERIFY(!QFile::exists(ArchivePath()));
    QVERIFY(m_mail.server->mails().isEmpty());
    QVERIFY(RunLogText().mid(logStart).contains("the attachment " + m_display.attachment + " is no regular file"));
}

// An attachment of exactly the largest size still goes out, to a server with the usual limit on a mail's size.
void TestMyModelBugReport::largestAttachmentArrives() {
    QVERIFY2(m_mail.startServer(SmtpTestServer::Mode::Tls), qPrintable(m_mail.errorText()));
    m_display.attachment = m_files.filePath(QStringLiteral("largest.png"));
    // As large as the mail can get from it.
    QVERIFY(WriteUnshrinkable(m_display.attachment, BugReportDisplay::MaxAttachmentBytes));
    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::CurrentMb();
    Submit();
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 120000);
    const qint64 grown = ResidentMemory::PeakMb() - before;
    qInfo("a report with a %lld MB attachment: peak resident memory %lld MB above the start",
          BugReportDisplay::MaxAttachmentMb, grown);
    // The mail is held whole several times over while it is sent, which is what the limit keeps small (about
    // 270 MB here; twice that under ThreadSanitizer).
    QVERIFY2(grown < 1024, qPrintable(QString::number(grown)));
    QFile::remove(m_display.attachment);
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending", "Sent"}));
    const QList<QJsonObject> mails = m_mail.server->mails();
    QCOMPARE(mails.size(), 1);
    UnpackedReport report;
    QVERIFY2(report.unpackFromMail(mails.first()), qPrintable(report.errorText()));
    QCOMPARE(QFileInfo(report.folder() + "/attachment/largest.png").size(), BugReportDisplay::MaxAttachmentBytes);
    // Under the 25 MB mail servers commonly take, with the logs and the text.
    const qint64 mailBytes = SmtpTestServer::Bytes(mails.first(), "raw_b64").size();
    qInfo("the mail of a %lld MB attachment has %lld bytes", BugReportDisplay::MaxAttachmentMb, mailBytes);
    QVERIFY2(mailBytes < BugReportMail::MaxMailBytes, qPrintable(QString::number(mailBytes)));
}

// The largest attachment with a description long enough to take the mail past what servers take: it is not
// sent, the dialog says that the attachment is too large, and Submit is not offered again.
void TestMyModelBugReport::mailOverTheLimitIsNotSent() {
    QVERIFY2(m_mail.startServer(SmtpTestServer::Mode::Tls), qPrintable(m_mail.errorText()));
    m_display.attachment = m_files.filePath(QStringLiteral("largest.png"));
    QVERIFY(WriteUnshrinkable(m_display.attachment, BugReportDisplay::MaxAttachmentBytes));
    m_display.content = QString(1024 * 1024, QLatin1Char('w'));
    const int logStart = RunLogText().size();
    Submit();
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 120000);
    QFile::remove(m_display.attachment);
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending", "Idle", "AttachmentTooLarge"}));
    QVERIFY(m_env.host->notices.isEmpty());
    QVERIFY(m_mail.server->mails().isEmpty());
    QVERIFY(!QFile::exists(ArchivePath()));
    const QString written = RunLogText().mid(logStart);
    QVERIFY2(written.contains(QRegularExpression("Bug report not sent: the mail would have \\d+ bytes, more than the "
                                                 "25000000")),
             qPrintable(written));
}

// 7z takes a while over an attachment of the largest size (about a second, longer on a slow disk): the GUI
// thread answers within 100 ms all the while, from Submit until the mail server is reached.
void TestMyModelBugReport::packingLeavesEventLoopAnswering() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(ScriptedSmtpPeer::Greeting, QByteArray());
    QVERIFY(PointAt(peer));
    m_display.attachment = m_files.filePath(QStringLiteral("packed slowly.png"));
    QVERIFY(WriteUnshrinkable(m_display.attachment, BugReportDisplay::MaxAttachmentBytes));
    EventLoopWatch watch;
    watch.start();
    Submit();
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending"}));
    QTRY_VERIFY_WITH_TIMEOUT(peer.connected(), 120000);
    watch.stop();
    qInfo("packing a %lld MB attachment: the longest time the event loop did not answer was %lld ms",
          BugReportDisplay::MaxAttachmentMb, watch.longestGapMs());
    m_env.model->StopBugReport(&m_display);
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 10000);
    QFile::remove(m_display.attachment);
    QVERIFY2(watch.longestGapMs() < TimeBound(100), qPrintable(QString::number(watch.longestGapMs())));
    QCOMPARE(m_env.host->notices, QStringList());
}

void TestMyModelBugReport::packingEnds_data() {
    QTest::addColumn<QByteArray>("archiver"); // what the stand-in 7z does once it has written part of the archive
    QTest::addColumn<QString>("end");         // "stop", "model goes", or empty: the archiver ends by itself
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notices");
    QTest::addColumn<QString>("logged");
    QTest::newRow("the archiver fails") << QByteArray("exit 2\n") << QString()
                                        << QStringList{"EmailValid", "Sending", "Idle"} << QStringList{kUnknown}
                                        << "Bug report archive not made: the archiver failed with code 2";
    QTest::newRow("the dialog's stop") << QByteArray("exec /bin/sleep 60\n") << "stop"
                                       << QStringList{"EmailValid", "Sending", "Stopped"} << QStringList()
                                       << "Bug report: the packing was stopped";
    QTest::newRow("the model goes") << QByteArray("exec /bin/sleep 60\n") << "model goes"
                                    << QStringList{"EmailValid", "Sending"} << QStringList()
                                    << "Bug report: the packing was cut off at exit";
}

// However the packing ends short of an archive, no part of one is left and no mail goes; a stop or the
// model's end does not wait for the archiver, and only a failure says so.
void TestMyModelBugReport::packingEnds() {
    QFETCH(QByteArray, archiver);
    QFETCH(QString, end);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notices);
    QFETCH(QString, logged);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    QVERIFY(PointAt(peer));
    const QString programs = m_files.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(programs));
    // The archive is made out of sight and moved to its place once whole: the stand-in says when it has a part.
    const QString started = m_files.filePath(QStringLiteral("archiver-started"));
    QFile::remove(started);
    QVERIFY(StandIn::Write(QDir(programs).filePath(QStringLiteral("7z")),
                           "printf part > \"$6\"\n: > " + StandIn::ShellQuoted(started) + "\n" + archiver));
    QFile log(RunLogPath(gConfig->GetDataDir()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    log.seek(log.size());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", programs.toLocal8Bit());
    Submit();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started) || !m_env.model->IsSendingBugReport(), 30000);
    QElapsedTimer timer;
    timer.start();
    if (end == QLatin1String("stop"))
        m_env.model->StopBugReport(&m_display);
    else if (end == QLatin1String("model goes"))
        m_env.model.reset();
    if (m_env.model)
        QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 10000);
    const qint64 took = timer.elapsed();
    qputenv("PATH", path);
    qInfo("the packing ended in %lld ms", took);
    QVERIFY2(took < 2000, qPrintable(QString::number(took)));
    QCOMPARE(m_display.log, shown);
    QCOMPARE(m_env.host->notices, notices);
    QVERIFY(!QFile::exists(ArchivePath()));
    QCOMPARE(QDir(gConfig->GetDataDir()).entryList({QStringLiteral("report-*")}, QDir::AllEntries | QDir::Hidden),
             QStringList());
    QVERIFY(!peer.connected());
    const QString written = QString::fromUtf8(log.readAll());
    QVERIFY2(written.contains(logged), qPrintable(written));
}

void TestMyModelBugReport::stopMidSend_data() {
    QTest::addColumn<QByteArray>("stalledReply");
    QTest::addColumn<int>("commandsBefore"); // what the peer has seen when the send stalls
    QTest::newRow("waiting for the greeting") << QByteArray(ScriptedSmtpPeer::Greeting) << 0;
    QTest::newRow("waiting for the recipient's answer") << QByteArray("RCPT") << 4;
}

// While a report is under way a second one is refused; a stop ends it without a result or an offer, and the
// next Submit starts a new report only once the stopped one has ended.
void TestMyModelBugReport::stopMidSend() {
    QFETCH(QByteArray, stalledReply);
    QFETCH(int, commandsBefore);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(stalledReply, QByteArray());
    QVERIFY(PointAt(peer));
    Submit();
    QTRY_VERIFY_WITH_TIMEOUT(peer.connected() && peer.commands().size() == commandsBefore, 30000);

    Submit();
    QCOMPARE(m_env.host->notices, QStringList{kBusy});
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending"}));

    m_env.model->StopBugReport(&m_display);
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending", "Stopped"}));
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 10000);
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending", "Stopped"}));
    QCOMPARE(m_env.host->notices, QStringList{kBusy});
    QVERIFY(!peer.dataEnded());
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 10000);
    // The archive of a stopped report stays until the next one replaces it.
    QVERIFY(QFile::exists(ArchivePath()));

    Submit();
    QVERIFY(m_env.model->IsSendingBugReport());
    QCOMPARE(m_display.log.last(), QStringLiteral("Sending"));
    m_env.model->StopBugReport(&m_display);
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 10000);
}

// A server that refuses the mail: the dialog shows the failure and the model offers to send again; taken, the
// same report goes once more, declined, it stays where it is.
void TestMyModelBugReport::failureOffersRetry() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply("MAIL", "550 5.7.1 not from here\r\n");
    QVERIFY(PointAt(peer));
    m_env.host->offerAnswers = {true, false};
    Submit();
    QTRY_COMPARE_WITH_TIMEOUT(m_env.host->notices.size(), 2, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_env.model->IsSendingBugReport(), 10000);
    QCOMPARE(m_env.host->notices, (QStringList{kRetry, kRetry}));
    QCOMPARE(m_display.log, (QStringList{"EmailValid", "Sending", "Failed", "EmailValid", "Sending", "Failed"}));
    QCOMPARE(peer.commandWords().count("MAIL"), 2);
    QVERIFY(QFile::exists(ArchivePath()));
}

void TestMyModelBugReport::modelGoesWhileSending_data() {
    QTest::addColumn<QByteArray>("stalledReply");
    QTest::addColumn<QByteArray>("late"); // what the peer sends once the model has gone
    QTest::newRow("waiting for the recipient's answer") << QByteArray("RCPT") << QByteArray("250 2.1.5 ok\r\n");
    // Where the dialog's stop is refused, since the server may be taking the mail.
    QTest::newRow("waiting for the reply to the end of the mail")
        << QByteArray(ScriptedSmtpPeer::EndOfData) << QByteArray("250 2.0.0 queued\r\n");
}

// At the program's end a report still on its way is cut off: the model does not wait for the server, in no
// phase of the mail, and says so in the run log.
void TestMyModelBugReport::modelGoesWhileSending() {
    QFETCH(QByteArray, stalledReply);
    QFETCH(QByteArray, late);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply(stalledReply, QByteArray());
    QVERIFY(PointAt(peer));
    Submit();
    if (stalledReply == ScriptedSmtpPeer::EndOfData)
        QTRY_VERIFY_WITH_TIMEOUT(peer.dataEnded(), 30000);
    else
        QTRY_VERIFY_WITH_TIMEOUT(peer.commandWords().contains(stalledReply), 30000);
    QElapsedTimer timer;
    timer.start();
    m_env.model.reset();
    qInfo("the model went in %lld ms", timer.elapsed());
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    // A send left running would now go on with the mail, or say goodbye.
    peer.send(late);
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 10000);
    QVERIFY(!peer.commandWords().contains("DATA") || stalledReply == ScriptedSmtpPeer::EndOfData);
    QVERIFY(!peer.commandWords().contains("QUIT"));
    QVERIFY(m_env.host->notices.isEmpty());
    QFile log(RunLogPath(gConfig->GetDataDir()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("Bug report: the send was cut off at exit"));
}

QTEST_GUILESS_MAIN(TestMyModelBugReport)
#include "tst_mymodelbugreport.moc"
