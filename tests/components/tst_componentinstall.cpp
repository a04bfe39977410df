// The component install without a window: the check and its lookups, the package list and server
// address, the download over TLS from a real server on 127.0.0.1 with its faults, unpacking, the
// installer's exit status and the worker thread's runs, with stand-ins for apt-get and pkexec.

#include "CAppleDriverInstall.h"
#include "CComponentInstallThread.h"
#include "COS.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "platform/ElevatedRunner.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include "ComponentTestEnv.h"
#include "ResidentMemory.h"
#include "RunLogText.h"
#include "StandInProgram.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFolder = QStringLiteral("/update/linux/Tavik Sorvanta/components/");

// A stand-in program that does nothing, with its folders; not executable when asked.
void MakeExecutable(const QString& path, bool executable = true) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(StandIn::Write(path, QByteArray()));
    if (!executable)
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
}

} // namespace

class TestComponentInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void check_data();
    void check();
    void everyCheckStartsAfresh();
    void packageChoice_data();
    void packageChoice();

    void download_data();
    void download();
    void downloadProgress();
    void errorReplyIsNoProgress_data();
    void errorReplyIsNoProgress();
    void boundedDownload_data();
    void boundedDownload();

    void run_data();
    void run();
    void installerNeverWaits_data();
    void installerNeverWaits();
    void secondRunInstallsOnce();
    void abortEndsAStalledDownload();
    void noInstallAfterAbort();
    void changedAfterTheCheck_data();
    void changedAfterTheCheck();

private:
    void UseList(const QString& list);

    ComponentTestEnv m_env;
    ComponentFixture& m_fixture = m_env.Fixture();
};

void TestComponentInstall::initTestCase() {
    m_env.Start();
}

void TestComponentInstall::cleanupTestCase() {
    m_env.Stop();
}

void TestComponentInstall::init() {
    m_env.Reset();
}

void TestComponentInstall::cleanup() {
    m_env.Finish();
}

void TestComponentInstall::UseList(const QString& list) {
    qputenv("MENDRA_COMPONENT_LIST", list.toUtf8());
}

void TestComponentInstall::check_data() {
    QTest::addColumn<QString>("daemon"); // where the fixture puts the daemon, under the root
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("setting"); // the settings entry
    QTest::addColumn<bool>("missing");
    QTest::newRow("nowhere") << "" << true << "" << true;
    QTest::newRow("/usr/sbin") << "/usr/sbin/usbmuxd" << true << "" << false;
    QTest::newRow("/usr/local/sbin") << "/usr/local/sbin/usbmuxd" << true << "" << false;
    QTest::newRow("where the settings say") << "/opt/mux/usbmuxd" << true << "/opt/mux/usbmuxd" << false;
    QTest::newRow("settings name a missing file") << "" << true << "/opt/mux/usbmuxd" << true;
    QTest::newRow("elsewhere, not in the settings") << "/opt/mux/usbmuxd" << true << "" << true;
    QTest::newRow("not executable") << "/usr/sbin/usbmuxd" << false << "" << true;
    QTest::newRow("a folder of that name") << "/usr/sbin/usbmuxd/" << true << "" << true;
}

void TestComponentInstall::check() {
    QFETCH(QString, daemon);
    QFETCH(bool, executable);
    QFETCH(QString, setting);
    QFETCH(bool, missing);
    QTemporaryDir root;
    if (daemon.endsWith('/'))
        QDir().mkpath(root.path() + daemon);
    else if (!daemon.isEmpty())
        MakeExecutable(root.path() + daemon, executable);
    qputenv("MENDRA_SYSTEM_ROOT", root.path().toUtf8());
    gConfig->WriteValue(COS::SettingsKey(), setting, true);

    CAppleDriverInstall component;
    QCOMPARE(component.check(), missing);
    QCOMPARE(component.urls().size(), missing ? 1 : 0);
    QCOMPARE(COS::Instance()->supportDaemon().isEmpty(), missing);
    if (!missing)
        QCOMPARE(COS::Instance()->supportDir(), QFileInfo(root.path() + daemon).absolutePath());
}

void TestComponentInstall::everyCheckStartsAfresh() {
    CAppleDriverInstall component;
    QVERIFY(component.check());
    QVERIFY(component.check());
    QCOMPARE(component.urls().size(), 1);
    // Installed meanwhile: the next check sees it.
    qputenv("MENDRA_SYSTEM_ROOT", m_fixture.PresentRoot().toUtf8());
    QVERIFY(!component.check());
    QVERIFY(component.urls().isEmpty());
}

void TestComponentInstall::packageChoice_data() {
    const QByteArray digest(64, 'a');
    const QString arch = platform::packageArchitecture();
    QTest::addColumn<QString>("list"); // "edition", or the list file's content
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("url"); // empty: nothing can be queued
    QTest::addColumn<QByteArray>("sha256");

    const QString one = QStringLiteral("<Components><Package arch=\"%1\" file=\"%2\" sha256=\"%3\"/></Components>");
    const QString good = one.arg(arch, "usbmuxd_amd64.deb", digest);
    const QString path = QStringLiteral("/update/linux/Tavik%20Sorvanta/components/");
    if (arch == "amd64") {
        QTest::newRow("the edition's list and server")
            << "edition"
            << ""
            << "https://update.tavik.example" + path + "usbmuxd_amd64.deb"
            << QByteArray("27bc49f4265942d9a82d82df030ca963a2b625b1f96e4c47cc9e23c5d10f95a2");
    }
    QTest::newRow("another server keeps the folder") << good << "https://127.0.0.1:4443"
                                                     << "https://127.0.0.1:4443" + path + "usbmuxd_amd64.deb" << digest;
    QTest::newRow("a server with a bare slash") << good << "https://mirror.example/"
                                                << "https://mirror.example" + path + "usbmuxd_amd64.deb" << digest;
    QTest::newRow("upper-case digest") << one.arg(arch, "p.deb", QString(digest).toUpper()) << "https://m.example"
                                       << "https://m.example" + path + "p.deb" << digest;
    QTest::newRow("the first of two for this machine")
        << QString("<Components><Package arch=\"x\" file=\"x.deb\" sha256=\"%1\"/>"
                   "<Package arch=\"%2\" file=\"a.deb\" sha256=\"%1\"/><Package arch=\"%2\" file=\"b.deb\" "
                   "sha256=\"%1\"/></Components>")
               .arg(QString(digest), arch)
        << "https://m.example"
        << "https://m.example" + path + "a.deb" << digest;
    QTest::newRow("server with a path") << good << "https://mirror.example/pub"
                                        << "" << QByteArray();
    QTest::newRow("plain http server") << good << "http://mirror.example"
                                       << "" << QByteArray();
    QTest::newRow("server with a user") << good << "https://me@mirror.example"
                                        << "" << QByteArray();
    QTest::newRow("no package for this machine")
        << one.arg("s390x-" + arch, "usbmuxd.deb", digest) << "https://m.example"
        << "" << QByteArray();
    QTest::newRow("file name climbing out") << one.arg(arch, "../usbmuxd.deb", digest) << "https://m.example"
                                            << "" << QByteArray();
    QTest::newRow("hidden file name") << one.arg(arch, ".deb", digest) << "https://m.example"
                                      << "" << QByteArray();
    QTest::newRow("short digest") << one.arg(arch, "usbmuxd.deb", "abc") << "https://m.example"
                                  << "" << QByteArray();
    QTest::newRow("another root element") << "<Packages/>"
                                          << "https://m.example"
                                          << "" << QByteArray();
    QTest::newRow("not XML") << "<Components>"
                             << "https://m.example"
                             << "" << QByteArray();
}

void TestComponentInstall::packageChoice() {
    QFETCH(QString, list);
    QFETCH(QString, server);
    QFETCH(QString, url);
    QFETCH(QByteArray, sha256);
    QTemporaryDir folder;
    if (list == "edition") {
        qunsetenv("MENDRA_COMPONENT_LIST");
    } else {
        QFile file(folder.filePath("list.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(list.toUtf8());
        file.close();
        UseList(file.fileName());
    }
    if (server.isEmpty())
        qunsetenv("MENDRA_COMPONENT_SERVER");
    else
        qputenv("MENDRA_COMPONENT_SERVER", server.toUtf8());

    CAppleDriverInstall component;
    // Missing either way; without a package the download step is what fails.
    QVERIFY(component.check());
    if (url.isEmpty()) {
        QVERIFY(component.urls().isEmpty());
        QVERIFY(!component.download());
        return;
    }
    QCOMPARE(component.urls(), QList<QUrl>{QUrl(url)});
    QCOMPARE(component.packages().value(0).sha256, sha256);
}

void TestComponentInstall::download_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("rightDigest");
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<bool>("arrives");
    QTest::newRow("whole and verified") << "usbmuxd_amd64.deb" << true << true << true;
    QTest::newRow("without a length") << "chunked_usbmuxd.deb" << true << true << true;
    QTest::newRow("another pinned digest") << "usbmuxd_amd64.deb" << false << true << false;
    QTest::newRow("corrupted") << "corrupt_usbmuxd.deb" << true << true << false;
    QTest::newRow("stalls") << "stall_usbmuxd.deb" << true << true << false;
    QTest::newRow("wrong size header") << "wrongsize_usbmuxd.deb" << true << true << false;
    QTest::newRow("not on the server") << "missing.deb" << true << true << false;
    QTest::newRow("server not trusted") << "usbmuxd_amd64.deb" << true << false << false;
}

void TestComponentInstall::download() {
    QFETCH(QString, file);
    QFETCH(bool, rightDigest);
    QFETCH(bool, trusted);
    QFETCH(bool, arrives);
    UseList(m_fixture.WriteList(file, rightDigest ? m_fixture.PackageDigest() : QByteArray(64, 'b')));
    if (!trusted)
        qunsetenv("MENDRA_EXTRA_CA");
    CAppleDriverInstall component;
    component.setStallTimeout(1000);
    QVERIFY(component.check());
    QSignalSpy progress(&component, &CAbstractComponentInstall::workProgress);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(component.download(), arrives);
    QVERIFY2(clock.elapsed() < 15000, "the download was not given up in time");

    const QString local = component.packageFile(component.urls().value(0));
    QVERIFY(local.endsWith('/' + file));
    QCOMPARE(component.packages().value(0).verified, arrives);
    // Only a verified package stays where the installer looks, and only this user may read the folder.
    QCOMPARE(QFileInfo::exists(local), arrives);
    QCOMPARE(QFileInfo(QFileInfo(local).absolutePath()).permissions() & (QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
    if (arrives) {
        QFile package(local);
        QVERIFY(package.open(QIODevice::ReadOnly));
        QCOMPARE(QCryptographicHash::hash(package.readAll(), QCryptographicHash::Sha256).toHex(),
                 m_fixture.PackageDigest());
    }
    for (const QList<QVariant>& report : progress) {
        QVERIFY(report.at(0).toLongLong() >= 0 && report.at(0).toLongLong() <= 10000);
        QCOMPARE(report.at(1).toLongLong(), 10000);
    }
}

void TestComponentInstall::downloadProgress() {
    CAppleDriverInstall component;
    QVERIFY(component.check());
    QSignalSpy progress(&component, &CAbstractComponentInstall::workProgress);
    // Unknown and empty totals say nothing; more than the total counts as all of it.
    component.on_reply_downloadProgress(10, 0);
    component.on_reply_downloadProgress(10, -1);
    QCOMPARE(progress.size(), 0);
    component.on_reply_downloadProgress(500, 1000);
    component.on_reply_downloadProgress(2000, 1000);
    component.on_reply_downloadProgress(-5, 1000);
    QCOMPARE(progress.size(), 3);
    QCOMPARE(progress.at(0), (QList<QVariant>{5000LL, 10000LL}));
    QCOMPARE(progress.at(1), (QList<QVariant>{10000LL, 10000LL}));
    QCOMPARE(progress.at(2), (QList<QVariant>{0LL, 10000LL}));

    // The thread turns them into its step's fifth of the bar; a total of 0 or less is dropped.
    CComponentInstallThread thread(&component);
    QSignalSpy bar(&thread, &CComponentInstallThread::progress);
    thread.on_component_workProgress(1, 0);
    thread.on_component_workProgress(1, -10);
    QCOMPARE(bar.size(), 0);
    thread.on_component_workProgress(5000, 10000);
    thread.on_component_workProgress(-1, 10000);
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar.at(0), (QList<QVariant>{10, 100}));
    QCOMPARE(bar.at(1), (QList<QVariant>{0, 100}));
}

void TestComponentInstall::errorReplyIsNoProgress_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::newRow("404 with a large page") << "notfound_usbmuxd.deb" << 404;
    QTest::newRow("500 with a large page") << "error_usbmuxd.deb" << 500;
    QTest::newRow("404, empty") << "missing.deb" << 404;
}

void TestComponentInstall::errorReplyIsNoProgress() {
    // An error page is no part of the package: the bar stays where the step began, the page is not read
    // to its end, and the log names the status.
    QFETCH(QString, file);
    QFETCH(int, status);
    UseList(m_fixture.WriteList(file));
    CAppleDriverInstall component;
    QVERIFY(component.check());
    CComponentInstallThread thread(&component);
    QSignalSpy progress(&component, &CAbstractComponentInstall::workProgress);
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QString("HTTP status %1").arg(status)));
    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::CurrentMb();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!component.download());
    const qint64 elapsed = clock.elapsed();
    const qint64 growth = ResidentMemory::PeakMb() - before;
    qlonglong highest = 0;
    for (const QList<QVariant>& report : progress)
        highest = std::max(highest, report.at(0).toLongLong());
    qInfo("%s: %lld progress reports up to %lld of 10000, %lld ms, resident memory +%lld MB", qPrintable(file),
          qlonglong(progress.size()), highest, elapsed, growth);
    QCOMPARE(progress.size(), 0);
    QVERIFY2(elapsed < 10000, "the error reply was not given up at once");
    QVERIFY2(growth < ComponentFixture::kErrorPageBytes / (1024 * 1024), "the error page was held in memory");
    QVERIFY(!QFileInfo::exists(component.packageFile(component.urls().value(0))));
}

void TestComponentInstall::boundedDownload_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("stallMs");
    QTest::addColumn<int>("overallMs");
    QTest::addColumn<bool>("arrives");
    QTest::addColumn<QString>("logged"); // a pattern of the line that says why it did not
    QTest::addColumn<int>("withinMs");   // how soon the download ends, either way
    const int largest = int(ComponentFixture::kLargestPackageBytes);
    QTest::newRow("10 GiB announced") << "huge_usbmuxd.deb" << 30000 << 120000 << false
                                      << "10737418240 bytes announced, more than the 4194304 bytes" << 2000;
    QTest::newRow("endless, without a length")
        << "endless_usbmuxd.deb" << 30000 << 120000 << false << "larger than 4194304 bytes" << 5000;
    QTest::newRow("one byte more than a package may have")
        << "over.deb" << 30000 << 120000 << false << QString("%1 bytes announced").arg(largest + 1) << 2000;
    QTest::newRow("as large as a package may be") << "largest.deb" << 30000 << 120000 << true << "" << 10000;
    QTest::newRow("a byte every 200 ms") << "trickle_usbmuxd.deb" << 1000 << 120000 << false
                                         << "only \\d bytes in 1000 ms" << 4000;
    QTest::newRow("steady, but slower than the overall time allows")
        << "slow_usbmuxd.deb" << 1000 << 2000 << false << "not finished within 2000 ms" << 5000;
}

void TestComponentInstall::boundedDownload() {
    // A server that sends more than any package, or too slowly, is cut off: an announced length over the
    // limit before a byte of the body is read, a body that grows past it at once, a trickle once it moves
    // too little for too long, and anything once the overall time is up. Memory stays small throughout, and
    // nothing stays on disk.
    QFETCH(QString, file);
    QFETCH(int, stallMs);
    QFETCH(int, overallMs);
    QFETCH(bool, arrives);
    QFETCH(QString, logged);
    QFETCH(int, withinMs);
    UseList(m_fixture.WriteList(file, m_fixture.DigestOf(file)));
    CAppleDriverInstall component;
    component.setStallTimeout(stallMs);
    component.setOverallTimeout(overallMs);
    QVERIFY(component.check());
    QSignalSpy progress(&component, &CAbstractComponentInstall::workProgress);
    if (!logged.isEmpty())
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(logged));
    ResidentMemory::ResetPeak();
    const qint64 before = ResidentMemory::CurrentMb();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(component.download(), arrives);
    const qint64 elapsed = clock.elapsed();
    const qint64 growth = ResidentMemory::PeakMb() - before;
    const QString local = component.packageFile(component.urls().value(0));
    qInfo("%s: %s after %lld ms, %lld progress reports, resident memory +%lld MB", qPrintable(file),
          arrives ? "arrived" : "refused", elapsed, qlonglong(progress.size()), growth);
    QVERIFY2(elapsed < withinMs, qPrintable(QString::number(elapsed)));
    QVERIFY2(growth < 64, qPrintable(QString::number(growth)));
    QCOMPARE(QFileInfo::exists(local), arrives);
    if (arrives)
        QCOMPARE(QFileInfo(local).size(), ComponentFixture::kLargestPackageBytes);
    else
        QVERIFY(RunLogText().contains(QRegularExpression(logged)));
    // Refused by its headers: not a byte of it counted as progress.
    if (file.startsWith("huge_") || file == "over.deb")
        QCOMPARE(progress.size(), 0);
}

void TestComponentInstall::installerNeverWaits_data() {
    QTest::addColumn<bool>("helper");
    QTest::newRow("run as root") << false;
    QTest::newRow("through the elevation helper") << true;
}

void TestComponentInstall::installerNeverWaits() {
    // An installer that asks a question gets the end of its input as the answer at once: nothing that runs
    // as root can hold start-up (and the dpkg lock) waiting for a reply nobody can give.
    QFETCH(bool, helper);
    platform::ElevatedRunner::setAlwaysThroughHelper(helper);
    m_fixture.SetInstallerAsks(true);
    CAppleDriverInstall component;
    QVERIFY(component.check());
    QVERIFY(component.download());
    QVERIFY(component.decompress());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(component.install());
    qInfo("the installer asked and ended after %lld ms", clock.elapsed());
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    const QList<ComponentFixture::Call> calls = m_fixture.InstallerCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).frontend, QStringLiteral("noninteractive"));
    QCOMPARE(calls.at(0).input, QStringLiteral("/dev/null"));
}

void TestComponentInstall::run_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("pinned");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<bool>("installs");
    QTest::addColumn<bool>("helper"); // through the elevation helper even when the test runs as root
    const QByteArray deb = m_fixture.PackageDigest();
    const QByteArray zip = m_fixture.DigestOf("usbmuxd.zip");
    QTest::newRow("nothing missing") << m_fixture.PresentRoot() << "usbmuxd_amd64.deb" << deb << 0 << true << false
                                     << false;
    QTest::newRow("package installed") << m_fixture.AbsentRoot() << "usbmuxd_amd64.deb" << deb << 0 << true << true
                                       << false;
    QTest::newRow("package installed through the helper")
        << m_fixture.AbsentRoot() << "usbmuxd_amd64.deb" << deb << 0 << true << true << true;
    QTest::newRow("installer fails") << m_fixture.AbsentRoot() << "usbmuxd_amd64.deb" << deb << 100 << false << true
                                     << false;
    QTest::newRow("archive unpacked and installed")
        << m_fixture.AbsentRoot() << "usbmuxd.zip" << zip << 0 << true << true << false;
    QTest::newRow("archive that does not unpack")
        << m_fixture.AbsentRoot() << "broken.zip" << m_fixture.DigestOf("broken.zip") << 0 << false << false << false;
    QTest::newRow("download fails") << m_fixture.AbsentRoot() << "missing.deb" << deb << 0 << false << false << false;
}

void TestComponentInstall::run() {
    QFETCH(QString, root);
    QFETCH(QString, file);
    QFETCH(QByteArray, pinned);
    QFETCH(int, status);
    QFETCH(bool, succeeds);
    QFETCH(bool, installs);
    QFETCH(bool, helper);
    qputenv("MENDRA_SYSTEM_ROOT", root.toUtf8());
    UseList(m_fixture.WriteList(file, pinned));
    m_fixture.SetInstallerStatus(status);
    platform::ElevatedRunner::setAlwaysThroughHelper(helper);
    const int requestsBefore = m_fixture.Requests().size();

    CAppleDriverInstall component;
    CComponentInstallThread thread(&component);
    QSignalSpy success(&thread, &CComponentInstallThread::workSuccess);
    QSignalSpy error(&thread, &CComponentInstallThread::workError);
    QSignalSpy messages(&thread, &CComponentInstallThread::message);
    QSignalSpy progress(&thread, &CComponentInstallThread::progress);
    thread.start();
    QVERIFY(thread.wait(60000));
    QCoreApplication::processEvents();

    QCOMPARE(success.size(), succeeds ? 1 : 0);
    QCOMPARE(error.size(), succeeds ? 0 : 1);
    QCOMPARE(component.isInstallFinished(), succeeds && installs);
    const QList<ComponentFixture::Call> calls = m_fixture.InstallerCalls();
    QCOMPARE(calls.size(), installs ? 1 : 0);
    if (installs) {
        // The package that was verified, by its absolute path, unpacked from the archive when it was one.
        QCOMPARE(calls.at(0).arguments.mid(0, 3), (QStringList{"apt-get", "install", "-y"}));
        QVERIFY2(calls.at(0).arguments.value(3).startsWith('/'), qPrintable(calls.at(0).arguments.join(' ')));
        QVERIFY(calls.at(0).arguments.value(3).endsWith("/usbmuxd_amd64.deb"));
        QCOMPARE(calls.at(0).digest, m_fixture.PackageDigest());
        // Whatever the helper took from the environment, apt-get asks nothing and reads no answer.
        QCOMPARE(calls.at(0).frontend, QStringLiteral("noninteractive"));
        QCOMPARE(calls.at(0).input, QStringLiteral("/dev/null"));
        // apt-get reads root's own copy, in a fresh folder that nobody else may enter, removed afterwards.
        const QString cache = root + "/var/cache/mendra";
        QVERIFY2(calls.at(0).arguments.value(3).startsWith(cache + "/install-"),
                 qPrintable(calls.at(0).arguments.value(3)));
        QCOMPARE(calls.at(0).folder, QString("700 %1").arg(::geteuid()));
        QCOMPARE(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
        QCOMPARE(messages.last().at(0).toString(), QStringLiteral("Installing..."));
    }
    if (root == m_fixture.PresentRoot()) {
        QCOMPARE(m_fixture.Requests().size(), requestsBefore);
        QCOMPARE(messages.size(), 1);
    }
    // The bar never goes back, below 0 or beyond the four fifths of the steps.
    int last = 0;
    for (const QList<QVariant>& report : progress) {
        QVERIFY(report.at(0).toInt() >= last && report.at(0).toInt() <= 80);
        QCOMPARE(report.at(1).toInt(), 100);
        last = report.at(0).toInt();
    }
    if (succeeds && installs)
        QCOMPARE(last, 80);
}

void TestComponentInstall::secondRunInstallsOnce() {
    // A failed install and a retry on the same objects: each run fetches and installs the package once.
    m_fixture.SetInstallerStatus(100);
    const int requestsBefore = m_fixture.Requests().size();
    CAppleDriverInstall component;
    CComponentInstallThread thread(&component);
    QSignalSpy success(&thread, &CComponentInstallThread::workSuccess);
    QSignalSpy error(&thread, &CComponentInstallThread::workError);
    thread.start();
    QVERIFY(thread.wait(60000));
    QTRY_COMPARE(error.size(), 1);
    QVERIFY(!component.isInstallFinished());

    m_fixture.SetInstallerStatus(0);
    thread.start();
    QVERIFY(thread.wait(60000));
    QTRY_COMPARE(success.size(), 1);
    QVERIFY(component.isInstallFinished());
    QCOMPARE(m_fixture.InstallerCalls().size(), 2);
    QCOMPARE(component.urls().size(), 1);
    QCOMPARE(m_fixture.Requests().size(), requestsBefore + 2);
}

void TestComponentInstall::abortEndsAStalledDownload() {
    UseList(m_fixture.WriteList("stall_usbmuxd.deb"));
    CAppleDriverInstall component;
    CComponentInstallThread thread(&component);
    QSignalSpy success(&thread, &CComponentInstallThread::workSuccess);
    QSignalSpy error(&thread, &CComponentInstallThread::workError);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(m_fixture.Requests().contains(kFolder + "stall_usbmuxd.deb"), 20000);
    QElapsedTimer clock;
    clock.start();
    thread.requestAbort();
    QVERIFY(thread.wait(10000));
    QVERIFY2(clock.elapsed() < 5000, "the stalled download was not aborted");
    QCoreApplication::processEvents();
    QCOMPARE(success.size() + error.size(), 0);
    QVERIFY(m_fixture.InstallerCalls().isEmpty());
    QVERIFY(!component.isInstallFinished());
}

void TestComponentInstall::noInstallAfterAbort() {
    CAppleDriverInstall component;
    QVERIFY(component.check());
    QVERIFY(component.download());
    QVERIFY(component.decompress());
    component.requestAbort();
    QVERIFY(!component.install());
    QVERIFY(m_fixture.InstallerCalls().isEmpty());
    QVERIFY(!component.isInstallFinished());
}

void TestComponentInstall::changedAfterTheCheck_data() {
    QTest::addColumn<QString>("served");
    QTest::addColumn<QString>("change"); // what happens to the checked file before the installer runs
    QTest::addColumn<QString>("logged"); // the line that says why nothing was installed
    QTest::newRow("unchanged") << "usbmuxd_amd64.deb"
                               << ""
                               << "";
    QTest::newRow("other bytes") << "usbmuxd_amd64.deb"
                                 << "rewrite"
                                 << "The package changed after it was checked";
    QTest::newRow("a link to other bytes") << "usbmuxd_amd64.deb"
                                           << "link"
                                           << "The package changed after it was checked";
    QTest::newRow("a pipe that never ends") << "usbmuxd_amd64.deb"
                                            << "fifo"
                                            << "exit status 66";
    QTest::newRow("removed") << "usbmuxd_amd64.deb"
                             << "remove"
                             << "Can not find package file";
    QTest::newRow("unpacked from an archive, then rewritten") << "usbmuxd.zip"
                                                              << "rewrite"
                                                              << "The package changed after it was checked";
}

void TestComponentInstall::changedAfterTheCheck() {
    // Anything running as this user may change the package between the download's check and the installer:
    // root's installer checks its own copy and installs only what was pinned.
    QFETCH(QString, served);
    QFETCH(QString, change);
    QFETCH(QString, logged);
    UseList(m_fixture.WriteList(served, m_fixture.DigestOf(served)));
    CAppleDriverInstall component;
    QVERIFY(component.check());
    QVERIFY(component.download());
    QVERIFY(component.decompress());
    const QList<CAbstractComponentInstall::Installable> files = component.installables(0);
    QCOMPARE(files.size(), 1);
    const QString file = files.at(0).file;
    QTemporaryDir other;
    const QString otherFile = other.filePath("other.deb");
    QFile otherPackage(otherFile);
    QVERIFY(otherPackage.open(QIODevice::WriteOnly));
    otherPackage.write("!<arch>\nnot the package that was checked\n");
    otherPackage.close();
    if (change == "rewrite") {
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::copy(otherFile, file));
    } else if (change == "link") {
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::link(otherFile, file));
    } else if (change == "fifo") {
        QVERIFY(QFile::remove(file));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (change == "remove") {
        QVERIFY(QFile::remove(file));
    }
    if (!logged.isEmpty())
        QTest::ignoreMessage(logged.startsWith("Can not") ? QtWarningMsg : QtCriticalMsg,
                             QRegularExpression(QRegularExpression::escape(logged)));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(component.install(), change.isEmpty());
    QVERIFY2(clock.elapsed() < 20000, "the installer did not end");
    QCOMPARE(component.isInstallFinished(), change.isEmpty());
    const QList<ComponentFixture::Call> calls = m_fixture.InstallerCalls();
    QCOMPARE(calls.size(), change.isEmpty() ? 1 : 0);
    if (!calls.isEmpty())
        QCOMPARE(calls.at(0).digest, m_fixture.PackageDigest());
    const QString cache = m_fixture.AbsentRoot() + "/var/cache/mendra";
    QCOMPARE(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestComponentInstall)
#include "tst_componentinstall.moc"
