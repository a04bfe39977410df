#include "SystemUtilities.h"

#include <QDesktopServices>
#include <QtTest>

#include "StandInProgram.h"

// The elevated start goes (as root, directly) to a stub script that records its arguments.
class TestSystemUtilities : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { m_opened << url; }

private slots:
    void initTestCase();
    void runElevated_data();
    void runElevated();
    void runElevatedAndWait();
    void diskFreeBytes();
    void openWithShell();
    void diskFree();
    void volumeQueriesOfMissingPaths();
    void opticalDriveNames_data();
    void opticalDriveNames();
    void listOpticalDrives();
    void powerOff();

private:
    QStringList recorded() const;
    QTemporaryDir m_dir;
    QString m_stub;
    QString m_record;
    QList<QUrl> m_opened;
};

void TestSystemUtilities::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_stub = m_dir.filePath("stub");
    m_record = m_dir.filePath("record");
    QVERIFY(StandIn::WriteRecorder(m_stub, m_record, 7));
    QDesktopServices::setUrlHandler("file", this, "open");
}

QStringList TestSystemUtilities::recorded() const {
    return StandIn::RecordedArguments(m_record);
}

void TestSystemUtilities::runElevated_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("two") << QStringList{"a", "b"};
    QTest::newRow("blank and quote") << QStringList{"/tmp/my file", "say \"hi\""};
}

void TestSystemUtilities::runElevated() {
    QFETCH(QStringList, arguments);
    QFile::remove(m_record);
    QVERIFY(RunElevated(m_stub, arguments, platform::ElevatedRunner(QString(), true)));
    QTRY_VERIFY(QFile::exists(m_record));
    QCOMPARE(recorded(), arguments + QStringList({"/adminoption", "1"}));
}

void TestSystemUtilities::runElevatedAndWait() {
    QFile::remove(m_record);
    QCOMPARE(RunElevatedAndWait(m_stub, {"x y"}, platform::ElevatedRunner(QString(), true)), 7);
    QCOMPARE(recorded(), QStringList{"x y"});
    QVERIFY(!RunElevated(m_dir.filePath("missing"), {}, platform::ElevatedRunner(QString(), true)));
}

void TestSystemUtilities::diskFreeBytes() {
    QVERIFY(GetDiskFreeBytes(m_dir.path()) >= 0);
    QVERIFY(GetDiskTotalBytes(m_dir.path()) > 0);
    QCOMPARE(GetDiskFreeBytes(QString()), qint64(-1));
    QCOMPARE(GetDiskFreeBytes(m_dir.filePath("missing")), qint64(-1));
}

void TestSystemUtilities::openWithShell() {
    m_opened.clear();
    QVERIFY(!OpenWithShell(m_dir.filePath("missing")));
    QVERIFY(!OpenWithShell(QString()));
    QVERIFY(m_opened.isEmpty());
    QVERIFY(OpenWithShell(m_stub));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(m_stub)});
}

void TestSystemUtilities::diskFree() {
    DiskFreeInfo info;
    QVERIFY(GetDiskFree(m_dir.path(), &info));
    QVERIFY(info.totalClusters > 0);
    QVERIFY(info.availableClusters <= info.totalClusters);
    QCOMPARE(info.sectorsPerCluster, 1u);
    const quint64 total = info.totalClusters * info.sectorsPerCluster * info.bytesPerSector;
    QVERIFY(total <= quint64(GetDiskTotalBytes(m_dir.path())));
    QVERIFY(quint64(GetDiskTotalBytes(m_dir.path())) - total < info.bytesPerSector);

    DiskFreeInfo untouched;
    QVERIFY(!GetDiskFree(QString(), &untouched));
    QVERIFY(!GetDiskFree(m_dir.filePath("missing"), &untouched));
    QCOMPARE(untouched.bytesPerSector, 0u);
}

void TestSystemUtilities::volumeQueriesOfMissingPaths() {
    for (const QString& path : {QString(), m_dir.filePath("missing")}) {
        QCOMPARE(VolumeLabel(path), QString());
        QVERIFY(!IsOpticalDrive(path));
        QVERIFY(!IsFat32Volume(path));
    }
    // The temporary folder is never on a disc or a FAT stick on a build machine.
    QVERIFY(!IsOpticalDrive(m_dir.path()));
    QCOMPARE(OpticalDriveDisplayPath("  " + m_dir.path() + "/a/../b/  "), m_dir.path() + "/b");
    QCOMPARE(OpticalDriveDisplayPath(" "), QString());
}

void TestSystemUtilities::opticalDriveNames_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("displayPath");
    QTest::newRow("label differs from folder") << "/mnt/cd"
                                               << "/dev/sr0"
                                               << "MOVIE"
                                               << "/mnt/cd/MOVIE"
                                               << "/mnt/cd/MOVIE";
    QTest::newRow("mounted under its label") << "/media/u/MOVIE"
                                             << "/dev/sr0"
                                             << "MOVIE"
                                             << "/media/u/MOVIE/"
                                             << "/media/u/MOVIE/";
    QTest::newRow("no label keeps the path") << "/mnt/cd/"
                                             << "/dev/sr1"
                                             << ""
                                             << "/mnt/cd/"
                                             << "/mnt/cd/x/y";
    QTest::newRow("label cleaned") << "/mnt/cd"
                                   << "/dev/sr0"
                                   << "A:B*"
                                   << "/mnt/cd/AB"
                                   << "/mnt/cd/AB";
    QTest::newRow("not a disc") << "/mnt/usb"
                                << "/dev/sdb1"
                                << "STICK"
                                << "/mnt/usb/STICK"
                                << "/mnt/cd/x/y";
}

void TestSystemUtilities::opticalDriveNames() {
    QFETCH(QString, root);
    QFETCH(QString, device);
    QFETCH(QString, label);
    QFETCH(QString, name);
    QFETCH(QString, displayPath);
    platform::VolumeInfo volume;
    volume.rootPath = root;
    volume.device = device;
    volume.name = label;
    QCOMPARE(OpticalDriveName(volume), name);
    QCOMPARE(OpticalDriveDisplayPath(" /mnt/cd//x/y ", volume), displayPath);
}

void TestSystemUtilities::listOpticalDrives() {
    platform::VolumeInfo system{"/", "/dev/sda1", "ext4", "root"};
    platform::VolumeInfo disc{"/media/u/cd", "/dev/sr0", "iso9660", "FILMS"};
    platform::VolumeInfo image{"/mnt/image", "/dev/loop0", "udf", ""};
    QCOMPARE(ListOpticalDrives({system, disc, image}), QStringList({"/media/u/cd/FILMS", "/mnt/image/"}));
    QCOMPARE(ListOpticalDrives({system}), QStringList());
}

void TestSystemUtilities::powerOff() {
    // Through the elevation stand-in only: the request must never reach the real system.
    const platform::ElevatedRunner runner(m_stub, false);
    QFile::remove(m_record);
    qputenv("MENDRA_ARGS_EXIT", "0");
    qunsetenv("MENDRA_SYSTEM_ROOT");
    QVERIFY(PowerOffSystem(runner));
    // The system's own systemctl, never one found on the user's PATH.
    QCOMPARE(recorded(), (QStringList{"/usr/bin/systemctl", "poweroff"}));
    qputenv("MENDRA_SYSTEM_ROOT", m_dir.path().toUtf8());
    QVERIFY(PowerOffSystem(runner));
    qunsetenv("MENDRA_SYSTEM_ROOT");
    QCOMPARE(recorded(), (QStringList{m_dir.path() + "/usr/bin/systemctl", "poweroff"}));

    qputenv("MENDRA_ARGS_EXIT", "126"); // the user refused
    QVERIFY(!PowerOffSystem(runner));
    qunsetenv("MENDRA_ARGS_EXIT");
}

QTEST_MAIN(TestSystemUtilities)
#include "tst_systemutilities.moc"
