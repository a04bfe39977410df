#include "SimulatedDevices.h"
#include "device/DeviceLibrary.h"

#include <QtTest>

// The loader finds the device library, resolves all of its functions, and explains clearly why it could not.
class TestDeviceLibrary : public QObject {
    Q_OBJECT

private:
    static QString builtLibrary() {
        return QDir(qEnvironmentVariable("MENDRA_RUNTIME_DIR")).filePath(QStringLiteral("libzUZArovadu.so"));
    }

private slots:
    void loadsTheBuiltLibrary() {
        DeviceLibrary library(builtLibrary());
        QVERIFY2(library.isLoaded(), qPrintable(library.errorString()));
        QVERIFY(library.errorString().isEmpty());
        QCOMPARE(QString::fromUtf8(library.functions().MRGetDeviceName(0)), QString());
        QCOMPARE(library.functions().MRGetDeviceMode(0), -1);
        QVERIFY(library.resolve("MRSimGetControl"));
        QVERIFY(!library.resolve("NoSuchFunction"));
    }

    // The whole road a test above the library takes: the program's own instance, the control table, and a
    // device arriving through the resolved functions on the library's thread.
    void simulatedDevicesThroughTheProgramsInstance() {
        const MRSimControl* sim = simulatedDevices();
        QVERIFY2(sim, qPrintable(DeviceLibrary::instance().errorString()));
        QVERIFY(DeviceLibrary::instance().isLoaded());
        QCOMPARE(sim->LoadScenario("{\"devices\": [{\"id\": 5, \"name\": \"Phone\", \"mode\": 1}]}"), 0);

        struct Seen {
            QAtomicInt arrivals;
            QAtomicInteger<quint32> device;
        } seen;
        const DeviceLibrary::Functions& f = DeviceLibrary::api();
        int handle = 0;
        f.MRRegisterDeviceNotification(
            [](MRDeviceRef device, MRDeviceNotifyType type, void* user) {
                auto* s = static_cast<Seen*>(user);
                if (type == MRDeviceArrival) {
                    s->device.storeRelease(device);
                    s->arrivals.ref();
                }
            },
            &seen, &handle);
        QVERIFY(handle != 0);
        QCOMPARE(sim->WaitIdle(5000), 0);
        QCOMPARE(seen.arrivals.loadAcquire(), 1);
        const MRDeviceRef device = seen.device.loadAcquire();
        QCOMPARE(QString::fromUtf8(f.MRGetDeviceName(device)), QStringLiteral("Phone"));
        QCOMPARE(f.MRGetDeviceMode(device), int(MRModeRecovery));
        QCOMPARE(f.MRGetDeviceId(device), quint64(5));
        f.MRUnregisterDeviceNotification(handle);
    }

    void defaultPath_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("program folder") << QString()
                                        << QDir(QCoreApplication::applicationDirPath()).filePath("libzUZArovadu.so");
        QTest::newRow("variable") << QStringLiteral("/opt/other/libdevice.so")
                                  << QStringLiteral("/opt/other/libdevice.so");
    }
    void defaultPath() {
        QFETCH(QString, variable);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("MENDRA_DEVICE_LIBRARY");
        if (variable.isEmpty())
            qunsetenv("MENDRA_DEVICE_LIBRARY");
        else
            qputenv("MENDRA_DEVICE_LIBRARY", variable.toUtf8());
        QCOMPARE(DeviceLibrary::defaultPath(), expected);
        qputenv("MENDRA_DEVICE_LIBRARY", saved);
    }

    void explainsWhatIsWrong_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such file") << QStringLiteral("/nowhere/libzUZArovadu.so")
                                      << QStringLiteral("Cannot load the device library /nowhere/libzUZArovadu.so");
        // Any shared library without the interface: the first function it lacks is named.
        const QString other = QLibraryInfo::location(QLibraryInfo::LibrariesPath) + "/libQt5Test.so.5";
        QTest::newRow("not the device library")
            << other << "The device library " + other + " lacks MRRegisterDatabaseUpgradeCallback, ";
    }
    void explainsWhatIsWrong() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        DeviceLibrary library(path);
        QVERIFY(!library.isLoaded());
        QVERIFY2(library.errorString().startsWith(message), qPrintable(library.errorString()));
        QVERIFY(!library.resolve("MRSimGetControl"));

        // The stand-ins keep the program running: no devices, and every job refused without a report.
        const DeviceLibrary::Functions& f = library.functions();
        int handle = 7;
        f.MRRegisterDeviceNotification(nullptr, nullptr, &handle);
        QCOMPARE(handle, 0);
        f.MRUnregisterDeviceNotification(handle);
        f.MRRegisterDatabaseUpgradeCallback(nullptr, nullptr);
        QCOMPARE(QString::fromUtf8(f.MRGetDeviceName(1)), QString());
        QCOMPARE(QString::fromUtf8(f.MRGetDeviceInfo(1)), QString());
        QCOMPARE(f.MRGetDeviceMode(1), -1);
        QCOMPARE(f.MRGetDeviceId(1), quint64(0));
        QCOMPARE(f.MRGetFirmwareCount(1), 0);
        QVERIFY(!f.MRGetFirmwareEntry(1, 0));
        QCOMPARE(f.MREnterRecovery(1, 1), int(MRErrorNoDevice));
        QCOMPARE(f.MRQuitRecovery(1, 1), int(MRErrorNoDevice));
        bool reported = false;
        auto report = [](MRRestoreCallbackData*, void* user) {
            *static_cast<bool*>(user) = true;
            return 0;
        };
        QCOMPARE(f.MRRestore(1, 0, report, &reported), int(MRErrorNoDevice));
        QVERIFY(!reported);
        f.MRSelectFirmware(1, 0);
        f.MRSetLocalFirmware(1, nullptr);
        f.MRStopDevice(1);
        f.MRSetDownloadFolder(nullptr);
        f.MRSetDeleteFirmware(0);
        f.MRSetProxy(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestDeviceLibrary)
#include "tst_devicelibrary.moc"
