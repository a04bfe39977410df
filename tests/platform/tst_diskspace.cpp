#include "DiskSpace.h"

#include <QtTest>

class TestDiskSpace : public QObject {
    Q_OBJECT
private slots:
    void existingFolder();
    void failedQueries_data();
    void failedQueries();
};

void TestDiskSpace::existingFolder() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const qint64 free = platform::diskFreeBytes(dir.path());
    const qint64 total = platform::diskTotalBytes(dir.path());
    QVERIFY(free >= 0);
    QVERIFY(total > 0);
    QVERIFY(free <= total);
    QCOMPARE(platform::diskTotalBytes(dir.path() + "/."), total);
}

void TestDiskSpace::failedQueries_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("empty") << QString();
    QTest::newRow("missing") << QDir::tempPath() + "/mendra-no-such-folder/below";
    QTest::newRow("drive letter") << "C:";
}

void TestDiskSpace::failedQueries() {
    QFETCH(QString, path);
    QCOMPARE(platform::diskFreeBytes(path), qint64(-1));
    QCOMPARE(platform::diskTotalBytes(path), qint64(-1));
}

QTEST_GUILESS_MAIN(TestDiskSpace)
#include "tst_diskspace.moc"
