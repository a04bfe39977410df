#include "ModelTestEnv.h"

#include "device/MyModelEngine.h"

// The program's engine as the controller sees it: what it is asked reaches the device model.
class TestMyModelEngine : public QObject {
    Q_OBJECT

private:
    ModelTestEnv env;

private slots:
    void initTestCase() { QVERIFY(env.setUp()); }
    void cleanupTestCase() { env.tearDown(); }

    // No mail account is built into the program: a report is refused with a message that says why.
    void bugReportWithoutMailAccountFails() {
        FakeModelHost host;
        MyModelEngine engine(host.parts());
        engine.SetController(&host);
        engine.SetNotices(&host);
        QObject view;
        QSignalSpy stopped(&engine.Model(), &MyModel::SglStopBugReport);
        engine.SendBugReport(&view);
        QCOMPARE(host.notices,
                 QStringList{"No mail account is set up for sending bug reports. The report was not sent."});
        QCOMPARE(stopped.count(), 0);
    }

    // Closing the bug-report dialog stops the report that this dialog is sending, and no other.
    void bugReportStopReachesTheModel() {
        FakeModelHost host;
        MyModelEngine engine(host.parts());
        engine.SetController(&host);
        engine.SetNotices(&host);
        QObject sending;
        QObject other;
        QSignalSpy stopped(&engine.Model(), &MyModel::SglStopBugReport);

        engine.SendBugReport(&sending);
        engine.StopBugReport(&other);
        QCOMPARE(stopped.count(), 0);
        engine.StopBugReport(&sending);
        QCOMPARE(stopped.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMyModelEngine)
#include "tst_mymodelengine.moc"
