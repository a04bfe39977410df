#include "FakeModelHost.h"

#include "app/RunLog.h"
#include "device/DeviceLibrary.h"

#include <QtTest>

// The device model when the device library cannot be loaded: the program runs on without devices, the run
// log says why, and a repair asked for anyway ends in a visible failure instead of waiting forever.
class TestMyModelNoLibrary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dataDir.isValid());
        // Before anything loads the library.
        qputenv("MENDRA_DEVICE_LIBRARY", m_dataDir.filePath(QStringLiteral("missing/libzUZArovadu.so")).toUtf8());
    }

    void runsOnWithoutDevices() {
        QVERIFY(OpenRunLog(m_dataDir.path(), QStringLiteral("1.0"), QStringLiteral("Linux")));
        FakeModelHost host;
        {
            MyModel model(host.parts());
            model.SetController(&host);
            host.model = &model;
            QVERIFY(!DeviceLibrary::instance().isLoaded());
            QCOMPARE(model.CurrentDevice(), MRDeviceRef(0));

            model.StartRepair(true);
            QTRY_VERIFY(!model.IsRunActive());
            QVERIFY(host.has("ShowFirmwareState(DownloadFailed)"));
            QVERIFY(!host.has("ShowReadyToFix"));
        }
        CloseRunLog();

        QFile file(RunLogPath(m_dataDir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString log = QString::fromUtf8(file.readAll());
        QVERIFY2(log.contains(QStringLiteral("Cannot load the device library")), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("missing/libzUZArovadu.so")), qPrintable(log));
    }

private:
    QTemporaryDir m_dataDir;
};

QTEST_GUILESS_MAIN(TestMyModelNoLibrary)
#include "tst_mymodelnolibrary.moc"
