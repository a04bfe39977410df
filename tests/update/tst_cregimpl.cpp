// The update service against a real HTTP server on 127.0.0.1: what it sends, how each kind of reply
// ends, how many tries a failure takes, and what it keeps between checks; and against a name server that never
// answers.

#include "RunLogText.h"
#include "SilentNameServer.h"
#include "UpdateTestServer.h"
#include "app/XmlLimits.h"
#include "update/CRegData.h"
#include "update/UpdateResult.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QByteArray kDefaultNotes = "Fixes and improvements.";
const QByteArray kDownload = "http://127.0.0.1/download/mendra.exe?product=MENDRA-TEST";

} // namespace

class TestCRegImpl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void replies_data();
    void replies();
    void replyShapes_data();
    void replyShapes();
    void query();
    void longNotesArriveWhole();
    void failedChecksKeepValues();
    void notSetUp();
    void hangingServer_data();
    void hangingServer();
    void abortEndsCheckSoon();
    void silentNameServer_data();
    void silentNameServer();

private:
    PythonPeer m_server;
    QTemporaryDir m_dir;
};

void TestCRegImpl::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(OpenRunLog(m_dir.path(), "1.0", "Linux"));
    QVERIFY(StartUpdateServer(m_server, {"--reply-file", m_dir.filePath("reply.xml")}));
}

void TestCRegImpl::replies_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("versioncur");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QByteArray>("newest");
    QTest::addColumn<QByteArray>("download");
    QTest::addColumn<QByteArray>("notes");

    const QByteArray none;
    QTest::newRow("newer") << "newer" << QByteArray("2.0.9") << 12 << 1 << QByteArray("2.1.0") << kDownload
                           << kDefaultNotes;
    QTest::newRow("newest") << "newest" << QByteArray("2.0.9") << 13 << 1 << QByteArray("2.0.9") << none
                            << kDefaultNotes;
    QTest::newRow("no product") << "noproduct" << QByteArray("2.0.9") << 11 << 1 << QByteArray("2.1.0") << none
                                << kDefaultNotes;
    QTest::newRow("older on the server") << "newer" << QByteArray("2.1.0.1") << 13 << 1 << QByteArray("2.1.0") << none
                                         << kDefaultNotes;
    QTest::newRow("not XML") << "notxml" << QByteArray("2.0.9") << 14 << 1 << none << none << none;
    QTest::newRow("empty body") << "empty" << QByteArray("2.0.9") << -69905 << 1 << none << none << none;
    // An error status is a failed try however well-formed its body is; every try is made.
    QTest::newRow("HTTP 500") << "error500" << QByteArray("2.0.9") << -1048593 << 3 << none << none << none;
    QTest::newRow("stops half-way") << "halfway" << QByteArray("2.0.9") << -1048593 << 3 << none << none << none;
    QTest::newRow("redirect") << "redirect" << QByteArray("2.0.9") << 12 << 2 << QByteArray("2.1.0") << kDownload
                              << kDefaultNotes;
    // What the broken first try received must not be read in front of the second try's reply.
    QTest::newRow("half-way, then whole")
        << "halfway,newer" << QByteArray("2.0.9") << 12 << 2 << QByteArray("2.1.0") << kDownload << kDefaultNotes;
    QTest::newRow("HTTP 500, then a reply")
        << "error500,newer" << QByteArray("2.0.9") << 12 << 2 << QByteArray("2.1.0") << kDownload << kDefaultNotes;
}

void TestCRegImpl::replies() {
    QFETCH(QString, answer);
    QFETCH(QByteArray, versioncur);
    QFETCH(int, code);
    QFETCH(int, requests);
    QFETCH(QByteArray, newest);
    QFETCH(QByteArray, download);
    QFETCH(QByteArray, notes);

    const int before = m_server.records("REQUEST").size();
    auto service = MakeService(AnswerEndpoint(m_server, answer), versioncur);
    QCOMPARE(service->RunCheck(), code);
    QCOMPARE(service->GetUpdateState(), code);
    QVERIFY(m_server.waitForRecords("REQUEST", before + requests));
    QCOMPARE(m_server.records("REQUEST").size(), before + requests);
    QCOMPARE(service->Info(1), newest);
    QCOMPARE(service->Info(2), download);
    QCOMPARE(service->Info(0), notes);
    QCOMPARE(QByteArray(service->GetUpdateInfo(1)), newest);
    QCOMPARE(QByteArray(service->GetUpdateInfo(7)), QByteArray());
    if (code == UpdateResult::TransferFailed)
        QVERIFY2(!service->GetErrorText().isEmpty(), "a failed transfer keeps its reason");
    else
        QVERIFY(service->GetErrorText().isEmpty());
}

namespace {

QByteArray Nested(int depth) {
    return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
}

} // namespace

void TestCRegImpl::replyShapes_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("newest"); // kept afterwards; 2.1.0 is what the check before left
    QTest::addColumn<QString>("logged");    // in the run log's new lines; empty: nothing

    const auto reply = [](const std::function<void(UpdateReply&)>& change) {
        UpdateReply shape;
        shape.version = "2.2.0";
        change(shape);
        return shape.toXml();
    };
    const QString notRead = QStringLiteral("Update: reply not read: ");
    const QByteArray max(CRegData::MaxVersionLength - 2, '1');
    QTest::newRow("sound") << reply([](UpdateReply&) {}) << 12 << QByteArray("2.2.0") << QString();
    // What a script behind the server leaves around the XML, as the parser takes it.
    QTest::newRow("blank lines before the declaration")
        << reply([](UpdateReply& r) { r.before = "\r\n\n  \n"; }) << 12 << QByteArray("2.2.0") << QString();
    QTest::newRow("byte order mark and a line end before the declaration")
        << reply([](UpdateReply& r) { r.before = "\xEF\xBB\xBF\r\n"; }) << 12 << QByteArray("2.2.0") << QString();
    QTest::newRow("an entity the parser passes through")
        << reply([](UpdateReply& r) { r.displayName = "Mendra&nbsp;Test"; }) << 12 << QByteArray("2.2.0") << QString();
    QTest::newRow("a comment after the root")
        << reply([](UpdateReply& r) { r.after = "\n<!-- 3 ms -->\n"; }) << 12 << QByteArray("2.2.0") << QString();
    // Text is where the parser itself draws the line.
    QTest::newRow("text after the root") << reply([](UpdateReply& r) { r.after = "\nDebug: done\n"; }) << 14
                                         << QByteArray("2.1.0") << notRead + "not XML (XML_ERROR_PARSING_TEXT)";
    QTest::newRow("an element after the root")
        << reply([](UpdateReply& r) { r.after = "<br/>"; }) << 12 << QByteArray("2.2.0") << QString();
    QTest::newRow("nested 64 deep") << reply([](UpdateReply& r) { r.inside = Nested(XmlLimits::MaxDepth - 1); }) << 12
                                    << QByteArray("2.2.0") << QString();
    QTest::newRow("nested 65 deep") << reply([](UpdateReply& r) { r.inside = Nested(XmlLimits::MaxDepth); }) << 14
                                    << QByteArray("2.1.0") << notRead + "nested deeper than 64 elements";
    QTest::newRow("nested deeper than the parser goes")
        << reply([](UpdateReply& r) { r.inside = Nested(1000); }) << 14 << QByteArray("2.1.0")
        << notRead + "not XML (XML_ELEMENT_DEPTH_EXCEEDED)";
    QTest::newRow("not XML") << QByteArray("<html><body><p>Sign in to the network<br></body></html>") << 14
                             << QByteArray("2.1.0") << notRead + "not XML (XML_ERROR_MISMATCHED_ELEMENT)";
    QTest::newRow("version of 64 characters")
        << reply([&](UpdateReply& r) { r.version = "9." + max; }) << 12 << QByteArray("9." + max) << QString();
    QTest::newRow("version of 64 characters between blanks")
        << reply([&](UpdateReply& r) { r.version = "\n  9." + max + "  \n"; }) << 12
        << QByteArray("\n  9." + max + "  \n") << QString();
    QTest::newRow("version of 65 characters") << reply([&](UpdateReply& r) { r.version = "9." + max + "1"; }) << 14
                                              << QByteArray("2.1.0") << notRead + "a version of 65 characters";
    QTest::newRow("version of 3 million characters")
        << reply([](UpdateReply& r) { r.version = "9." + QByteArray(3000000, '1'); }) << 14 << QByteArray("2.1.0")
        << notRead + "a version of 3000002 characters";
}

// Replies of every shape a server may send, after a check that found 2.1.0: what the parser reads is taken,
// what breaks a limit is a data error that leaves every kept value and says why in the run log.
void TestCRegImpl::replyShapes() {
    QFETCH(QByteArray, reply);
    QFETCH(int, code);
    QFETCH(QByteArray, newest);
    QFETCH(QString, logged);

    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("newer")));
    QCOMPARE(service->RunCheck(), 12);
    QVERIFY(WriteReply(m_dir.filePath("reply.xml"), reply));
    service->SetUp("Tavik Mendra", "2.0.9", "en", AnswerEndpoint(m_server, QStringLiteral("reply")).toUtf8());
    const QString logBefore = RunLogText();
    QCOMPARE(service->RunCheck(), code);
    QCOMPARE(service->Info(1), newest);
    const QString newLines = RunLogText().mid(logBefore.size());
    if (logged.isEmpty())
        QCOMPARE(newLines, QString());
    else
        QVERIFY2(newLines.contains(logged) && newLines.size() < 400, qPrintable(newLines));
}

// The four query values in their order, UTF-8 and percent-encoded, with the client's fixed headers.
void TestCRegImpl::query() {
    auto service = std::make_unique<CRegImpl>();
    const QString product = QStringLiteral("Tavik Mendra Ü修");
    service->SetUp(product.toUtf8(), "2.0.9", "zh", AnswerEndpoint(m_server, QStringLiteral("newest")).toUtf8());
    service->SetServiceLanguage("fr");
    const int before = m_server.records("REQUEST").size();
    QCOMPARE(service->RunCheck(), 13);
    QVERIFY(m_server.waitForRecords("REQUEST", before + 1));
    const QJsonObject request = m_server.records("REQUEST").at(before);

    QCOMPARE(request.value("rawQuery").toString(),
             QStringLiteral("action=getinfo&product=Tavik%20Mendra%20%C3%9C%E4%BF%AE&versioncur=2.0.9&lang=fr"));
    const QJsonArray items = request.value("query").toArray();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.at(1).toArray().at(1).toString(), product);
    QCOMPARE(RecordedRequest::Header(request, "User-Agent"), QStringLiteral("Mozilla/5.0"));
    QCOMPARE(RecordedRequest::Header(request, "Accept-Language"), QStringLiteral("zh-CN,en,*"));
    QCOMPARE(RecordedRequest::Header(request, "Connection"), QStringLiteral("Keep-Alive"));
    QVERIFY2(!RecordedRequest::HasHeader(request, "Accept"), "the Accept header is left out");
}

// Notes far longer than any fixed buffer, in several scripts and with line breaks, come out byte for byte.
void TestCRegImpl::longNotesArriveWhole() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString notes;
    for (int i = 0; i < 2000; ++i)
        notes +=
            QStringLiteral("%1. Behoben: Größe — corrigé : élan — 修复了崩溃 — 不具合を修正 — Ελληνικά 🚀\n").arg(i);
    QFile file(folder.filePath("notes.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(notes.toUtf8());
    file.close();

    PythonPeer server;
    QVERIFY(StartUpdateServer(server, {"--notes-file", file.fileName()}));
    auto service = MakeService(AnswerEndpoint(server, QStringLiteral("newer")));
    QCOMPARE(service->RunCheck(), 12);
    QVERIFY(service->Info(0).size() > 100000);
    QCOMPARE(QString::fromUtf8(service->Info(0)), notes);
    QCOMPARE(service->NotesText(), notes.trimmed());
}

// A check that learns nothing leaves what an earlier reply said.
void TestCRegImpl::failedChecksKeepValues() {
    auto service = MakeService(AnswerEndpoint(m_server, QStringLiteral("newer")));
    QCOMPARE(service->RunCheck(), 12);
    for (const char* answer : {"notxml", "error500", "empty"}) {
        service->SetUp("Tavik Mendra", "2.0.9", "en", AnswerEndpoint(m_server, QLatin1String(answer)).toUtf8());
        QVERIFY(service->RunCheck() != 12);
        QCOMPARE(service->Info(1), QByteArray("2.1.0"));
        QCOMPARE(service->Info(2), kDownload);
        QCOMPARE(service->Info(0), kDefaultNotes);
    }
}

void TestCRegImpl::notSetUp() {
    const int before = m_server.records("REQUEST").size();
    CRegImpl never;
    QCOMPARE(never.RunCheck(), -65537);
    auto nowhere = MakeService(QString());
    QCOMPARE(nowhere->RunCheck(), -65537);
    QCOMPARE(m_server.records("REQUEST").size(), before);
}

void TestCRegImpl::hangingServer_data() {
    QTest::addColumn<int>("firstTryMs");
    QTest::addColumn<int>("noRetryAfterMs");
    QTest::addColumn<int>("requests");
    QTest::newRow("three tries") << 300 << 21000 << 3;
    QTest::newRow("first try too long for a retry") << 600 << 500 << 1;
}

// A server that accepts and never answers: each try ends at its time-out.
void TestCRegImpl::hangingServer() {
    QFETCH(int, firstTryMs);
    QFETCH(int, noRetryAfterMs);
    QFETCH(int, requests);
    PythonPeer server;
    QVERIFY(StartUpdateServer(server));
    auto service = MakeService(AnswerEndpoint(server, QStringLiteral("hang")));
    CRegNet::Timeouts timeouts;
    timeouts.connectMs = 2000;
    timeouts.firstTryMs = firstTryMs;
    timeouts.retryMs = 300;
    timeouts.noRetryAfterMs = noRetryAfterMs;
    service->SetTimeouts(timeouts);
    QCOMPARE(service->RunCheck(), -1048593);
    QVERIFY(server.waitForRecords("REQUEST", requests));
    QCOMPARE(server.records("REQUEST").size(), requests);
}

// An abort ends a transfer that waits on a silent server at once, with no further tries.
void TestCRegImpl::abortEndsCheckSoon() {
    PythonPeer server;
    QVERIFY(StartUpdateServer(server));
    auto service = MakeService(AnswerEndpoint(server, QStringLiteral("hang")));
    int code = 0;
    std::unique_ptr<QThread> worker(QThread::create([&] { code = service->RunCheck(); }));
    worker->start();
    QVERIFY(server.waitForRecords("REQUEST", 1));
    QElapsedTimer aborted;
    aborted.start();
    service->Abort();
    QVERIFY(worker->wait(2500));
    QVERIFY2(aborted.elapsed() < 2500, "the abort is seen within the next progress report");
    QCOMPARE(code, -1048593);
    QCOMPARE(server.records("REQUEST").size(), 1);
}

void TestCRegImpl::silentNameServer_data() {
    QTest::addColumn<int>("abortAfterMs"); // -1: none
    QTest::newRow("three tries within their time-outs") << -1;
    QTest::newRow("an abort during the lookup") << 300;
}

// The name of the update server is never resolved: each try ends at its own time-out, as with a server that never
// answers, however long the system's resolver would wait; an abort ends the check at once. Runs in a child whose
// resolver asks the silent name server.
void TestCRegImpl::silentNameServer() {
    QFETCH(int, abortAfterMs);
    if (qEnvironmentVariableIsSet("MENDRA_TEST_SILENT_RESOLVER")) {
        auto service = MakeService(QStringLiteral("http://updates.mendra.test/update-product-info/update.php"));
        CRegNet::Timeouts timeouts;
        timeouts.connectMs = 1000;
        timeouts.firstTryMs = abortAfterMs < 0 ? 500 : 20000;
        timeouts.retryMs = 500;
        service->SetTimeouts(timeouts);
        QElapsedTimer clock;
        clock.start();
        int code = 0;
        std::unique_ptr<QThread> worker(QThread::create([&] { code = service->RunCheck(); }));
        worker->start();
        qint64 boundMs = timeouts.firstTryMs + 2 * timeouts.retryMs;
        if (abortAfterMs >= 0) {
            QTest::qWait(abortAfterMs);
            service->Abort();
            boundMs = clock.elapsed();
        }
        QVERIFY(worker->wait(60000));
        qInfo("the check ended after %lld ms", clock.elapsed());
        QCOMPARE(code, -1048593);
        QVERIFY2(clock.elapsed() < boundMs + 1000, qPrintable(QString::number(clock.elapsed())));
        return;
    }
    SilentNameServer names(QStringLiteral(RESOLVERHELPER_PATH));
    if (!names.unavailable().isEmpty())
        QSKIP(qPrintable(names.unavailable()));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MENDRA_TEST_SILENT_RESOLVER"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(names.program(), names.arguments(QCoreApplication::applicationFilePath(),
                                                 {QStringLiteral("silentNameServer:") + QTest::currentDataTag()}));
    const bool ended = child.waitForFinished(90000);
    const QByteArray output = child.readAll();
    qInfo("%s", output.constData());
    QVERIFY2(ended, "the check in the child did not end");
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
    QVERIFY(output.contains("PASS   : TestCRegImpl::silentNameServer"));
    QVERIFY2(names.queries().contains(QStringLiteral("updates.mendra.test")), "the child asked another name server");
}

QTEST_GUILESS_MAIN(TestCRegImpl)
#include "tst_cregimpl.moc"
