#include "CUpdateRuleReader.h"

#include "platform/FileVersion.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "ResidentMemory.h"

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
//   Pipe          a FIFO that nobody writes
//   PipeLink      -> Pipe
//   Socket        a Unix socket that listens
//   Null          a character device (1, 3), when the test runs as root
class TestCUpdateRuleReader : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void rules_data();
    void rules();
    void listIsAppendedTo();
    void documentTypeRefused_data();
    void documentTypeRefused();
    void eachFileReadOnce_data();
    void eachFileReadOnce();
    void rulesFileNameEscaped();
    void compareVersionFields_data();
    void compareVersionFields();

private:
    RuleContext Context() const;
    void WriteFile(const QString& path, const QByteArray& content);

    QTemporaryDir m_root;
    // The lines of update.log without their time stamps.
    QStringList LogLines(const QString& path);

    QString m_program; // the fixture program folder, ending with "/"
    QString m_outside;
    int m_socket = -1;
    bool m_device = false;
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

QString NotRegular(const QString& path, const QString& kind) {
    return QStringLiteral("[Waring]\"%1\" is %2, not a regular file, rule refused.").arg(path, kind);
}

QString NotRead(const QString& why) {
    return QStringLiteral("[Waring]Update rules \"{rules}\" not read: %1.").arg(why);
}

// The bytes this process has read through read() and its kind so far (/proc/self/io).
qint64 BytesRead() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
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
    QCOMPARE(::mkfifo(QFile::encodeName(m_program + "Pipe").constData(), 0600), 0);
    QVERIFY(QFile::link("Pipe", m_program + "PipeLink"));
    m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(m_program + "Socket");
    QVERIFY(socketPath.size() < int(sizeof(address.sun_path)));
    qstrcpy(address.sun_path, socketPath.constData());
    QCOMPARE(::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    QCOMPARE(::listen(m_socket, 1), 0);
    m_device = ::mknod(QFile::encodeName(m_program + "Null").constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
}

void TestCUpdateRuleReader::cleanupTestCase() {
    if (m_socket >= 0)
        ::close(m_socket);
}

QStringList TestCUpdateRuleReader::LogLines(const QString& path) {
    QFile file(path);
    QStringList lines;
    if (file.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    const QRegularExpression stamp(" <date time=\\d{1,2}-\\d{1,2}-\\d{4}  \\d{1,2}:\\d{1,2}:\\d{1,2}>$");
    for (QString& line : lines) {
        if (!stamp.match(line).hasMatch())
            return {"<no time stamp> " + line};
        line.remove(stamp);
    }
    return lines;
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

    // Nothing but a regular file is opened: a FIFO would hold the check for good, a device might start.
    QTest::newRow("FIFO, by its digest") << Document(Product(Rule("%APPPATH%/Pipe", md5))) << QStringList()
                                         << QStringList{NotRegular(dir + "Pipe", "a FIFO")};
    QTest::newRow("FIFO, by its version") << Document(Product(Rule("%APPPATH%/Pipe", "version=\"1\""))) << QStringList()
                                          << QStringList{NotRegular(dir + "Pipe", "a FIFO")};
    QTest::newRow("FIFO through a link inside the folder")
        << Document(Product(Rule("%APPPATH%/PipeLink", md5))) << QStringList()
        << QStringList{NotRegular(dir + "PipeLink", "a FIFO")};
    QTest::newRow("FIFO, and a sound rule after it")
        << Document(Product(Rule("%APPPATH%/Pipe", md5) + gone)) << goneListed
        << QStringList{NotRegular(dir + "Pipe", "a FIFO"), NotFound(dir + "Gone.bin")};
    QTest::newRow("socket") << Document(Product(Rule("%APPPATH%/Socket", md5))) << QStringList()
                            << QStringList{NotRegular(dir + "Socket", "a socket")};
    QTest::newRow("folder") << Document(Product(Rule("%APPPATH%/sub", md5))) << QStringList()
                            << QStringList{NotRegular(dir + "sub", "a folder")};
    QTest::newRow("folder through a link") << Document(Product(Rule("%APPPATH%/InLink", "version=\"1\"")))
                                           << QStringList() << QStringList{NotRegular(dir + "InLink", "a folder")};
    QTest::newRow("device") << Document(Product(Rule("%APPPATH%/Null", md5))) << QStringList()
                            << QStringList{NotRegular(dir + "Null", "a character device")};

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
    if (rules.contains("%APPPATH%/Null") && !m_device)
        QSKIP("only root makes a device file");

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

    log.replaceInStrings("{dir}", m_program);
    log.replaceInStrings("{rules}", rulesPath);
    QCOMPARE(LogLines(context.LogPath), log);
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

void TestCUpdateRuleReader::documentTypeRefused_data() {
    QTest::addColumn<QByteArray>("rules");
    QTest::addColumn<QString>("why"); // empty: read

    const QByteArray rules = Document(Product(Rule("%APPPATH%/Gone.bin", "version=\"1\""))).toUtf8();
    const QByteArray body = rules.mid(rules.indexOf("<update>"));
    // Each reference stands for 4000 characters; 50 000 of them in a 150 KB file.
    QByteArray references;
    for (int i = 0; i < 50000; ++i)
        references += "&e;";
    const QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE update [<!ENTITY e \"" + QByteArray(4000, 'e') +
                            "\">]><update><linux><Tavik><Patch product=\"Tavik Mendra\" version=\"1.0.0.1\">"
                            "<File path=\"%APPPATH%/" +
                            references + "\" version=\"1\"/></Patch></Tavik></linux></update>";
    const QString doctype = QStringLiteral("holds a document type declaration");
    auto utf16 = [](const QByteArray& text, bool bigEndian, bool mark) {
        QByteArray out = mark ? (bigEndian ? QByteArray("\xfe\xff") : QByteArray("\xff\xfe")) : QByteArray();
        for (const char c : text)
            out += bigEndian ? QByteArray(1, '\0') + c : QByteArray(1, c) + '\0';
        return out;
    };
    const QByteArray declared = "<!DOCTYPE update>" + body;

    QTest::newRow("entities that expand to 200 million characters") << bomb << doctype;
    QTest::newRow("a plain declaration") << declared << doctype;
    QTest::newRow("after the XML declaration, a comment and an instruction")
        << "<?xml version=\"1.0\"?>\n<!-- rules -->\n<?tool x?>\n" + declared << doctype;
    QTest::newRow("in lower case") << "<!doctype update>" + body << doctype;
    QTest::newRow("after a UTF-8 byte-order mark") << "\xef\xbb\xbf" + declared << doctype;
    QTest::newRow("UTF-16 with a byte-order mark") << utf16(declared, false, true) << doctype;
    QTest::newRow("UTF-16, big end first, without one") << utf16(declared, true, false) << doctype;
    QTest::newRow("text before the root element")
        << "rules:" + body << QStringLiteral("holds no root element where one belongs");
    // What a sound rules file holds before its root is read as it was.
    QTest::newRow("declaration, comments and instructions") << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                                               "<!-- <!DOCTYPE x> -->\t<?tool x?>\n" +
                                                                   body
                                                            << "";
    QTest::newRow("UTF-16 without a declaration") << utf16(body, false, true) << "";
}

// A document type declaration could make a file within the size limit gigabytes once parsed: it is refused
// before a parser sees the file.
void TestCUpdateRuleReader::documentTypeRefused() {
    QFETCH(QByteArray, rules);
    QFETCH(QString, why);
    const RuleContext context = Context();
    QFile::remove(context.LogPath);
    QDir().mkpath(QFileInfo(context.LogPath).absolutePath());
    const QString rulesPath = m_root.filePath("doctype.xml");
    WriteFile(rulesPath, rules);

    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::PeakMb();
    QElapsedTimer clock;
    clock.start();
    PatchFileList list;
    QString reason;
    bool read = false;
    {
        CUpdateRuleReader reader(context);
        read = reader.ReadRules(list, rulesPath, &reason);
    }
    const qint64 grown = ResidentMemory::PeakMb() - before;
    qInfo("%lld ms, peak +%lld MB, %lld bytes of update.log", clock.elapsed(), grown,
          QFileInfo(context.LogPath).size());
    QVERIFY2(grown < 50, qPrintable(QString::number(grown)));
    if (why.isEmpty()) {
        QVERIFY2(read, qPrintable(reason));
        QCOMPARE(list.size(), 1);
        QCOMPARE(LogLines(context.LogPath), QStringList{NotFound(m_program + "Gone.bin")});
        return;
    }
    QVERIFY(!read);
    QCOMPARE(reason, why);
    QVERIFY(list.isEmpty());
    QCOMPARE(LogLines(context.LogPath), QStringList{NotRead(why).replace("{rules}", rulesPath)});
}

void TestCUpdateRuleReader::eachFileReadOnce_data() {
    QTest::addColumn<QStringList>("paths"); // after %APPPATH%/

    QStringList spellings;
    for (int i = 0; i < 300; ++i)
        spellings << QString("./").repeated(i) + "Big.bin";
    QTest::newRow("300 spellings of one path") << spellings;
    QTest::newRow("links, a hard link and doubled separators")
        << QStringList{"Big.bin", "BigLink", "BigHard", "/Big.bin", "sub/../Big.bin", "./BigLink", "Big.bin"};
}

// A file is read once per check, by whatever path the rules name it; each rule still gets its own answer.
void TestCUpdateRuleReader::eachFileReadOnce() {
    QFETCH(QStringList, paths);
    constexpr qint64 size = 32 * 1024 * 1024;
    QFile big(m_program + "Big.bin");
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(size));
    big.close();
    QFile::remove(m_program + "BigLink");
    QFile::remove(m_program + "BigHard");
    QVERIFY(QFile::link("Big.bin", m_program + "BigLink"));
    QCOMPARE(::link(QFile::encodeName(m_program + "Big.bin").constData(),
                    QFile::encodeName(m_program + "BigHard").constData()),
             0);
    QString rules;
    for (const QString& path : paths)
        rules += Rule("%APPPATH%/" + path, "MD5=\"00000000000000000000000000000000\"");
    const QString rulesPath = m_root.filePath("once.xml");
    WriteFile(rulesPath, Document(Product(rules)).toUtf8());
    const RuleContext context = Context();
    QDir().mkpath(QFileInfo(context.LogPath).absolutePath());

    const qint64 before = BytesRead();
    QElapsedTimer clock;
    clock.start();
    PatchFileList list;
    {
        CUpdateRuleReader reader(context);
        reader.ReadRules(list, rulesPath);
    }
    const qint64 read = BytesRead() - before;
    qInfo("%d rules in %lld ms, %lld MB read", int(paths.size()), clock.elapsed(), read / (1024 * 1024));
    // ".." steps are refused before any file is opened.
    QCOMPARE(list.size(), paths.size() - paths.filter("..").size());
    QVERIFY2(read < 2 * size, qPrintable(QString::number(read)));
    QFile::remove(m_program + "Big.bin");
    QFile::remove(m_program + "BigLink");
    QFile::remove(m_program + "BigHard");
}

// The rules file's own name goes into the log as one line, whatever the server named it.
void TestCUpdateRuleReader::rulesFileNameEscaped() {
    const RuleContext context = Context();
    QFile::remove(context.LogPath);
    QDir().mkpath(QFileInfo(context.LogPath).absolutePath());
    const QString rulesPath = m_root.filePath("a\n[Info]forged\u2028.xml");
    WriteFile(rulesPath, "<update><linux>");
    PatchFileList list;
    {
        CUpdateRuleReader reader(context);
        QVERIFY(!reader.ReadRules(list, rulesPath));
    }
    const QString escaped = m_root.filePath("a\\x0a[Info]forged\\u2028.xml");
    QCOMPARE(
        LogLines(context.LogPath),
        QStringList{NotRead("not well-formed XML (line 1: Premature end of document.)").replace("{rules}", escaped)});
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
