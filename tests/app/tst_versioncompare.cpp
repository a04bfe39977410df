#include "CVersion.h"
#include "TextUtils.h"
#include "VersionCompare.h"

#include <QTemporaryDir>
#include <QtTest>

class TestVersionCompare : public QObject {
    Q_OBJECT

private slots:
    void compare_data();
    void compare();
    void formatBuildVersion_data();
    void formatBuildVersion();
    void fileVersionTextWithoutBlock();
};

void TestVersionCompare::compare_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("expected");

    QTest::newRow("same text") << "1.2.3"
                               << "1.2.3" << 0;
    QTest::newRow("numeric, not textual order") << "1.0.0.10"
                                                << "1.0.0.9" << 1;
    QTest::newRow("two-digit minor") << "1.10"
                                     << "1.9" << 1;
    QTest::newRow("missing fields count 0") << "1.0"
                                            << "1.0.0.0" << 0;
    QTest::newRow("trailing zero field") << "1.2"
                                         << "1.2.0" << 0;
    QTest::newRow("longer and newer") << "1.0.1"
                                      << "1.0" << 1;
    QTest::newRow("shorter and older") << "1.0"
                                       << "1.0.1" << -1;
    QTest::newRow("empty against 0") << ""
                                     << "0" << 0;
    QTest::newRow("empty against 0.0.1") << ""
                                         << "0.0.1" << -1;
    QTest::newRow("letters count 0") << "1.0b"
                                     << "1.0" << 0;
    QTest::newRow("first field decides") << "2.0"
                                         << "1.99.99" << 1;
    QTest::newRow("older major") << "1.0.0.1"
                                 << "2" << -1;
    QTest::newRow("leading zeros") << "1.01"
                                   << "1.1" << 0;
    QTest::newRow("empty middle field") << "1..2"
                                        << "1.0.2" << 0;
}

void TestVersionCompare::compare() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, expected);

    QCOMPARE(CompareVersions(a, b), expected);
    QCOMPARE(CompareVersions(b, a), -expected);
    // The other two entry points keep the same rule.
    QCOMPARE(CVersion::CompareVersion(a, b), expected);
    QCOMPARE(CompareDottedVersions(a, b), expected);
}

void TestVersionCompare::formatBuildVersion_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");

    QTest::newRow("short build padded") << "1.2.3.45"
                                        << "1.2.3 (Build 0045)";
    QTest::newRow("four-digit build") << "1.0.0.1234"
                                      << "1.0.0 (Build 1234)";
    QTest::newRow("long build kept") << "2.1.0.123456"
                                     << "2.1.0 (Build 123456)";
    QTest::newRow("missing fields") << "1.2"
                                    << "1.2.0 (Build 0000)";
}

void TestVersionCompare::formatBuildVersion() {
    QFETCH(QString, version);
    QFETCH(QString, expected);
    QCOMPARE(CVersion::FormatBuildVersion(version), expected);
}

void TestVersionCompare::fileVersionTextWithoutBlock() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString plain = dir.filePath("plain.bin");
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("no version block here");
    file.close();

    QCOMPARE(CVersion::FileVersionText(plain), QString());
    QCOMPARE(CVersion::FileVersionText(dir.filePath("missing.bin")), QString());
}

QTEST_GUILESS_MAIN(TestVersionCompare)
#include "tst_versioncompare.moc"
