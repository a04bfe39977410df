// The start-up install of the device support software as the user sees it: InstallAppleDrivers with its
// progress dialog in a modal frame, against a real HTTPS server on 127.0.0.1 and a stand-in installer.
// Its result decides whether start-up shows the restart notice.

#include "AppleDriverInstall.h"
#include "CComponentProgressDialog.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "components/CAbstractComponentInstall.h"
#include "components/CComponentInstallThread.h"
#include "framework/ChildFrame.h"
#include "platform/ElevatedRunner.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "ComponentTestEnv.h"
#include "EventLoopWatch.h"
#include "FrameworkSkin.h"
#include "RunLogText.h"
#include "TimeBound.h"

namespace {

using State = CComponentProgressDialog::State;
const QString kFolder = QStringLiteral("/update/linux/Tavik Sorvanta/components/");

// What a test saw of the dialog while InstallAppleDrivers ran.
struct Seen {
    bool shown = false;
    bool failed = false;
    QString failedText;
    bool errorShown = false;
    bool retryShown = false;
    int lowest = 100;
    int highest = 0;
    int maximum = 100;
};

// Opens the URLs the dialog hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class TestComponentProgressDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void endState_data();
    void endState();
    void failureSaysWhy_data();
    void failureSaysWhy();
    void retryInstallsOnce();
    void closingDuringTheDownloadStopsIt_data();
    void closingDuringTheDownloadStopsIt();
    void closingDuringTheInstallWaitsForIt();
    void supportLink();

private:
    // Runs InstallAppleDrivers; act is called on every look at the dialog (about every 10 ms) and may
    // click or close. A dialog in its error state is closed unless act returns true.
    bool Install(Seen& seen, std::function<bool(CComponentProgressDialog*, ChildFrame*)> act = nullptr);

    ComponentTestEnv m_env;
    ComponentFixture& m_fixture = m_env.Fixture();
};

void TestComponentProgressDialog::initTestCase() {
    m_env.Start();
    QCOMPARE(InitShippedSkin(), 3);
    SetSkinScaleForScreenWidth(1920);
}

void TestComponentProgressDialog::cleanupTestCase() {
    SkinManager::Release();
    m_env.Stop();
}

void TestComponentProgressDialog::init() {
    m_env.Reset();
}

void TestComponentProgressDialog::cleanup() {
    m_env.Finish();
}

bool TestComponentProgressDialog::Install(Seen& seen, std::function<bool(CComponentProgressDialog*, ChildFrame*)> act) {
    QTimer look;
    look.setInterval(10);
    QElapsedTimer clock;
    clock.start();
    connect(&look, &QTimer::timeout, this, [&] {
        auto* frame = qobject_cast<ChildFrame*>(QApplication::activeModalWidget());
        auto* dialog = frame ? frame->findChild<CComponentProgressDialog*>() : nullptr;
        if (!dialog || !dialog->isVisible())
            return;
        seen.shown = true;
        auto* bar = dialog->findChild<QProgressBar*>("componentProgressBar");
        seen.lowest = std::min(seen.lowest, bar->value());
        seen.highest = std::max(seen.highest, bar->value());
        seen.maximum = std::min(seen.maximum, bar->maximum());
        if (dialog->state() == State::Failed && !seen.failed) {
            seen.failed = true;
            seen.failedText = dialog->findChild<QLabel*>("componentWorkText")->text();
            seen.errorShown = dialog->findChild<QLabel*>("componentErrorText")->isVisible();
            seen.retryShown = dialog->findChild<QPushButton*>("componentRetry")->isVisible();
        }
        const bool handled = act && act(dialog, frame);
        if ((dialog->state() == State::Failed && !handled) || clock.elapsed() > 60000) {
            look.stop();
            frame->CloseSlot();
        }
    });
    look.start();
    const bool installed = InstallAppleDrivers();
    look.stop();
    return installed;
}

void TestComponentProgressDialog::endState_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("served"); // the file the list names on the server
    QTest::addColumn<bool>("rightDigest");
    QTest::addColumn<int>("status"); // the installer's exit status
    QTest::addColumn<bool>("fails");
    QTest::addColumn<int>("installs");
    QTest::addColumn<bool>("notice");
    QTest::newRow("present: nothing shown") << true << "usbmuxd_amd64.deb" << true << 0 << false << 0 << false;
    QTest::newRow("installed") << false << "usbmuxd_amd64.deb" << true << 0 << false << 1 << true;
    QTest::newRow("installer fails") << false << "usbmuxd_amd64.deb" << true << 100 << true << 1 << false;
    QTest::newRow("checksum mismatch") << false << "usbmuxd_amd64.deb" << false << 0 << true << 0 << false;
    QTest::newRow("corrupted download") << false << "corrupt_usbmuxd.deb" << true << 0 << true << 0 << false;
    QTest::newRow("stalled download") << false << "stall_usbmuxd.deb" << true << 0 << true << 0 << false;
    QTest::newRow("wrong size header") << false << "wrongsize_usbmuxd.deb" << true << 0 << true << 0 << false;
    QTest::newRow("not on the server") << false << "missing.deb" << true << 0 << true << 0 << false;
    QTest::newRow("installer asks a question") << false << "usbmuxd_amd64.deb" << true << 0 << false << 1 << true;
}

void TestComponentProgressDialog::endState() {
    QFETCH(bool, present);
    QFETCH(QString, served);
    QFETCH(bool, rightDigest);
    QFETCH(int, status);
    QFETCH(bool, fails);
    QFETCH(int, installs);
    QFETCH(bool, notice);
    CAbstractComponentInstall::setDefaultStallTimeout(1000);
    qputenv("MENDRA_SYSTEM_ROOT", (present ? m_fixture.PresentRoot() : m_fixture.AbsentRoot()).toUtf8());
    qputenv("MENDRA_COMPONENT_LIST",
            m_fixture.WriteList(served, rightDigest ? m_fixture.PackageDigest() : QByteArray(64, 'c')).toUtf8());
    m_fixture.SetInstallerStatus(status);
    m_fixture.SetInstallerAsks(QByteArray(QTest::currentDataTag()).contains("asks"));
    const int requestsBefore = m_fixture.Requests().size();

    Seen seen;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Install(seen), notice);
    // Nothing waits for an answer or a server for long.
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(seen.shown, !present);
    QCOMPARE(seen.failed, fails);
    if (fails) {
        QCOMPARE(seen.failedText, QStringLiteral("Failed"));
        QVERIFY(seen.errorShown);
        QVERIFY(seen.retryShown);
    }
    QCOMPARE(m_fixture.InstallerCalls().size(), installs);
    QCOMPARE(m_fixture.Requests().size(), requestsBefore + (present ? 0 : 1));
    QVERIFY(seen.lowest >= 0 && seen.highest <= 100);
    QCOMPARE(seen.maximum, 100);
}

void TestComponentProgressDialog::failureSaysWhy_data() {
    QTest::addColumn<QString>("served");
    QTest::addColumn<QString>("setup");  // what else goes wrong
    QTest::addColumn<QString>("logged"); // a pattern of the run log's line that says why
    const QString download = "Be failed to download file: https://127\\.0\\.0\\.1:\\d+/update/linux/Tavik Sorvanta/"
                             "components/";
    QTest::newRow("server not trusted") << "usbmuxd_amd64.deb"
                                        << "untrusted"
                                        << download + "usbmuxd_amd64\\.deb \\(SSL handshake failed: .*certificate";
    QTest::newRow("HTTP status") << "missing.deb"
                                 << "" << download + "missing\\.deb \\(HTTP status 404\\)";
    QTest::newRow("another digest") << "usbmuxd_amd64.deb"
                                    << "digest"
                                    << "Be failed to verify file: .*usbmuxd_amd64\\.deb \\(SHA-256 [0-9a-f]{64}, "
                                       "expected c{64}\\)";
    QTest::newRow("10 GiB announced") << "huge_usbmuxd.deb"
                                      << ""
                                      << "10737418240 bytes announced";
    QTest::newRow("trickles") << "trickle_usbmuxd.deb"
                              << ""
                              << "only \\d bytes in 1000 ms";
    QTest::newRow("dpkg lock held")
        << "usbmuxd_amd64.deb"
        << "lock"
        << "\\(exit status 100\\); its last output: Reading package lists\\.\\.\\. \\| E: Could not get lock "
           "/var/lib/dpkg/lock-frontend\\. It is held by process 4242 \\(apt\\) \\| E: Unable to acquire the dpkg "
           "frontend lock \\(/var/lib/dpkg/lock-frontend\\), is another process using it\\?";
    QTest::newRow("control characters in its output")
        << "usbmuxd_amd64.deb"
        << "escapes"
        << "its last output: \\\\x1b\\[31mE: broken\\\\x1b\\[0m\\\\x07 \\| E: Sub-process /usr/bin/dpkg returned an "
           "error code \\(1\\)";
    QTest::newRow("password request dismissed")
        << "usbmuxd_amd64.deb"
        << "dismissed"
        << "\\(exit status 126: the request for administrator rights was dismissed\\); its last output: Error "
           "executing command as another user: Not authorized";
    QTest::newRow("administrator rights not granted") << "usbmuxd_amd64.deb"
                                                      << "refused"
                                                      << "\\(exit status 127: administrator rights were not granted\\)";
}

void TestComponentProgressDialog::failureSaysWhy() {
    // Whatever went wrong, the dialog says "Failed" and the run log why, in words of the server, of apt-get
    // or of the elevation helper.
    QFETCH(QString, served);
    QFETCH(QString, setup);
    QFETCH(QString, logged);
    CAbstractComponentInstall::setDefaultStallTimeout(1000);
    qputenv("MENDRA_COMPONENT_LIST",
            m_fixture.WriteList(served, setup == "digest" ? QByteArray(64, 'c') : m_fixture.DigestOf(served)).toUtf8());
    if (setup == "untrusted")
        qunsetenv("MENDRA_EXTRA_CA");
    if (setup == "lock") {
        m_fixture.SetInstallerStatus(100);
        m_fixture.SetInstallerOutput("Reading package lists...\n"
                                     "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 "
                                     "(apt)\n"
                                     "E: Unable to acquire the dpkg frontend lock (/var/lib/dpkg/lock-frontend), is "
                                     "another process using it?\n");
    }
    if (setup == "escapes") {
        m_fixture.SetInstallerStatus(100);
        m_fixture.SetInstallerOutput("\x1b[31mE: broken\x1b[0m\a\r\nE: Sub-process /usr/bin/dpkg returned an error "
                                     "code (1)\n\n");
    }
    if (setup == "dismissed" || setup == "refused") {
        platform::ElevatedRunner::setAlwaysThroughHelper(true);
        m_fixture.SetHelperStatus(setup == "dismissed" ? 126 : 127);
    }
    const int logStart = RunLogText().size();
    Seen seen;
    QVERIFY(!Install(seen));
    QVERIFY(seen.failed);
    QCOMPARE(seen.failedText, QStringLiteral("Failed"));
    QVERIFY(seen.errorShown);
    const QString written = RunLogText().mid(logStart);
    const QRegularExpression pattern(logged, QRegularExpression::MultilineOption);
    QVERIFY2(pattern.match(written).hasMatch(), qPrintable(written));
}

void TestComponentProgressDialog::retryInstallsOnce() {
    m_fixture.SetInstallerStatus(100);
    int retries = 0;
    Seen seen;
    const bool installed = Install(seen, [&](CComponentProgressDialog* dialog, ChildFrame*) {
        if (dialog->state() != State::Failed || retries > 0)
            return false;
        ++retries;
        m_fixture.SetInstallerStatus(0);
        QTest::mouseClick(dialog->findChild<QPushButton*>("componentRetry"), Qt::LeftButton);
        return true;
    });
    QVERIFY(installed);
    QCOMPARE(retries, 1);
    // One installer run per try, each on the verified package.
    const QList<ComponentFixture::Call> calls = m_fixture.InstallerCalls();
    QCOMPARE(calls.size(), 2);
    for (const ComponentFixture::Call& call : calls)
        QCOMPARE(call.digest, m_fixture.PackageDigest());
}

void TestComponentProgressDialog::closingDuringTheDownloadStopsIt_data() {
    QTest::addColumn<QString>("served");
    QTest::addColumn<int>("closeAt"); // the bar's value at which the frame is closed
    // Half of the package has arrived: the download's fifth of the bar is half full.
    QTest::newRow("stalled halfway") << "stall_usbmuxd.deb" << 30;
    QTest::newRow("trickling") << "trickle_usbmuxd.deb" << 20;
}

void TestComponentProgressDialog::closingDuringTheDownloadStopsIt() {
    QFETCH(QString, served);
    QFETCH(int, closeAt);
    qputenv("MENDRA_COMPONENT_LIST", m_fixture.WriteList(served).toUtf8());
    Seen seen;
    QElapsedTimer clock;
    const bool installed = Install(seen, [&](CComponentProgressDialog* dialog, ChildFrame* frame) {
        if (clock.isValid() || dialog->findChild<QProgressBar*>("componentProgressBar")->value() != closeAt ||
            !m_fixture.Requests().contains(kFolder + served))
            return false;
        clock.start();
        frame->CloseSlot();
        return true;
    });
    QVERIFY(!installed);
    QVERIFY(clock.isValid());
    QVERIFY2(clock.elapsed() < 5000, "the download was not aborted at once");
    QVERIFY(m_fixture.InstallerCalls().isEmpty());
    QVERIFY(m_fixture.Requests().contains(kFolder + served));
}

void TestComponentProgressDialog::closingDuringTheInstallWaitsForIt() {
    // The installer cannot be stopped halfway: after a close the dialog stays on screen, answering, and says
    // that the install is finishing; when the installer ends, the dialog goes and what it installed counts.
    m_fixture.HoldInstaller();
    // Should the dialog not answer after the close, the installer still ends, and the test fails instead of
    // hanging.
    std::atomic<bool> done{false};
    std::thread safety([&] {
        QElapsedTimer wait;
        wait.start();
        while (!done && wait.elapsed() < 30000)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        m_fixture.ReleaseInstaller();
    });
    EventLoopWatch watch;
    QElapsedTimer sinceClose;
    int looksWhileFinishing = 0;
    bool alwaysShown = true;
    QString finishingText;
    qint64 released = -1;
    Seen seen;
    const bool installed = Install(seen, [&](CComponentProgressDialog* dialog, ChildFrame* frame) {
        if (!sinceClose.isValid()) {
            if (m_fixture.InstallerCalls().isEmpty())
                return false;
            watch.start();
            sinceClose.start();
            frame->CloseSlot();
            return true;
        }
        alwaysShown = alwaysShown && frame->isVisible() && dialog->isVisible();
        finishingText = dialog->findChild<QLabel*>("componentWorkText")->text();
        // A while with the installer still at work, then it ends.
        if (++looksWhileFinishing == 20) {
            released = sinceClose.elapsed();
            m_fixture.ReleaseInstaller();
        }
        return true;
    });
    const qint64 closeToEnd = sinceClose.isValid() ? sinceClose.elapsed() : -1;
    watch.stop();
    done = true;
    safety.join();
    qInfo("after the close: on screen at %d looks, longest event loop gap %lld ms, installer released at %lld ms, "
          "start-up went on at %lld ms",
          looksWhileFinishing, watch.longestGapMs(), released, closeToEnd);
    QVERIFY(sinceClose.isValid());
    QVERIFY2(looksWhileFinishing >= 20, "the dialog left the screen before the installer ended");
    QVERIFY(alwaysShown);
    QCOMPARE(finishingText, QStringLiteral("Finishing the install, please wait..."));
    QVERIFY2(watch.longestGapMs() < TimeBound(100), qPrintable(QString::number(watch.longestGapMs())));
    QVERIFY(closeToEnd >= released);
    QVERIFY(installed);
    QCOMPARE(m_fixture.InstallerCalls().size(), 1);
}

void TestComponentProgressDialog::supportLink() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    qputenv("MENDRA_COMPONENT_LIST", m_fixture.WriteList("stall_usbmuxd.deb").toUtf8());
    CComponentProgressDialog dialog;
    auto* label = dialog.findChild<QLabel*>("componentErrorText");
    const QRegularExpressionMatch link = QRegularExpression("href='([^']+)'").match(label->text());
    QVERIFY2(link.hasMatch(), qPrintable(label->text()));
    emit label->linkActivated(link.captured(1));
    QDesktopServices::unsetUrlHandler("https");

    QCOMPARE(catcher.opened.size(), 1);
    const QUrl support(gAppData->Support);
    QCOMPARE(catcher.opened.at(0).host(), support.host());
    QCOMPARE(catcher.opened.at(0).path(), support.path());
    QCOMPARE(QUrlQuery(catcher.opened.at(0)).queryItemValue("lang"), gAppData->Language);
    // The link leaves the dialog at its work.
    QCOMPARE(dialog.state(), State::Working);
    QVERIFY(dialog.installThread()->isRunning());
}

QTEST_MAIN(TestComponentProgressDialog)
#include "tst_componentprogressdialog.moc"
