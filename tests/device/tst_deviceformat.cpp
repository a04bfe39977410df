#include "device/DeviceFormat.h"

#include <QtTest>

// How devices are listed and how the library's byte counts become tenths of a percent.
class TestDeviceFormat : public QObject {
    Q_OBJECT

private slots:
    void entryText_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("normal") << 0 << "iPhone";
        QTest::newRow("recovery") << 1 << "iPhone [Recovery]";
        QTest::newRow("DFU") << 2 << "iPhone [DFU]";
        QTest::newRow("left device") << -1 << "iPhone";
        QTest::newRow("unknown mode") << 3 << "iPhone";
        QTest::newRow("far outside") << 1000 << "iPhone";
    }
    void entryText() {
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QCOMPARE(DeviceEntryText(QStringLiteral("iPhone"), mode), expected);
    }

    void progress_data() {
        QTest::addColumn<quint64>("done");
        QTest::addColumn<quint64>("total");
        QTest::addColumn<float>("expected");
        QTest::newRow("half") << quint64(512) << quint64(1024) << 500.0f;
        QTest::newRow("third, truncated") << quint64(1) << quint64(3) << 333.0f;
        QTest::newRow("complete") << quint64(7) << quint64(7) << 1000.0f;
        QTest::newRow("nothing yet") << quint64(0) << quint64(100) << 0.0f;
        QTest::newRow("unknown total") << quint64(5) << quint64(0) << 0.0f;
        QTest::newRow("beyond total") << quint64(300) << quint64(200) << 1000.0f;
        QTest::newRow("large package") << quint64(3) * 1024 * 1024 * 1024 << quint64(6) * 1024 * 1024 * 1024 << 500.0f;
    }
    void progress() {
        QFETCH(quint64, done);
        QFETCH(quint64, total);
        QFETCH(float, expected);
        QCOMPARE(ProgressPermille(done, total), expected);
    }
};

QTEST_GUILESS_MAIN(TestDeviceFormat)
#include "tst_deviceformat.moc"
