// Where installed system software is looked for, which package a machine takes, and the installer and
// archiver command lines.

#include "ArchiveCreator.h"
#include "ArchiveExtractor.h"
#include "MachineArchitecture.h"
#include "PackageInstaller.h"
#include "ProgramFolder.h"
#include "SupportSoftwareFolders.h"
#include "SystemRoot.h"

#include <QDir>
#include <QtTest>

class TestSystemLookup : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void underSystemRoot_data();
    void underSystemRoot();
    void searchedFolders_data();
    void searchedFolders();
    void architecture_data();
    void architecture();
    void commandLines();
};

void TestSystemLookup::cleanup() {
    qunsetenv("MENDRA_SYSTEM_ROOT");
}

void TestSystemLookup::underSystemRoot_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no root") << ""
                             << "/usr/sbin"
                             << "/usr/sbin";
    QTest::newRow("root") << "/tmp/fixture"
                          << "/usr/sbin"
                          << "/tmp/fixture/usr/sbin";
    QTest::newRow("root with a trailing slash") << "/tmp/fixture/"
                                                << "/usr/sbin/usbmuxd"
                                                << "/tmp/fixture/usr/sbin/usbmuxd";
    QTest::newRow("dot-dot stays inside") << "/tmp/fixture"
                                          << "/../../etc/passwd"
                                          << "/tmp/fixture/etc/passwd";
    QTest::newRow("relative entry is taken from the root") << "/tmp/fixture"
                                                           << "opt/x"
                                                           << "/tmp/fixture/opt/x";
}

void TestSystemLookup::underSystemRoot() {
    QFETCH(QString, root);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    if (!root.isEmpty())
        qputenv("MENDRA_SYSTEM_ROOT", root.toUtf8());
    QCOMPARE(platform::systemRootIsOverridden(), !root.isEmpty());
    QCOMPARE(platform::underSystemRoot(path), expected);
}

void TestSystemLookup::searchedFolders_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("this machine, then the PATH without repeats or relative entries")
        << "" << QStringList{"/usr/sbin", "/usr/local/sbin", "/opt/a/bin", "/usr/bin"};
    QTest::newRow("under a root, no PATH")
        << "/tmp/fixture" << QStringList{"/tmp/fixture/usr/sbin", "/tmp/fixture/usr/local/sbin"};
}

void TestSystemLookup::searchedFolders() {
    QFETCH(QString, root);
    QFETCH(QStringList, expected);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/opt/a/bin:relative/bin::/usr/sbin:/usr/bin/");
    if (!root.isEmpty())
        qputenv("MENDRA_SYSTEM_ROOT", root.toUtf8());
    const QStringList folders = platform::supportSoftwareFolders();
    qputenv("PATH", path);
    QCOMPARE(folders, expected);
    QCOMPARE(platform::supportDaemonName(), QStringLiteral("usbmuxd"));
}

void TestSystemLookup::architecture_data() {
    QTest::addColumn<QString>("machine");
    QTest::addColumn<QString>("expected");
    QTest::newRow("64-bit x86") << "x86_64"
                                << "amd64";
    QTest::newRow("i386") << "i386"
                          << "i386";
    QTest::newRow("i686") << "i686"
                          << "i386";
    QTest::newRow("64-bit ARM") << "arm64"
                                << "arm64";
    QTest::newRow("other, passed on") << "riscv64"
                                      << "riscv64";
}

void TestSystemLookup::architecture() {
    QFETCH(QString, machine);
    QFETCH(QString, expected);
    QCOMPARE(platform::packageArchitectureFor(machine), expected);
}

void TestSystemLookup::commandLines() {
    qunsetenv("MENDRA_SYSTEM_ROOT");
    // A relative file becomes absolute: the elevation helper starts the installer in another folder.
    const QByteArray digest(64, 'a');
    const platform::CommandLine install =
        platform::packageInstallCommand(QStringLiteral("sub/usbmuxd_amd64.deb"), digest);
    // The program's own installer, which checks the package again as root before the system's apt-get runs.
    QCOMPARE(install.program, platform::programFolder() + "/mendra-install-package");
    QCOMPARE(install.arguments, (QStringList{QDir::currentPath() + "/sub/usbmuxd_amd64.deb", QString(digest)}));

    const platform::CommandLine extract =
        platform::archiveExtractCommand(QStringLiteral("/tmp/a b/-pack.zip"), QStringLiteral("/tmp/a b/out"));
    QCOMPARE(extract.program, QStringLiteral("7z"));
    // The archive comes after "--", so a name starting with "-" is not read as a switch.
    QCOMPARE(extract.arguments, (QStringList{"x", "-y", "-o/tmp/a b/out", "--", "/tmp/a b/-pack.zip"}));

    // Every name of a new archive is one argument after "--", the archive's too; a relative one becomes absolute.
    const platform::CommandLine pack =
        platform::archiveCreateCommand(QStringLiteral("/tmp/a b/Tavik Mendra V2.1.dmp"),
                                       {QStringLiteral("/tmp/a b/-shot 1.png"), QStringLiteral("Log")});
    QCOMPARE(pack.program, QStringLiteral("7z"));
    QCOMPARE(pack.arguments, (QStringList{"a", "-t7z", "-y", "-bd", "--", "/tmp/a b/Tavik Mendra V2.1.dmp",
                                          "/tmp/a b/-shot 1.png", QDir::currentPath() + "/Log"}));
}

QTEST_GUILESS_MAIN(TestSystemLookup)
#include "tst_systemlookup.moc"
