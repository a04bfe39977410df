#include "Config.h"
#include "SettingsTestEnv.h"

#include <QDir>
#include <QDomDocument>
#include <QFileInfo>
#include <QtTest>

#include <memory>
#include <unistd.h>

class TestConfig : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void readOfMissingFileCreatesNothing();
    void firstWriteCreatesFolderAndFile();
    void writingTwiceKeepsOneElement();
    void rootInAnotherCaseIsAccepted();
    void keyInAnotherCase_data();
    void keyInAnotherCase();
    void damagedFileIsKeptAside_data();
    void damagedFileIsKeptAside();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void unreachableFileReportsFailure();
    void unwritableValueIsRefused_data();
    void unwritableValueIsRefused();
    void damagedFileInReadOnlyFolderIsLeftAlone();
    void attributeForm();
    void listForm();

private:
    QString settingsFile() const { return m_env->DataHome() + QStringLiteral("/Tavik/Mendra/config.xml"); }

    std::unique_ptr<SettingsTestEnv> m_env;
};

void TestConfig::initTestCase() {
    m_env = std::make_unique<SettingsTestEnv>();
    QVERIFY(m_env->IsValid());
}

void TestConfig::init() {
    m_env->Reset();
}

void TestConfig::readOfMissingFileCreatesNothing() {
    Config config(settingsFile());
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QString());
    QVERIFY(!QFileInfo::exists(QFileInfo(settingsFile()).absolutePath()));
}

void TestConfig::firstWriteCreatesFolderAndFile() {
    Config config(settingsFile());
    QVERIFY(config.SetValue(QStringLiteral("Language"), QStringLiteral("en")));
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                                  "<config>\n"
                                                                  "    <Options>\n"
                                                                  "        <Language>en</Language>\n"
                                                                  "    </Options>\n"
                                                                  "</config>\n"));
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QStringLiteral("en"));
}

void TestConfig::writingTwiceKeepsOneElement() {
    Config config(settingsFile());
    QVERIFY(config.SetValue(QStringLiteral("Width"), QStringLiteral("800")));
    QVERIFY(config.SetValue(QStringLiteral("Width"), QStringLiteral("1024")));
    QCOMPARE(config.GetValue(QStringLiteral("Width")), QStringLiteral("1024"));
    QCOMPARE(SettingsTestEnv::CountElements(settingsFile(), QStringLiteral("Width")), 1);
}

void TestConfig::rootInAnotherCaseIsAccepted() {
    QVERIFY(SettingsTestEnv::WriteAll(settingsFile(), "<Config><Options><Height>600</Height></Options></Config>"));
    Config config(settingsFile());
    QVERIFY(config.SetValue(QStringLiteral("Width"), QStringLiteral("800")));
    QCOMPARE(config.GetValue(QStringLiteral("Height")), QStringLiteral("600"));
    QCOMPARE(config.GetValue(QStringLiteral("Width")), QStringLiteral("800"));
    QVERIFY(QDir(QFileInfo(settingsFile()).absolutePath()).entryList(QDir::Files).size() == 1);
}

void TestConfig::keyInAnotherCase_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("key");

    QTest::newRow("key in lower case") << QByteArray("<config><Options><language>de</language></Options></config>")
                                       << QStringLiteral("Language");
    QTest::newRow("key in upper case") << QByteArray("<config><Options><LANGUAGE>de</LANGUAGE></Options></config>")
                                       << QStringLiteral("Language");
    QTest::newRow("section in upper case")
        << QByteArray("<config><OPTIONS><Language>de</Language></OPTIONS></config>") << QStringLiteral("Language");
    QTest::newRow("key nested deeper")
        << QByteArray("<config><Options><Group><language>de</language></Group></Options></config>")
        << QStringLiteral("Language");
}

void TestConfig::keyInAnotherCase() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, key);
    QVERIFY(SettingsTestEnv::WriteAll(settingsFile(), stored));
    Config config(settingsFile());
    QCOMPARE(config.GetValue(key), QStringLiteral("de"));

    QVERIFY(config.SetValue(key, QStringLiteral("fr")));
    QCOMPARE(config.GetValue(key), QStringLiteral("fr"));
    QCOMPARE(config.GetValue(key.toLower()), QStringLiteral("fr"));
    QCOMPARE(SettingsTestEnv::CountElements(settingsFile(), key), 1);
    QCOMPARE(SettingsTestEnv::CountElements(settingsFile(), QStringLiteral("Options")), 1);
}

void TestConfig::damagedFileIsKeptAside_data() {
    QTest::addColumn<QByteArray>("damaged");

    QTest::newRow("not XML") << QByteArray("Language=de\nWidth=800\n");
    QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n    <Options>\n"
                                             "        <Language>de</Language>\n        <Wid");
    QTest::newRow("foreign root") << QByteArray("<settings><Options><Language>de</Language></Options></settings>");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe<config>\x01", 10);
    QTest::newRow("control character") << QByteArray("<config><Options><Language>d\x01</Language></Options></config>");
}

void TestConfig::damagedFileIsKeptAside() {
    QFETCH(QByteArray, damaged);
    QVERIFY(SettingsTestEnv::WriteAll(settingsFile(), damaged));
    Config config(settingsFile());

    QVERIFY(config.SetValue(QStringLiteral("Width"), QStringLiteral("800")));

    const QDir folder(QFileInfo(settingsFile()).absolutePath());
    const QStringList aside = folder.entryList({QStringLiteral("config.xml.damaged-*")}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(SettingsTestEnv::ReadAll(folder.filePath(aside.first())), damaged);

    QDomDocument fresh;
    QVERIFY(fresh.setContent(SettingsTestEnv::ReadAll(settingsFile())));
    QCOMPARE(fresh.documentElement().tagName(), QStringLiteral("config"));
    QCOMPARE(config.GetValue(QStringLiteral("Width")), QStringLiteral("800"));
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QString());

    // A second damage in the same second must not overwrite the first copy.
    QVERIFY(SettingsTestEnv::WriteAll(settingsFile(), "<broken"));
    QVERIFY(config.SetValue(QStringLiteral("Width"), QStringLiteral("640")));
    QCOMPARE(folder.entryList({QStringLiteral("config.xml.damaged-*")}, QDir::Files).size(), 2);
}

void TestConfig::failedSaveKeepsOldFile_data() {
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("disk full") << false;
    QTest::newRow("read-only folder") << true;
}

void TestConfig::failedSaveKeepsOldFile() {
    QFETCH(bool, readOnlyFolder);
    if (readOnlyFolder && geteuid() == 0)
        QSKIP("root writes into read-only folders");
    Config config(settingsFile());
    QVERIFY(config.SetValue(QStringLiteral("Language"), QStringLiteral("de")));
    const QByteArray before = SettingsTestEnv::ReadAll(settingsFile());
    const QString folder = QFileInfo(settingsFile()).absolutePath();
    const QString bigValue(64 * 1024, QLatin1Char('x'));

    bool written = true;
    if (readOnlyFolder) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        written = config.SetValue(QStringLiteral("Language"), bigValue);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        FileSizeLimit limit(4096);
        QVERIFY(limit.IsValid());
        written = config.SetValue(QStringLiteral("Language"), bigValue);
    }

    QVERIFY(!written);
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), before);
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QStringLiteral("de"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("config.xml")});
}

void TestConfig::unreachableFileReportsFailure() {
    // A file where the folder should be: neither folder nor settings file can be made.
    QVERIFY(SettingsTestEnv::WriteAll(m_env->DataHome() + QStringLiteral("/blocker"), "x"));
    Config config(m_env->DataHome() + QStringLiteral("/blocker/config.xml"));
    QVERIFY(!config.SetValue(QStringLiteral("Language"), QStringLiteral("de")));
    QVERIFY(!config.SetValueAttribute(QStringLiteral("Recent"), QStringLiteral("a")));
    QVERIFY(!config.SetList(QStringLiteral("Recent"), QStringLiteral("a"), {QStringLiteral("b")}));
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QString());
    QCOMPARE(SettingsTestEnv::ReadAll(m_env->DataHome() + QStringLiteral("/blocker")), QByteArray("x"));
}

void TestConfig::unwritableValueIsRefused_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("blank in the key") << "Download Path"
                                      << "/tmp";
    QTest::newRow("key starting with a digit") << "1st"
                                               << "x";
    QTest::newRow("control character in the value") << "Language" << QStringLiteral("d\u0001e");
}

void TestConfig::unwritableValueIsRefused() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    Config config(settingsFile());
    QVERIFY(config.SetValue(QStringLiteral("Language"), QStringLiteral("de")));
    const QByteArray before = SettingsTestEnv::ReadAll(settingsFile());
    // Written as it is, the file would no longer parse and every setting would fall back to its default.
    QVERIFY(!config.SetValue(key, value));
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), before);
}

void TestConfig::damagedFileInReadOnlyFolderIsLeftAlone() {
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QVERIFY(SettingsTestEnv::WriteAll(settingsFile(), "not xml"));
    const QString folder = QFileInfo(settingsFile()).absolutePath();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    Config config(settingsFile());
    const bool written = config.SetValue(QStringLiteral("Language"), QStringLiteral("de"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), QByteArray("not xml"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("config.xml")});
}

void TestConfig::attributeForm() {
    Config config(settingsFile());
    const QString recent = QStringLiteral("Recent");
    QVERIFY(config.SetValueAttribute(recent, QStringLiteral("a.ipsw")));
    QVERIFY(config.SetValueAttribute(recent, QStringLiteral("b.ipsw")));
    QCOMPARE(config.GetValueAttribute(recent), QStringLiteral("b.ipsw"));
    QCOMPARE(SettingsTestEnv::CountElements(settingsFile(), recent), 2);

    // Setting an older value again makes it the newest instead of leaving the read on another one.
    QVERIFY(config.SetValueAttribute(recent, QStringLiteral("A.ipsw")));
    QCOMPARE(config.GetValueAttribute(recent), QStringLiteral("A.ipsw"));
    QCOMPARE(SettingsTestEnv::CountElements(settingsFile(), recent), 2);

    // The same value under another key is another setting.
    QVERIFY(config.SetValueAttribute(QStringLiteral("Other"), QStringLiteral("b.ipsw")));
    QCOMPARE(config.GetValueAttribute(QStringLiteral("Other")), QStringLiteral("b.ipsw"));
    QCOMPARE(config.GetValueAttribute(recent), QStringLiteral("A.ipsw"));
}

void TestConfig::listForm() {
    Config config(settingsFile());
    const QString key = QStringLiteral("Folders");
    QCOMPARE(config.GetList(key), QStringList());
    QVERIFY(config.SetList(key, QStringLiteral("2"), {QStringLiteral("/a"), QStringLiteral("/b")}));
    QCOMPARE(config.GetList(key), (QStringList{QStringLiteral("/a"), QStringLiteral("/b")}));
    QVERIFY(config.SetList(key, QStringLiteral("1"), {QStringLiteral("/c")}));
    QCOMPARE(config.GetList(key), QStringList{QStringLiteral("/c")});
    QCOMPARE(SettingsTestEnv::CountElements(settingsFile(), key), 1);
    QCOMPARE(config.GetList(QString()), QStringList());
}

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
