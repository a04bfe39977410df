#include "Config.h"
#include "DamagedXml.h"
#include "Download.h"
#include "MyApplicationData.h"
#include "MyConfig.h"
#include "ProfileReader.h"
#include "SettingsTestEnv.h"
#include "XmlDocFile.h"
#include "XmlPathReader.h"

#include <QtTest>

#include <memory>

using DamagedXml::Damage;

// Every XML reader of the application core fed the damaged forms of a file it reads well: none crashes,
// each refuses the whole file as unreadable, and the files the user owns are kept aside, never lost.
// Each test first reads the valid file, so that the damage alone makes the difference.
class TestDamagedXml : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void settingsHandle_data() { DamagedXml::AddRows(); }
    void settingsHandle();
    void settingsStore_data() { DamagedXml::AddRows(); }
    void settingsStore();
    void programSettings_data() { DamagedXml::AddRows(); }
    void programSettings();
    void pathReader_data() { DamagedXml::AddRows(); }
    void pathReader();
    void profileReaders_data() { DamagedXml::AddRows(); }
    void profileReaders();
    void editionData_data() { DamagedXml::AddRows(); }
    void editionData();
    void downloadQueue_data() { DamagedXml::AddRows(); }
    void downloadQueue();

private:
    QString settingsFile() const { return m_env->DataHome() + QStringLiteral("/Tavik/Mendra/config.xml"); }
    // Beside the settings, emptied with them before each test.
    QString file(const QString& name) const { return m_env->DataHome() + QLatin1Char('/') + name; }
    // Writes the damaged form of valid to path and returns it.
    static QByteArray WriteDamaged(const QString& path, const QByteArray& valid) {
        QFETCH(int, damage);
        const QByteArray bytes = DamagedXml::Apply(valid, Damage(damage));
        SettingsTestEnv::WriteAll(path, bytes);
        return bytes;
    }
    // The files beside path that hold a damaged copy of it.
    static QStringList KeptAside(const QString& path) {
        const QFileInfo info(path);
        const QDir folder = info.absoluteDir();
        QStringList found;
        for (const QString& name : folder.entryList({info.fileName() + QStringLiteral(".damaged-*")}, QDir::Files))
            found << folder.filePath(name);
        return found;
    }

    std::unique_ptr<SettingsTestEnv> m_env;
    std::unique_ptr<MyApplicationData> m_edition;
};

namespace {

const QByteArray kSettings("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<config>\n"
                           "    <Options>\n"
                           "        <IsFirstRun>0</IsFirstRun>\n"
                           "        <Language>fr</Language>\n"
                           "        <Width>1024</Width>\n"
                           "    </Options>\n"
                           "</config>\n");

const QByteArray kFreshSettings("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config/>\n");

} // namespace

void TestDamagedXml::initTestCase() {
    m_env = std::make_unique<SettingsTestEnv>();
    QVERIFY(m_env->IsValid());
    m_edition = SettingsTestEnv::Edition();
}

void TestDamagedXml::init() {
    m_env->Reset();
}

void TestDamagedXml::settingsHandle() {
    SettingsTestEnv::WriteAll(settingsFile(), kSettings);
    QVERIFY(XmlDocFile(settingsFile()).SetAsidePath().isEmpty());

    const QByteArray damaged = WriteDamaged(settingsFile(), kSettings);
    XmlDocFile doc(settingsFile());
    QVERIFY(doc.IsLoaded());
    QCOMPARE(KeptAside(settingsFile()), QStringList{doc.SetAsidePath()});
    QCOMPARE(SettingsTestEnv::ReadAll(doc.SetAsidePath()), damaged);
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), kFreshSettings);
    QVERIFY(!doc.RootElement().hasChildNodes());
}

void TestDamagedXml::settingsStore() {
    Config config(settingsFile());
    SettingsTestEnv::WriteAll(settingsFile(), kSettings);
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QStringLiteral("fr"));

    // Reads give nothing, not even the values before the damage, and leave the file as it is.
    const QByteArray damaged = WriteDamaged(settingsFile(), kSettings);
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QString());
    QCOMPARE(config.GetList(QStringLiteral("Options")), QStringList());
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), damaged);

    // The first write keeps the damaged file aside and starts a fresh one.
    QVERIFY(config.SetValue(QStringLiteral("Width"), QStringLiteral("800")));
    const QStringList aside = KeptAside(settingsFile());
    QCOMPARE(aside.size(), 1);
    QCOMPARE(SettingsTestEnv::ReadAll(aside.first()), damaged);
    QCOMPARE(config.GetValue(QStringLiteral("Width")), QStringLiteral("800"));
    QCOMPARE(config.GetValue(QStringLiteral("Language")), QString());
}

void TestDamagedXml::programSettings() {
    SettingsTestEnv::WriteAll(settingsFile(), kSettings);
    { QCOMPARE(MyConfig(*m_edition, MyConfig::Access::ReadOnly).GetLanguage(), QStringLiteral("fr")); }

    // Read-only (the statistics mode): the defaults, and the damaged file stays where and as it is.
    const QByteArray damaged = WriteDamaged(settingsFile(), kSettings);
    {
        MyConfig config(*m_edition, MyConfig::Access::ReadOnly);
        QVERIFY(config.IsFirstRun());
        QCOMPARE(config.GetLanguage(), QStringLiteral("de"));
        QCOMPARE(config.GetWidth(), 0);
    }
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), damaged);
    QVERIFY(KeptAside(settingsFile()).isEmpty());

    // A start: the defaults as on a first run, the damaged file kept aside at once.
    MyConfig config(*m_edition);
    QVERIFY(config.IsFirstRun());
    QCOMPARE(config.GetLanguage(), QStringLiteral("de"));
    QCOMPARE(config.GetWidth(), 0);
    const QStringList aside = KeptAside(settingsFile());
    QCOMPARE(aside.size(), 1);
    QCOMPARE(SettingsTestEnv::ReadAll(aside.first()), damaged);
    QCOMPARE(config.GetValue(QStringLiteral("IsFirstRun")), QStringLiteral("0"));
}

void TestDamagedXml::pathReader() {
    const QString path = file(QStringLiteral("doc.xml"));
    const QByteArray valid("<d><Queue><Task Name=\"a\"><K>1</K></Task><Task Name=\"b\"/></Queue></d>");
    SettingsTestEnv::WriteAll(path, valid);
    QCOMPARE(XmlPathReader().ReadText(path, QStringLiteral("Queue/Task"), QStringLiteral("K")), QStringLiteral("1"));

    WriteDamaged(path, valid);
    QCOMPARE(XmlPathReader().ReadText(path, QStringLiteral("Queue/Task"), QStringLiteral("K")), QString());
    QCOMPARE(XmlPathReader().ReadAttribute(path, QStringLiteral("Queue"), QStringLiteral("Task")), QString());
    QCOMPARE(XmlPathReader().ReadAttributeList(path, QStringLiteral("Queue"), QStringLiteral("Name"), QString()),
             QStringList());
    QFile device(path);
    XmlPathReader reader;
    QVERIFY(!reader.OpenPath(device, QStringLiteral("Queue")));
    QVERIFY(!device.isOpen());
}

void TestDamagedXml::profileReaders() {
    const QByteArray profile("<Profile><Group Name=\"Audio\"><Item Name=\"MP3\"/></Group></Profile>");
    const QByteArray codecSpec("<Spec><Format Num=\"2\" extName=\"mp3\"><Audio AQuality=\"320\"/></Format></Spec>");
    const QByteArray codec("<Codec><Video><Size Name=\"HD\" VSize=\"1280x720\" Type=\"wide\"/></Video></Codec>");
    const auto readAll = [this](const QString& note) {
        ProfileReader reader;
        reader.SetResourceFiles(file(QStringLiteral("Profile.xml")), file(QStringLiteral("CodecSpec.xml")),
                                file(QStringLiteral("Codec.xml")));
        return QStringList{
            note,
            reader.ProfileList(QStringLiteral("Audio"), QStringLiteral("Name"), QString()).join(','),
            reader.ProfileAttributeLookup(QStringLiteral("Name"), QStringLiteral("mp3")).join(','),
            QString::number(reader.CodecSpecPathExists(QStringLiteral("2"))),
            QString::number(reader.ProfileEntries().size()),
            QString::number(reader.SizeTable(QStringLiteral("Video")).size()),
            reader.NamesByAttribute(QStringLiteral("Video"), QStringLiteral("Type"), QStringLiteral("wide")).join(',')};
    };
    SettingsTestEnv::WriteAll(file(QStringLiteral("Profile.xml")), profile);
    SettingsTestEnv::WriteAll(file(QStringLiteral("CodecSpec.xml")), codecSpec);
    SettingsTestEnv::WriteAll(file(QStringLiteral("Codec.xml")), codec);
    QCOMPARE(readAll(QStringLiteral("valid")), (QStringList{"valid", "MP3", "MP3", "1", "1", "1", "HD"}));

    WriteDamaged(file(QStringLiteral("Profile.xml")), profile);
    WriteDamaged(file(QStringLiteral("CodecSpec.xml")), codecSpec);
    WriteDamaged(file(QStringLiteral("Codec.xml")), codec);
    QCOMPARE(readAll(QStringLiteral("damaged")), (QStringList{"damaged", "", "", "0", "0", "0", ""}));
}

void TestDamagedXml::editionData() {
    QFile embedded(QStringLiteral(":/Tavik/Resources/Edition/Configuration.xml"));
    QVERIFY(embedded.open(QIODevice::ReadOnly));
    const QByteArray valid = embedded.readAll();
    AppDataParams params;
    params.ResourcePath = file(QStringLiteral("Configuration.xml"));
    params.Platform = QStringLiteral("Win");
    params.Brand = QStringLiteral("Tavik");
    params.Product = QStringLiteral("Mendra");
    params.Language = QStringLiteral("en");
    params.Languages = QStringList{QStringLiteral("en"), QStringLiteral("de")};

    SettingsTestEnv::WriteAll(params.ResourcePath, valid);
    {
        MyApplicationData data(params);
        QVERIFY(data.Loaded);
        QVERIFY(data.Read());
        QVERIFY(!data.RegName.isEmpty());
    }

    WriteDamaged(params.ResourcePath, valid);
    MyApplicationData data(params);
    QVERIFY(!data.Loaded);
    QVERIFY(!data.Read());
    QCOMPARE(data.RegName, QString());
    QVERIFY(data.FindEditionElement(QStringLiteral("EditionInfo")).isNull());
}

void TestDamagedXml::downloadQueue() {
    const QString path = file(QStringLiteral("downloads.xml"));
    DownloadTask task;
    task.Name = QStringLiteral("clip");
    task.Url = QStringLiteral("http://127.0.0.1/clip");
    Download download(path);
    QVERIFY(download.AddTask(task));
    const QByteArray valid = SettingsTestEnv::ReadAll(path);
    QCOMPARE(download.GetTaskNames(), QStringList{"clip"});

    const QByteArray damaged = WriteDamaged(path, valid);
    QCOMPARE(download.GetTaskNames(), QStringList());
    QVERIFY(download.ReadTasks().isEmpty());
    QCOMPARE(SettingsTestEnv::ReadAll(path), damaged);

    task.Name = QStringLiteral("next");
    QVERIFY(download.AddTask(task));
    const QStringList aside = KeptAside(path);
    QCOMPARE(aside.size(), 1);
    QCOMPARE(SettingsTestEnv::ReadAll(aside.first()), damaged);
    QCOMPARE(download.GetTaskNames(), QStringList{"next"});
}

QTEST_GUILESS_MAIN(TestDamagedXml)
#include "tst_damagedxml.moc"
