#include "CUpdateRuleReader.h"

#include "platform/FileVersion.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// Rules files against a fixture program folder: which files end up in the patch list, in which order and
// with which values, and the exact lines of "update.log" (time stamps aside).
//
//   Old.bin       version block 1.2.3.4
//   New.bin       version block 3.0.0.0
//   Plain.dat     "hello\n", no version block
//   sub/Deep.bin  version block 2.0.0.0
//   InLink        -> sub (inside the folder)
//   OutLink       -> a folder outside
//   FileOut       -> a file outside
//   Dangling      -> a missing file outside
//   Gone.bin      does not exist
class TestCUpdateRuleReader : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rules_data();
    void rules();
    void listIsAppendedTo();
    void compareVersionFields_data();
    void compareVersionFields();

private:
    RuleContext Context() const;
    void WriteFile(const QString& path, const QByteArray& content);

    QTemporaryDir m_root;
    QString m_program; // the fixture program folder, ending with "/"
    QString m_outside;
};

namespace {

const QByteArray kPlainMd5 = "b1946ac92492d2347c6235b4d2611184"; // of "hello\n"

QByteArray Block(const QByteArray& version) {
    return "\x7f"
           "ELF padding" +
           platform::versionBlockMarker() + version + '\0' + "more bytes";
}

QString Document(const QString& platformBody, const QString& rootAttributes = QString(),
                 const QString& platformName = QStringLiteral("linux")) {
    return QStringLiteral("<?xml version=\"1.0\"?><update%1><%3>%2</%3></update>")
        .arg(rootAttributes, platformBody, platformName);
}

QString Product(const QString& rules, const QString& attributes = QString(),
                const QString& version = QStringLiteral("1.0.0.1"), const QString& brand = QStringLiteral("Tavik")) {
    return QStringLiteral("<%4><Patch product=\"tavik mendra\" version=\"%3\"%2>%1</Patch></%4>")
        .arg(rules, attributes, version, brand);
}

QString Common(const QString& rules) {
    return QStringLiteral("<Patch product=\"Common\">%1</Patch>").arg(rules);
}

// One file rule: path, then attributes such as version="1.2" or MD5="...".
QString Rule(const QString& path, const QString& attributes, const QString& url = QStringLiteral("http://u/f")) {
    return QStringLiteral("<File path=\"%1\" %2 url=\"%3\"/>").arg(path, attributes, url);
}

QString Listed(const QString& type, const QString& value, const QString& path, const QString& url = "http://u/f") {
    return QStringList{type, value, path, url}.join(QLatin1Char('|'));
}

QString NotFound(const QString& path) {
    return QStringLiteral("[Info]\"%1\" not found, add to update list.").arg(path);
}

QString Conform(const QString& path) {
    return QStringLiteral("[Info]\"%1\" conform to the update rules, add to update list.").arg(path);
}

QString Backslash(const QString& path) {
    return QStringLiteral("[Waring]\"%1\" holds a backslash, rule refused.").arg(path);
}

QString Outside(const QString& path) {
    return QStringLiteral("[Waring]\"%1\" lies outside the program folder, rule refused.").arg(path);
}

} // namespace

void TestCUpdateRuleReader::WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestCUpdateRuleReader::initTestCase() {
    QVERIFY(m_root.isValid());
    const QString root = QFileInfo(m_root.path()).canonicalFilePath();
    m_program = root + "/program/";
    m_outside = root + "/outside";
    WriteFile(m_program + "Old.bin", Block("1.2.3.4"));
    WriteFile(m_program + "New.bin", Block("3.0.0.0"));
    WriteFile(m_program + "Plain.dat", "hello\n");
    WriteFile(m_program + "sub/Deep.bin", Block("2.0.0.0"));
    WriteFile(m_outside + "/secret", "not the program's");
    QVERIFY(QFile::link("sub", m_program + "InLink"));
    QVERIFY(QFile::link(m_outside, m_program + "OutLink"));
    QVERIFY(QFile::link(m_outside + "/secret", m_program + "FileOut"));
    QVERIFY(QFile::link(m_outside + "/nothing", m_program + "Dangling"));
}

RuleContext TestCUpdateRuleReader::Context() const {
    RuleContext context;
    context.Brand = "Tavik";
    context.RegName = "Tavik Mendra";
    context.Version = "1.0.0.1";
    context.LogPath = m_root.filePath("log/update.log");
    context.ProgramDir = m_program;
    return context;
}

void TestCUpdateRuleReader::rules_data() {
    QTest::addColumn<QString>("rules");      // "{dir}" stands for the program folder
    QTest::addColumn<QStringList>("listed"); // type|value|path|url
    QTest::addColumn<QStringList>("log");    // without the time stamps

    const QString dir = "{dir}";
    const QString md5 = "MD5=\"" + kPlainMd5 + "\"";

    QTest::newRow("missing file, even with an MD5")
        << Document(Product(Rule("%APPPATH%/Gone.bin", md5))) << QStringList{Listed("MD5", kPlainMd5, dir + "Gone.bin")}
        << QStringList{NotFound(dir + "Gone.bin")};
    QTest::newRow("older version block") << Document(Product(Rule("%APPPATH%/Old.bin", "version=\"1.2.3.5\"")))
                                         << QStringList{Listed("Version", "1.2.3.5", dir + "Old.bin")}
                                         << QStringList{Conform(dir + "Old.bin")};
    QTest::newRow("equal version block") << Document(Product(Rule("%APPPATH%/Old.bin", "version=\"1.2.3.4\"")))
                                         << QStringList() << QStringList();
    QTest::newRow("rule equal as far as it goes")
        << Document(Product(Rule("%APPPATH%/Old.bin", "version=\"1.2\""))) << QStringList() << QStringList();
    QTest::newRow("newer version block") << Document(Product(Rule("%APPPATH%/New.bin", "version=\"2.9.9.9\"")))
                                         << QStringList() << QStringList();
    QTest::newRow("no version block") << Document(Product(Rule("%APPPATH%/Plain.dat", "version=\"1.0\"")))
                                      << QStringList{Listed("Version", "1.0", dir + "Plain.dat")}
                                      << QStringList{Conform(dir + "Plain.dat")};
    QTest::newRow("version wins over MD5")
        << Document(Product(Rule("%APPPATH%/Old.bin", "version=\"1.2.3.4\" MD5=\"0\""))) << QStringList()
        << QStringList();
    QTest::newRow("MD5 equal") << Document(Product(Rule("%APPPATH%/Plain.dat", md5))) << QStringList() << QStringList();
    QTest::newRow("MD5 different") << Document(Product(
                                          Rule("%APPPATH%/Plain.dat", "MD5=\"00000000000000000000000000000000\"")))
                                   << QStringList{Listed("MD5", "00000000000000000000000000000000", dir + "Plain.dat")}
                                   << QStringList{Conform(dir + "Plain.dat")};
    QTest::newRow("MD5 in capitals never matches")
        << Document(Product(Rule("%APPPATH%/Plain.dat", "MD5=\"" + kPlainMd5.toUpper() + "\"")))
        << QStringList{Listed("MD5", kPlainMd5.toUpper(), dir + "Plain.dat")}
        << QStringList{Conform(dir + "Plain.dat")};
    QTest::newRow("neither version nor MD5")
        << Document(Product(Rule("%APPPATH%/Gone.bin", "version=\"\""))) << QStringList() << QStringList();
    QTest::newRow("rules in document order, any element name")
        << Document(Product(Rule("%APPPATH%/Gone.bin", "version=\"1\"", "http://u/1") +
                            "<Other path=\"%APPPATH%/sub/Deep.bin\" version=\"2.0.0.1\" url=\"http://u/2\"/>"))
        << QStringList{Listed("Version", "1", dir + "Gone.bin", "http://u/1"),
                       Listed("Version", "2.0.0.1", dir + "sub/Deep.bin", "http://u/2")}
        << QStringList{NotFound(dir + "Gone.bin"), Conform(dir + "sub/Deep.bin")};
    QTest::newRow("a rule without url keeps it empty")
        << Document(Product("<File path=\"%APPPATH%/Gone.bin\" version=\"1\"/>"))
        << QStringList{Listed("Version", "1", dir + "Gone.bin", "")} << QStringList{NotFound(dir + "Gone.bin")};

    // Common and private rules.
    const QString common = Common(Rule("%APPPATH%/Old.bin", "version=\"9\"", "http://c/old") +
                                  Rule("%APPPATH%/Gone.bin", "version=\"1\"", "http://c/gone"));
    QTest::newRow("not private: the common rules, the product's own ignored")
        << Document(common + Product(Rule("%APPPATH%/Plain.dat", "version=\"5\""), " private=\"False\""))
        << QStringList{Listed("Version", "9", dir + "Old.bin", "http://c/old"),
                       Listed("Version", "1", dir + "Gone.bin", "http://c/gone")}
        << QStringList{Conform(dir + "Old.bin"), NotFound(dir + "Gone.bin")};
    QTest::newRow("private by default: the product's own, common ignored")
        << Document(common + Product(Rule("%APPPATH%/Plain.dat", "version=\"5\"")))
        << QStringList{Listed("Version", "5", dir + "Plain.dat")} << QStringList{Conform(dir + "Plain.dat")};
    QTest::newRow("private rule standing for the common one")
        << Document(Product("<File path=\"%APPPATH%/Old.bin\" private=\"false\" version=\"0\"/>") + common)
        << QStringList{Listed("Version", "9", dir + "Old.bin", "http://c/old")}
        << QStringList{Conform(dir + "Old.bin")};
    QTest::newRow("standing for a common rule that is not there")
        << Document(common + Product("<File path=\"%APPPATH%/New.bin\" private=\"no\" version=\"9\"/>"))
        << QStringList() << QStringList();
    QTest::newRow("common path matched exactly")
        << Document(common + Product("<File path=\"%APPPATH%/old.bin\" private=\"no\" version=\"9\"/>"))
        << QStringList() << QStringList();
    QTest::newRow("not private without a common patch")
        << Document(Product(Rule("%APPPATH%/Gone.bin", "version=\"1\""), " private=\"0\"")) << QStringList()
        << QStringList();

    // Which product patch applies.
    const QString gone = Rule("%APPPATH%/Gone.bin", "version=\"1\"");
    const QStringList goneListed{Listed("Version", "1", dir + "Gone.bin")};
    const QStringList goneLog{NotFound(dir + "Gone.bin")};
    QTest::newRow("names in other letter cases")
        << "<UPDATE Switch=\"x\"><Linux><TAVIK><PATCH product=\"TAVIK MENDRA\" version=\"1.0.0.1\">" + gone +
               "</PATCH></TAVIK></Linux></UPDATE>"
        << goneListed << goneLog;
    QTest::newRow("switched off at the root")
        << Document(Product(gone), " switch=\"Off\"") << QStringList() << QStringList();
    QTest::newRow("switched on at the root") << Document(Product(gone), " switch=\"ON\"") << goneListed << goneLog;
    QTest::newRow("product switched off")
        << Document(Product(gone, " switch=\"off\"")) << QStringList() << QStringList();
    QTest::newRow("product switch other than on")
        << Document(Product(gone, " switch=\"yes\"")) << QStringList() << QStringList();
    QTest::newRow("other brand") << Document(Product(gone, QString(), "1.0.0.1", "Other")) << QStringList()
                                 << QStringList();
    QTest::newRow("other version, matched as text")
        << Document(Product(gone, QString(), "1.0.0.1.0")) << QStringList() << QStringList();
    QTest::newRow("other platform element")
        << Document(Product(gone), QString(), "windows") << QStringList() << QStringList();
    QTest::newRow("first matching product patch only")
        << Document(Product(gone, " switch=\"off\"") + Product(Rule("%APPPATH%/Plain.dat", "version=\"5\"")))
        << QStringList() << QStringList();
    QTest::newRow("other root") << "<rules><linux>" + Product(gone) + "</linux></rules>" << QStringList()
                                << QStringList();

    // Paths that would leave the program folder, for a launcher with administrator rights.
    const QString parent = QStringLiteral("{dir}../outside/secret");
    QTest::newRow("absolute path") << Document(Product(Rule("/etc/passwd", "version=\"1\""))) << QStringList()
                                   << QStringList{Outside("/etc/passwd")};
    QTest::newRow("placeholder not first") << Document(Product(Rule("/tmp/%APPPATH%/Gone.bin", "version=\"1\"")))
                                           << QStringList() << QStringList{Outside("/tmp/" + dir + "Gone.bin")};
    QTest::newRow("relative path without the placeholder")
        << Document(Product(Rule("Gone.bin", "version=\"1\""))) << QStringList() << QStringList{Outside("Gone.bin")};
    QTest::newRow(".. step out") << Document(Product(Rule("%APPPATH%/../outside/secret", "version=\"1\"")))
                                 << QStringList() << QStringList{Outside(parent)};
    QTest::newRow(".. step that stays inside") << Document(Product(Rule("%APPPATH%/sub/../Gone.bin", "version=\"1\"")))
                                               << QStringList() << QStringList{Outside(dir + "sub/../Gone.bin")};
    QTest::newRow("linked folder out") << Document(Product(Rule("%APPPATH%/OutLink/secret", "version=\"1\"")))
                                       << QStringList() << QStringList{Outside(dir + "OutLink/secret")};
    QTest::newRow("linked folder out, missing file")
        << Document(Product(Rule("%APPPATH%/OutLink/new/file", "version=\"1\""))) << QStringList()
        << QStringList{Outside(dir + "OutLink/new/file")};
    QTest::newRow("linked file out") << Document(Product(Rule("%APPPATH%/FileOut", "version=\"1\""))) << QStringList()
                                     << QStringList{Outside(dir + "FileOut")};
    QTest::newRow("dangling link") << Document(Product(Rule("%APPPATH%/Dangling", "version=\"1\""))) << QStringList()
                                   << QStringList{Outside(dir + "Dangling")};
    QTest::newRow("the folder itself") << Document(Product(Rule("%APPPATH%/.", "version=\"1\""))) << QStringList()
                                       << QStringList{Outside(dir + ".")};
    // A launcher reading backslashes as separators must never see one.
    QTest::newRow("backslash after the placeholder") << Document(Product(Rule("%APPPATH%\\Gone.bin", "version=\"1\"")))
                                                     << QStringList() << QStringList{Backslash("%APPPATH%\\Gone.bin")};
    QTest::newRow("backslashes further on")
        << Document(Product(Rule("%APPPATH%/..\\..\\..\\etc\\cron.d\\x", "version=\"1\""))) << QStringList()
        << QStringList{Backslash("%APPPATH%/..\\..\\..\\etc\\cron.d\\x")};
    QTest::newRow("backslash in a file name") << Document(Product(Rule("%APPPATH%/sub/a\\b", "version=\"1\"")))
                                              << QStringList() << QStringList{Backslash("%APPPATH%/sub/a\\b")};
    QTest::newRow("linked folder inside") << Document(Product(Rule("%APPPATH%/InLink/Deep.bin", "version=\"2.1\"")))
                                          << QStringList{Listed("Version", "2.1", dir + "InLink/Deep.bin")}
                                          << QStringList{Conform(dir + "InLink/Deep.bin")};
    QTest::newRow("refused rule, the next one still read")
        << Document(Product(Rule("/etc/passwd", "version=\"1\"") + gone)) << goneListed
        << QStringList{Outside("/etc/passwd"), NotFound(dir + "Gone.bin")};

    // A path goes into the log as one line of its own, whatever characters the rules put into it.
    QTest::newRow("line end in a path") << Document(Product(Rule("%APPPATH%/a&#10;[Info]forged&#13;", "version=\"1\"")))
                                        << QStringList{Listed("Version", "1", dir + "a\n[Info]forged\r")}
                                        << QStringList{NotFound(dir + "a\\x0a[Info]forged\\x0d")};
    QTest::newRow("tab, delete and other control characters")
        << Document(Product(Rule("%APPPATH%/a&#9;b&#x7f;c&#x85;d", "version=\"1\"")))
        << QStringList{Listed("Version", "1",
                              dir +
                                  "a\tb\x7f"
                                  "c" +
                                  QChar(0x85) + "d")}
        << QStringList{NotFound(dir + "a\\x09b\\x7fc\\u0085d")};
    QTest::newRow("line separators and direction marks")
        << Document(Product(Rule("%APPPATH%/a&#x2028;b&#x2029;c&#x202e;d", "version=\"1\"")))
        << QStringList{Listed("Version", "1",
                              dir + "a" + QChar(0x2028) + "b" + QChar(0x2029) + "c" + QChar(0x202e) + "d")}
        << QStringList{NotFound(dir + "a\\u2028b\\u2029c\\u202ed")};
    QTest::newRow("refused path escaped too") << Document(Product(Rule("/etc/x&#10;y", "version=\"1\"")))
                                              << QStringList() << QStringList{Outside("/etc/x\\x0ay")};
    QTest::newRow("letters of any script kept")
        << Document(Product(Rule("%APPPATH%/Größe 文件.bin", "version=\"1\"")))
        << QStringList{Listed("Version", "1", dir + "Größe 文件.bin")} << QStringList{NotFound(dir + "Größe 文件.bin")};

    // A file named by several rules is read once, and each rule still gets its own answer.
    QTest::newRow("one file, two digests")
        << Document(Product(Rule("%APPPATH%/Plain.dat", md5, "http://u/1") +
                            Rule("%APPPATH%/Plain.dat", "MD5=\"00000000000000000000000000000000\"", "http://u/2") +
                            Rule("%APPPATH%/Plain.dat", md5, "http://u/3")))
        << QStringList{Listed("MD5", "00000000000000000000000000000000", dir + "Plain.dat", "http://u/2")}
        << QStringList{Conform(dir + "Plain.dat")};
    QTest::newRow("one file, two versions")
        << Document(Product(Rule("%APPPATH%/Old.bin", "version=\"1.2.3.4\"", "http://u/1") +
                            Rule("%APPPATH%/Old.bin", "version=\"1.3\"", "http://u/2")))
        << QStringList{Listed("Version", "1.3", dir + "Old.bin", "http://u/2")}
        << QStringList{Conform(dir + "Old.bin")};
    QTest::newRow("the first of two common rules of a path")
        << Document(Common(Rule("%APPPATH%/Old.bin", "version=\"9\"", "http://c/first") +
                           Rule("%APPPATH%/Old.bin", "version=\"8\"", "http://c/second")) +
                    Product("<File path=\"%APPPATH%/Old.bin\" private=\"false\"/>"))
        << QStringList{Listed("Version", "9", dir + "Old.bin", "http://c/first")}
        << QStringList{Conform(dir + "Old.bin")};

    // The bounds every XML file is held to.
    QString deep = gone;
    for (int i = 0; i < 70; ++i)
        deep = "<n>" + deep + "</n>";
    QTest::newRow("nested too deep")
        << Document(Product(gone + deep)) << QStringList()
        << QStringList{"[Waring]Update rules \"{rules}\" not read: nested deeper than 64 elements."};
    QTest::newRow("too large") << Document(Product(gone)) + "<!--" + QString(4 * 1024 * 1024, 'x') + "-->"
                               << QStringList()
                               << QStringList{"[Waring]Update rules \"{rules}\" not read: larger than 4194304 bytes."};
    QTest::newRow("not XML") << "<update><linux>" << QStringList()
                             << QStringList{"[Waring]Update rules \"{rules}\" not read: not well-formed XML (line 1: "
                                            "Premature end of document.)."};
}

void TestCUpdateRuleReader::rules() {
    QFETCH(QString, rules);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, log);

    const RuleContext context = Context();
    QFile::remove(context.LogPath);
    QDir().mkpath(QFileInfo(context.LogPath).absolutePath());
    const QString rulesPath = m_root.filePath("rules.xml");
    WriteFile(rulesPath, rules.toUtf8());

    PatchFileList list;
    {
        CUpdateRuleReader reader(context);
        reader.ReadRules(list, rulesPath);
    }

    QStringList got;
    for (const PatchFileInfo& info : list)
        got << Listed(info.type, info.value, info.path, info.url);
    listed.replaceInStrings("{dir}", m_program);
    QCOMPARE(got, listed);

    QFile file(context.LogPath);
    QStringList lines;
    if (file.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    const QRegularExpression stamp(" <date time=\\d{1,2}-\\d{1,2}-\\d{4}  \\d{1,2}:\\d{1,2}:\\d{1,2}>$");
    for (QString& line : lines) {
        QVERIFY2(stamp.match(line).hasMatch(), qPrintable(line));
        line.remove(stamp);
    }
    log.replaceInStrings("{dir}", m_program);
    log.replaceInStrings("{rules}", rulesPath);
    QCOMPARE(lines, log);
}

void TestCUpdateRuleReader::listIsAppendedTo() {
    const QString rulesPath = m_root.filePath("append.xml");
    WriteFile(rulesPath, Document(Product(Rule("%APPPATH%/Gone.bin", "version=\"1\""))).toUtf8());
    PatchFileList list{{"u0", "p0", "v0", "MD5"}};
    CUpdateRuleReader reader(Context());
    reader.ReadRules(list, rulesPath);
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0).path, QStringLiteral("p0"));
    QCOMPARE(list.at(1).path, m_program + "Gone.bin");
    // A missing rules file adds nothing.
    reader.ReadRules(list, m_root.filePath("missing.xml"));
    QCOMPARE(list.size(), 2);
}

void TestCUpdateRuleReader::compareVersionFields_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("result");

    QTest::newRow("older in the last field") << "1.2.3.4"
                                             << "1.2.3.5" << 0;
    QTest::newRow("newer in the first field") << "2.0.0.0"
                                              << "1.9" << 2;
    QTest::newRow("equal") << "1.2.3.4"
                           << "1.2.3.4" << 1;
    QTest::newRow("equal as far as the shorter goes") << "1.2.3.4"
                                                      << "1.2" << 1;
    QTest::newRow("numbers, not text") << "1.10"
                                       << "1.9" << 2;
    QTest::newRow("no number counts as 0") << "1.x"
                                           << "1.0" << 1;
    QTest::newRow("empty field kept") << "1..3"
                                      << "1.1.3" << 0;
}

void TestCUpdateRuleReader::compareVersionFields() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, result);
    QCOMPARE(CompareVersionFields(a, b), result);
}

QTEST_GUILESS_MAIN(TestCUpdateRuleReader)
#include "tst_cupdaterulereader.moc"
