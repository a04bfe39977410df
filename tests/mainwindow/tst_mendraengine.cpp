#include "ExpectBoxes.h"
#include "MendraWindow.h"
#include "SimulatedDevices.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"

#include "controller/Controller.h"
#include "device/MyModelEngine.h"
#include "mainwindow/Mendra.h"

#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

// The window on the program's own engine and the stand-in device library: what the library reports reaches
// the pages through the model and the controller.
class TestMendraEngine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;
    const MRSimControl* m_devices = nullptr;

private slots:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("HOME", m_home.path().toUtf8());
        QVERIFY(LoadEditionData());
        gAppData->Stalink.clear();
        gConfig = new MyConfig;
        m_devices = simulatedDevices();
        QVERIFY(m_devices);
    }
    void cleanupTestCase() {
        m_devices->LoadScenario("{\"devices\": []}");
        m_devices->WaitIdle(5000);
        delete gConfig;
        gConfig = nullptr;
        FreeEditionData();
    }

    void deviceComesAndGoes() {
        QCOMPARE(m_devices->LoadScenario(R"({"firmwareFile": "${LIBDIR}/DemoFirmware.json", "devices": [
            {"id": 1, "name": "iPhone", "info": "iPhone 11", "productType": "iPhone12,1", "mode": 0}]})"),
                 0);
        QCOMPARE(m_devices->WaitIdle(5000), 0);
        ExpectBoxes({QMessageBox::Yes});
        Mendra window;
        QVERIFY(dynamic_cast<MyModelEngine*>(window.Engine()));

        QTRY_COMPARE(Child<QComboBox>(window, "iPhoneTypeBox")->count(), 1);
        QCOMPARE(Child<QComboBox>(window, "DeviceModelBox")->currentText(), QStringLiteral("iPhone"));
        QCOMPARE(Stack<HomeConnection>(window, "connectstackedWidget_2"), HomeConnection::DeviceList);
        QVERIFY(Child<QPushButton>(window, "recoveryModeStateBtn")->isEnabled());
        QCOMPARE(Child<QPushButton>(window, "recoveryModeStateBtn")->text(), QStringLiteral("Enter Recovery Mode"));
        QVERIFY(Controller::Instance()->IsDeviceConnected());

        window.btnNextClick();
        QTest::mouseClick(Child<QPushButton>(window, "standardModeBtn"), Qt::LeftButton);
        QCOMPARE(window.GetMainPageIndex(), MainPage::FirmwareSelection);
        QVERIFY(Child<QComboBox>(window, "SystemVersionBox")->count() > 0);
        QVERIFY(Child<QPushButton>(window, "btnSelectFirmware")->isEnabled());

        // Unplugged while the firmware is being chosen: the box, then the fix page without a device.
        QCOMPARE(m_devices->Unplug(1), 0);
        QTRY_COMPARE(Child<QComboBox>(window, "DeviceModelBox")->count(), 0);
        QCOMPARE(MendraMessageBox::ShownMessages(), QStringList{"Device not connected. Please re-connect device."});
        QCOMPARE(window.GetMainPageIndex(), MainPage::Fix);
        QCOMPARE(window.GetFixPageIndex(), FixSubPage::NoDevice);
        QCOMPARE(Controller::Instance()->GetRepairMode(), RepairMode::NotChosen);
        QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
    }
};

QTEST_MAIN(TestMendraEngine)
#include "tst_mendraengine.moc"
