#include "CPatchUpdate.h"

#include "app/RunLog.h"
#include "platform/FileVersion.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

#include "ChildTestRun.h"
#include "EventLoopWatch.h"
#include "PythonHttpServer.h"
#include "RunLogText.h"
#include "TimeBound.h"

// One patch check against rules served by Python's http.server: the request file for the launcher, the
// Log folder, the work folder, and the event loop while rules are read.
class TestCPatchUpdate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void writesTheRequest();
    void requestNamesTheApplicationProxy();
    void nothingToPatch_data();
    void nothingToPatch();
    void logFolderCannotBeMade();
    void requestCannotBeWritten();
    void logFolderIsPrivate_data();
    void logFolderIsPrivate();
    void windowAnswersWhileRulesAreRead_data();
    void windowAnswersWhileRulesAreRead();
    void quittingEndsTheCheck();
    void quittingEndsTheCheckInThisProcess();
    void failureSaysWhy_data();
    void failureSaysWhy();

private:
    PatchParams Params(const QString& rulesName) const;
    void Serve(const QString& name, const QByteArray& content);
    QString LogFolder() const { return m_data->path() + "/Log"; }

    QTemporaryDir m_served;
    QTemporaryDir m_programRoot;
    QTemporaryDir m_runLogFolder;
    QString m_program; // ending with "/"
    std::unique_ptr<PythonHttpServer> m_server;
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<QTemporaryDir> m_work;
};

namespace {

const QByteArray kTwoPatches =
    "<update><linux><Tavik><Patch product=\"Tavik Mendra\" version=\"1.0.0.1\">"
    "<File path=\"%APPPATH%/Old.bin\" version=\"2.0\" url=\"http://files/Old.bin?a=1&amp;b=2\"/>"
    "<File path=\"%APPPATH%/Missing &amp; more.dat\" MD5=\"0123456789abcdef0123456789abcdef\""
    " url=\"http://files/m\"/>"
    "</Patch></Tavik></linux></update>";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Runs the check to its end, the event loop turning meanwhile; whether it wrote the request.
bool Run(CPatchUpdate& update) {
    QSignalSpy finished(&update, &CPatchUpdate::Finished);
    update.Start();
    if (finished.isEmpty())
        finished.wait(60000);
    return finished.count() == 1 && finished.first().first().toBool();
}

// The permission bits, or 07777 when the path cannot be read.
mode_t ModeOf(const QString& path) {
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : mode_t(07777);
}

} // namespace

void TestCPatchUpdate::initTestCase() {
    QVERIFY(m_served.isValid() && m_programRoot.isValid());
    m_program = QFileInfo(m_programRoot.path()).canonicalFilePath() + "/";
    QFile old(m_program + "Old.bin");
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(platform::versionBlockMarker() + "1.0.0.0" + '\0');
    old.close();
    Serve("two.xml", kTwoPatches);
    Serve("none.xml", "<update><linux><Tavik><Patch product=\"Tavik Mendra\" version=\"1.0.0.1\">"
                      "<File path=\"%APPPATH%/Old.bin\" version=\"1.0\"/></Patch></Tavik></linux></update>");
    Serve("off.xml", QByteArray(kTwoPatches).replace("<update>", "<update switch=\"off\">"));
    Serve("broken.xml", "<update><linux>");
    Serve("a\n[Info]forged.xml", "<update><linux>");
    Serve("doctype.xml", "<!DOCTYPE update [<!ENTITY e \"e\">]>" + kTwoPatches);
    QVERIFY(m_runLogFolder.isValid());
    QVERIFY(OpenRunLog(m_runLogFolder.path() + "/", "1.0.0.1", "Linux"));
    m_server = std::make_unique<PythonHttpServer>(m_served.path());
    QVERIFY(m_server->start());
    // The request file's mode must not depend on the mask a test happens to run under.
    ::umask(022);
}

void TestCPatchUpdate::init() {
    m_data = std::make_unique<QTemporaryDir>();
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_data->isValid() && m_work->isValid());
}

void TestCPatchUpdate::cleanup() {
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

void TestCPatchUpdate::Serve(const QString& name, const QByteArray& content) {
    QFile file(m_served.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

PatchParams TestCPatchUpdate::Params(const QString& rulesName) const {
    PatchParams params;
    params.UpdateUrl = m_server->url("/" + rulesName).toString();
    params.Brand = "Tavik";
    params.RegName = "Tavik Mendra";
    params.Version = "1.0.0.1";
    params.ProgramDir = m_program;
    params.WorkDir = m_work->path() + "/20240102_03_04_05_abcdef";
    params.DataDir = m_data->path() + "/";
    params.Proxy = QNetworkProxy(QNetworkProxy::NoProxy);
    return params;
}

void TestCPatchUpdate::writesTheRequest() {
    const PatchParams params = Params("two.xml");
    QString request;
    {
        CPatchUpdate update(params);
        request = update.GetUpdateListPath();
        QCOMPARE(request, LogFolder() + "/ucplog");
        QVERIFY(Run(update));
        QVERIFY(QFileInfo::exists(params.WorkDir + "/two.xml"));
    }
    // The downloaded rules went with the work folder; the request stays for the launcher.
    QVERIFY(!QFileInfo::exists(params.WorkDir));
    const QString expected = QString("<update>\n"
                                     "    <WorkDir value=\"%1\"/>\n"
                                     "    <LogFile value=\"%2/update.log\"/>\n"
                                     "    <Proxy hostName=\"\" port=\"0\" user=\"\" password=\"\" type=\"2\"/>\n"
                                     "    <Patch>\n"
                                     "        <File url=\"http://files/Old.bin?a=1&amp;b=2\" path=\"%1Old.bin\" "
                                     "type=\"Version\" value=\"2.0\"/>\n"
                                     "        <File url=\"http://files/m\" path=\"%1Missing &amp; more.dat\" "
                                     "type=\"MD5\" value=\"0123456789abcdef0123456789abcdef\"/>\n"
                                     "    </Patch>\n"
                                     "</update>\n")
                                 .arg(m_program, LogFolder());
    QCOMPARE(QString::fromUtf8(ReadAll(request)), expected);
    // It may carry a proxy password: for the user alone.
    QCOMPARE(ModeOf(request), mode_t(0600));

    const QList<QByteArray> log = ReadAll(LogFolder() + "/update.log").split('\n');
    QCOMPARE(log.size(), 3);
    QVERIFY(log.at(0).startsWith("[Info]\"" + m_program.toUtf8() + "Old.bin\" conform to the update rules"));
    QVERIFY(log.at(1).startsWith("[Info]\"" + m_program.toUtf8() + "Missing & more.dat\" not found"));
}

void TestCPatchUpdate::requestNamesTheApplicationProxy() {
    QNetworkProxy proxy(QNetworkProxy::HttpProxy, "proxy.example", 3128, "user", "pa\"ss<word>");
    QNetworkProxy::setApplicationProxy(proxy);
    const PatchParams params = Params("two.xml");
    CPatchUpdate update(params);
    QVERIFY(Run(update));
    QVERIFY(ReadAll(update.GetUpdateListPath())
                .contains("    <Proxy hostName=\"proxy.example\" port=\"3128\" user=\"user\" "
                          "password=\"pa&quot;ss&lt;word&gt;\" type=\"3\"/>\n"));
}

void TestCPatchUpdate::nothingToPatch_data() {
    QTest::addColumn<QString>("rules");

    QTest::newRow("every file current") << "none.xml";
    QTest::newRow("switched off") << "off.xml";
    QTest::newRow("not XML") << "broken.xml";
    QTest::newRow("404") << "missing.xml";
    QTest::newRow("redirect to file://") << "redirect?to=file:///etc/hostname";
    // Larger than any rules file may be: the download stops at the limit and leaves nothing behind.
    QTest::newRow("endless body") << "endless/rules.xml";
    QTest::newRow("50 MB announced") << "announce/50000000";
}

void TestCPatchUpdate::nothingToPatch() {
    QFETCH(QString, rules);
    // A request from an earlier run is gone as soon as the check starts.
    QVERIFY(QDir().mkpath(LogFolder()));
    QFile stale(LogFolder() + "/ucplog");
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("<update/>");
    stale.close();

    const PatchParams params = Params(rules);
    {
        CPatchUpdate update(params);
        QVERIFY(!QFileInfo::exists(stale.fileName()));
        QVERIFY(!Run(update));
        QVERIFY(update.GetPatchList().isEmpty());
    }
    QVERIFY(!QFileInfo::exists(stale.fileName()));
    QVERIFY(!QFileInfo::exists(params.WorkDir));
}

void TestCPatchUpdate::logFolderCannotBeMade() {
    // A file where the Log folder belongs.
    QFile blocker(LogFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const int before = m_server->requestsSoFar().size();

    CPatchUpdate update(Params("two.xml"));
    QCOMPARE(update.GetUpdateListPath(), QString());
    QVERIFY(!Run(update));
    // Without a request to hand over there is nothing to download either.
    QCOMPARE(m_server->requestsSoFar().size(), before);
}

void TestCPatchUpdate::requestCannotBeWritten() {
    // The Log folder leads to a file system where nothing can be created, not even by root.
    QVERIFY(QFile::link("/proc", LogFolder()));
    CPatchUpdate update(Params("two.xml"));
    QCOMPARE(update.GetUpdateListPath(), LogFolder() + "/ucplog");
    QVERIFY(!Run(update));
    QCOMPARE(update.GetPatchList().size(), 2);
    QVERIFY(!QFileInfo::exists(update.GetUpdateListPath()));
}

namespace {

QByteArray ProductRules(const QByteArray& rules, const QByteArray& common = QByteArray()) {
    return "<update><linux><Patch product=\"common\">" + common +
           "</Patch><Tavik><Patch product=\"Tavik Mendra\" version=\"1.0.0.1\">" + rules +
           "</Patch></Tavik></linux></update>";
}

// A file as large as the program's own, without taking the disk's room.
bool MakeLargeFile(const QString& path, qint64 size) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}

} // namespace

void TestCPatchUpdate::logFolderIsPrivate_data() {
    QTest::addColumn<QString>("before"); // "none", "open" (a folder for everyone) or "link"
    QTest::addColumn<int>("mask");

    QTest::newRow("made under an open mask") << "none" << 0;
    QTest::newRow("made under the usual mask") << "none" << 022;
    QTest::newRow("there, open to everyone") << "open" << 022;
    QTest::newRow("a link to the user's folder elsewhere") << "link" << 022;
}

void TestCPatchUpdate::logFolderIsPrivate() {
    QFETCH(QString, before);
    QFETCH(int, mask);

    const QString elsewhere = m_data->path() + "/elsewhere";
    if (before == "open") {
        QVERIFY(QDir().mkpath(LogFolder()));
        QVERIFY(::chmod(QFile::encodeName(LogFolder()).constData(), 0777) == 0);
    } else if (before == "link") {
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(::chmod(QFile::encodeName(elsewhere).constData(), 0755) == 0);
        QVERIFY(QFile::link(elsewhere, LogFolder()));
    }
    const mode_t previous = ::umask(mode_t(mask));
    {
        CPatchUpdate update(Params("two.xml"));
        ::umask(previous);
        QVERIFY(Run(update));
    }
    if (before == "link") {
        QCOMPARE(ModeOf(elsewhere), mode_t(0755));
    } else {
        QCOMPARE(ModeOf(LogFolder()), mode_t(0700));
    }
    QCOMPARE(ModeOf(LogFolder() + "/ucplog"), mode_t(0600));
}

void TestCPatchUpdate::windowAnswersWhileRulesAreRead_data() {
    QTest::addColumn<QByteArray>("rules");
    QTest::addColumn<int>("listed");

    const QByteArray wrongMd5 = "MD5=\"00000000000000000000000000000000\"";
    QByteArray digests;
    QByteArray versions;
    for (int i = 0; i < 200; ++i) {
        digests +=
            "<File path=\"%APPPATH%/Large.bin\" " + wrongMd5 + " url=\"http://u/" + QByteArray::number(i) + "\"/>";
        versions += "<File path=\"%APPPATH%/Large.bin\" version=\"9." + QByteArray::number(i) + "\"/>";
    }
    // Private rules standing for common ones that are not there, each of which once walked all the common rules.
    QByteArray common;
    QByteArray standing;
    for (int i = 0; i < 38000; ++i) {
        common += "<File path=\"%APPPATH%/c" + QByteArray::number(i) + "\" version=\"1\"/>";
        standing += "<File path=\"%APPPATH%/p" + QByteArray::number(i) + "\" private=\"false\"/>";
    }
    QTest::newRow("200 digests of a 45 MB file") << ProductRules(digests) << 200;
    QTest::newRow("200 versions of a 45 MB file") << ProductRules(versions) << 200;
    QTest::newRow("private rules standing for none of many common ones") << ProductRules(standing, common) << 0;
}

void TestCPatchUpdate::windowAnswersWhileRulesAreRead() {
    QFETCH(QByteArray, rules);
    QFETCH(int, listed);
    QVERIFY(rules.size() < 4 * 1024 * 1024);
    QVERIFY(MakeLargeFile(m_program + "Large.bin", 45 * 1024 * 1024));
    Serve("large.xml", rules);

    CPatchUpdate update(Params("large.xml"));
    EventLoopWatch watch;
    QElapsedTimer clock;
    clock.start();
    watch.start();
    QCOMPARE(Run(update), listed > 0);
    watch.stop();
    QCOMPARE(update.GetPatchList().size(), listed);
    qInfo("rules checked in %lld ms, the event loop's longest gap %lld ms", clock.elapsed(), watch.longestGapMs());
    QVERIFY2(watch.longestGapMs() < TimeBound(100), qPrintable(QString::number(watch.longestGapMs())));
}

// Quitting ends every event loop of the process for good, so the check is quit in a copy of this test.
void TestCPatchUpdate::quittingEndsTheCheck() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MENDRA_TEST_QUIT_CHECK", "1");
    RunTestFunctionInChild(QStringLiteral("quittingEndsTheCheckInThisProcess"), environment);
}

void TestCPatchUpdate::quittingEndsTheCheckInThisProcess() {
    if (qEnvironmentVariableIsEmpty("MENDRA_TEST_QUIT_CHECK"))
        QSKIP("runs in the copy started by quittingEndsTheCheck");
    // A digest of this takes many seconds.
    QVERIFY(MakeLargeFile(m_program + "Huge.bin", 8LL * 1024 * 1024 * 1024));
    Serve("huge.xml", ProductRules("<File path=\"%APPPATH%/Huge.bin\" MD5=\"00000000000000000000000000000000\"/>"));

    auto update = std::make_unique<CPatchUpdate>(Params("huge.xml"));
    const QString request = update->GetUpdateListPath();
    QSignalSpy finished(update.get(), &CPatchUpdate::Finished);
    QElapsedTimer sinceQuit;
    // Once the rules are in, well into the digest.
    connect(&update->Downloader(), &CDownloader::signalFinished, this, [&] {
        QTimer::singleShot(300, [&] {
            sinceQuit.start();
            QCoreApplication::quit();
        });
    });
    update->Start();
    // The program's own loop, as its window runs it.
    QCoreApplication::exec();
    QVERIFY(sinceQuit.isValid());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(update->GetPatchList().isEmpty());
    // As the program goes after its loop.
    update.reset();
    qInfo("the check ended %lld ms after the quit", sinceQuit.elapsed());
    QVERIFY2(sinceQuit.elapsed() < 1000, qPrintable(QString::number(sinceQuit.elapsed())));
    QVERIFY(!QFileInfo::exists(request));
}

void TestCPatchUpdate::failureSaysWhy_data() {
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("why"); // what the run-log line says after "Patch check: "; "{...}" stands for anything

    const QString notDownloaded = "update rules not downloaded from \"{url}\": ";
    const QString notRead = "update rules from \"{url}\" not read: ";
    QTest::newRow("404") << "missing.xml" << notDownloaded + "HTTP status 404.";
    QTest::newRow("500") << "status/500" << notDownloaded + "HTTP status 500.";
    QTest::newRow("header without end") << "endless-header/0/rules.xml"
                                        << notDownloaded + "response header larger than 65536 bytes.";
    QTest::newRow("redirect to a name with a line break")
        << "redirect?to=/a%250A%255BInfo%255Dforged.xml"
        << notDownloaded + "{...} names no plain file: \"a\\x0a[Info]forged.xml\".";
    QTest::newRow("not XML") << "broken.xml" << notRead + "not well-formed XML (line 1: Premature end of document.).";
    QTest::newRow("a document type") << "doctype.xml" << notRead + "holds a document type declaration.";
    QTest::newRow("not the rules") << "other-root.xml" << notRead + "its root element is not \"update\".";
    QTest::newRow("no Log folder") << "two.xml"
                                   << "the folder \"{data}Log\" cannot be made.";
}

// Every check that ends without a request says why in one run-log line; update.log keeps to lines of its own.
void TestCPatchUpdate::failureSaysWhy() {
    QFETCH(QString, rules);
    QFETCH(QString, why);
    Serve("other-root.xml", "<rules/>");
    if (why.contains("{data}Log")) {
        QFile blocker(LogFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const PatchParams params = Params(rules);
    why.replace("{url}", params.UpdateUrl);
    why.replace("{data}", params.DataDir);
    const QString before = RunLogText();
    {
        CPatchUpdate update(params);
        QVERIFY(!Run(update));
    }
    const QStringList lines = RunLogText().mid(before.size()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    const QStringList parts = ("[Waring]Patch check: " + why + " <date time=").split("{...}");
    QVERIFY2(lines.first().startsWith(parts.first()) && lines.first().contains(parts.last()),
             qPrintable(lines.first()));
    for (const QByteArray& line : ReadAll(LogFolder() + "/update.log").split('\n'))
        QVERIFY2(!line.startsWith("[Info]forged"), line.constData());
}

QTEST_GUILESS_MAIN(TestCPatchUpdate)
#include "tst_cpatchupdate.moc"
