// The installer that runs as root (mendra-install-package), started as the program starts it, through the
// elevation runner: it must install exactly the pinned package, from its own copy in a folder that only root
// can write, with the system's apt-get under the system root. A stand-in apt-get there records what it got
// and the digest of the bytes it saw.

#include "ElevatedRunner.h"
#include "PackageInstaller.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "StandInProgram.h"

#include <unistd.h>

namespace {

const QByteArray kPackage = "!<arch>\ndebian-binary   the package that was pinned\n";

QByteArray Sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPackageInstaller : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void install_data();
    void install();

private:
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestPackageInstaller::initTestCase() {
    QVERIFY(m_dir.isValid());
    platform::setPackageInstallProgram(QStringLiteral(PACKAGE_INSTALL_PROGRAM));
}

void TestPackageInstaller::cleanupTestCase() {
    qunsetenv("MENDRA_SYSTEM_ROOT");
}

void TestPackageInstaller::init() {
    // A fresh system root for every case, with the stand-in apt-get and an elevation helper that hands
    // the installer a different file once the caller has checked it, when asked to.
    const QString root = Path(QStringLiteral("root-%1").arg(QString(QTest::currentDataTag()).replace(' ', '-')));
    QVERIFY(QDir().mkpath(root + "/usr/bin") && QDir().mkpath(root + "/var/cache"));
    QVERIFY(StandIn::Write(root + "/usr/bin/apt-get",
                           "last=\"\"\nfor a in \"$@\"; do last=$a; done\n"
                           "printf '%s\\n' \"$@\" \"$(stat -c '%a %u' \"$(dirname \"$last\")\")\" "
                           "\"$(sha256sum \"$last\" | cut -d' ' -f1)\" \"${DEBIAN_FRONTEND:-unset}\" "
                           "\"$(readlink /proc/self/fd/0)\" > " +
                               StandIn::ShellQuoted(root + "/apt-get.call") + "\nexit \"${MENDRA_APT_EXIT:-0}\"\n"));
    // As pkexec, it starts the program with an environment of its own.
    QVERIFY(StandIn::Write(root + "/usr/bin/pkexec", "[ -n \"$MENDRA_SWAP\" ] && cp \"$MENDRA_SWAP\" \"$2\"\n"
                                                     "exec /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin "
                                                     "MENDRA_SYSTEM_ROOT=\"$MENDRA_SYSTEM_ROOT\" "
                                                     "MENDRA_APT_EXIT=\"$MENDRA_APT_EXIT\" \"$@\"\n"));
    qputenv("MENDRA_SYSTEM_ROOT", root.toUtf8());
    qunsetenv("MENDRA_APT_EXIT");
    qunsetenv("MENDRA_SWAP");
    qunsetenv("DEBIAN_FRONTEND");
    QVERIFY(WriteFile(Path("usbmuxd_amd64.deb"), kPackage));
    QVERIFY(WriteFile(Path("other.deb"), "!<arch>\nanother package\n"));
}

void TestPackageInstaller::install_data() {
    QTest::addColumn<QString>("package");
    QTest::addColumn<QByteArray>("digest");
    QTest::addColumn<QString>("setup"); // what else is true of the machine or the run
    QTest::addColumn<int>("status");    // the installer's exit status
    QTest::addColumn<bool>("aptRuns");

    const QByteArray good = Sha256(kPackage);
    QTest::newRow("the pinned package") << "usbmuxd_amd64.deb" << good << "" << 0 << true;
    QTest::newRow("upper-case digest") << "usbmuxd_amd64.deb" << good.toUpper() << "" << 0 << true;
    QTest::newRow("through the elevation helper") << "usbmuxd_amd64.deb" << good << "helper" << 0 << true;
    QTest::newRow("a caller that asks for questions") << "usbmuxd_amd64.deb" << good << "dialog frontend" << 0 << true;
    QTest::newRow("swapped by the time root reads it")
        << "usbmuxd_amd64.deb" << good << "swap" << platform::kPackageChangedStatus << false;
    QTest::newRow("another digest") << "usbmuxd_amd64.deb" << Sha256("x") << "" << platform::kPackageChangedStatus
                                    << false;
    QTest::newRow("no SHA-256") << "usbmuxd_amd64.deb" << QByteArray("abc") << "" << 64 << false;
    QTest::newRow("no such file") << "missing.deb" << good << "" << 66 << false;
    QTest::newRow("a folder") << "." << good << "" << 66 << false;
    QTest::newRow("apt-get fails") << "usbmuxd_amd64.deb" << good << "apt fails" << 100 << true;
    QTest::newRow("no apt-get on the system") << "usbmuxd_amd64.deb" << good << "no apt" << 69 << false;
    QTest::newRow("a cache folder others may write") << "usbmuxd_amd64.deb" << good << "open cache" << 73 << false;
    QTest::newRow("a cache folder that is a link") << "usbmuxd_amd64.deb" << good << "linked cache" << 73 << false;
}

void TestPackageInstaller::install() {
    QFETCH(QString, package);
    QFETCH(QByteArray, digest);
    QFETCH(QString, setup);
    QFETCH(int, status);
    QFETCH(bool, aptRuns);
    const QString root = qEnvironmentVariable("MENDRA_SYSTEM_ROOT");
    const QString cache = root + "/var/cache/mendra";
    if (setup == "swap")
        qputenv("MENDRA_SWAP", Path("other.deb").toUtf8());
    if (setup == "apt fails")
        qputenv("MENDRA_APT_EXIT", "100");
    if (setup == "dialog frontend")
        qputenv("DEBIAN_FRONTEND", "dialog");
    if (setup == "no apt")
        QVERIFY(QFile::remove(root + "/usr/bin/apt-get"));
    if (setup == "open cache") {
        QVERIFY(QDir().mkpath(cache));
        QVERIFY(QFile::setPermissions(cache, QFileDevice::Permissions(0x7777)));
    }
    if (setup == "linked cache")
        QVERIFY(QFile::link(Path("."), cache));

    const bool viaHelper = setup == "helper" || setup == "swap";
    const platform::ElevatedRunner runner(root + "/usr/bin/pkexec", !viaHelper);
    const platform::CommandLine command = platform::packageInstallCommand(Path(package), digest);
    QCOMPARE(runner.runAndWait(command.program, command.arguments), status);

    const QStringList call = QString::fromUtf8(ReadFile(root + "/apt-get.call")).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(!call.isEmpty(), aptRuns);
    if (aptRuns) {
        // "install -y <root's copy>", the copy's folder private to root, the bytes those that were pinned, and
        // no question that could wait for an answer.
        QCOMPARE(call.size(), 7);
        QCOMPARE(call.at(5), QStringLiteral("noninteractive"));
        QCOMPARE(call.at(6), QStringLiteral("/dev/null"));
        QCOMPARE(call.mid(0, 2), (QStringList{"install", "-y"}));
        QVERIFY2(call.at(2).startsWith(cache + "/install-"), qPrintable(call.at(2)));
        QVERIFY(call.at(2).endsWith("/usbmuxd_amd64.deb"));
        QCOMPARE(call.at(3), QString("700 %1").arg(::geteuid()));
        QCOMPARE(call.at(4).toLatin1(), Sha256(kPackage));
    }
    // The user's file is left as it is; root's copy is gone.
    if (!setup.endsWith("cache"))
        QCOMPARE(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestPackageInstaller)
#include "tst_packageinstaller.moc"
