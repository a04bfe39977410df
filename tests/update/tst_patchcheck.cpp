#include "PatchCheck.h"

#include "app/EditionData.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "platform/FileVersion.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

#include "PythonHttpServer.h"
#include "StandInProgram.h"

// The start-up check with the process-wide edition data and settings (data, home and temporary folder in a
// private folder), rules from Python's http.server, and a stand-in launcher script in a fixture program
// folder that records its arguments.
class TestPatchCheck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void skipped_data();
    void skipped();
    void params();
    void startsTheLauncher();
    void nothingHappens_data();
    void nothingHappens();
    void noLauncherWithoutARequest_data();
    void noLauncherWithoutARequest();

private:
    QString Program() const { return m_root.path() + "/program"; }
    QString Record() const { return m_root.path() + "/launcher-arguments"; }
    QString TempFolder() const { return m_root.path() + "/tmp"; }
    QString LogFolder() const { return gConfig->GetDataDir() + "Log"; }
    void WriteLauncher(QFile::Permissions permissions);
    void ServeRules(const QByteArray& rules);

    QTemporaryDir m_root;
    QTemporaryDir m_served;
    std::unique_ptr<PythonHttpServer> m_server;
};

namespace {

const QStringList kArguments{"/opt/mendra/mendra"};
const platform::ElevatedRunner kRunner(QStringLiteral("pkexec"), true);

const QByteArray kOnePatch = "<update><linux><Tavik><Patch product=\"Tavik Mendra\" version=\"1.0.0.1\">"
                             "<File path=\"%APPPATH%/Missing.dat\" version=\"2\" url=\"http://files/m\"/>"
                             "</Patch></Tavik></linux></update>";

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

void TestPatchCheck::initTestCase() {
    QVERIFY(m_root.isValid() && m_served.isValid());
    for (const char* folder : {"data", "home", "tmp", "program"})
        QVERIFY(QDir().mkpath(m_root.filePath(folder)));
    qputenv("XDG_DATA_HOME", m_root.filePath("data").toUtf8());
    qputenv("HOME", m_root.filePath("home").toUtf8());
    // The work folders are made in the temporary folder: this one is watched.
    qputenv("TMPDIR", TempFolder().toUtf8());
    QVERIFY(LoadEditionData());

    m_server = std::make_unique<PythonHttpServer>(m_served.path());
    QVERIFY(m_server->start());
    gConfig = new MyConfig();
    QVERIFY(gConfig->WriteValue("UpdateUrl", m_server->url("/rules.xml").toString(), true));
    delete gConfig;
    gConfig = new MyConfig();
    QCOMPARE(gConfig->GetUpdateUrl(), m_server->url("/rules.xml").toString());
}

void TestPatchCheck::init() {
    QFile::remove(Record());
    QFile::remove(Program() + "/Launch");
    QFile::remove(LogFolder());
    QDir(LogFolder()).removeRecursively();
    ServeRules(kOnePatch);
}

void TestPatchCheck::cleanupTestCase() {
    delete gConfig;
    gConfig = nullptr;
    FreeEditionData();
}

void TestPatchCheck::WriteLauncher(QFile::Permissions permissions) {
    const QString launcher = Program() + "/Launch";
    QVERIFY(StandIn::WriteRecorder(launcher, Record()));
    QVERIFY(QFile::setPermissions(launcher, permissions));
}

void TestPatchCheck::ServeRules(const QByteArray& rules) {
    QFile file(m_served.filePath("rules.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(rules);
}

void TestPatchCheck::skipped_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("skipped");

    QTest::newRow("-v start") << QStringList{"mendra", "-v", "start"} << true;
    QTest::newRow("any letter case") << QStringList{"mendra", "-V", "START"} << true;
    QTest::newRow("after other arguments") << QStringList{"mendra", "x", "-v", "start"} << true;
    QTest::newRow("before other arguments") << QStringList{"mendra", "-v", "start", "x"} << true;
    QTest::newRow("start -v") << QStringList{"mendra", "start", "-v"} << false;
    QTest::newRow("-v alone") << QStringList{"mendra", "-v"} << false;
    QTest::newRow("not adjacent") << QStringList{"mendra", "-v", "x", "start"} << false;
    QTest::newRow("the program path is not looked at") << QStringList{"-v", "start"} << false;
    QTest::newRow("another switch") << QStringList{"mendra", "--v", "start"} << false;
    QTest::newRow("nothing") << QStringList() << false;
}

void TestPatchCheck::skipped() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, skipped);
    QCOMPARE(PatchCheckSkipped(arguments), skipped);
}

void TestPatchCheck::params() {
    const PatchParams first = MakePatchParams(*gConfig, *gAppData, "/opt/mendra");
    const PatchParams second = MakePatchParams(*gConfig, *gAppData, "/opt/mendra/");
    QCOMPARE(first.UpdateUrl, gConfig->GetUpdateUrl());
    QCOMPARE(first.Brand, QStringLiteral("Tavik"));
    QCOMPARE(first.RegName, QStringLiteral("Tavik Mendra"));
    QCOMPARE(first.Version, QStringLiteral("1.0.0.1"));
    QCOMPARE(first.ProgramDir, QStringLiteral("/opt/mendra/"));
    QCOMPARE(second.ProgramDir, QStringLiteral("/opt/mendra/"));
    QCOMPARE(first.DataDir, gConfig->GetDataDir());
    QCOMPARE(first.Proxy.type(), QNetworkProxy::NoProxy);

    // Made at once, for the user alone, and never the same twice, however quickly they follow each other.
    QVERIFY(first.WorkDir != second.WorkDir);
    const QRegularExpression name("^\\d{8}_\\d{2}_\\d{2}_\\d{2}_.+$");
    for (const QString& folder : {first.WorkDir, second.WorkDir}) {
        QCOMPARE(QFileInfo(folder).absolutePath(), TempFolder());
        QVERIFY2(name.match(QFileInfo(folder).fileName()).hasMatch(), qPrintable(folder));
        struct stat status;
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &status), 0);
        QVERIFY(S_ISDIR(status.st_mode));
        QCOMPARE(status.st_mode & 0777, mode_t(0700));
        QVERIFY(QDir(folder).removeRecursively());
    }
}

void TestPatchCheck::startsTheLauncher() {
    WriteLauncher(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(CheckPatchUpdateIn(Program(), kArguments, kRunner));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(Record()), 20000);
    const QString request = gConfig->GetDataDir() + "Log/ucplog";
    QCOMPARE(StandIn::RecordedArguments(Record()), (QStringList{request, "Tavik Mendra", "/adminoption", "1"}));
    QVERIFY(QFile(request).size() > 0);
    QVERIFY(m_server->requestsSoFar().contains("GET /rules.xml"));
    // The work folder went when the check ended.
    QCOMPARE(Entries(TempFolder()), QStringList());
}

void TestPatchCheck::nothingHappens_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("launcher"); // 0 none, 1 executable, 2 not executable

    QTest::newRow("no launcher") << kArguments << 0;
    QTest::newRow("launcher not executable") << kArguments << 2;
    QTest::newRow("-v start") << (kArguments + QStringList{"-v", "start"}) << 1;
    QTest::newRow("-V Start among others") << (kArguments + QStringList{"x", "-V", "Start", "y"}) << 1;
}

void TestPatchCheck::nothingHappens() {
    QFETCH(QStringList, arguments);
    QFETCH(int, launcher);
    if (launcher == 1)
        WriteLauncher(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    else if (launcher == 2)
        WriteLauncher(QFile::ReadOwner | QFile::WriteOwner);
    const int before = m_server->requestsSoFar().size();

    QVERIFY(!CheckPatchUpdateIn(Program(), arguments, kRunner));
    QCOMPARE(m_server->requestsSoFar().size(), before);
    QVERIFY(!QFileInfo::exists(LogFolder() + "/ucplog"));
    QCOMPARE(Entries(TempFolder()), QStringList());
    QVERIFY(!QFileInfo::exists(Record()));
}

void TestPatchCheck::noLauncherWithoutARequest_data() {
    QTest::addColumn<bool>("logIsAFile"); // else a link to a file system where nothing can be created
    QTest::addColumn<bool>("rulesAsked");

    QTest::newRow("Log folder cannot be made") << true << false;
    QTest::newRow("request file cannot be written") << false << true;
}

void TestPatchCheck::noLauncherWithoutARequest() {
    QFETCH(bool, logIsAFile);
    QFETCH(bool, rulesAsked);
    WriteLauncher(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (logIsAFile) {
        QFile blocker(LogFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QFile::link("/proc", LogFolder()));
    }
    const int before = m_server->requestsSoFar().size();

    QVERIFY(!CheckPatchUpdateIn(Program(), kArguments, kRunner));
    QCOMPARE(m_server->requestsSoFar().size(), before + (rulesAsked ? 1 : 0));
    QVERIFY(!QFileInfo::exists(Record()));
    QCOMPARE(Entries(TempFolder()), QStringList());
}

QTEST_GUILESS_MAIN(TestPatchCheck)
#include "tst_patchcheck.moc"
