// The archive of a bug report: what the settings keep once their secrets are blanked, and what the packed
// archive holds when 7z reads it back.

#include "BinaryBytes.h"
#include "FileModes.h"
#include "MailDeployment.h"
#include "StandInProgram.h"
#include "UnattachableFile.h"

#include "device/BugReportArchive.h"
#include "device/BugReportDisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A settings file as the program writes it: plain values, the attribute form and the list form.
const QByteArray kSettings = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
 <Options>
  <Language>de</Language>
  <Host>proxy.example.net</Host>
  <Port>3128</Port>
  <Name>proxyuser</Name>
  <Password>hunter2 &amp; more</Password>
  <CustomName>Erika</CustomName>
 </Options>
</config>
)";

} // namespace

class TestBugReportArchive : public QObject {
    Q_OBJECT
private slots:
    void blankSecrets_data();
    void blankSecrets();
    void damagedSettingsAreRefused_data();
    void damagedSettingsAreRefused();
    void packsLogsSettingsAndAttachment_data();
    void packsLogsSettingsAndAttachment();
    void onlyTheDataFoldersOwnFiles_data();
    void onlyTheDataFoldersOwnFiles();
    void attachmentThatCannotBeAttached_data();
    void attachmentThatCannotBeAttached();
    void archiveIsTheUsersAlone_data();
    void archiveIsTheUsersAlone();
    void archiverFails_data();
    void archiverFails();
};

void TestBugReportArchive::blankSecrets_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QByteArray>("blanked");
    QTest::newRow("the proxy's password and user")
        << kSettings
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><config><Options>"
                      "<Language>de</Language>"
                      "<Host>proxy.example.net</Host><Port>3128</Port>"
                      "<Name/><Password/>"
                      "<CustomName>Erika</CustomName></Options></config>");
    QTest::newRow("any letter case, any account's secret")
        << QByteArray("<c><Options><MAILPASSWORD>a</MAILPASSWORD><ApiToken>b</ApiToken><user>c</user>"
                      "<Pwd>d</Pwd><SkipVersion>2.0</SkipVersion></Options></c>")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><c><Options><MAILPASSWORD/><ApiToken/>"
                      "<user/><Pwd/><SkipVersion>2.0</SkipVersion></Options></c>");
    QTest::newRow("attribute and list forms")
        << QByteArray("<c><Options><Password Value=\"s1\"><List Value=\"s2\">s3</List></Password>"
                      "<Recent Value=\"/tmp/a.ipsw\" password=\"s4\"><List Value=\"/tmp/b.ipsw\"/></Recent>"
                      "</Options></c>")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><c><Options><Password Value=\"\"><List "
                      "Value=\"\"/></Password>"
                      "<Recent Value=\"/tmp/a.ipsw\" password=\"\"><List Value=\"/tmp/b.ipsw\"/></Recent>"
                      "</Options></c>");
    QTest::newRow("a secret in a comment or CDATA")
        << QByteArray("<c><!-- Password: s1 --><Password><![CDATA[s2]]></Password><Note><![CDATA[x<y]]></Note></c>")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><c><Password/><Note>x&lt;y</Note></c>");
}

// Nothing of a password or an account's user reaches the copy; every other setting stays as it was.
void TestBugReportArchive::blankSecrets() {
    QFETCH(QByteArray, xml);
    QFETCH(QByteArray, blanked);
    QByteArray copy;
    QVERIFY(BugReportArchive::BlankSecrets(xml, &copy));
    QCOMPARE(copy.simplified().replace("> <", "><"), blanked);
}

void TestBugReportArchive::damagedSettingsAreRefused_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::newRow("cut off inside the password") << QByteArray("<c><Options><Password>hunter2");
    QTest::newRow("not XML") << QByteArray("Password=hunter2\n");
    QTest::newRow("empty") << QByteArray();
}

// A file that cannot be read as XML may hold anything: it gives no copy at all.
void TestBugReportArchive::damagedSettingsAreRefused() {
    QFETCH(QByteArray, xml);
    QByteArray copy("untouched");
    QVERIFY(!BugReportArchive::BlankSecrets(xml, &copy));
    QCOMPARE(copy, QByteArray("untouched"));
}

void TestBugReportArchive::packsLogsSettingsAndAttachment_data() {
    QTest::addColumn<QString>("attachmentName");
    QTest::addColumn<QStringList>("expected");
    const QStringList withoutAttachment{"config.xml", "driver.log", "myrun.log", "update.log"};
    QTest::newRow("no attachment") << QString() << withoutAttachment;
    QTest::newRow("blanks and a leading dash")
        << "-screen shot 1.png" << (QStringList{"attachment/-screen shot 1.png"} + withoutAttachment);
    // The attachment cannot take the place of the program's own files.
    QTest::newRow("named like the run log") << "myrun.log" << (QStringList{"attachment/myrun.log"} + withoutAttachment);
}

void TestBugReportArchive::packsLogsSettingsAndAttachment() {
    QFETCH(QString, attachmentName);
    QFETCH(QStringList, expected);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString dataDir = home.filePath(QStringLiteral("data")) + QLatin1Char('/');
    QVERIFY(WriteFile(dataDir + "Log/myrun.log", "the run log\n"));
    QVERIFY(WriteFile(dataDir + "Log/driver.log", "a driver\n"));
    QVERIFY(WriteFile(dataDir + "update.log", "the updater\n"));
    // A log of the same name outside the Log folder does not replace the run log.
    QVERIFY(WriteFile(dataDir + "myrun.log", "an old run log\n"));
    QVERIFY(WriteFile(dataDir + "config.xml", kSettings));
    QVERIFY(WriteFile(dataDir + "broken.xml", "<Options><Password>hunter2"));
    QVERIFY(WriteFile(dataDir + "notes.txt", "not packed"));
    const QByteArray picture = BinaryBytes(70000);
    QString attachment;
    if (!attachmentName.isEmpty()) {
        attachment = home.filePath(QStringLiteral("my pictures/") + attachmentName);
        QVERIFY(WriteFile(attachment, picture));
    }
    const QString archive = BugReportArchive::PathFor(dataDir, QStringLiteral("Tavik Mendra"), QStringLiteral("2.1"));
    QCOMPARE(archive, dataDir + "Tavik Mendra V2.1.dmp");
    QVERIFY(WriteFile(archive, "the report before"));

    BugReportArchive packer;
    QVERIFY2(packer.Pack(archive, dataDir, attachment), qPrintable(packer.Problem()));
    QFile packed(archive);
    QVERIFY(packed.open(QIODevice::ReadOnly));
    UnpackedReport report;
    QVERIFY2(report.unpack(packed.readAll()), qPrintable(report.errorText()));
    QCOMPARE(report.files(), expected);
    QCOMPARE(report.read("myrun.log"), QByteArray("the run log\n"));
    const QByteArray settings = report.read("config.xml");
    QVERIFY(settings.contains("<Host>proxy.example.net</Host>"));
    QVERIFY(!settings.contains("hunter2"));
    QVERIFY(!settings.contains("proxyuser"));
    if (!attachmentName.isEmpty()) {
        QCOMPARE(report.read("attachment/" + attachmentName), picture);
        QVERIFY(QFile::exists(attachment));
    }
    // Nothing of the gathering is left in the data folder.
    QCOMPARE(QDir(dataDir).entryList({QStringLiteral("report-*")}, QDir::AllEntries | QDir::Hidden), QStringList());
}

void TestBugReportArchive::onlyTheDataFoldersOwnFiles_data() {
    QTest::addColumn<QString>("planted"); // what stands in the data folder besides its own files
    QTest::addColumn<QStringList>("expected");
    const QStringList own{"config.xml", "myrun.log", "update.log"};
    QTest::newRow("a log that is a link to a file elsewhere") << "link.log" << own;
    QTest::newRow("settings that are a link to a file elsewhere") << "link.xml" << own;
    QTest::newRow("a log that is a FIFO") << "fifo.log" << own;
    QTest::newRow("a Log folder that is a link") << "Log link" << QStringList{"config.xml", "update.log"};
}

// The report carries the data folder's own files only: a log or settings file that is a link (to a file of
// another account, or to one outside the folder that is never blanked) is left out, as is a Log folder that
// is a link, and a FIFO of a log's name is passed over without holding the packing.
void TestBugReportArchive::onlyTheDataFoldersOwnFiles() {
    QFETCH(QString, planted);
    QFETCH(QStringList, expected);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString dataDir = home.filePath(QStringLiteral("data")) + QLatin1Char('/');
    const QString elsewhere = home.filePath(QStringLiteral("elsewhere/"));
    QVERIFY(WriteFile(elsewhere + "secret.txt", "<c><Password>outside secret</Password></c>"));
    QVERIFY(WriteFile(elsewhere + "Log/myrun.log", "another account's log\n"));
    QVERIFY(WriteFile(dataDir + "update.log", "the updater\n"));
    QVERIFY(WriteFile(dataDir + "config.xml", kSettings));
    if (planted == "Log link") {
        QVERIFY(QFile::link(elsewhere + "Log", dataDir + "Log"));
    } else {
        QVERIFY(WriteFile(dataDir + "Log/myrun.log", "the run log\n"));
        if (planted == "fifo.log")
            QCOMPARE(::mkfifo(QFile::encodeName(dataDir + planted).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(elsewhere + "secret.txt", dataDir + planted));
    }
    const QString archive = dataDir + "report.dmp";
    BugReportArchive packer;
    QVERIFY2(packer.Pack(archive, dataDir, QString()), qPrintable(packer.Problem()));
    QFile packed(archive);
    QVERIFY(packed.open(QIODevice::ReadOnly));
    UnpackedReport report;
    QVERIFY2(report.unpack(packed.readAll()), qPrintable(report.errorText()));
    QCOMPARE(report.files(), expected);
    for (const QString& file : report.files()) {
        QVERIFY(!report.read(file).contains("outside secret"));
        QVERIFY(!report.read(file).contains("another account"));
    }
}

void TestBugReportArchive::attachmentThatCannotBeAttached_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("fault"); // BugReportArchive::AttachmentFault
    const int unreadable = int(BugReportArchive::AttachmentFault::Unreadable);
    QTest::newRow("removed after it was chosen") << "removed" << unreadable;
    QTest::newRow("a FIFO") << "fifo" << unreadable;
    QTest::newRow("/dev/zero") << "device" << unreadable;
    QTest::newRow("a folder") << "folder" << unreadable;
    QTest::newRow("a link to a picture") << "link" << unreadable;
    QTest::newRow("grown past the limit") << "large" << int(BugReportArchive::AttachmentFault::TooLarge);
}

// An attachment that is not a regular file of its own name by the time it is packed fails the packing: a report
// that claimed to carry it would go out without it. Nothing is left behind, and nothing waits on the file.
void TestBugReportArchive::attachmentThatCannotBeAttached() {
    QFETCH(QString, kind);
    QFETCH(int, fault);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString dataDir = home.filePath(QStringLiteral("data")) + QLatin1Char('/');
    QVERIFY(WriteFile(dataDir + "Log/myrun.log", "the run log\n"));
    QString attachment = home.filePath(QStringLiteral("screen.png"));
    QVERIFY(WriteFile(home.filePath(QStringLiteral("picture.png")), BinaryBytes(1000)));
    if (kind == "large") {
        QFile big(attachment);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(BugReportDisplay::MaxAttachmentBytes + 1));
    } else {
        attachment = MakeUnattachable(kind, attachment, home.filePath(QStringLiteral("picture.png")));
        QVERIFY(!attachment.isEmpty());
    }
    const QString archive = dataDir + "report.dmp";
    QElapsedTimer clock;
    clock.start();
    BugReportArchive packer;
    QVERIFY(!packer.Pack(archive, dataDir, attachment));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(int(packer.Fault()), fault);
    QVERIFY2(packer.Problem().contains(attachment), qPrintable(packer.Problem()));
    QVERIFY(!QFileInfo::exists(archive));
    QCOMPARE(QDir(dataDir).entryList({QStringLiteral("report-*")}, QDir::AllEntries | QDir::Hidden), QStringList());
}

void TestBugReportArchive::archiveIsTheUsersAlone_data() {
    QTest::addColumn<int>("mask");
    QTest::newRow("an open mask") << 0;
    QTest::newRow("the usual mask") << 022;
}

// The report (the logs, the settings, the picture) is the user's alone whatever the umask: each file gathered
// for it is 0600 in 0700 folders when the archiver reads it, and the archive is 0600 from the moment it is
// where a failed or stopped send leaves it.
void TestBugReportArchive::archiveIsTheUsersAlone() {
    QFETCH(int, mask);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString dataDir = home.filePath(QStringLiteral("data")) + QLatin1Char('/');
    QVERIFY(WriteFile(dataDir + "Log/myrun.log", "the run log\n"));
    QVERIFY(WriteFile(dataDir + "config.xml", kSettings));
    const QString attachment = home.filePath(QStringLiteral("pictures/screen.png"));
    QVERIFY(WriteFile(attachment, BinaryBytes(1000)));
    for (const QString& open : {dataDir + "Log/myrun.log", dataDir + "config.xml", attachment})
        QVERIFY(FileModes::Set(open, 0666));
    // The archiver's stand-in makes the archive as the real one does and notes the mode of everything in the
    // folder it makes it in.
    const QString modes = home.filePath(QStringLiteral("modes"));
    const QString archiver = home.filePath(QStringLiteral("7z"));
    QVERIFY(StandIn::Write(archiver, "shift 5\narchive=$1\nshift\nprintf packed > \"$archive\"\n"
                                     "find \"$(dirname \"$archive\")\" -exec stat -c '%a %F %n' {} + > " +
                                         StandIn::ShellQuoted(modes) + "\n"));
    const QString archive = BugReportArchive::PathFor(dataDir, QStringLiteral("Tavik Mendra"), QStringLiteral("2.1"));
    BugReportArchive packer;
    packer.SetArchiver(archiver);
    bool packed = false;
    {
        FileModes::Umask umask(mask);
        packed = packer.Pack(archive, dataDir, attachment);
    }
    QVERIFY2(packed, qPrintable(packer.Problem()));
    QFile noted(modes);
    QVERIFY(noted.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = noted.readAll().trimmed().split('\n');
    // The folder the files are gathered in, myrun.log, config.xml, the attachment folder and its picture, and
    // the archive.
    QCOMPARE(lines.size(), 6);
    for (const QByteArray& line : lines) {
        // The archive as the archiver made it, inside the gathering folder that no one else can enter.
        if (line.endsWith(".dmp"))
            continue;
        QVERIFY2(line.startsWith("700 directory ") || line.startsWith("600 regular file "), line.constData());
    }
    QCOMPARE(FileModes::Of(archive), mode_t(0600));
}

void TestBugReportArchive::archiverFails_data() {
    QTest::addColumn<QByteArray>("archiver"); // the body of a stand-in "7z"; empty: there is none
    QTest::addColumn<QString>("problem");
    QTest::newRow("no archiver") << QByteArray() << "cannot be started";
    // What a failed run left behind must not go out as the report.
    QTest::newRow("fails after writing a part") << QByteArray("printf part > \"$6\"\nexit 2\n") << "code 2";
}

// Without a working archiver no report is packed, and no archive (neither a former one nor a part) is left
// to be taken for a new one.
void TestBugReportArchive::archiverFails() {
    QFETCH(QByteArray, archiver);
    QFETCH(QString, problem);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString dataDir = home.filePath(QStringLiteral("data")) + QLatin1Char('/');
    QVERIFY(WriteFile(dataDir + "Log/myrun.log", "the run log\n"));
    const QString archive = dataDir + "report.dmp";
    QVERIFY(WriteFile(archive, "the report before"));
    const QString programs = home.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(programs));
    if (!archiver.isEmpty())
        QVERIFY(StandIn::Write(QDir(programs).filePath(QStringLiteral("7z")), archiver));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", programs.toLocal8Bit());
    BugReportArchive packer;
    const bool packedOk = packer.Pack(archive, dataDir, QString());
    qputenv("PATH", path);
    QVERIFY(!packedOk);
    QVERIFY2(packer.Problem().contains(problem), qPrintable(packer.Problem()));
    QVERIFY(!QFileInfo::exists(archive));
}

QTEST_GUILESS_MAIN(TestBugReportArchive)
#include "tst_bugreportarchive.moc"
