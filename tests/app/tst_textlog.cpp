#include "FileModes.h"
#include "RunLog.h"
#include "TextLog.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

namespace {
QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

const QDateTime morning(QDate(2024, 3, 7), QTime(9, 5, 7, 45));
const QDateTime lateEvening(QDate(2024, 12, 25), QTime(23, 59, 58, 999));
} // namespace

class TestTextLog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lineFormat_data();
    void lineFormat();
    void writePairs_data();
    void writePairs();
    void writeList();
    void closedLogDropsLines();
    void unopenableLogDropsLines();

    void runLogBeforeOpen();
    void runLogSizeOnOpen_data();
    void runLogSizeOnOpen();
    void runLogIsTheUsersAlone_data();
    void runLogIsTheUsersAlone();
    void runLogWithoutFolder();
    void runLogFromManyThreads();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTextLog::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestTextLog::cleanup() {
    CloseRunLog();
    m_dir.reset();
}

void TestTextLog::lineFormat_data() {
    QTest::addColumn<bool>("chars");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("withTime");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");

    QTest::newRow("info, no time") << false << 0 << "hello" << false << morning << "[Info]hello";
    QTest::newRow("warning tag as shipped") << false << 1 << "w" << false << morning << "[Waring]w";
    QTest::newRow("error with time") << false << 2 << "disk full" << true << morning
                                     << "[Error]disk full <date time=3-7-2024  9:5:7>";
    QTest::newRow("failed, two-digit fields")
        << false << 3 << "x" << true << lateEvening << "[Failed]x <date time=12-25-2024  23:59:58>";
    QTest::newRow("empty message with time")
        << false << 0 << "" << true << morning << "[Info] <date time=3-7-2024  9:5:7>";
    QTest::newRow("chars: milliseconds unpadded")
        << true << 2 << "x" << true << morning << "[Error]x <date time=3-7-2024  9:5:7:45>";
    QTest::newRow("chars: three-digit milliseconds")
        << true << 0 << "y" << true << lateEvening << "[Info]y <date time=12-25-2024  23:59:58:999>";
    QTest::newRow("level above the table") << false << 4 << "x" << false << morning << "[Level 4]x";
    QTest::newRow("negative level") << true << -1 << "x" << false << morning << "[Level -1]x";
    QTest::newRow("non-ASCII text") << false << 0 << QString::fromUtf8("Gerät \xe8\xa8\xad\xe5\xae\x9a") << false
                                    << morning << QString::fromUtf8("[Info]Gerät \xe8\xa8\xad\xe5\xae\x9a");
    QTest::newRow("chars read as UTF-8") << true << 0 << QString::fromUtf8("\xc3\xa9t\xc3\xa9") << false << morning
                                         << QString::fromUtf8("[Info]\xc3\xa9t\xc3\xa9");
}

void TestTextLog::lineFormat() {
    QFETCH(bool, chars);
    QFETCH(int, level);
    QFETCH(QString, message);
    QFETCH(bool, withTime);
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);

    // Whatever codec the program sets for the locale, the file stays UTF-8.
    QTextCodec* const localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    const auto restoreCodec = qScopeGuard([localeCodec] { QTextCodec::setCodecForLocale(localeCodec); });

    const QString path = m_dir->filePath("a.log");
    {
        TextLog log(path);
        log.SetClock([now] { return now; });
        if (chars)
            log.WriteChars(level, message.toUtf8().constData(), withTime);
        else
            log.WriteString(level, message, withTime);
        // Flushed by the call itself, before the log is closed.
        QCOMPARE(readAll(path), expected.toUtf8() + '\n');
    }
}

void TestTextLog::writePairs_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("numbered");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray warning =
        "[*Warning]OutputMaps() vecName.resiz() != vecValue.resize(), size will equal smaller.\n";
    QTest::newRow("equal lengths") << QStringList{"a", "b"} << QStringList{"1", "2"} << false
                                   << QByteArray("a = 1\nb = 2\n");
    QTest::newRow("more names, numbered")
        << QStringList{"a", "b", "c"} << QStringList{"1", "2"} << true << warning + "(0) a = 1\n(1) b = 2\n";
    QTest::newRow("more values") << QStringList{"a"} << QStringList{"1", "2"} << false << warning + "a = 1\n";
    QTest::newRow("both empty") << QStringList{} << QStringList{} << true << QByteArray();
}

void TestTextLog::writePairs() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    QFETCH(bool, numbered);
    QFETCH(QByteArray, expected);

    const QString path = m_dir->filePath("pairs.log");
    TextLog log(path);
    log.WritePairs(names, values, numbered);
    QCOMPARE(readAll(path), expected);
}

void TestTextLog::writeList() {
    const QString path = m_dir->filePath("list.log");
    TextLog log(path);
    log.WriteList({"first", "second"}, true);
    log.WriteList({"plain"}, false);
    log.WriteNewLine();
    log.WritePlainString("no tag");
    log.WritePlainChars("bytes");
    QCOMPARE(readAll(path), QByteArray("(0) first\n(1) second\nplain\n\nno tag\nbytes\n"));
}

void TestTextLog::closedLogDropsLines() {
    const QString path = m_dir->filePath("c.log");
    TextLog log(path);
    log.WriteString(0, "one", false);
    log.Close();
    log.WriteString(0, "lost", false);
    log.WriteChars(0, "lost", false);
    log.Open();
    log.WriteString(0, "two", false);
    QCOMPARE(readAll(path), QByteArray("[Info]one\n[Info]two\n"));
}

void TestTextLog::unopenableLogDropsLines() {
    const QString path = m_dir->filePath("missing-folder/x.log");
    TextLog log(path);
    QVERIFY(!log.IsOpen());
    log.WriteString(2, "nowhere", true);
    log.WriteChars(2, nullptr, true);
    log.WritePairs({"a"}, {"b"}, true);
    QVERIFY(!QFileInfo::exists(path));
}

void TestTextLog::runLogBeforeOpen() {
    QVERIFY(!RunLog);
    // Code that runs before the main window opens the log must not crash.
    RunLog->WriteString(0, "too early", true);
    RunLog->WriteChars(3, "too early", true);
    RunLog->WriteChars(3, nullptr, false);
    QVERIFY(!RunLog);
}

void TestTextLog::runLogSizeOnOpen_data() {
    QTest::addColumn<qint64>("existingSize");
    QTest::addColumn<bool>("kept");

    QTest::newRow("no file") << qint64(-1) << false;
    QTest::newRow("empty") << qint64(0) << true;
    QTest::newRow("one below 1 MiB") << qint64(1048575) << true;
    QTest::newRow("exactly 1 MiB") << qint64(1048576) << true;
    QTest::newRow("one above 1 MiB") << qint64(1048577) << false;
    QTest::newRow("2 MiB") << qint64(2097152) << false;
}

void TestTextLog::runLogSizeOnOpen() {
    QFETCH(qint64, existingSize);
    QFETCH(bool, kept);

    const QString dataDir = m_dir->path() + "/";
    const QString logPath = RunLogPath(dataDir);
    QCOMPARE(logPath, m_dir->path() + "/Log/myrun.log");
    const QByteArray old(qMax<qint64>(0, existingSize), 'o');
    if (existingSize >= 0) {
        QVERIFY(QDir().mkpath(m_dir->filePath("Log")));
        writeFile(logPath, old);
    }

    QVERIFY(OpenRunLog(dataDir, "1.0.0.1", "Linux"));
    QVERIFY(RunLog);
    RunLog->WriteString(2, "after start", false);

    const QByteArray content = readAll(logPath);
    const QByteArray fresh = kept ? content.mid(old.size()) : content;
    if (kept)
        QVERIFY(content.startsWith(old));
    QVERIFY2(fresh.startsWith("[Info]Startup begin!!! QS:1.0.0.1 Edition:Linux <date time="), fresh.left(80));
    const QList<QByteArray> lines = fresh.split('\n');
    QCOMPARE(lines.size(), 3); // start-up line, one more line, nothing after the last "\n"
    QVERIFY(lines.at(0).endsWith('>'));
    QCOMPARE(lines.at(1), QByteArray("[Error]after start"));
    QVERIFY(lines.at(2).isEmpty());
}

void TestTextLog::runLogIsTheUsersAlone_data() {
    QTest::addColumn<QString>("before"); // "none", "open" (left open by an earlier version), "link" or "log link"
    QTest::addColumn<int>("mask");

    QTest::newRow("made under an open mask") << "none" << 0;
    QTest::newRow("made under the usual mask") << "none" << 022;
    QTest::newRow("left open to everyone") << "open" << 0;
    QTest::newRow("the folder a link to the user's folder elsewhere") << "link" << 022;
    QTest::newRow("the log a link to a file elsewhere") << "log link" << 022;
}

// The Log folder and the logs in it (the run log, the patch check's update.log) are the user's alone whatever
// the umask, made so from the start, also where no patch check ever ran; a link is never written through.
void TestTextLog::runLogIsTheUsersAlone() {
    QFETCH(QString, before);
    QFETCH(int, mask);
    const QString dataDir = m_dir->path() + "/";
    const QString folder = m_dir->filePath("Log");
    const QString logPath = RunLogPath(dataDir);
    const QString elsewhere = m_dir->filePath("elsewhere");
    if (before == "open") {
        QVERIFY(QDir().mkpath(folder));
        writeFile(logPath, "an old line\n");
        QVERIFY(FileModes::Set(folder, 0777) && FileModes::Set(logPath, 0666));
    } else if (before == "link") {
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(FileModes::Set(elsewhere, 0755));
        QVERIFY(QFile::link(elsewhere, folder));
    } else if (before == "log link") {
        QVERIFY(QDir().mkpath(folder));
        writeFile(elsewhere, "not a log");
        QVERIFY(FileModes::Set(elsewhere, 0644));
        QVERIFY(QFile::link(elsewhere, logPath));
    }
    {
        FileModes::Umask umask(mask);
        QCOMPARE(OpenRunLog(dataDir, "1.0", "Linux"), before != "log link");
        TextLog update(folder + "/update.log");
        update.WriteString(TextLog::Info, "a patch check", false);
    }
    if (before == "log link") {
        QCOMPARE(readAll(elsewhere), QByteArray("not a log"));
        QCOMPARE(FileModes::Of(elsewhere), mode_t(0644));
    } else {
        QVERIFY(readAll(logPath).contains("Startup begin!!!"));
        QCOMPARE(FileModes::Of(logPath), mode_t(0600));
    }
    QCOMPARE(FileModes::Of(folder), before == "link" ? mode_t(0755) : mode_t(0700));
    QCOMPARE(FileModes::Of(folder + "/update.log"), mode_t(0600));
}

void TestTextLog::runLogWithoutFolder() {
    // A file where the "Log" folder belongs blocks the log even for root.
    writeFile(m_dir->filePath("Log"), "not a folder");
    QVERIFY(!OpenRunLog(m_dir->path(), "1.0", "Linux"));
    RunLog->WriteString(0, "dropped", false);
    QCOMPARE(readAll(m_dir->filePath("Log")), QByteArray("not a folder"));

    // Closing brings back the dropping log.
    QVERIFY(OpenRunLog(m_dir->filePath("elsewhere"), "1.0", "Linux"));
    const QString path = RunLogPath(m_dir->filePath("elsewhere"));
    const QByteArray before = readAll(path);
    CloseRunLog();
    QVERIFY(!RunLog);
    RunLog->WriteString(0, "after close", false);
    QCOMPARE(readAll(path), before);
}

void TestTextLog::runLogFromManyThreads() {
    QVERIFY(OpenRunLog(m_dir->path(), "1.0", "Linux"));
    const int threadCount = 4;
    const int linesPerThread = 300;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back(QThread::create([t] {
            for (int i = 0; i < linesPerThread; ++i)
                RunLog->WriteString(t % 4, QStringLiteral("thread %1 line %2").arg(t).arg(i), i % 2 == 0);
        }));
        threads.back()->start();
    }
    for (auto& thread : threads)
        QVERIFY(thread->wait(30000));

    QList<QByteArray> lines = readAll(RunLogPath(m_dir->path())).split('\n');
    QVERIFY(lines.takeLast().isEmpty());
    QVERIFY(lines.takeFirst().startsWith("[Info]Startup begin!!!"));
    QCOMPARE(lines.size(), threadCount * linesPerThread);
    const QRegularExpression whole(
        R"(^\[(Info|Waring|Error|Failed)\]thread \d line \d+( <date time=\d+-\d+-\d{4}  \d+:\d+:\d+>)?$)");
    for (const QByteArray& line : lines)
        QVERIFY2(whole.match(QString::fromUtf8(line)).hasMatch(), line.constData());
}

QTEST_GUILESS_MAIN(TestTextLog)
#include "tst_textlog.moc"
