// A bug report the way a user sends one: the main frame's menu, the dialog in its frame, the form filled in
// and "Submit", on the program's own engine and a real mail server set up through the deployment file; and
// the dialog closed while its report is still on the way, being packed or sent.

#include "BinaryBytes.h"
#include "EventLoopWatch.h"
#include "ExpectBoxes.h"
#include "FrameworkSkin.h"
#include "MailDeployment.h"
#include "MendraWindow.h"
#include "ResidentMemory.h"
#include "ScriptedSmtpPeer.h"
#include "SimulatedDevices.h"
#include "StandInProgram.h"
#include "TimeBound.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "app/RunLog.h"
#include "controller/Controller.h"
#include "device/BugReportArchive.h"
#include "device/MyModelEngine.h"
#include "framework/CWindowsFrame.h"
#include "framework/MyButton.h"
#include "framework/MyFrame.h"
#include "framework/TitleBar.h"
#include "mainwindow/Mendra.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include <functional>

namespace {

template <typename T> T* In(QWidget* view, const char* name) {
    T* found = view->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("The bug-report dialog has no %s named %s", T::staticMetaObject.className(), name);
    return found;
}

} // namespace

class TestMendraBugReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void reportArrives();
    void closedWhileSending();
    void closedWhilePacking();
    void notSetUpWhenOpened();
    void hostileServer_data();
    void hostileServer();

private:
    // Picks "Bug Report" from the main frame's menu and runs inside the dialog's frame once it is up; returns
    // when the frame has closed and its dialog is gone.
    void FromTheMenu(const std::function<void(CAbstractFrame*, MyBugReportView*)>& inside);
    // The form as the user fills it in, with a picture attached; then "Submit".
    void FillInAndSubmit(MyBugReportView* view);
    MyModel& Model() const { return dynamic_cast<MyModelEngine*>(m_window->Engine())->Model(); }

    QTemporaryDir m_home;
    MailDeployment m_mail;
    QString m_picture;
    Mendra* m_window = nullptr;
    MyFrame* m_frame = nullptr;
};

void TestMendraBugReport::initTestCase() {
    QVERIFY(m_home.isValid());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("HOME", m_home.path().toUtf8());
    QVERIFY(LoadEditionData());
    gAppData->Stalink.clear();
    gConfig = new MyConfig;
    QVERIFY(simulatedDevices());
    QCOMPARE(InitShippedSkin(), int(SkinManager::StatusFound));
    QVERIFY2(m_mail.setUp(), qPrintable(m_mail.errorText()));
    m_picture = m_home.filePath(QStringLiteral("pictures/screen shot.png"));
    QVERIFY(QDir().mkpath(QFileInfo(m_picture).absolutePath()));
    QFile picture(m_picture);
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.write(BinaryBytes(50000));
}

void TestMendraBugReport::init() {
    ExpectBoxes({});
    m_window = new Mendra;
    m_frame = new MyFrame(m_window, nullptr, CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    Controller::Instance()->SetMainFrame(m_frame);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void TestMendraBugReport::cleanup() {
    CheckExpectedBoxesShown();
    // As at the program's end: the window (with its engine) first, then its frame.
    delete m_window;
    delete m_frame;
    m_mail.server.reset();
}

void TestMendraBugReport::cleanupTestCase() {
    delete gConfig;
    gConfig = nullptr;
    FreeEditionData();
}

void TestMendraBugReport::FromTheMenu(const std::function<void(CAbstractFrame*, MyBugReportView*)>& inside) {
    QAction* entry = nullptr;
    for (QAction* action : m_frame->GetMenu()->actions()) {
        if (action->text() == QLatin1String("Bug Report"))
            entry = action;
    }
    QVERIFY(entry);
    QPointer<MyBugReportView> shown;
    const QMetaObject::Connection opened =
        connect(Controller::Instance(), &Controller::dialogFrameOpened, this, [&shown, inside](CAbstractFrame* frame) {
            QTimer::singleShot(0, frame, [&shown, frame, inside] {
                shown = Controller::Instance()->GetBugReportView();
                inside(frame, shown);
                auto* framed = qobject_cast<CWindowsFrame*>(frame);
                if (framed && framed->isVisible())
                    QTest::mouseClick(framed->GetTitleBar()->CloseButton(), Qt::LeftButton);
            });
        });
    entry->trigger();
    disconnect(opened);
    QVERIFY(!shown);
    QVERIFY(!Controller::Instance()->GetBugReportView());
}

void TestMendraBugReport::FillInAndSubmit(MyBugReportView* view) {
    QVERIFY(view);
    In<QLineEdit>(view, "EmailEdit")->setText(QStringLiteral("erika@example.com"));
    In<QLineEdit>(view, "NameEdit")->setText(QStringLiteral("Erika Muster"));
    In<QTextEdit>(view, "textEdit")->setPlainText(QStringLiteral("The repair stopped at 42 %."));
    const QString picture = m_picture;
    view->SetAttachmentChooser([picture](QWidget*, const QString&, const QString&, const QString&) { return picture; });
    QTest::mouseClick(In<QPushButton>(view, "AttachButton"), Qt::LeftButton);
    QTest::mouseClick(In<QPushButton>(view, "SubmitButton"), Qt::LeftButton);
}

// Menu, form, "Submit": the dialog shows the success, and the support address gets the mail with the
// archive of the logs and the picture.
void TestMendraBugReport::reportArrives() {
    QVERIFY2(m_mail.startServer(SmtpTestServer::Mode::Tls), qPrintable(m_mail.errorText()));
    QString result;
    FromTheMenu([&](CAbstractFrame*, MyBugReportView* view) {
        FillInAndSubmit(view);
        QVERIFY(In<QProgressBar>(view, "progressBar")->isVisibleTo(view));
        QTRY_COMPARE_WITH_TIMEOUT(view->GetState(), BugReportViewState::Finished, 60000);
        result = In<QLabel>(view, "BRStateLbl")->text();
    });
    QVERIFY2(result.endsWith(QLatin1String(">Bug Report sent successful!</font>")), qPrintable(result));

    const QList<QJsonObject> mails = m_mail.server->mails();
    QCOMPARE(mails.size(), 1);
    QCOMPARE(mails.first().value("rcpt_tos").toArray(), QJsonArray{gAppData->Email});
    QCOMPARE(mails.first().value("subject").toString(),
             "Erika Muster - erika@example.com -> " + gAppData->FullProductName + "( LINUX )");
    UnpackedReport report;
    QVERIFY2(report.unpackFromMail(mails.first()), qPrintable(report.errorText()));
    QVERIFY2(report.files().contains("myrun.log"), qPrintable(report.files().join(", ")));
    QVERIFY(report.files().contains("config.xml"));
    QCOMPARE(report.read("attachment/screen shot.png"), BinaryBytes(50000));
    // The next dialog of the run offers the sender again.
    QCOMPARE(gConfig->GetCustomEmail(), QStringLiteral("erika@example.com"));
}

// The frame's close button while the server has not yet answered: the send stops, the dialog goes after its
// pause, and no result or message follows; the next report can go once the stopped one has ended.
void TestMendraBugReport::closedWhileSending() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setReply("RCPT", QByteArray());
    QVERIFY(m_mail.writeAccount(peer.serverPort(), QStringLiteral("plain")));
    FromTheMenu([&](CAbstractFrame*, MyBugReportView* view) {
        FillInAndSubmit(view);
        QTRY_VERIFY_WITH_TIMEOUT(peer.commandWords().contains("RCPT"), 30000);
        QVERIFY(view->IsSending());
        QVERIFY(Model().IsSendingBugReport());
    });
    QTRY_VERIFY_WITH_TIMEOUT(!Model().IsSendingBugReport(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 10000);
    QVERIFY(!peer.commandWords().contains("DATA"));

    // A new dialog starts a new report.
    peer.setReply("RCPT", "250 2.1.5 ok\r\n");
    FromTheMenu([&](CAbstractFrame*, MyBugReportView* view) {
        FillInAndSubmit(view);
        QTRY_COMPARE_WITH_TIMEOUT(view->GetState(), BugReportViewState::Finished, 60000);
    });
    QVERIFY(peer.dataEnded());
}

// The frame's close button while 7z still packs: the packing ends at once without a message, leaves no part of
// an archive, and no mail goes.
void TestMendraBugReport::closedWhilePacking() {
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    QVERIFY(m_mail.writeAccount(peer.serverPort(), QStringLiteral("plain")));
    const QString programs = m_home.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(programs));
    // The archive is made out of sight and moved to its place once whole: the stand-in says when it has a part.
    const QString started = m_home.filePath(QStringLiteral("archiver-started"));
    QVERIFY(StandIn::Write(QDir(programs).filePath(QStringLiteral("7z")),
                           "printf part > \"$6\"\n: > " + StandIn::ShellQuoted(started) + "\nexec /bin/sleep 60\n"));
    const QString archive =
        BugReportArchive::PathFor(gConfig->GetDataDir(), gAppData->FullProductName, gAppData->Version);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", programs.toLocal8Bit());
    FromTheMenu([&](CAbstractFrame*, MyBugReportView* view) {
        FillInAndSubmit(view);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 30000);
        QVERIFY(view->IsSending());
        QVERIFY(Model().IsSendingBugReport());
    });
    QTRY_VERIFY_WITH_TIMEOUT(!Model().IsSendingBugReport(), 2000);
    qputenv("PATH", path);
    QVERIFY(!QFile::exists(archive));
    QCOMPARE(QDir(gConfig->GetDataDir()).entryList({QStringLiteral("report-*")}, QDir::AllEntries | QDir::Hidden),
             QStringList());
    QVERIFY(!peer.connected());
}

// Without an account file the dialog says so as it opens, and the run log says why.
void TestMendraBugReport::notSetUpWhenOpened() {
    m_mail.removeAccount();
    FromTheMenu([&](CAbstractFrame*, MyBugReportView* view) {
        QVERIFY(view);
        QCOMPARE(view->GetState(), BugReportViewState::NotSetUp);
        QVERIFY(In<QLabel>(view, "BRStateLbl")->isVisibleTo(view));
        QCOMPARE(In<QLabel>(view, "BRStateLbl")->text(),
                 QStringLiteral("Bug reports are not set up on this installation."));
    });
    QFile log(RunLogPath(gConfig->GetDataDir()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("Bug reports are not set up: no mail account file"));
}

void TestMendraBugReport::hostileServer_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("unit"); // repeated without end; empty: head is the whole reply
    QTest::addColumn<bool>("fails");      // else the send is still waiting when the dialog closes
    QTest::addColumn<QString>("logged");
    QTest::newRow("never answers the end of the mail")
        << QByteArray(ScriptedSmtpPeer::EndOfData) << QByteArray() << QByteArray() << false
        << "Bug report: the send was cut off at exit";
    QTest::newRow("greeting line without an end")
        << QByteArray(ScriptedSmtpPeer::Greeting) << QByteArray("220-") << QByteArray("x") << true
        << "reply to the greeting: a line longer than 4096 bytes";
    QTest::newRow("greeting reply without an end")
        << QByteArray(ScriptedSmtpPeer::Greeting) << QByteArray() << QByteArray("220-and more\r\n") << true
        << "reply to the greeting: longer than 65536 bytes";
}

// A server that floods its reply or never answers the end of the mail: the window answers within 100 ms all
// the while, the memory stays where it was, and the program's end does not wait for the server.
void TestMendraBugReport::hostileServer() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, unit);
    QFETCH(bool, fails);
    QFETCH(QString, logged);
    ScriptedSmtpPeer peer;
    QVERIFY(peer.start());
    peer.setHostileReply(key, head, unit);
    QVERIFY(m_mail.writeAccount(peer.serverPort(), QStringLiteral("plain")));
    // A failed report offers to send it again: declined.
    ExpectBoxes(fails ? QList<int>{QMessageBox::No} : QList<int>{});
    EventLoopWatch watch;
    qint64 grown = 0;
    FromTheMenu([&](CAbstractFrame*, MyBugReportView* view) {
        ResidentMemory::ResetPeak();
        const qint64 before = ResidentMemory::CurrentMb();
        watch.start();
        FillInAndSubmit(view);
        if (fails)
            QTRY_COMPARE_WITH_TIMEOUT(view->GetState(), BugReportViewState::Finished, 10000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(peer.dataEnded(), 30000);
        // The window goes on answering while the send waits.
        QTest::qWait(300);
        watch.stop();
        grown = ResidentMemory::PeakMb() - before;
    });
    qInfo("longest time the window did not answer: %lld ms; resident memory grew by %lld MB", watch.longestGapMs(),
          grown);
    QVERIFY2(watch.longestGapMs() < TimeBound(100), qPrintable(QString::number(watch.longestGapMs())));
    QVERIFY2(grown < 100, qPrintable(QString::number(grown)));
    QCOMPARE(Model().IsSendingBugReport(), !fails);

    // The program's end.
    QElapsedTimer timer;
    timer.start();
    delete m_window;
    m_window = nullptr;
    qInfo("the window and its engine went in %lld ms", timer.elapsed());
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(peer.clientGone(), 10000);
    QFile log(RunLogPath(gConfig->GetDataDir()));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY2(QString::fromUtf8(log.readAll()).contains(logged), qPrintable(logged));
}

QTEST_MAIN(TestMendraBugReport)
#include "tst_mendrabugreport.moc"
