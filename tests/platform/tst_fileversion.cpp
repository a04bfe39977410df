#include "FileVersion.h"

#include <QtTest>

// This test program carries the block "4.3.2.1" (mendra_embed_version) and the reader, the
// argument recorder "7.5" (padded by the build to 7.5.0.0), the single-instance helper none.
class TestFileVersion : public QObject {
    Q_OBJECT
private slots:
    void blockData_data();
    void blockData();
    void fixtureFile();
    void unreadableFiles();
    void builtPrograms_data();
    void builtPrograms();
    void readerHoldsNoMarker();
};

static QByteArray block(const QByteArray& text) {
    return platform::versionBlockMarker() + text + '\0';
}

void TestFileVersion::blockData_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("version");

    const QByteArray marker = platform::versionBlockMarker();
    const QByteArray noise("\x7f"
                           "ELF\0\0\x01garbage",
                           14);
    QTest::newRow("no block") << noise << "";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("block in binary noise") << noise + block("1.2.3.4") + noise << "1.2.3.4";
    QTest::newRow("leading zeros dropped") << block("01.002.0003.0") << "1.2.3.0";
    QTest::newRow("largest parts") << block("65535.65535.65535.65535") << "65535.65535.65535.65535";
    QTest::newRow("part too large") << block("1.2.3.65536") << "";
    QTest::newRow("three parts") << block("1.2.3") << "";
    QTest::newRow("five parts") << block("1.2.3.4.5") << "";
    QTest::newRow("empty part") << block("1..3.4") << "";
    QTest::newRow("sign") << block("1.2.3.+4") << "";
    QTest::newRow("no terminator") << marker + "1.2.3.4"
                                   << "";
    QTest::newRow("marker then code bytes") << marker + QByteArray("\x48\x89\xe5\xc3\0", 5) << "";
    QTest::newRow("marker alone") << marker << "";
    QTest::newRow("bad copy before good block") << marker + "x\0" + noise + block("5.6.7.8") << "5.6.7.8";
    QTest::newRow("overlong text then block") << marker + QByteArray(40, '1') + '\0' + block("9.8.7.6") << "9.8.7.6";
    QTest::newRow("first good block wins") << block("1.0.0.1") + block("2.0.0.2") << "1.0.0.1";
    QTest::newRow("truncated marker") << marker.left(marker.size() - 1) + "1.2.3.4" + '\0' << "";
}

void TestFileVersion::blockData() {
    QFETCH(QByteArray, data);
    QFETCH(QString, version);
    QCOMPARE(platform::versionFromBlockData(data), version);
}

void TestFileVersion::fixtureFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("fixture.bin");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\xcc'));
    file.write(block("1.2.3.4"));
    file.write(QByteArray(100, '\0'));
    file.close();
    QCOMPARE(platform::fileVersion(path), QStringLiteral("1.2.3.4"));
}

void TestFileVersion::unreadableFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile empty(dir.filePath("empty"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QCOMPARE(platform::fileVersion(empty.fileName()), QString());
    QCOMPARE(platform::fileVersion(dir.filePath("missing")), QString());
    QCOMPARE(platform::fileVersion(dir.path()), QString());
    QCOMPARE(platform::fileVersion(QString()), QString());
}

void TestFileVersion::builtPrograms_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("version");
    QTest::newRow("this test") << QCoreApplication::applicationFilePath() << "4.3.2.1";
    QTest::newRow("padded version") << QStringLiteral(ARGRECORDER_PATH) << "7.5.0.0";
    QTest::newRow("program without block") << QStringLiteral(SINGLEINSTANCEHELPER_PATH) << "";
}

void TestFileVersion::builtPrograms() {
    QFETCH(QString, program);
    QFETCH(QString, version);
    QVERIFY(QFileInfo(program).isExecutable());
    QCOMPARE(platform::fileVersion(program), version);
}

// The reader is linked into this program: only the embedded block may hold the marker, or a
// program with the reader and no block would report whatever follows the reader's own copy.
void TestFileVersion::readerHoldsNoMarker() {
    QFile self(QCoreApplication::applicationFilePath());
    QVERIFY(self.open(QIODevice::ReadOnly));
    QCOMPARE(self.readAll().count(platform::versionBlockMarker()), 1);
}

QTEST_GUILESS_MAIN(TestFileVersion)
#include "tst_fileversion.moc"
