#include "ElevatedRunner.h"

#include <QtTest>

#include "StandInProgram.h"

// Each argument list goes through the runner to a stand-in program that records what it got. A
// second copy of the stand-in plays the elevation helper, so the helper path is checked too.
class TestElevatedRunner : public QObject {
    Q_OBJECT
private slots:
    void init();
    void arguments_data();
    void arguments();
    void exitCode_data();
    void exitCode();
    void missingProgram();
    void inputAndOutput_data();
    void inputAndOutput();
    void helperGetsAbsoluteProgram_data();
    void helperGetsAbsoluteProgram();
    void bareNameIsNotLookedUp_data();
    void bareNameIsNotLookedUp();
    void systemHelper_data();
    void systemHelper();

private:
    QStringList recorded() const;
    QTemporaryDir m_dir;
    QString m_record;
};

static const QString recorder = QStringLiteral(ARGRECORDER_PATH);

void TestElevatedRunner::init() {
    QVERIFY(m_dir.isValid());
    m_record = m_dir.filePath(QStringLiteral("args-%1").arg(QTest::currentDataTag()).replace(' ', '_'));
    QFile::remove(m_record);
    qputenv("MENDRA_ARGS_RECORD", m_record.toLocal8Bit());
    qunsetenv("MENDRA_ARGS_EXIT");
}

QStringList TestElevatedRunner::recorded() const {
    return StandIn::RecordedArguments(m_record);
}

void TestElevatedRunner::arguments_data() {
    QTest::addColumn<bool>("asRoot");
    QTest::addColumn<bool>("wait");
    QTest::addColumn<QStringList>("arguments");

    const QList<QPair<QString, QStringList>> lists = {
        {"none", {}},
        {"plain", {"a", "b"}},
        {"blank inside", {"C:/Program Files/x", "two  blanks"}},
        {"double quotes", {"say \"hi\"", "\"", "a\"b c\""}},
        {"empty argument", {"", "x", ""}},
        {"shell characters", {"$HOME", "`id`", "a;b", "*", "'q'", "back\\slash"}},
        {"non-ASCII", {"Grüße", "設定"}},
        {"option look-alikes", {"--help", "/adminoption", "1"}},
    };
    for (const auto& list : lists) {
        for (const bool asRoot : {true, false}) {
            for (const bool wait : {true, false}) {
                const QString tag =
                    QStringLiteral("%1 %2 %3").arg(list.first, asRoot ? "root" : "helper", wait ? "wait" : "nowait");
                QTest::newRow(qPrintable(tag)) << asRoot << wait << list.second;
            }
        }
    }
}

void TestElevatedRunner::arguments() {
    QFETCH(bool, asRoot);
    QFETCH(bool, wait);
    QFETCH(QStringList, arguments);

    const platform::ElevatedRunner runner(recorder, asRoot);
    // Through the helper (here the recorder itself) the program comes first.
    const QString program = asRoot ? recorder : QStringLiteral("/opt/vendor/installer");
    const QStringList expected = asRoot ? arguments : QStringList{program} + arguments;
    const QString started = program;

    if (wait) {
        QCOMPARE(runner.runAndWait(started, arguments), 0);
        QCOMPARE(recorded(), expected);
    } else {
        QVERIFY(runner.start(started, arguments));
        QTRY_VERIFY(QFile::exists(m_record));
        QCOMPARE(recorded(), expected);
    }
}

void TestElevatedRunner::exitCode_data() {
    QTest::addColumn<bool>("asRoot");
    QTest::addColumn<QByteArray>("code");
    QTest::newRow("root, success") << true << QByteArray("0");
    QTest::newRow("root, failure") << true << QByteArray("3");
    QTest::newRow("helper, refused") << false << QByteArray("126");
}

void TestElevatedRunner::exitCode() {
    QFETCH(bool, asRoot);
    QFETCH(QByteArray, code);
    qputenv("MENDRA_ARGS_EXIT", code);
    const platform::ElevatedRunner runner(recorder, asRoot);
    QCOMPARE(runner.runAndWait(recorder, {"x"}), code.toInt());
}

void TestElevatedRunner::missingProgram() {
    const QString missing = m_dir.filePath(QStringLiteral("no-such-program"));
    const platform::ElevatedRunner direct(recorder, true);
    QVERIFY(!direct.start(missing, {}));
    QCOMPARE(direct.runAndWait(missing, {}), -1);
    QVERIFY(!direct.start(QString(), {}));
    QCOMPARE(direct.runAndWait(QString(), {}), -1);

    const platform::ElevatedRunner noHelper(missing, false);
    QVERIFY(!noHelper.start(recorder, {}));
    QCOMPARE(noHelper.runAndWait(recorder, {}), -1);
}

void TestElevatedRunner::inputAndOutput_data() {
    QTest::addColumn<QByteArray>("script"); // the program's shell script
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lastLines");
    const QString longLine(platform::ElevatedRunner::OutputLineBytes, QLatin1Char('y'));
    QTest::newRow("silent") << QByteArray("exit 0\n") << 0 << QStringList();
    QTest::newRow("both channels, in order")
        << QByteArray("echo out; sleep 0.1; echo err >&2; exit 4\n") << 4 << QStringList{"out", "err"};
    QTest::newRow("a question") << QByteArray("echo 'Continue? [Y/n]'; read answer || exit 9; exit 0\n") << 9
                                << QStringList{"Continue? [Y/n]"};
    QTest::newRow("many lines, the last ones kept")
        << QByteArray("i=0; while [ $i -lt 5000 ]; do echo line $i; i=$((i+1)); done\n") << 0
        << QStringList{"line 4995", "line 4996", "line 4997", "line 4998", "line 4999"};
    QTest::newRow("long lines cut, blank lines and line ends dropped")
        << QByteArray("printf 'first\\r\\n\\n   \\n'; head -c 100000 /dev/zero | tr '\\0' y; echo\n") << 0
        << QStringList{"first", longLine};
}

void TestElevatedRunner::inputAndOutput() {
    // Nothing a program asks can keep it waiting, and what it said last stays for the caller's log, however
    // much it said.
    QFETCH(QByteArray, script);
    QFETCH(int, status);
    QFETCH(QStringList, lastLines);
    const QString program = m_dir.filePath(QStringLiteral("talker-%1").arg(QTest::currentDataTag()).replace(' ', '_'));
    QVERIFY(StandIn::Write(program, script));
    const platform::ElevatedRunner runner(recorder, true);
    QElapsedTimer clock;
    clock.start();
    const platform::ElevatedRunner::Outcome outcome = runner.run(program, {});
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.lastLines, lastLines);
}

void TestElevatedRunner::helperGetsAbsoluteProgram_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    QTest::newRow("absolute") << "/opt/vendor/installer"
                              << "/opt/vendor/installer";
    QTest::newRow("relative") << "sub/installer" << QDir::currentPath() + "/sub/installer";
    QTest::newRow("dot segments") << "/opt/vendor/../installer"
                                  << "/opt/installer";
}

void TestElevatedRunner::helperGetsAbsoluteProgram() {
    QFETCH(QString, program);
    QFETCH(QString, expected);
    const platform::ElevatedRunner runner(QStringLiteral("pkexec"), false);
    QCOMPARE(runner.launcher(program), QStringLiteral("pkexec"));
    QCOMPARE(runner.launcherArguments(program, {"a b"}), (QStringList{expected, "a b"}));
}

void TestElevatedRunner::bareNameIsNotLookedUp_data() {
    QTest::addColumn<bool>("asRoot");
    QTest::newRow("root") << true;
    QTest::newRow("helper") << false;
}

void TestElevatedRunner::bareNameIsNotLookedUp() {
    // A program of that name first on the user's PATH is never what runs with administrator rights.
    QFETCH(bool, asRoot);
    const QString folder = m_dir.filePath(QStringLiteral("path"));
    QDir().mkpath(folder);
    QVERIFY(StandIn::WriteRecorder(folder + "/mendra-decoy", m_record));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.toUtf8() + ':' + path);
    const platform::ElevatedRunner runner(recorder, asRoot);
    const int status = runner.runAndWait(QStringLiteral("mendra-decoy"), {"x"});
    const bool started = runner.start(QStringLiteral("mendra-decoy"), {"x"});
    qputenv("PATH", path);
    QCOMPARE(status, -1);
    QVERIFY(!started);
    QVERIFY(!QFile::exists(m_record + ".starts"));
    QVERIFY(!QFile::exists(m_record));
}

void TestElevatedRunner::systemHelper_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the system's") << ""
                                  << "/usr/bin/pkexec";
    QTest::newRow("below the system root") << "/tmp/fixture root"
                                           << "/tmp/fixture root/usr/bin/pkexec";
}

void TestElevatedRunner::systemHelper() {
    QFETCH(QString, root);
    QFETCH(QString, expected);
    qputenv("MENDRA_SYSTEM_ROOT", root.toUtf8());
    const QString helper = platform::ElevatedRunner::systemHelper();
    qunsetenv("MENDRA_SYSTEM_ROOT");
    QCOMPARE(helper, expected);
}

QTEST_GUILESS_MAIN(TestElevatedRunner)
#include "tst_elevatedrunner.moc"
