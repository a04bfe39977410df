#include "SettingsTestEnv.h"
#include "XmlDocFile.h"

#include <QtTest>

// Element editing of the DOM handle on small fixture files named "doc.xml" (root "doc").
class TestXmlDocFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void missingFileIsCreatedEmpty();
    void unreachableFileIsNotLoaded();
    void saveKeepsDeclarationAndIndents();
    void findOrCreateChild();
    void textChildReplacesMixedContent();
    void findByAttributeIsDepthFirst();
    void findByAttributeIgnoresEmptyArguments();
    void addAttributeChild();
    void setAttributeOfMatch_data();
    void setAttributeOfMatch();
    void setSubElementAttribute();
    void removeByAttribute_data();
    void removeByAttribute();
    void removeChildReachesNestedElements();

private:
    QString docPath() const { return m_dir->filePath(QStringLiteral("doc.xml")); }
    QString fixture(const QByteArray& xml) const {
        SettingsTestEnv::WriteAll(docPath(), xml);
        return docPath();
    }
    static QString serialized(const XmlDocFile& doc) { return doc.Document().toString(-1); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestXmlDocFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestXmlDocFile::missingFileIsCreatedEmpty() {
    const QString path = m_dir->filePath(QStringLiteral("a/b/doc.xml"));
    XmlDocFile doc(path);
    QVERIFY(doc.IsLoaded());
    QCOMPARE(doc.RootName(), QStringLiteral("doc"));
    QCOMPARE(SettingsTestEnv::ReadAll(path), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<doc/>\n"));
    QVERIFY(doc.SetAsidePath().isEmpty());
}

void TestXmlDocFile::unreachableFileIsNotLoaded() {
    SettingsTestEnv::WriteAll(m_dir->filePath(QStringLiteral("file")), "x");
    XmlDocFile doc(m_dir->filePath(QStringLiteral("file/doc.xml")));
    QVERIFY(!doc.IsLoaded());
    QVERIFY(doc.SetOptionText(QStringLiteral("Options"), QStringLiteral("k"), QStringLiteral("v"), true).isNull());
    QVERIFY(doc.AddAttributeChild(QStringLiteral("Q"), QStringLiteral("T"), QStringLiteral("Name"), QStringLiteral("n"),
                                  true)
                .isNull());
    QVERIFY(doc.FindOrCreateChildChecked(doc.RootElement(), QStringLiteral("x"), true).isNull());
    QVERIFY(!doc.RemoveTopChild(QStringLiteral("x")));
    QVERIFY(!doc.Save());
}

void TestXmlDocFile::saveKeepsDeclarationAndIndents() {
    XmlDocFile doc(fixture("<?xml version=\"1.0\" encoding=\"UTF-8\"?><doc><A/></doc>"));
    QVERIFY(doc.IsLoaded());
    doc.SetOptionText(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("\u00e9t\u00e9 <1>"), true);
    QVERIFY(doc.Save());
    QCOMPARE(SettingsTestEnv::ReadAll(docPath()), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                             "<doc>\n"
                                                             "    <A>\n"
                                                             "        <B>\xc3\xa9t\xc3\xa9 &lt;1></B>\n"
                                                             "    </A>\n"
                                                             "</doc>\n"));
}

void TestXmlDocFile::findOrCreateChild() {
    XmlDocFile doc(fixture("<doc><X><item id=\"1\"/></X></doc>"));
    const QDomElement root = doc.RootElement();

    QDomElement found =
        doc.FindOrCreateChild(root, QStringLiteral("ITEM"), true, QStringLiteral("v"), QStringLiteral("2"));
    QCOMPARE(found.attribute(QStringLiteral("id")), QStringLiteral("1"));
    QCOMPARE(found.attribute(QStringLiteral("v")), QStringLiteral("2"));

    QDomElement added = doc.FindOrCreateChild(root, QStringLiteral("item"), false);
    QCOMPARE(added.parentNode(), QDomNode(root));
    QCOMPARE(doc.RootElement().firstChildElement().childNodes().size(), 1);
    QCOMPARE(doc.RootElement().lastChildElement().tagName(), QStringLiteral("item"));
    QVERIFY(doc.FindOrCreateChild(QDomElement(), QStringLiteral("item"), true).isNull());
}

void TestXmlDocFile::textChildReplacesMixedContent() {
    XmlDocFile doc(fixture("<doc><Options><Key><!-- note -->old<b/>er</Key></Options></doc>"));
    doc.SetOptionText(QStringLiteral("options"), QStringLiteral("key"), QStringLiteral("new"), true);
    QCOMPARE(serialized(doc), QStringLiteral("<doc><Options><Key>new</Key></Options></doc>"));

    doc.SetOptionText(QStringLiteral("Options"), QStringLiteral("Empty"), QString(), true);
    QCOMPARE(doc.RootElement().firstChildElement().lastChildElement().text(), QString());
}

void TestXmlDocFile::findByAttributeIsDepthFirst() {
    XmlDocFile doc(
        fixture("<doc><A><B><C Name=\"hit\" n=\"grandchild\"/></B></A><D Name=\"HIT\" n=\"sibling\"/></doc>"));
    const QDomElement found = doc.FindByAttribute(doc.RootElement(), QStringLiteral("Name"), QStringLiteral("Hit"));
    QCOMPARE(found.attribute(QStringLiteral("n")), QStringLiteral("grandchild"));
    QVERIFY(doc.FindByAttribute(doc.RootElement(), QStringLiteral("Name"), QStringLiteral("none")).isNull());
    QVERIFY(doc.FindByAttribute(QDomNode(), QStringLiteral("Name"), QStringLiteral("hit")).isNull());
}

void TestXmlDocFile::findByAttributeIgnoresEmptyArguments() {
    XmlDocFile doc(fixture("<doc><A/><B Name=\"\"/></doc>"));
    QVERIFY(doc.FindByAttribute(doc.RootElement(), QStringLiteral("Name"), QString()).isNull());
    QVERIFY(doc.FindByAttribute(doc.RootElement(), QString(), QStringLiteral("x")).isNull());
}

void TestXmlDocFile::addAttributeChild() {
    XmlDocFile doc(fixture("<doc><Queue><Task Name=\"one\"/></Queue></doc>"));
    const QString queue = QStringLiteral("Queue"), task = QStringLiteral("Task"), name = QStringLiteral("Name");

    QDomElement same = doc.AddAttributeChild(queue, task, name, QStringLiteral("ONE"), true);
    QCOMPARE(same.attribute(name), QStringLiteral("one"));
    doc.AddAttributeChild(queue, task, name, QStringLiteral("two"), true);
    doc.AddAttributeChild(QStringLiteral("Other"), task, name, QStringLiteral("three"), true);
    QCOMPARE(serialized(doc), QStringLiteral("<doc><Queue><Task Name=\"two\"/><Task Name=\"one\"/></Queue>"
                                             "<Other><Task Name=\"three\"/></Other></doc>"));
}

void TestXmlDocFile::setAttributeOfMatch_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("match");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("result");

    const QString unchanged = QStringLiteral("<doc><L><E Name=\"a\"/><E Name=\"b\"/></L></doc>");
    QTest::newRow("match") << "L"
                           << "B" << true << QStringLiteral("<doc><L><E Name=\"a\"/><E Name=\"x\"/></L></doc>");
    QTest::newRow("no such tag") << "M"
                                 << "b" << false << unchanged;
    QTest::newRow("no such value") << "L"
                                   << "c" << false << unchanged;
}

void TestXmlDocFile::setAttributeOfMatch() {
    QFETCH(QString, tag);
    QFETCH(QString, match);
    QFETCH(bool, changed);
    QFETCH(QString, result);
    XmlDocFile doc(fixture("<doc><L><E Name=\"a\"/><E Name=\"b\"/></L></doc>"));
    QCOMPARE(doc.SetAttributeOfMatch(tag, QStringLiteral("E"), QStringLiteral("Name"), match, QStringLiteral("x")),
             changed);
    QCOMPARE(serialized(doc), result);
}

void TestXmlDocFile::setSubElementAttribute() {
    XmlDocFile doc(fixture("<doc><Queue><Task Name=\"a\"><State Value=\"0\"/></Task><Task Name=\"b\"/></Queue></doc>"));
    const QString queue = QStringLiteral("Queue"), task = QStringLiteral("Task"), name = QStringLiteral("Name");
    const QString state = QStringLiteral("State"), value = QStringLiteral("Value");

    QVERIFY(doc.SetSubElementAttribute(queue, task, name, QStringLiteral("A"), state, value, QStringLiteral("3")));
    // Found, but without the sub element: reported as found, nothing added.
    QVERIFY(doc.SetSubElementAttribute(queue, task, name, QStringLiteral("b"), state, value, QStringLiteral("4")));
    QVERIFY(!doc.SetSubElementAttribute(queue, task, name, QStringLiteral("c"), state, value, QStringLiteral("5")));
    QVERIFY(!doc.SetSubElementAttribute(QStringLiteral("None"), task, name, QStringLiteral("a"), state, value,
                                        QStringLiteral("6")));
    QCOMPARE(serialized(doc), QStringLiteral("<doc><Queue><Task Name=\"a\"><State Value=\"3\"/></Task>"
                                             "<Task Name=\"b\"/></Queue></doc>"));
}

void TestXmlDocFile::removeByAttribute_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QString>("result");

    QTest::newRow("one of two") << QByteArray("<doc><Q><T Name=\"a\"/><T Name=\"b\"/></Q></doc>") << true
                                << QStringLiteral("<doc><Q><T Name=\"b\"/></Q></doc>");
    QTest::newRow("last one takes the container")
        << QByteArray("<doc><Q><T Name=\"A\"/></Q><R/></doc>") << true << QStringLiteral("<doc><R/></doc>");
    QTest::newRow("nested match") << QByteArray("<doc><Q><G><T Name=\"a\"/></G><T Name=\"b\"/></Q></doc>") << true
                                  << QStringLiteral("<doc><Q><G/><T Name=\"b\"/></Q></doc>");
    QTest::newRow("no match") << QByteArray("<doc><Q><T Name=\"b\"/></Q></doc>") << false
                              << QStringLiteral("<doc><Q><T Name=\"b\"/></Q></doc>");
    QTest::newRow("no container") << QByteArray("<doc><T Name=\"a\"/></doc>") << false
                                  << QStringLiteral("<doc><T Name=\"a\"/></doc>");
}

void TestXmlDocFile::removeByAttribute() {
    QFETCH(QByteArray, xml);
    QFETCH(bool, removed);
    QFETCH(QString, result);
    XmlDocFile doc(fixture(xml));
    QCOMPARE(doc.RemoveByAttribute(QStringLiteral("Q"), QStringLiteral("Name"), QStringLiteral("a")), removed);
    QCOMPARE(serialized(doc), result);
}

void TestXmlDocFile::removeChildReachesNestedElements() {
    XmlDocFile doc(fixture("<doc><Options><G><key>1</key></G><Key>2</Key></Options></doc>"));
    QVERIFY(doc.RemoveFirstChild(QStringLiteral("options"), QStringLiteral("KEY")));
    QCOMPARE(serialized(doc), QStringLiteral("<doc><Options><G/><Key>2</Key></Options></doc>"));
    QVERIFY(doc.RemoveTopChild(QStringLiteral("Options")));
    QVERIFY(!doc.RemoveTopChild(QStringLiteral("Options")));
    QVERIFY(!doc.RemoveFirstChild(QStringLiteral("Options"), QStringLiteral("Key")));
    QCOMPARE(serialized(doc), QStringLiteral("<doc/>"));
}

QTEST_GUILESS_MAIN(TestXmlDocFile)
#include "tst_xmldocfile.moc"
