#include "ModelTestEnv.h"
#include "RecordingDisplay.h"

#include "device/MyModelEngine.h"

// The program's engine as the controller sees it: what it is asked reaches the device model.
class TestMyModelEngine : public QObject {
    Q_OBJECT

private:
    ModelTestEnv env;

private slots:
    void initTestCase() { QVERIFY(env.setUp()); }
    void cleanupTestCase() { env.tearDown(); }

    // No mail account is built into the program: without the deployment's account file a report is refused in
    // the dialog, and nothing else happens.
    void bugReportWithoutMailAccountFails() {
        qputenv("MENDRA_MAIL_CONFIG", QDir(QDir::tempPath()).filePath(QStringLiteral("no such mail.ini")).toUtf8());
        FakeModelHost host;
        MyModelEngine engine(host.parts());
        engine.SetController(&host);
        engine.SetNotices(&host);
        RecordingDisplay view;
        QSignalSpy stopped(&engine.Model(), &MyModel::SglStopBugReport);
        QVERIFY(!engine.IsBugReportSetUp());
        engine.SetBugReportView(&view);
        engine.SendBugReport(&view);
        QCOMPARE(view.log, QStringList{"NotSetUp"});
        QVERIFY(host.notices.isEmpty());
        QVERIFY(!engine.Model().IsSendingBugReport());
        QCOMPARE(stopped.count(), 0);
    }

    // Closing the bug-report dialog stops the report of the dialog being shown, and no other.
    void bugReportStopReachesTheModel() {
        FakeModelHost host;
        MyModelEngine engine(host.parts());
        RecordingDisplay sending;
        RecordingDisplay other;
        sending.SetState(BugReportViewState::Sending);
        other.SetState(BugReportViewState::Sending);
        engine.SetBugReportView(&sending);

        engine.StopBugReport(&other);
        QCOMPARE(other.log, QStringList{"Sending"});
        engine.StopBugReport(&sending);
        QCOMPARE(sending.log, (QStringList{"Sending", "Stopped"}));
        // Once the dialog is gone, nothing reaches it.
        sending.SetState(BugReportViewState::Sending);
        engine.SetBugReportView(nullptr);
        engine.StopBugReport(&sending);
        QCOMPARE(sending.log, (QStringList{"Sending", "Stopped", "Sending"}));
    }
};

QTEST_GUILESS_MAIN(TestMyModelEngine)
#include "tst_mymodelengine.moc"
