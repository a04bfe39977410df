// The archive of a bug report: what the settings keep once their secrets are blanked, and what the packed
// archive holds when 7z reads it back.

#include "BinaryBytes.h"
#include "MailDeployment.h"
#include "StandInProgram.h"

#include "device/BugReportArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

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
