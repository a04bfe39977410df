#include "CPatchUpdate.h"

#include "platform/FileVersion.h"

#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

#include "PythonHttpServer.h"

// One patch check against rules served by Python's http.server: the request file for the launcher, the
// Log folder, the work folder.
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

private:
    PatchParams Params(const QString& rulesName) const;
    void Serve(const QString& name, const QByteArray& content);
    QString LogFolder() const { return m_data->path() + "/Log"; }

    QTemporaryDir m_served;
    QTemporaryDir m_programRoot;
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
        QVERIFY(update.Run());
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
    struct stat status;
    QCOMPARE(::stat(QFile::encodeName(request).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, mode_t(0600));

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
    QVERIFY(update.Run());
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
        QVERIFY(!update.Run());
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
    QVERIFY(!update.Run());
    // Without a request to hand over there is nothing to download either.
    QCOMPARE(m_server->requestsSoFar().size(), before);
}

void TestCPatchUpdate::requestCannotBeWritten() {
    // The Log folder leads to a file system where nothing can be created, not even by root.
    QVERIFY(QFile::link("/proc", LogFolder()));
    CPatchUpdate update(Params("two.xml"));
    QCOMPARE(update.GetUpdateListPath(), LogFolder() + "/ucplog");
    QVERIFY(!update.Run());
    QCOMPARE(update.GetPatchList().size(), 2);
    QVERIFY(!QFileInfo::exists(update.GetUpdateListPath()));
}

QTEST_GUILESS_MAIN(TestCPatchUpdate)
#include "tst_cpatchupdate.moc"
