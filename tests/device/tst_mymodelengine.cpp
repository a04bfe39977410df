#include "ModelTestEnv.h"

#include "device/AuxiliaryView.h"
#include "device/MyModelEngine.h"

// The program's engine as the controller sees it: what it is asked reaches the device model.
class TestMyModelEngine : public QObject {
    Q_OBJECT

private:
    ModelTestEnv env;

private slots:
    void initTestCase() { QVERIFY(env.setUp()); }
    void cleanupTestCase() { env.tearDown(); }
    void cleanup() { MendraMessageBox::ClearQueuedAnswers(); }

    // No mail account is built into the program: a report is refused with a message that says why.
    void bugReportWithoutMailAccountFails() {
        FakeModelHost host;
        MyModelEngine engine(&host);
        engine.Model().SetController(&host);
        AuxiliaryView view(AuxiliaryView::BugReportView, nullptr, Qt::FramelessWindowHint);
        QSignalSpy stopped(&engine.Model(), &MyModel::SglStopBugReport);
        MendraMessageBox::QueueAnswer(QMessageBox::Ok);
        engine.SendBugReport(&view);
        QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 0);
        QCOMPARE(MendraMessageBox::ShownMessages(),
                 QStringList{"No mail account is set up for sending bug reports. The report was not sent."});
        QCOMPARE(stopped.count(), 0);
    }

    // Closing the bug-report dialog stops the report that this dialog is sending, and no other.
    void bugReportStopReachesTheModel() {
        FakeModelHost host;
        MyModelEngine engine(&host);
        engine.Model().SetController(&host);
        AuxiliaryView sending(AuxiliaryView::BugReportView, nullptr, Qt::FramelessWindowHint);
        AuxiliaryView other(AuxiliaryView::BugReportView, nullptr, Qt::FramelessWindowHint);
        QSignalSpy stopped(&engine.Model(), &MyModel::SglStopBugReport);

        MendraMessageBox::QueueAnswer(QMessageBox::Ok);
        engine.SendBugReport(&sending);
        engine.StopBugReport(&other);
        QCOMPARE(stopped.count(), 0);
        engine.StopBugReport(&sending);
        QCOMPARE(stopped.count(), 1);
    }
};

QTEST_MAIN(TestMyModelEngine)
#include "tst_mymodelengine.moc"
