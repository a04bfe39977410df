#include "ProfileReader.h"
#include "SettingsTestEnv.h"

#include <QtTest>

// The media profile readers on small fixtures in place of the three resources.
class TestProfileReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void missingResourcesGiveEmptyResults();
    void codecSpecByNum();
    void profilesByName();
    void codecs();
    void givenFileReaders();

private:
    void useFixtures(ProfileReader& r) const {
        r.SetResourceFiles(m_dir.filePath(QStringLiteral("Profile.xml")),
                           m_dir.filePath(QStringLiteral("CodecSpec.xml")),
                           m_dir.filePath(QStringLiteral("Codec.xml")));
    }

    QTemporaryDir m_dir;
};

void TestProfileReader::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(SettingsTestEnv::WriteAll(m_dir.filePath(QStringLiteral("Profile.xml")),
                                      "<Profile><Group Name=\"Apple\"><Item Name=\"iPhone MP4\" Parent=\"Apple\"/>"
                                      "<Item Name=\"iPad MP4\" Parent=\"Apple\"/><Item Name=\"iPod\"/></Group>"
                                      "<Group Name=\"Audio\"><Item Name=\"MP3\" Ext=\"Mp3\"/></Group></Profile>"));
    QVERIFY(SettingsTestEnv::WriteAll(
        m_dir.filePath(QStringLiteral("CodecSpec.xml")),
        "<Spec><Kind Num=\"1\"><Format Num=\"1\" extName=\"mp4\" IsVideo=\"1\" List=\"a,b\" Default=\"a\">"
        "<Audio AQuality=\"128\"/><Video VQuality=\"high\"/></Format></Kind>"
        "<Format Num=\"2\" extName=\"mp3\" IsVideo=\"0\"><Audio AQuality=\"320\"/></Format></Spec>"));
    QVERIFY(SettingsTestEnv::WriteAll(m_dir.filePath(QStringLiteral("Codec.xml")),
                                      "<Codec><Video><Size Name=\"HD\" VSize=\"1280x720\" VFrameRate=\"30\" "
                                      "StandardName=\"720p\" Type=\"wide\"/><Size Name=\"SD\" VSize=\"640x480\" "
                                      "Type=\"narrow\"/><Size Name=\"FHD\" Type=\"WIDE\"/></Video>"
                                      "<Audio><Size Name=\"Stereo\" Type=\"wide\"/></Audio></Codec>"));
}

void TestProfileReader::missingResourcesGiveEmptyResults() {
    ProfileReader r; // the program's resources hold no profiles
    QVERIFY(!r.CodecSpecPathExists(QStringLiteral("1")));
    QVERIFY(!r.CodecSpecPathHasChild(QStringLiteral("1"), QStringLiteral("Audio")));
    QVERIFY(!r.CodecPathExists(QStringLiteral("Video")));
    QVERIFY(!r.ProfilePathExists(QStringLiteral("Apple")));
    QVERIFY(!r.CodecAttributeExists(QStringLiteral("Video"), QStringLiteral("Type"), QStringLiteral("wide")));
    QVERIFY(r.CodecList(QStringLiteral("Video"), QStringLiteral("Name"), QString()).isEmpty());
    QVERIFY(r.ProfileList(QStringLiteral("Apple"), QStringLiteral("Name"), QString()).isEmpty());
    QVERIFY(r.ProfileAttributeLookup(QStringLiteral("Name"), QStringLiteral("MP3")).isEmpty());
    QVERIFY(r.ProfileEntries().isEmpty());
    QVERIFY(r.SizeTable(QStringLiteral("Video")).isEmpty());
    QVERIFY(r.NamesByAttribute(QStringLiteral("Video"), QStringLiteral("Type"), QStringLiteral("wide")).isEmpty());
}

void TestProfileReader::codecSpecByNum() {
    ProfileReader r;
    useFixtures(r);
    QVERIFY(r.CodecSpecPathExists(QStringLiteral("1")));
    QVERIFY(r.CodecSpecPathExists(QStringLiteral("2")));
    QVERIFY(!r.CodecSpecPathExists(QStringLiteral("3")));
    // "Kind" carries a Num too but never matches: the format inside it does.
    QVERIFY(r.CodecSpecPathHasChild(QStringLiteral("1"), QStringLiteral("video")));
    QVERIFY(!r.CodecSpecPathHasChild(QStringLiteral("2"), QStringLiteral("Video")));

    const QList<ProfileReader::ProfileEntry> entries = r.ProfileEntries();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[1].ExtName, QStringLiteral("mp4"));
    QCOMPARE(entries[1].AQuality, QStringLiteral("128"));
    QCOMPARE(entries[1].VQuality, QStringLiteral("high"));
    QCOMPARE(entries[1].List, (QStringList{"a", "b"}));
    QCOMPARE(entries[1].Default, QStringLiteral("a"));
    QCOMPARE(entries[2].IsVideo, QStringLiteral("0"));
    QCOMPARE(entries[2].VQuality, QString());
}

void TestProfileReader::profilesByName() {
    ProfileReader r;
    useFixtures(r);
    QVERIFY(r.ProfilePathExists(QStringLiteral("apple/IPOD")));
    QVERIFY(!r.ProfilePathExists(QStringLiteral("Audio/iPod")));
    QCOMPARE(r.ProfileList(QStringLiteral("Apple"), QStringLiteral("Name"), QStringLiteral("mp4")),
             (QStringList{"iPhone MP4", "iPad MP4"}));
    QCOMPARE(r.ProfileAttributeLookup(QStringLiteral("Ext"), QStringLiteral("MP3")), QStringList{"Mp3"});
    QCOMPARE(r.ProfileAttributeLookup(QStringLiteral("Ext"), QStringLiteral("ogg")), QStringList());
}

void TestProfileReader::codecs() {
    ProfileReader r;
    useFixtures(r);
    QVERIFY(r.CodecPathExists(QStringLiteral("Codec/Video")));
    QVERIFY(r.CodecAttributeExists(QStringLiteral("Video"), QStringLiteral("Type"), QStringLiteral("narrow")));
    QVERIFY(!r.CodecAttributeExists(QStringLiteral("Audio"), QStringLiteral("Type"), QStringLiteral("narrow")));
    QVERIFY(!r.CodecAttributeExists(QStringLiteral("Video"), QStringLiteral("Type"), QString()));
    QCOMPARE(r.CodecList(QStringLiteral("Video"), QStringLiteral("Name"), QStringLiteral("hd")),
             (QStringList{"HD", "FHD"}));
    QCOMPARE(r.NamesByAttribute(QStringLiteral("Video"), QStringLiteral("Type"), QStringLiteral("wide")),
             (QStringList{"HD", "FHD"}));

    const QList<ProfileReader::SizeEntry> sizes = r.SizeTable(QStringLiteral("Video"));
    QCOMPARE(sizes.size(), 3);
    QCOMPARE(sizes[0].VSize, QStringLiteral("1280x720"));
    QCOMPARE(sizes[0].VFrameRate, QStringLiteral("30"));
    QCOMPARE(sizes[0].StandardName, QStringLiteral("720p"));
    QCOMPARE(sizes[1].Name, QStringLiteral("SD"));
}

void TestProfileReader::givenFileReaders() {
    const QString file = m_dir.filePath(QStringLiteral("custom.xml"));
    QVERIFY(SettingsTestEnv::WriteAll(file,
                                      "<Custom><Profiles><P Name=\"one\" Parent=\"base\"><ImgPath Value=\"i.png\"/>"
                                      "<Video VQuality=\"hq\"/><Audio AQuality=\"lq\"/><IsVideo Value=\"1\"/>"
                                      "</P><P Name=\"two\"><Bitrate Value=\"96\"/></P></Profiles></Custom>"));
    ProfileReader r;
    QVERIFY(r.PathExists(file, QStringLiteral("Custom/Profiles")));
    QVERIFY(!r.PathExists(file, QStringLiteral("Profiles/Custom")));
    QCOMPARE(r.NamedValue(file, QStringLiteral("Profiles"), QStringLiteral("TWO"), QStringLiteral("bitrate")),
             QStringLiteral("96"));
    QCOMPARE(r.NamedValue(file, QStringLiteral("Profiles"), QStringLiteral("one"), QStringLiteral("Bitrate")),
             QString());

    const ProfileReader::ProfileRecord record =
        r.ReadProfileRecord(file, QStringLiteral("Profiles"), QStringLiteral("one"));
    QCOMPARE(record.Parent, QStringLiteral("base"));
    QCOMPARE(record.ImgPath, QStringLiteral("i.png"));
    QCOMPARE(record.VQuality, QStringLiteral("hq"));
    QCOMPARE(record.AQuality, QStringLiteral("lq"));
    QCOMPARE(record.IsVideo, QStringLiteral("1"));
    QCOMPARE(r.ReadProfileRecord(file, QStringLiteral("Profiles"), QStringLiteral("none")).Parent, QString());
    QVERIFY(!r.PathExists(m_dir.filePath(QStringLiteral("missing.xml")), QStringLiteral("Custom")));
}

QTEST_GUILESS_MAIN(TestProfileReader)
#include "tst_profilereader.moc"
