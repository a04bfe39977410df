#include "EditionData.h"
#include "FileModes.h"
#include "MyApplicationData.h"
#include "MyConfig.h"
#include "SettingsTestEnv.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QtTest>

#include <functional>
#include <memory>

// The program's settings with XDG_DATA_HOME, XDG_DATA_DIRS and HOME in a temp folder.
class TestMyConfig : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void firstStartFileContent();
    void defaults();
    void secondStartIsNotFirstRun();
    void foldersFromProcessEditionData();
    void storedValues_data();
    void storedValues();
    void damagedFileStartsAfresh();
    void settingsAreTheUsersAlone_data();
    void settingsAreTheUsersAlone();
    void readOnlyLeavesTheFileAsItWas_data();
    void readOnlyLeavesTheFileAsItWas();
    void saveFlag();
    void saveAllAtDestruction();
    void saveAllReportsFailure();
    void emptyBrand();
    void applyConfigProxy_data();
    void applyConfigProxy();
    void applyConfigProxyHost_data();
    void applyConfigProxyHost();
    void otherFormsWrappers();
    void pickFromList_data();
    void pickFromList();

private:
    QString settingsFile() const { return m_env->DataHome() + QStringLiteral("/Tavik/Mendra/config.xml"); }
    QString firmwareFolder() const { return m_env->Home() + QStringLiteral("/Documents/Tavik/Mendra/firmware"); }
    void writeSettings(const QByteArray& options) const {
        SettingsTestEnv::WriteAll(settingsFile(), "<config><Options>" + options + "</Options></config>");
    }

    std::unique_ptr<SettingsTestEnv> m_env;
    std::unique_ptr<MyApplicationData> m_edition;
};

void TestMyConfig::initTestCase() {
    m_env = std::make_unique<SettingsTestEnv>();
    QVERIFY(m_env->IsValid());
    m_edition = SettingsTestEnv::Edition();
    m_edition->UpdateUrl = QStringLiteral("https://update.tavik.example/rules.xml");
}

void TestMyConfig::init() {
    m_env->Reset();
}

void TestMyConfig::cleanupTestCase() {
    FreeEditionData();
}

void TestMyConfig::firstStartFileContent() {
    auto config = std::make_unique<MyConfig>(*m_edition);
    const QByteArray declaration("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), declaration + "<config>\n"
                                                                     "    <Options>\n"
                                                                     "        <IsFirstRun>0</IsFirstRun>\n"
                                                                     "        <isIsDeleteFile>0</isIsDeleteFile>\n"
                                                                     "    </Options>\n"
                                                                     "</config>\n");
    config.reset();
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), declaration +
                                                           "<config>\n"
                                                           "    <Options>\n"
                                                           "        <IsFirstRun>0</IsFirstRun>\n"
                                                           "        <isIsDeleteFile>0</isIsDeleteFile>\n"
                                                           "        <Language>de</Language>\n"
                                                           "        <ImagePath/>\n"
                                                           "        <SkipVersion/>\n"
                                                           "        <Width>0</Width>\n"
                                                           "        <Height>0</Height>\n"
                                                           "        <DownloadPath>" +
                                                           firmwareFolder().toUtf8() +
                                                           "</DownloadPath>\n"
                                                           "    </Options>\n"
                                                           "</config>\n");
}

void TestMyConfig::defaults() {
    MyConfig config(*m_edition);
    QVERIFY(config.IsFirstRun());
    QCOMPARE(config.GetIsDeleteFile(), 0);
    QCOMPARE(config.GetLanguage(), QStringLiteral("de"));
    QCOMPARE(config.GetWidth(), 0);
    QCOMPARE(config.GetHeight(), 0);
    QCOMPARE(config.GetSkipVersion(), QString());
    QCOMPARE(config.GetDownloadPath(), firmwareFolder());
    QVERIFY(QFileInfo(firmwareFolder()).isDir());
    // The edition's address unless the settings name another.
    QCOMPARE(config.GetUpdateUrl(), QStringLiteral("https://update.tavik.example/rules.xml"));
    QCOMPARE(config.GetShowTips(), false);
    QCOMPARE(config.GetCustomName(), QString());
    QCOMPARE(config.GetCustomEmail(), QString());
    QCOMPARE(config.GetProxyName(), QString());
    QCOMPARE(config.GetProxyPassword(), QString());
    QCOMPARE(config.GetProxyHost(), QString());
    QCOMPARE(config.GetProxyPort(), QString());
    QCOMPARE(config.GetProxySwitch(), 0);
    QCOMPARE(config.GetProxyType(), 0);

    QCOMPARE(config.GetDataDir(), m_env->DataHome() + QStringLiteral("/Tavik/Mendra/"));
    QCOMPARE(config.GetFile(), settingsFile());
    QCOMPARE(config.GetAllUsersDataDir(), m_env->SystemData() + QStringLiteral("/Tavik/Mendra/"));
    QVERIFY(QFileInfo(config.GetAllUsersDataDir()).isDir());
    QCOMPARE(config.GetProgramDir(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QCOMPARE(config.GetAppDir(), config.GetProgramDir());
}

void TestMyConfig::secondStartIsNotFirstRun() {
    { MyConfig first(*m_edition); }
    MyConfig second(*m_edition);
    QVERIFY(!second.IsFirstRun());
}

void TestMyConfig::foldersFromProcessEditionData() {
    QVERIFY(LoadEditionData());
    MyConfig config;
    QCOMPARE(config.GetDataDir(), m_env->DataHome() + QLatin1Char('/') + gAppData->DataSubDir);
    QCOMPARE(config.GetLanguage(), gAppData->Language);
    QVERIFY(QFileInfo::exists(config.GetDataDir() + QStringLiteral("config.xml")));
}

void TestMyConfig::storedValues_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QString>("getter");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first run flag not 1") << QByteArray("<IsFirstRun>yes</IsFirstRun>") << "IsFirstRun"
                                          << "0";
    QTest::newRow("first run flag 1") << QByteArray("<IsFirstRun>1</IsFirstRun>") << "IsFirstRun"
                                      << "1";
    QTest::newRow("delete file") << QByteArray("<IsFirstRun>0</IsFirstRun><isIsDeleteFile>1</isIsDeleteFile>")
                                 << "isIsDeleteFile"
                                 << "1";
    QTest::newRow("delete file on first run") << QByteArray("<isIsDeleteFile>1</isIsDeleteFile>") << "isIsDeleteFile"
                                              << "0";
    QTest::newRow("delete file not a number")
        << QByteArray("<IsFirstRun>0</IsFirstRun><isIsDeleteFile>on</isIsDeleteFile>") << "isIsDeleteFile"
        << "0";
    QTest::newRow("language") << QByteArray("<Language>fr</Language>") << "Language"
                              << "fr";
    QTest::newRow("empty language") << QByteArray("<Language></Language>") << "Language"
                                    << "de";
    QTest::newRow("size") << QByteArray("<Width>1024</Width><Height>768</Height>") << "Size"
                          << "1024x768";
    QTest::newRow("skip version") << QByteArray("<SkipVersion>2.0.0.1</SkipVersion>") << "SkipVersion"
                                  << "2.0.0.1";
    QTest::newRow("download path") << QByteArray("<DownloadPath>/srv/fw</DownloadPath>") << "DownloadPath"
                                   << "/srv/fw";
    QTest::newRow("empty download path") << QByteArray("<DownloadPath/>") << "DownloadPath"
                                         << "<default>";
    QTest::newRow("update address") << QByteArray("<UpdateUrl>http://127.0.0.1/u.xml</UpdateUrl>") << "UpdateUrl"
                                    << "http://127.0.0.1/u.xml";
    // Never read at start: they live for one run only.
    QTest::newRow("sender name not read") << QByteArray("<CustomName>Ann</CustomName>") << "CustomName"
                                          << "";
    QTest::newRow("proxy not read") << QByteArray("<ProxySwitch>1</ProxySwitch><Host>h</Host>") << "Proxy"
                                    << "0 ";
}

void TestMyConfig::storedValues() {
    QFETCH(QByteArray, options);
    QFETCH(QString, getter);
    QFETCH(QString, expected);
    const QMap<QString, std::function<QString(const MyConfig&)>> getters{
        {"IsFirstRun", [](const MyConfig& c) { return QString::number(c.IsFirstRun()); }},
        {"isIsDeleteFile", [](const MyConfig& c) { return QString::number(c.GetIsDeleteFile()); }},
        {"Language", [](const MyConfig& c) { return c.GetLanguage(); }},
        {"Size", [](const MyConfig& c) { return QStringLiteral("%1x%2").arg(c.GetWidth()).arg(c.GetHeight()); }},
        {"SkipVersion", [](const MyConfig& c) { return c.GetSkipVersion(); }},
        {"DownloadPath", [](const MyConfig& c) { return c.GetDownloadPath(); }},
        {"UpdateUrl", [](const MyConfig& c) { return c.GetUpdateUrl(); }},
        {"CustomName", [](const MyConfig& c) { return c.GetCustomName(); }},
        {"Proxy", [](const MyConfig& c) { return QString::number(c.GetProxySwitch()) + ' ' + c.GetProxyHost(); }},
    };
    if (expected == QLatin1String("<default>"))
        expected = firmwareFolder();
    writeSettings(options);
    MyConfig config(*m_edition);
    QCOMPARE(getters.value(getter)(config), expected);
}

void TestMyConfig::damagedFileStartsAfresh() {
    SettingsTestEnv::WriteAll(settingsFile(), "[Options]\nLanguage=fr\nIsFirstRun=0\n");
    MyConfig config(*m_edition);
    QVERIFY(config.IsFirstRun());
    QCOMPARE(config.GetLanguage(), QStringLiteral("de"));
    QCOMPARE(config.GetValue(QStringLiteral("IsFirstRun")), QStringLiteral("0"));
    QCOMPARE(config.GetValue(QStringLiteral("isIsDeleteFile")), QStringLiteral("0"));
    const QStringList aside = QDir(config.GetDataDir()).entryList({QStringLiteral("config.xml.damaged-*")});
    QCOMPARE(aside.size(), 1);
}

void TestMyConfig::readOnlyLeavesTheFileAsItWas_data() {
    QTest::addColumn<QByteArray>("stored"); // empty: no file
    QTest::addColumn<bool>("firstRun");
    QTest::addColumn<QString>("language");

    QTest::newRow("no file") << QByteArray() << true << "de";
    QTest::newRow("fresh file") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config/>\n") << true
                                << "de";
    QTest::newRow("first run still to come")
        << QByteArray("<config><Options><IsFirstRun>1</IsFirstRun><Language>fr</Language></Options></config>") << true
        << "fr";
    QTest::newRow("after the first run")
        << QByteArray("<config>\n<Options><IsFirstRun>0</IsFirstRun><Width>640</Width></Options></config>") << false
        << "de";
}

void TestMyConfig::readOnlyLeavesTheFileAsItWas() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, firstRun);
    QFETCH(QString, language);
    if (!stored.isEmpty())
        QVERIFY(SettingsTestEnv::WriteAll(settingsFile(), stored));
    const QStringList before = QDir(m_env->Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    {
        MyConfig config(*m_edition, MyConfig::Access::ReadOnly);
        QCOMPARE(config.IsFirstRun(), firstRun);
        QCOMPARE(config.GetLanguage(), language);
        QCOMPARE(config.GetFile(), settingsFile());
        // Every write asked for is refused; the values still change in memory.
        QVERIFY(!config.SetLanguage(QStringLiteral("jp"), true));
        QCOMPARE(config.GetLanguage(), QStringLiteral("jp"));
        QVERIFY(!config.SetWidth(800));
        QVERIFY(!config.SetValueAttribute(QStringLiteral("Recent"), QStringLiteral("a"), true));
        QVERIFY(!config.SaveAll());
    }
    QCOMPARE(QFileInfo::exists(settingsFile()), !stored.isEmpty());
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), stored);
    // Not even the folders that a start makes.
    QCOMPARE(QDir(m_env->Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(!QFileInfo::exists(firmwareFolder()));
}

void TestMyConfig::saveFlag() {
    MyConfig config(*m_edition);
    const QString key = QStringLiteral("Language");
    QVERIFY(config.SetLanguage(QStringLiteral("fr"), false));
    QCOMPARE(config.GetLanguage(), QStringLiteral("fr"));
    QCOMPARE(config.GetValue(key), QString());
    QVERIFY(config.SetLanguage(QStringLiteral("jp"), true));
    QCOMPARE(config.GetValue(key), QStringLiteral("jp"));

    QVERIFY(config.SetShowTips(true, true));
    QCOMPARE(config.GetValue(QStringLiteral("ShowTips")), QStringLiteral("1"));
    QVERIFY(config.SetProxyType(3, true));
    QCOMPARE(config.GetValue(QStringLiteral("ProxyType")), QStringLiteral("3"));
    QVERIFY(config.SetWidth(1280));
    QCOMPARE(config.GetValue(QStringLiteral("Width")), QStringLiteral("1280"));
    QVERIFY(config.SetIsDeleteFile(1));
    QCOMPARE(config.GetValue(QStringLiteral("isIsDeleteFile")), QStringLiteral("1"));
}

void TestMyConfig::settingsAreTheUsersAlone_data() {
    QTest::addColumn<QString>("before"); // "none", "open" (as an earlier version left them) or "link"
    QTest::addColumn<int>("mask");

    QTest::newRow("made under an open mask") << "none" << 0;
    QTest::newRow("made under the usual mask") << "none" << 022;
    QTest::newRow("left open by an earlier version") << "open" << 022;
    QTest::newRow("left open, under an open mask") << "open" << 0;
    QTest::newRow("the file a link to one elsewhere") << "link" << 0;
}

// The settings may hold the proxy's password: the file is 0600 in a 0700 folder whatever the umask, from the
// start, and what an earlier version left open is narrowed. A settings file linked from elsewhere is written
// where the link leads, and the link stays.
void TestMyConfig::settingsAreTheUsersAlone() {
    QFETCH(QString, before);
    QFETCH(int, mask);
    const QString folder = QFileInfo(settingsFile()).absolutePath();
    const QString elsewhere = m_env->Home() + QStringLiteral("/dotfiles/config.xml");
    if (before == "open") {
        writeSettings("<Language>fr</Language>");
        QVERIFY(FileModes::Set(folder, 0755) && FileModes::Set(settingsFile(), 0644));
    } else if (before == "link") {
        QVERIFY(SettingsTestEnv::WriteAll(elsewhere, "<config><Options><Language>fr</Language></Options></config>"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::link(elsewhere, settingsFile()));
    }
    {
        FileModes::Umask umask(mask);
        MyConfig config(*m_edition);
        QCOMPARE(FileModes::Of(folder), mode_t(0700));
        QCOMPARE(FileModes::Of(settingsFile()), mode_t(0600));
        QVERIFY(config.SetProxyPassword(QStringLiteral("hunter2"), true));
        QCOMPARE(FileModes::Of(settingsFile()), mode_t(0600));
        QCOMPARE(config.GetLanguage(), before == "none" ? QStringLiteral("de") : QStringLiteral("fr"));
    }
    QCOMPARE(QFileInfo(settingsFile()).isSymLink(), before == "link");
    QVERIFY(SettingsTestEnv::ReadAll(settingsFile()).contains("hunter2"));
    QCOMPARE(FileModes::Of(settingsFile()), mode_t(0600));
    // Nothing of the writing is left beside the file.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("config.xml")});
}

void TestMyConfig::saveAllAtDestruction() {
    {
        MyConfig config(*m_edition);
        config.SetLanguage(QStringLiteral("fr"), false);
        config.SetSkipVersion(QStringLiteral("3.1"), false);
        config.SetDownloadPath(QStringLiteral("/srv/firmware"), false);
        config.SetCustomName(QStringLiteral("Ann"), false);
        QVERIFY(config.SetHeight(700));
    }
    MyConfig restarted(*m_edition);
    QCOMPARE(restarted.GetLanguage(), QStringLiteral("fr"));
    QCOMPARE(restarted.GetSkipVersion(), QStringLiteral("3.1"));
    QCOMPARE(restarted.GetDownloadPath(), QStringLiteral("/srv/firmware"));
    QCOMPARE(restarted.GetHeight(), 700);
    QCOMPARE(restarted.GetCustomName(), QString());
    QCOMPARE(SettingsTestEnv::CountElements(settingsFile(), QStringLiteral("Language")), 1);
}

void TestMyConfig::saveAllReportsFailure() {
    MyConfig config(*m_edition);
    QVERIFY(config.SaveAll());
    const QByteArray before = SettingsTestEnv::ReadAll(settingsFile());
    config.SetSkipVersion(QString(64 * 1024, QLatin1Char('9')), false);
    {
        FileSizeLimit limit(4096);
        QVERIFY(limit.IsValid());
        QVERIFY(!config.SaveAll());
    }
    QCOMPARE(SettingsTestEnv::ReadAll(settingsFile()), before);
    config.SetSkipVersion(QString(), false);
}

void TestMyConfig::emptyBrand() {
    AppDataParams params;
    params.ResourcePath = QStringLiteral(":/missing.xml");
    MyApplicationData edition(params);
    edition.ProductName = QStringLiteral("Mendra");
    edition.DataSubDir = QStringLiteral("Mendra/");
    MyConfig config(edition);
    QCOMPARE(config.GetDownloadPath(), m_env->Home() + QStringLiteral("/Documents/Mendra/firmware"));
    QCOMPARE(config.GetDataDir(), m_env->DataHome() + QStringLiteral("/Mendra/"));
}

void TestMyConfig::applyConfigProxy_data() {
    QTest::addColumn<int>("proxySwitch");
    QTest::addColumn<int>("proxyType");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("expectedType");
    QTest::addColumn<int>("expectedPort");

    QTest::newRow("switched off") << 0 << 0 << "8080" << int(QNetworkProxy::NoProxy) << 8080;
    QTest::newRow("switch not 1") << 2 << 0 << "8080" << int(QNetworkProxy::NoProxy) << 8080;
    QTest::newRow("HTTP") << 1 << 0 << "8080" << int(QNetworkProxy::HttpProxy) << 8080;
    QTest::newRow("SOCKS 5") << 1 << 1 << "1080" << int(QNetworkProxy::Socks5Proxy) << 1080;
    QTest::newRow("HTTP caching") << 1 << 2 << "3128" << int(QNetworkProxy::HttpCachingProxy) << 3128;
    QTest::newRow("FTP caching") << 1 << 3 << "21" << int(QNetworkProxy::FtpCachingProxy) << 21;
    QTest::newRow("unknown type") << 1 << 4 << "8080" << int(QNetworkProxy::NoProxy) << 8080;
    QTest::newRow("negative type") << 1 << -1 << "8080" << int(QNetworkProxy::NoProxy) << 8080;
    QTest::newRow("port not a number") << 1 << 0 << "http" << int(QNetworkProxy::HttpProxy) << 0;
    QTest::newRow("port out of range") << 1 << 0 << "70000" << int(QNetworkProxy::HttpProxy) << 0;
    QTest::newRow("no port") << 1 << 0 << "" << int(QNetworkProxy::HttpProxy) << 0;
}

void TestMyConfig::applyConfigProxy() {
    QFETCH(int, proxySwitch);
    QFETCH(int, proxyType);
    QFETCH(QString, port);
    QFETCH(int, expectedType);
    QFETCH(int, expectedPort);
    MyConfig config(*m_edition);
    config.SetProxySwitch(proxySwitch, false);
    config.SetProxyType(proxyType, false);
    config.SetProxyHost(QStringLiteral("proxy.local"), false);
    config.SetProxyPort(port, false);
    config.SetProxyName(QStringLiteral("user"), false);
    config.SetProxyPassword(QStringLiteral("secret"), false);

    const QNetworkProxy proxy = ApplyConfigProxy(config);
    QCOMPARE(int(proxy.type()), expectedType);
    QCOMPARE(int(proxy.port()), expectedPort);
    QCOMPARE(proxy.hostName(), QStringLiteral("proxy.local"));
    QCOMPARE(proxy.user(), QStringLiteral("user"));
    QCOMPARE(proxy.password(), QStringLiteral("secret"));
}

void TestMyConfig::applyConfigProxyHost_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name") << "proxy.local"
                          << "proxy.local";
    QTest::newRow("IPv4 address") << "192.0.2.7"
                                  << "192.0.2.7";
    QTest::newRow("IPv6 address") << "::1"
                                  << "::1";
    QTest::newRow("IPv6 address in brackets") << "[::1]"
                                              << "::1";
    QTest::newRow("IPv6 address in brackets between blanks") << " [2001:db8::7] "
                                                             << "2001:db8::7";
}

// The proxy host as Qt connects to it: an IPv6 address without the brackets of a web address.
void TestMyConfig::applyConfigProxyHost() {
    QFETCH(QString, host);
    QFETCH(QString, expected);
    MyConfig config(*m_edition);
    config.SetProxySwitch(1, false);
    config.SetProxyHost(host, false);
    config.SetProxyPort(QStringLiteral("3128"), false);
    const QNetworkProxy proxy = ApplyConfigProxy(config);
    QCOMPARE(proxy.hostName(), expected);
    QVERIFY(!QHostAddress(proxy.hostName()).isNull() || expected == QLatin1String("proxy.local"));
}

void TestMyConfig::otherFormsWrappers() {
    MyConfig config(*m_edition);
    const QString key = QStringLiteral("Recent");
    QVERIFY(!config.SetValueAttribute(key, QStringLiteral("a"), false));
    QCOMPARE(config.GetValueAttribute(key, QStringLiteral("none")), QStringLiteral("none"));
    QVERIFY(config.SetValueAttribute(key, QStringLiteral("a"), true));
    QCOMPARE(config.GetValueAttribute(key, QStringLiteral("none")), QStringLiteral("a"));

    const QStringList fallback{QStringLiteral("x")};
    QVERIFY(!config.SetList(QStringLiteral("Folders"), QStringLiteral("1"), {QStringLiteral("/a")}, false));
    QCOMPARE(config.GetList(QStringLiteral("Folders"), fallback), fallback);
    QVERIFY(config.SetList(QStringLiteral("Folders"), QStringLiteral("1"), {QStringLiteral("/a")}, true));
    QCOMPARE(config.GetList(QStringLiteral("Folders"), fallback), QStringList{QStringLiteral("/a")});
}

void TestMyConfig::pickFromList_data() {
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("present") << QStringList{"a", "b"} << "b"
                             << "b";
    QTest::newRow("absent") << QStringList{"a", "b"} << "c"
                            << "a";
    QTest::newRow("other case") << QStringList{"a", "b"} << "B"
                                << "a";
    QTest::newRow("empty list") << QStringList() << "a"
                                << "";
}

void TestMyConfig::pickFromList() {
    QFETCH(QStringList, list);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(MyConfig::PickFromList(list, value), expected);
}

QTEST_GUILESS_MAIN(TestMyConfig)
#include "tst_myconfig.moc"
