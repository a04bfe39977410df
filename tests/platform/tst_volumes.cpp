#include "Volumes.h"

#include <QtTest>

class TestVolumes : public QObject {
    Q_OBJECT
private slots:
    void volumeOfPath();
    void kinds_data();
    void kinds();
    void mountedVolumesSorted();
};

void TestVolumes::volumeOfPath() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    platform::VolumeInfo volume;
    QVERIFY(platform::volumeOf(dir.path(), &volume));
    QVERIFY(dir.path().startsWith(volume.rootPath));
    QVERIFY(volume.bytesTotal > 0);
    QVERIFY(volume.blockSize > 0);

    platform::VolumeInfo untouched;
    untouched.name = "kept";
    QVERIFY(!platform::volumeOf(QString(), &untouched));
    QVERIFY(!platform::volumeOf(dir.filePath("missing"), &untouched));
    QCOMPARE(untouched.name, QString("kept"));
}

void TestVolumes::kinds_data() {
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("fileSystem");
    QTest::addColumn<bool>("optical");
    QTest::addColumn<bool>("fat");
    QTest::newRow("cd drive") << "/dev/sr0"
                              << "iso9660" << true << false;
    QTest::newRow("old scsi cd name") << "/dev/scd1"
                                      << "udf" << true << false;
    QTest::newRow("cdrom link, odd type") << "/dev/cdrom"
                                          << "auto" << true << false;
    QTest::newRow("disc image on loop") << "/dev/loop3"
                                        << "ISO9660" << true << false;
    QTest::newRow("blu-ray image") << "/dev/loop4"
                                   << "udf" << true << false;
    QTest::newRow("disk named like sr elsewhere") << "/srv/sr0"
                                                  << "ext4" << false << false;
    QTest::newRow("usb stick") << "/dev/sdb1"
                               << "vfat" << false << true;
    QTest::newRow("old fat") << "/dev/sdc1"
                             << "msdos" << false << true;
    QTest::newRow("exfat is not fat") << "/dev/sdd1"
                                      << "exfat" << false << false;
    QTest::newRow("system disk") << "/dev/nvme0n1p2"
                                 << "ext4" << false << false;
    QTest::newRow("nothing known") << ""
                                   << "" << false << false;
}

void TestVolumes::kinds() {
    QFETCH(QString, device);
    QFETCH(QString, fileSystem);
    QFETCH(bool, optical);
    QFETCH(bool, fat);
    platform::VolumeInfo volume;
    volume.device = device;
    volume.fileSystemType = fileSystem;
    QCOMPARE(platform::isOpticalVolume(volume), optical);
    QCOMPARE(platform::isFatVolume(volume), fat);
}

void TestVolumes::mountedVolumesSorted() {
    const QList<platform::VolumeInfo> volumes = platform::mountedVolumes();
    QVERIFY(!volumes.isEmpty());
    for (int i = 1; i < volumes.size(); ++i)
        QVERIFY(volumes[i - 1].rootPath <= volumes[i].rootPath);
}

QTEST_GUILESS_MAIN(TestVolumes)
#include "tst_volumes.moc"
