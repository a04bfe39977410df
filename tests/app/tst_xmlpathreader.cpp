#include "SettingsTestEnv.h"
#include "XmlPathReader.h"

#include <QtTest>

// Single reads from small fixture files through the streaming path reader.
class TestXmlPathReader : public QObject {
    Q_OBJECT

private slots:
    void init();

    void readText_data();
    void readText();
    void readAttribute();
    void unreadableInputGivesEmpty();
    void readAttributeList_data();
    void readAttributeList();
    void findElementByAttribute();

private:
    QString fixture(const QByteArray& xml) const {
        const QString path = m_dir->filePath(QStringLiteral("doc.xml"));
        SettingsTestEnv::WriteAll(path, xml);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestXmlPathReader::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestXmlPathReader::readText_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("<config><Options><Language>en</Language></Options></config>") << "Options"
                           << "Language"
                           << "en";
    QTest::newRow("any letter case") << QByteArray("<config><OPTIONS><language>en</language></OPTIONS></config>")
                                     << "options"
                                     << "LANGUAGE"
                                     << "en";
    QTest::newRow("key at depth") << QByteArray("<config><Options><G><Language>en</Language></G></Options></config>")
                                  << "Options"
                                  << "Language"
                                  << "en";
    QTest::newRow("first of two") << QByteArray("<c><Options><K>1</K><K>2</K></Options></c>") << "Options"
                                  << "K"
                                  << "1";
    QTest::newRow("key outside the section") << QByteArray("<c><Options><A>1</A></Options><K>2</K></c>") << "Options"
                                             << "K"
                                             << "";
    QTest::newRow("path backtracks") << QByteArray("<c><A><X>no</X></A><A><B><K>yes</K></B></A></c>") << "/A//B/"
                                     << "K"
                                     << "yes";
    QTest::newRow("entities and non-ASCII") << QByteArray("<c><O><K>a &amp; \xc3\xa9</K></O></c>") << "O"
                                            << "K" << QStringLiteral("a & \u00e9");
    QTest::newRow("element children") << QByteArray("<c><O><K><X/>t</K></O></c>") << "O"
                                      << "K"
                                      << "";
    QTest::newRow("missing key") << QByteArray("<c><O/></c>") << "O"
                                 << "K"
                                 << "";
    QTest::newRow("empty key") << QByteArray("<c><O><K>1</K></O></c>") << "O"
                               << ""
                               << "";
    QTest::newRow("empty path") << QByteArray("<c><O><K>1</K></O></c>") << "/"
                                << "K"
                                << "";
    // Not even the value before the damage: the next write would set the whole file aside and lose it.
    QTest::newRow("value before damage") << QByteArray("<c><O><K>1</K><L>2</") << "O"
                                         << "K"
                                         << "";
}

void TestXmlPathReader::readText() {
    QFETCH(QByteArray, xml);
    QFETCH(QString, path);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    XmlPathReader reader;
    QCOMPARE(reader.ReadText(fixture(xml), path, key), expected);
}

void TestXmlPathReader::readAttribute() {
    const QString file = fixture("<c><Options><Recent Value=\"new\"/><Recent Value=\"old\"/></Options></c>");
    XmlPathReader reader;
    QCOMPARE(reader.ReadAttribute(file, QStringLiteral("Options"), QStringLiteral("recent")), QStringLiteral("new"));
    XmlPathReader other;
    QCOMPARE(other.ReadAttribute(file, QStringLiteral("Options"), QStringLiteral("Missing")), QString());
}

void TestXmlPathReader::unreadableInputGivesEmpty() {
    XmlPathReader reader;
    const QString missing = m_dir->filePath(QStringLiteral("missing.xml"));
    QCOMPARE(reader.ReadText(missing, QStringLiteral("Options"), QStringLiteral("K")), QString());
    QCOMPARE(reader.ReadAttributeList(missing, QStringLiteral("Q"), QStringLiteral("Name"), QString()), QStringList());
    QVERIFY(!QFile::exists(missing));
}

void TestXmlPathReader::readAttributeList_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    const QByteArray queue("<d><Queue><Task Name=\"Alpha\"><Url Name=\"inner\"/></Task><Task Name=\"\"/>"
                           "<Other Name=\"skip\"/><Task Name=\"beta\"/></Queue><Task Name=\"after\"/></d>");
    QTest::newRow("all entries") << queue << "" << QStringList{"Alpha", "beta"};
    QTest::newRow("filter ignores case") << queue << "ALP" << QStringList{"Alpha"};
    QTest::newRow("filter matches none") << queue << "gamma" << QStringList();
    QTest::newRow("empty container") << QByteArray("<d><Queue></Queue><Task Name=\"after\"/></d>") << ""
                                     << QStringList();
}

void TestXmlPathReader::readAttributeList() {
    QFETCH(QByteArray, xml);
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    XmlPathReader reader;
    QCOMPARE(reader.ReadAttributeList(fixture(xml), QStringLiteral("Queue"), QStringLiteral("Name"), filter), expected);
}

void TestXmlPathReader::findElementByAttribute() {
    const QString file = fixture("<d><Queue><Task Name=\"a\"><F Value=\"1\"/></Task><Task Name=\"B\"/></Queue>"
                                 "<Task Name=\"c\"/></d>");
    QFile device(file);
    XmlPathReader reader;
    QVERIFY(reader.OpenPath(device, QStringLiteral("Queue")));
    QVERIFY(reader.FindElementByAttribute(QStringLiteral("Queue"), QStringLiteral("b"), QStringLiteral("Name")));
    QCOMPARE(reader.name().toString(), QStringLiteral("Task"));
    QVERIFY(!reader.FindElementByAttribute(QStringLiteral("Queue"), QStringLiteral("c"), QStringLiteral("Name")));
    QVERIFY(!reader.FindElementByAttribute(QStringLiteral("Queue"), QString(), QStringLiteral("Name")));
    reader.setDevice(nullptr);
}

QTEST_GUILESS_MAIN(TestXmlPathReader)
#include "tst_xmlpathreader.moc"
