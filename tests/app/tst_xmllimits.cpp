#include "SettingsTestEnv.h"
#include "XmlLimits.h"

#include <QBuffer>
#include <QtTest>

// The bounds every XML reader holds a file to, at their edges.
class TestXmlLimits : public QObject {
    Q_OBJECT

private slots:
    void check_data();
    void check();
    void readFile();
    void hugeSparseFileIsRefusedUnread();
    void endlessSpecialFileIsCut();
    void readDeviceFromItsPosition();
};

namespace {

QByteArray Nested(int levels) {
    return QByteArray("<d>").repeated(levels) + QByteArray("</d>").repeated(levels);
}

// A well-formed document of exactly size bytes.
QByteArray OfSize(qint64 size) {
    const QByteArray open("<r><!--"), close("--></r>");
    return open + QByteArray(int(size) - open.size() - close.size(), 'x') + close;
}

} // namespace

void TestXmlLimits::check_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("maxDepth");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("reason");

    const int depth = XmlLimits::MaxDepth;
    QTest::newRow("settings file") << QByteArray("<?xml version=\"1.0\"?><config><Options><Width>1</Width>"
                                                 "</Options></config>")
                                   << depth << true << "";
    QTest::newRow("exactly at the depth limit") << Nested(depth) << depth << true << "";
    QTest::newRow("one level deeper") << Nested(depth + 1) << depth << false << "nested deeper than 64 elements";
    QTest::newRow("8000 levels") << Nested(8000) << depth << false << "nested deeper than 64 elements";
    // Depth, not count: many siblings at one level are fine.
    QTest::newRow("ten thousand siblings")
        << "<r>" + QByteArray("<e/>").repeated(10000) + "</r>" << depth << true << "";
    QTest::newRow("a limit of the caller's") << Nested(3) << 2 << false << "nested deeper than 2 elements";
    QTest::newRow("exactly at the size limit") << OfSize(XmlLimits::MaxBytes) << depth << true << "";
    QTest::newRow("one byte larger") << OfSize(XmlLimits::MaxBytes + 1) << depth << false
                                     << "larger than 4194304 bytes";
    QTest::newRow("empty") << QByteArray() << depth << false << "not well-formed XML";
    QTest::newRow("truncated") << QByteArray("<config><Options><Width>1</Wi") << depth << false
                               << "not well-formed XML";
    QTest::newRow("text after the root") << QByteArray("<r/>junk") << depth << false << "not well-formed XML";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << depth << false
                            << "not well-formed XML";
}

void TestXmlLimits::check() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, maxDepth);
    QFETCH(bool, accepted);
    QFETCH(QString, reason);
    QString why;
    QCOMPARE(XmlLimits::Check(bytes, &why, maxDepth), accepted);
    QVERIFY2(accepted ? why.isEmpty() : why.startsWith(reason), qPrintable(why));
    QCOMPARE(XmlLimits::Check(bytes, nullptr, maxDepth), accepted);
}

void TestXmlLimits::readFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.xml");
    QByteArray bytes("untouched");
    QString why;
    QVERIFY(!XmlLimits::ReadFile(path, &bytes, &why));
    QVERIFY2(why.startsWith("cannot be opened"), qPrintable(why));
    QCOMPARE(bytes, QByteArray("untouched"));

    QVERIFY(SettingsTestEnv::WriteAll(path, Nested(100)));
    QVERIFY(!XmlLimits::ReadFile(path, &bytes, &why));
    QCOMPARE(bytes, QByteArray("untouched"));

    QVERIFY(SettingsTestEnv::WriteAll(path, "<r><e/></r>"));
    QVERIFY(XmlLimits::ReadFile(path, &bytes, &why));
    QCOMPARE(bytes, QByteArray("<r><e/></r>"));
    QVERIFY(XmlLimits::ReadFile(path, nullptr));

    // A folder opens but cannot be read.
    QVERIFY(!XmlLimits::ReadFile(dir.path(), &bytes, &why));
}

void TestXmlLimits::hugeSparseFileIsRefusedUnread() {
    // 5 GiB on disk in name only: reading it first would take minutes and all the memory there is.
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(qint64(5) << 30));
    file.close();
    QString why;
    QVERIFY(!XmlLimits::ReadFile(path, nullptr, &why));
    QVERIFY2(why.startsWith("larger than"), qPrintable(why));
}

void TestXmlLimits::endlessSpecialFileIsCut() {
    // A device with no size of its own and no end: read up to just past the limit, then refused.
    if (!QFileInfo::exists("/dev/zero"))
        QSKIP("no /dev/zero");
    QString why;
    QVERIFY(!XmlLimits::ReadFile("/dev/zero", nullptr, &why));
    QVERIFY2(why.startsWith("larger than"), qPrintable(why));
}

void TestXmlLimits::readDeviceFromItsPosition() {
    QByteArray data("junk<r/>");
    QBuffer buffer(&data);
    QByteArray bytes;
    QVERIFY(!XmlLimits::ReadDevice(buffer, &bytes)); // not open
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(buffer.seek(4));
    QVERIFY(XmlLimits::ReadDevice(buffer, &bytes));
    QCOMPARE(bytes, QByteArray("<r/>"));
}

QTEST_GUILESS_MAIN(TestXmlLimits)
#include "tst_xmllimits.moc"
