#include "ModelTestEnv.h"

#include "device/CItemDataBase.h"
#include "device/MyModel.h"

// The device model on the stand-in device library: the two device lists, the recovery-mode changes, and
// shut-down while the library still has something in flight.
class TestMyModelDevices : public QObject {
    Q_OBJECT

private:
    ModelTestEnv env;
    FakeModelHost& host() { return *env.host; }

private slots:
    void initTestCase() { QVERIFY(env.setUp()); }
    void cleanupTestCase() { env.tearDown(); }
    void cleanup() { env.stop(); }

    void arrivalFillsBothLists_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("normal") << 0 << "iPhone";
        QTest::newRow("recovery") << 1 << "iPhone [Recovery]";
        QTest::newRow("DFU") << 2 << "iPhone [DFU]";
    }
    void arrivalFillsBothLists() {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone", mode)));
        env.start();
        QTRY_COMPARE(host().devices.texts(), QStringList{text});
        QCOMPARE(host().models.texts(), QStringList{text});
        QCOMPARE(host().models.current, 0);
        QCOMPARE(host().devices.currentDevice(), env.state(1).handle);
        QCOMPARE(env.model->CurrentDevice(), env.state(1).handle);
        QCOMPARE(env.model->IsDevicePresent(), DevicePresence::Selected);
        QVERIFY(host().has("ShowConnectionStateAlt(1)"));
        QVERIFY(host().has(QStringLiteral("OnDeviceConnectionChanged(1,%1,iPhone info)").arg(text)));
        QVERIFY(host().has("ShowRecoveryButtonState"));
    }

    void changeRewritesBothLists() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone") + "," + ModelTestEnv::device(2, "iPad")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 2);
        host().calls.clear();
        QCOMPARE(env.control->SetMode(1, MRModeRecovery), 0);
        QTRY_COMPARE(host().models.texts(), QStringList({"iPhone [Recovery]", "iPad"}));
        QCOMPARE(host().devices.texts(), QStringList({"iPhone [Recovery]", "iPad"}));
        QCOMPARE(env.model->IsDevicePresent(), DevicePresence::Changed);
        // The changed device is not the current one: nothing on the pages changes.
        QVERIFY(!host().calls.join(' ').contains("OnDeviceDetected"));

        QCOMPARE(env.control->SetMode(2, MRModeDFU), 0);
        QTRY_COMPARE(host().models.texts(), QStringList({"iPhone [Recovery]", "iPad [DFU]"}));
        QVERIFY(host().has("OnDeviceDetected(1)"));
        QVERIFY(host().has("ShowConnectionState(1)"));
    }

    void departureEmptiesBothLists() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 1);
        QCOMPARE(env.control->Unplug(1), 0);
        QTRY_VERIFY(host().models.entries.isEmpty());
        QVERIFY(host().devices.entries.isEmpty());
        QVERIFY(host().has("OnDeviceDetected(-1)"));
        QVERIFY(host().has("ShowConnectionState(-1)"));
        QCOMPARE(env.model->CurrentDevice(), MRDeviceRef(0));
        QCOMPARE(env.model->IsDevicePresent(), DevicePresence::NoDevice);
    }

    // When an entry before the selected one goes, the same device stays selected, not its neighbour.
    void selectionFollowsTheDevice() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone") + "," + ModelTestEnv::device(2, "iPad") + "," +
                         ModelTestEnv::device(3, "iPod")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 3);
        host().models.current = 1;
        host().devices.current = 1;
        host().calls.clear();
        QCOMPARE(env.control->Unplug(1), 0);
        QTRY_COMPARE(host().devices.texts(), QStringList({"iPad", "iPod"}));
        QCOMPARE(host().models.texts(), QStringList({"iPad", "iPod"}));
        QCOMPARE(host().models.currentDevice(), env.state(2).handle);
        QCOMPARE(host().devices.currentDevice(), env.state(2).handle);
        QVERIFY(!host().has("OnDeviceDetected(-1)"));
    }

    void deviceListedTwiceLosesEveryEntry() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 1);
        const MRDeviceRef handle = env.state(1).handle;
        env.model->DoDeviceNotification(handle, MRDeviceArrival, env.model.get());
        QCOMPARE(host().models.texts().size(), 2);
        QCOMPARE(env.control->Unplug(1), 0);
        QTRY_VERIFY(host().models.entries.isEmpty());
        QVERIFY(host().devices.entries.isEmpty());
    }

    void unknownNotificationIsIgnored() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 1);
        const QStringList before = host().calls;
        env.model->DoDeviceNotification(env.state(1).handle, 7, env.model.get());
        QCOMPARE(host().calls, before);
        QCOMPARE(host().models.texts().size(), 1);
    }

    void workDeviceIsFoundByItsId() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone") + "," + ModelTestEnv::device(2, "iPad")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 2);
        env.model->SetWorkDeviceIdText(QStringLiteral("1"));
        env.model->CheckWorkDevicePresent();
        QVERIFY(host().workDevicePresent);
        QCOMPARE(env.control->Unplug(1), 0);
        QTRY_COMPARE(host().models.texts(), QStringList{"iPad"});
        env.model->CheckWorkDevicePresent();
        QVERIFY(!host().workDevicePresent);
    }

    // The item follows the device-present word: a selected device fills it from the last-used device,
    // no selection leaves it empty, and a change notification leaves it as constructed.
    void deviceItemFollowsThePresentWord() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPad") + "," + ModelTestEnv::device(2, "iPhone", MRModeRecovery)));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 2);
        const MRDeviceRef handle = env.state(2).handle;
        env.model->StopCurrentDevice(); // takes the selected device as the last-used one
        std::unique_ptr<CItemDataBase> item(env.model->MakeDeviceItem());
        QCOMPARE(item->GetPresent(), DevicePresence::Selected);
        QCOMPARE(item->GetDevice(), handle);
        QCOMPARE(item->GetDeviceInfoText(), QStringLiteral("iPhone info"));
        QCOMPARE(item->GetMode(), int(MRModeRecovery));

        // A device other than the selected one changes: reading the home list's selection for the connection
        // display would make the word 1 again.
        QCOMPARE(env.control->SetMode(1, MRModeDFU), 0);
        QTRY_COMPARE(env.model->IsDevicePresent(), DevicePresence::Changed);
        item.reset(env.model->MakeDeviceItem());
        QCOMPARE(item->GetPresent(), DevicePresence::NoDevice);
        QCOMPARE(item->GetDevice(), MRDeviceRef(0));
        QVERIFY(item->GetDeviceInfoText().isEmpty());

        host().models.current = -1;
        QCOMPARE(env.model->CurrentDevice(), MRDeviceRef(0));
        item.reset(env.model->MakeDeviceItem());
        QCOMPARE(item->GetPresent(), DevicePresence::NoDevice);
        QCOMPARE(item->GetDevice(), MRDeviceRef(0));
    }

    void recoveryModeRoundTrip() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 1);
        env.model->ToggleRecoveryMode();
        QCOMPARE(host().itemMode, int(MRModeRecovery));
        QVERIFY(host().has("ShowConnectingAnimation"));
        QTRY_COMPARE(host().devices.texts(), QStringList{"iPhone [Recovery]"});
        QCOMPARE(host().models.texts(), QStringList{"iPhone [Recovery]"});
        QTRY_COMPARE(env.control->WaitIdle(0), 0);

        env.model->ToggleRecoveryMode();
        QCOMPARE(host().itemMode, int(MRModeNormal));
        QTRY_COMPARE(host().devices.texts(), QStringList{"iPhone"});
        QCOMPARE(env.state(1).mode, int(MRModeNormal));
    }

    void noRecoveryChangeInDfuMode() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone", MRModeDFU)));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 1);
        env.model->ToggleRecoveryMode();
        QVERIFY(!host().has("ShowConnectingAnimation"));
        QCOMPARE(env.state(1).jobRunning, 0);
    }

    // A failed change sends no mode notification: the display goes back and the user is told.
    void failedRecoveryChangeIsShown() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone")));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 1);
        MRSimFault fault{MRStepEnterRecovery, 50, 13, "Refused", 0, 0, 0};
        QCOMPARE(env.control->InjectFault(1, &fault), 0);
        env.model->ToggleRecoveryMode();
        QTRY_COMPARE(host().notices, QStringList{"Failed to enter recovery mode. Please try again."});
        QCOMPARE(host().itemMode, int(MRModeNormal));
        QVERIFY(host().indexOf("ShowConnectionState(0)") > host().indexOf("ShowConnectingAnimation"));
        QCOMPARE(host().devices.texts(), QStringList{"iPhone"});
    }

    void databaseUpgradeNotice() {
        env.start();
        env.control->TriggerDatabaseUpgrade();
        QTRY_COMPARE(host().notices, QStringList{"Database has been upgraded. Please restart program."});
    }

    // The library's event thread waits for the GUI thread, which is busy closing the model.
    void shutDownWithANotificationInFlight() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone", MRModeNormal, false)));
        env.start();
        QCOMPARE(env.control->Plug(1), 0);
        QCOMPARE(env.control->WaitIdle(300), -1); // the arrival waits for this thread
        QElapsedTimer timer;
        timer.start();
        env.model.reset();
        QVERIFY(timer.elapsed() < 3000);
        QCOMPARE(env.control->WaitIdle(3000), 0);
        QVERIFY(host().models.entries.isEmpty());
    }

    // A mode change that would take long is stopped at exit, and its thread ended before it is destroyed: the
    // closed program is gone within two seconds, and the device keeps the mode it had.
    void shutDownDuringARecoveryChange() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone"), 300, 15000));
        env.start();
        QTRY_COMPARE(host().models.texts().size(), 1);
        env.model->ToggleRecoveryMode();
        QTRY_COMPARE(env.state(1).jobRunning, 1);
        QElapsedTimer timer;
        timer.start();
        env.model.reset();
        qInfo("the model was gone %lld ms after its shut-down began", timer.elapsed());
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(env.state(1).jobRunning, 0);
        QCOMPARE(env.state(1).mode, int(MRModeNormal));
    }
};

QTEST_GUILESS_MAIN(TestMyModelDevices)
#include "tst_mymodeldevices.moc"
