#include "../device/ModelTestEnv.h"
#include "ExpectBoxes.h"

#include "device/Controller.h"
#include "device/MyModelEngine.h"
#include "mainwindow/Mendra.h"

#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>

// The window on the program's own engine and the stand-in device library: what the library reports reaches
// the pages through the model and the controller.
class TestMendraEngine : public QObject {
    Q_OBJECT

private:
    ModelTestEnv env;

private slots:
    void initTestCase() { QVERIFY(env.setUp()); }
    void cleanupTestCase() { env.tearDown(); }
    void cleanup() { env.stop(); }

    void deviceComesAndGoes() {
        QVERIFY(env.load(ModelTestEnv::device(1, "iPhone")));
        ExpectBoxes({QMessageBox::Yes});
        Mendra window;
        QVERIFY(dynamic_cast<MyModelEngine*>(window.Engine()));

        QTRY_COMPARE(window.iPhoneTypeBox->count(), 1);
        QCOMPARE(window.DeviceModelBox->currentText(), QStringLiteral("iPhone"));
        QCOMPARE(window.connectstackedWidget_2->currentIndex(), 0);
        QVERIFY(window.recoveryModeStateBtn->isEnabled());
        QCOMPARE(window.recoveryModeStateBtn->text(), QStringLiteral("Enter Recovery Mode"));
        QVERIFY(Controller::Instance()->IsDeviceConnected());

        window.btnNextClick();
        QTest::mouseClick(window.standardModeBtn, Qt::LeftButton);
        QCOMPARE(window.GetMainPageIndex(), 3);
        QVERIFY(window.SystemVersionBox->count() > 0);
        QVERIFY(window.btnSelectFirmware->isEnabled());

        // Unplugged while the firmware is being chosen: the box, then the fix page without a device.
        QCOMPARE(env.control->Unplug(1), 0);
        QTRY_COMPARE(window.DeviceModelBox->count(), 0);
        QCOMPARE(MendraMessageBox::ShownMessages(), QStringList{"Device not connected. Please re-connect device."});
        QCOMPARE(window.GetMainPageIndex(), 2);
        QCOMPARE(window.GetFixPageIndex(), 0);
        QCOMPARE(Controller::Instance()->GetRepairMode(), int(Controller::NoMode));
        QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
    }
};

QTEST_MAIN(TestMendraEngine)
#include "tst_mendraengine.moc"
