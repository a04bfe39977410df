#include "PatchCheck.h"

#include "app/EditionData.h"
#include "app/MendraData.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "platform/FileVersion.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "PythonHttpServer.h"
#include "RunLogText.h"
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
    void launcherStartsWhileADialogWaits();
    void rootRunsOnlyRootsLauncher_data();
    void rootRunsOnlyRootsLauncher();

private:
    QString Program() const { return m_root.path() + "/program"; }
    QString Record() const { return m_root.path() + "/launcher-arguments"; }
    QString TempFolder() const { return m_root.path() + "/tmp"; }
    QString LogFolder() const { return gConfig->GetDataDir() + "Log"; }
    void WriteLauncher(QFile::Permissions permissions);
    void ServeRules(const QByteArray& rules);
    // Runs the check as the program does, the event loop turning meanwhile; whether the launcher was started.
    bool RunCheck(const QStringList& arguments, const QString& program = QString());
    // The run-log lines written since the length before.
    QStringList RunLogLinesSince(int before) const;

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
    QVERIFY(OpenRunLog(m_root.filePath("runlog/"), "1.0.0.1", "Linux"));
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

bool TestPatchCheck::RunCheck(const QStringList& arguments, const QString& program) {
    PatchCheck check(program.isEmpty() ? Program() : program, arguments, kRunner);
    QSignalSpy finished(&check, &PatchCheck::Finished);
    if (!check.Start())
        return false;
    if (finished.isEmpty())
        finished.wait(60000);
    return finished.count() == 1 && finished.first().first().toBool();
}

QStringList TestPatchCheck::RunLogLinesSince(int before) const {
    return RunLogText().mid(before).split('\n', Qt::SkipEmptyParts);
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
    QVERIFY(RunCheck(kArguments));
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
    QTest::addColumn<bool>("logged");  // a run-log line says why

    QTest::newRow("no launcher") << kArguments << 0 << true;
    QTest::newRow("launcher not executable") << kArguments << 2 << true;
    // Started by the launcher: no failure.
    QTest::newRow("-v start") << (kArguments + QStringList{"-v", "start"}) << 1 << false;
    QTest::newRow("-V Start among others") << (kArguments + QStringList{"x", "-V", "Start", "y"}) << 1 << false;
}

void TestPatchCheck::nothingHappens() {
    QFETCH(QStringList, arguments);
    QFETCH(int, launcher);
    QFETCH(bool, logged);
    const int logBefore = RunLogText().size();
    if (launcher == 1)
        WriteLauncher(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    else if (launcher == 2)
        WriteLauncher(QFile::ReadOwner | QFile::WriteOwner);
    const int before = m_server->requestsSoFar().size();

    QVERIFY(!RunCheck(arguments));
    QCOMPARE(m_server->requestsSoFar().size(), before);
    QVERIFY(!QFileInfo::exists(LogFolder() + "/ucplog"));
    QCOMPARE(Entries(TempFolder()), QStringList());
    QVERIFY(!QFileInfo::exists(Record()));
    const QStringList lines = RunLogLinesSince(logBefore);
    if (!logged) {
        QCOMPARE(lines, QStringList());
        return;
    }
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith("[Waring]Patch check: no launcher at \"" + Program() + "/Launch\"."),
             qPrintable(lines.first()));
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

    const int logBefore = RunLogText().size();
    QVERIFY(!RunCheck(kArguments));
    QCOMPARE(m_server->requestsSoFar().size(), before + (rulesAsked ? 1 : 0));
    QCOMPARE(RunLogLinesSince(logBefore).size(), 1);
    QVERIFY(!QFileInfo::exists(Record()));
    QCOMPARE(Entries(TempFolder()), QStringList());
}

// A modal dialog (the start-up's update offer, a message box) runs an event loop of its own until the user
// answers: the check goes on in it, and the launcher starts as soon as the rules are read.
void TestPatchCheck::launcherStartsWhileADialogWaits() {
    WriteLauncher(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QElapsedTimer clock;
    clock.start();
    PatchCheck check(Program(), kArguments, kRunner);
    QSignalSpy finished(&check, &PatchCheck::Finished);
    QVERIFY(check.Start());

    QEventLoop dialog;
    qint64 startedAt = -1;
    QTimer answer;
    answer.setInterval(10);
    connect(&answer, &QTimer::timeout, &dialog, [&] {
        if (QFileInfo::exists(Record()) && startedAt < 0)
            startedAt = clock.elapsed();
        // The user answers only once the launcher has started, or gives up waiting for it.
        if (startedAt >= 0 || clock.elapsed() > 20000)
            dialog.quit();
    });
    answer.start();
    dialog.exec();
    qInfo("the launcher started %lld ms after the check, with the dialog open", startedAt);
    QVERIFY(startedAt >= 0);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toBool(), true);
}

void TestPatchCheck::rootRunsOnlyRootsLauncher_data() {
    QTest::addColumn<QString>(
        "changes");                     // what is done to the fixture, "what:how" each (see rootRunsOnlyRootsLauncher)
    QTest::addColumn<QString>("fault"); // empty: the launcher starts

    QTest::newRow("all root's") << ""
                                << "";
    QTest::newRow("launcher another user's") << "launcher:owner"
                                             << "{launcher} is owned by uid 65534, not by root";
    QTest::newRow("launcher writable by its group") << "launcher:0775"
                                                    << "{launcher} is writable by others than root";
    QTest::newRow("launcher writable by all") << "launcher:0757"
                                              << "{launcher} is writable by others than root";
    QTest::newRow("program folder another user's") << "program:owner"
                                                   << "{program} is owned by uid 65534, not by root";
    QTest::newRow("program folder writable by all") << "program:0777"
                                                    << "{program} is writable by others than root";
    QTest::newRow("a folder above another user's") << "above:owner"
                                                   << "{above} is owned by uid 65534, not by root";
    QTest::newRow("a folder above writable by its group") << "above:0775"
                                                          << "{above} is writable by others than root";
    // Where everyone may make entries but nobody can rename or remove another's, as in /tmp.
    QTest::newRow("a folder above open to all, sticky") << "above:1777"
                                                        << "";
    QTest::newRow("launcher a link to another user's program") << "launcher:link tool:owner"
                                                               << "{tool} is owned by uid 65534, not by root";
    QTest::newRow("launcher a link to a program of root's") << "launcher:link"
                                                            << "";
    // Whoever may write the folder that holds the link may point it at another program.
    QTest::newRow("launcher a link, in a program folder writable by all")
        << "launcher:link program:0777"
        << "{program} is writable by others than root";
    QTest::newRow("launcher a link of another user's") << "launcher:link launcher:owner"
                                                       << "{launcher} is owned by uid 65534, not by root";
    QTest::newRow("program folder reached through a link of root's") << "way:link"
                                                                     << "";
    QTest::newRow("program folder reached through a link in another user's folder")
        << "way:link way:owner"
        << "{way} is owned by uid 65534, not by root";
}

// Started as root, the program runs the launcher only when no other account can have written it: a tree built by
// a user and run later with sudo is such a case.
//
// The fixture: above/program/Launch, a copy of the stand-in launcher tool beside above; with "way:link", the
// program folder is named as way/program, a link to above/program. "launcher:link" makes Launch a link to tool;
// "<what>:owner" gives what to another user, "<what>:<octal>" sets its mode.
void TestPatchCheck::rootRunsOnlyRootsLauncher() {
    QFETCH(QString, changes);
    QFETCH(QString, fault);
    if (::geteuid() != 0)
        QSKIP("the rule holds for a program started as root");

    QTemporaryDir fixture(m_root.filePath("rootXXXXXX"));
    QVERIFY(fixture.isValid());
    const QMap<QString, QString> paths{{"above", fixture.filePath("above")},
                                       {"program", fixture.filePath("above/program")},
                                       {"launcher", fixture.filePath("above/program/Launch")},
                                       {"tool", fixture.filePath("tool")},
                                       {"way", fixture.filePath("way")}};
    QVERIFY(QDir().mkpath(paths["program"]));
    QVERIFY(QDir().mkpath(paths["way"]));
    QVERIFY(StandIn::WriteRecorder(paths["tool"], Record()));
    for (const QString& path : {paths["above"], paths["program"], paths["way"], paths["tool"]})
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0755), 0);
    QString program = paths["program"];
    const QStringList steps = changes.split(' ', Qt::SkipEmptyParts);
    if (steps.contains("launcher:link")) {
        QVERIFY(QFile::link(paths["tool"], paths["launcher"]));
    } else {
        QVERIFY(QFile::copy(paths["tool"], paths["launcher"]));
        QCOMPARE(::chmod(QFile::encodeName(paths["launcher"]).constData(), 0755), 0);
    }
    if (steps.contains("way:link")) {
        QVERIFY(QFile::link(paths["program"], paths["way"] + "/program"));
        program = paths["way"] + "/program";
    }
    for (const QString& step : steps) {
        const QString what = step.section(':', 0, 0);
        const QString how = step.section(':', 1);
        const QByteArray target = QFile::encodeName(paths.value(what));
        QVERIFY2(!target.isEmpty(), qPrintable(step));
        if (how == "owner")
            QCOMPARE(::lchown(target.constData(), 65534, 65534), 0);
        else if (how != "link")
            QCOMPARE(::chmod(target.constData(), how.toUInt(nullptr, 8)), 0);
    }
    const int before = m_server->requestsSoFar().size();
    const int logBefore = RunLogText().size();

    const bool launched = RunCheck(kArguments, program);
    QCOMPARE(launched, fault.isEmpty());
    if (launched) {
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(Record()), 20000);
        return;
    }
    // Refused before anything is asked of the network.
    QCOMPARE(m_server->requestsSoFar().size(), before);
    QVERIFY(!QFileInfo::exists(Record()));
    for (auto path = paths.cbegin(); path != paths.cend(); ++path)
        fault.replace("{" + path.key() + "}", path.value());
    const QStringList lines = RunLogLinesSince(logBefore);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith("[Waring]Patch check: the launcher is not root's alone: " + fault + "."),
             qPrintable(lines.first()));
}

QTEST_GUILESS_MAIN(TestPatchCheck)
#include "tst_patchcheck.moc"
