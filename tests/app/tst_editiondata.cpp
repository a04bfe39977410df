#include "app/EditionData.h"
#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

using Fields = QMap<QString, QString>;
Q_DECLARE_METATYPE(Fields)

namespace {

const char kEmbedded[] = ":/Tavik/Resources/Edition/Configuration.xml";

// A configuration with one edition block; `inner` is what stands inside the "Edition" element.
QByteArray Configuration(const QString& inner, const QString& brand = QStringLiteral("Tavik"),
                         const QString& level = QStringLiteral("ml")) {
    QString edition = QStringLiteral("<Edition Type=\"mendra\">%1</Edition>").arg(inner);
    if (!level.isEmpty())
        edition = QStringLiteral("<%1>%2</%1>").arg(level, edition);
    if (!brand.isEmpty())
        edition = QStringLiteral("<%1>%2</%1>").arg(brand, edition);
    return QStringLiteral("<?xml version=\"1.0\"?><configuration><EditionInfo><Win>%1</Win></EditionInfo>"
                          "</configuration>")
        .arg(edition)
        .toUtf8();
}

const char kKeys[] = "<Version>2.1</Version><ProductName>Mendra</ProductName><RegName>Tavik Mendra</RegName>"
                     "<Stalink>http://stats.tavik.example/c</Stalink><Home>http://tavik.example/</Home>"
                     "<Support>http://tavik.example/support</Support>";

QString Field(const MyApplicationData& data, const QString& name) {
    const QMap<QString, QString> fields{
        {"Language", data.Language},
        {"Email", data.Email},
        {"FullProductName", data.FullProductName},
        {"ProductName", data.ProductName},
        {"Version", data.Version},
        {"UpdateName", data.UpdateName},
        {"CopyrightTime", data.CopyrightTime},
        {"Dir", data.Dir},
        {"RegName", data.RegName},
        {"DataSubDir", data.DataSubDir},
        {"OldDataSubDir", data.OldDataSubDir},
        {"Stalink", data.Stalink},
        {"UpdateUrl", data.UpdateUrl},
        {"Home", data.Home},
        {"Support", data.Support},
        {"Tutorial", data.Tutorial},
        {"Rate", data.Rate},
        {"Youtube", data.Youtube},
        {"Nvidia", data.Nvidia},
    };
    if (!fields.contains(name))
        qFatal("unknown field %s", qPrintable(name));
    return fields.value(name);
}

QString Sub(const QString& path) {
    return QString(path).replace(QLatin1Char('/'), QDir::separator());
}

} // namespace

class TestEditionData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void readsFields_data();
    void readsFields();
    void brokenConfigurationLeavesEverythingEmpty_data();
    void brokenConfigurationLeavesEverythingEmpty();
    void setLanguage_data();
    void setLanguage();
    void statisticsLink_data();
    void statisticsLink();
    void link_data();
    void link();
    void openLinkOpensTheLanguageLink();
    void findChildByType();
    void loadEditionData();
    void startupLanguageIsSupported();

public slots:
    void OpenUrl(const QUrl& url) { m_opened.append(url); }

private:
    QList<QUrl> m_opened;
    QString WriteFixture(const QByteArray& content);

    QTemporaryDir m_dir;
    int m_fixtures = 0;
};

void TestEditionData::initTestCase() {
    QVERIFY(m_dir.isValid());
}

QString TestEditionData::WriteFixture(const QByteArray& content) {
    const QString path = m_dir.filePath(QStringLiteral("config%1.xml").arg(++m_fixtures));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestEditionData::readsFields_data() {
    QTest::addColumn<QByteArray>("config"); // empty: the embedded configuration
    QTest::addColumn<QString>("brand");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<Fields>("expected");

    const QStringList all{"zh", "en", "fr", "jp", "de"};
    const QString stats = QStringLiteral("https://stats.tavik.example/mendra/count.html?ver=1.0.0.1&lang=");

    QTest::newRow("embedded jp: links from the jp block, the rest from the base keys")
        << QByteArray() << "Tavik"
        << "jp" << all
        << Fields{{"Language", "jp"},
                  {"Version", "1.0.0.1"},
                  {"RegName", "Tavik Mendra"},
                  {"UpdateName", "Tavik Mendra"},
                  {"UpdateUrl", "https://update.tavik.example/update/update_Mendra.xml"},
                  {"ProductName", "Mendra"},
                  {"FullProductName", "Tavik Mendra"},
                  {"DataSubDir", Sub("Tavik/Mendra/")},
                  {"OldDataSubDir", Sub("Tavik/Mendra/")},
                  {"Email", "support.jp@tavik.example"},
                  {"Home", "https://jp.tavik.example/mendra/"},
                  {"Support", "https://jp.tavik.example/support/"},
                  {"Tutorial", "https://jp.tavik.example/mendra/guide.html"},
                  {"Rate", "https://www.tavik.example/mendra/rate.html"},
                  {"Stalink", stats + "jp"},
                  {"Nvidia", ""}};
    QTest::newRow("embedded en: empty block, every value from the base keys")
        << QByteArray() << "Tavik"
        << "en" << all
        << Fields{{"Email", "support@tavik.example"},
                  {"Home", "https://www.tavik.example/mendra/"},
                  {"Support", "https://www.tavik.example/support/"},
                  {"Stalink", stats + "en"}};
    QTest::newRow("embedded zh: listed without a block, takes the en block")
        << QByteArray() << "Tavik"
        << "zh" << all
        << Fields{{"Language", "zh"}, {"Home", "https://www.tavik.example/mendra/"}, {"Stalink", stats + "zh"}};

    const QByteArray withEnBlock = Configuration(
        QString(kKeys) + "<en><Home>http://en.tavik.example/</Home></en><fr><Home>http://fr/</Home></fr>");
    QTest::newRow("listed language without a block gets the en block")
        << withEnBlock << "Tavik"
        << "zh" << all << Fields{{"Home", "http://en.tavik.example/"}};
    QTest::newRow("unlisted start language: base keys alone")
        << withEnBlock << "Tavik"
        << "ru" << all
        << Fields{{"Language", "ru"},
                  {"Home", "http://tavik.example/"},
                  {"Stalink", "http://stats.tavik.example/c?ver=2.1&lang=ru"}};

    QTest::newRow("brand equal to the product name in another letter case")
        << Configuration(kKeys, "MENDRA") << "MENDRA"
        << "en" << all << Fields{{"FullProductName", "Mendra"}, {"DataSubDir", Sub("MENDRA/Mendra/")}};
    QTest::newRow("empty brand: no brand folder, product name alone")
        << Configuration(kKeys, QString()) << ""
        << "en" << all << Fields{{"FullProductName", "Mendra"}, {"DataSubDir", Sub("Mendra/")}};
    QTest::newRow("Dir and OldDir name the data folders")
        << Configuration(QString(kKeys) + "<Dir>Mendra Data</Dir><OldDir>Old</OldDir>") << "Tavik"
        << "en" << all
        << Fields{
               {"Dir", "Mendra Data"}, {"DataSubDir", Sub("Tavik/Mendra Data/")}, {"OldDataSubDir", Sub("Tavik/Old/")}};
    QTest::newRow("white space trimmed, empty key counts as missing, later key wins")
        << Configuration(QString(kKeys) + "<Rate>\n  http://a/ \n</Rate><Youtube></Youtube><Rate>http://b/</Rate>")
        << "Tavik"
        << "en" << all << Fields{{"Rate", "http://b/"}, {"Youtube", ""}};
    QTest::newRow("block of an unlisted language is skipped")
        << Configuration(QString(kKeys) + "<ru><Home>http://ru/</Home></ru>") << "Tavik"
        << "ru" << all << Fields{{"Home", "http://tavik.example/"}};
    QTest::newRow("single language: the language names the level")
        << Configuration(kKeys, "Tavik", "en") << "Tavik"
        << "en" << QStringList{"en"}
        << Fields{{"Version", "2.1"}, {"Stalink", "http://stats.tavik.example/c?ver=2.1&lang=en"}};
}

void TestEditionData::readsFields() {
    QFETCH(QByteArray, config);
    QFETCH(QString, brand);
    QFETCH(QString, language);
    QFETCH(QStringList, languages);
    QFETCH(Fields, expected);

    MendraData data(
        {config.isEmpty() ? QString(kEmbedded) : WriteFixture(config), "Win", brand, "Mendra", language, languages});
    QVERIFY(data.Loaded);
    QVERIFY(data.Read());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(Field(data, it.key()), it.value());
}

void TestEditionData::brokenConfigurationLeavesEverythingEmpty_data() {
    QTest::addColumn<QByteArray>("config"); // empty: no file at all
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("loaded");

    QTest::newRow("missing file") << QByteArray() << "Win" << false;
    QTest::newRow("not XML") << QByteArray("<Configuration><EditionInfo>") << "Win" << false;
    QTest::newRow("wrong root") << QByteArray("<Settings><EditionInfo/></Settings>") << "Win" << false;
    QTest::newRow("no block for the platform") << Configuration(kKeys) << "Linux" << true;
    QTest::newRow("no block for the language level") << Configuration(kKeys, "Tavik", "multi") << "Win" << true;
    QTest::newRow("edition of another product")
        << Configuration(kKeys).replace("Type=\"mendra\"", "Type=\"Other\"") << "Win" << true;
    QTest::newRow("edition without a single key") << Configuration("<Version></Version><en></en>") << "Win" << true;
}

void TestEditionData::brokenConfigurationLeavesEverythingEmpty() {
    QFETCH(QByteArray, config);
    QFETCH(QString, platform);
    QFETCH(bool, loaded);

    const QString path = config.isEmpty() ? m_dir.filePath("missing.xml") : WriteFixture(config);
    MendraData data({path, platform, "Tavik", "Mendra", "en", {"zh", "en"}});
    QCOMPARE(data.Loaded, loaded);
    QVERIFY(!data.Read());
    QVERIFY(data.GetLanguageMap("en").isEmpty());
    QVERIFY(data.RegName.isEmpty());
    QVERIFY(data.Stalink.isEmpty());
    QVERIFY(data.DataSubDir.isEmpty());
}

void TestEditionData::setLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("result");
    QTest::addColumn<Fields>("expected");

    const QString stats = QStringLiteral("https://stats.tavik.example/mendra/count.html?ver=1.0.0.1&lang=");
    QTest::newRow("empty code changes nothing") << "" << false << Fields{{"Language", "en"}, {"Stalink", stats + "en"}};
    QTest::newRow("same code changes nothing") << "en" << false << Fields{{"Language", "en"}};
    QTest::newRow("listed language with a block") << "de" << true
                                                  << Fields{{"Language", "de"},
                                                            {"Email", "support.de@tavik.example"},
                                                            {"Support", "https://de.tavik.example/support/"},
                                                            {"Stalink", stats + "de"}};
    QTest::newRow("unlisted language: base links, its code in the statistics link")
        << "ru" << true
        << Fields{{"Language", "ru"}, {"Home", "https://www.tavik.example/mendra/"}, {"Stalink", stats + "ru"}};
}

void TestEditionData::setLanguage() {
    QFETCH(QString, language);
    QFETCH(bool, result);
    QFETCH(Fields, expected);

    MendraData data({kEmbedded, "Win", "Tavik", "Mendra", "en", GetSupportedLanguages()});
    QVERIFY(data.Read());
    data.RegName = "changed";
    QCOMPARE(data.SetLanguage(language), result);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(Field(data, it.key()), it.value());
    // A language switch reads the links again, never the general fields.
    QCOMPARE(data.RegName, QStringLiteral("changed"));
}

void TestEditionData::statisticsLink_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty stays empty") << ""
                                       << "";
    QTest::newRow("adds ver and lang") << "http://s.tavik.example/c"
                                       << "http://s.tavik.example/c?ver=3.2&lang=fr";
    QTest::newRow("keeps its own lang") << "http://s.tavik.example/c?lang=xx"
                                        << "http://s.tavik.example/c?lang=xx&ver=3.2";
    QTest::newRow("keeps its own ver and other items") << "http://s.tavik.example/c?a=1&ver=9"
                                                       << "http://s.tavik.example/c?a=1&ver=9&lang=fr";
}

void TestEditionData::statisticsLink() {
    QFETCH(QString, link);
    QFETCH(QString, expected);

    MendraData data({kEmbedded, "Win", "Tavik", "Mendra", "fr", GetSupportedLanguages()});
    data.Version = "3.2";
    QCOMPARE(data.MakeStatisticsLink(link), expected);
}

void TestEditionData::link_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("expected");

    const QStringList all = GetSupportedLanguages();
    QTest::newRow("several languages: adds lang") << all << "http://tavik.example/a?x=1"
                                                  << "http://tavik.example/a?x=1&lang=de";
    QTest::newRow("several languages: keeps its lang") << all << "http://tavik.example/a?lang=en"
                                                       << "http://tavik.example/a?lang=en";
    QTest::newRow("single language: unchanged") << QStringList{"de"} << "http://tavik.example/a"
                                                << "http://tavik.example/a";
    QTest::newRow("empty link") << all << ""
                                << "";
}

void TestEditionData::link() {
    QFETCH(QStringList, languages);
    QFETCH(QString, link);
    QFETCH(QString, expected);

    MendraData data({kEmbedded, "Win", "Tavik", "Mendra", "de", languages});
    QCOMPARE(data.MakeLink(link).toString(), expected);
}

void TestEditionData::openLinkOpensTheLanguageLink() {
    QDesktopServices::setUrlHandler("https", this, "OpenUrl");
    MendraData data({kEmbedded, "Win", "Tavik", "Mendra", "fr", GetSupportedLanguages()});
    QVERIFY(data.Read());
    platform::openUrl(data.MakeLink(data.Support));
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(m_opened, QList<QUrl>{QUrl("https://fr.tavik.example/support/?lang=fr")});
}

void TestEditionData::findChildByType() {
    QDomDocument document;
    QVERIFY(document.setContent(QStringLiteral("<r><a Type=\"One\"/><b><c Type=\"two\"/></b><d Type=\"TWO\"/></r>")));
    const QDomElement root = document.documentElement();
    QCOMPARE(MyApplicationData::FindChildByType(root, "two").tagName(), QStringLiteral("d"));
    QCOMPARE(MyApplicationData::FindChildByType(root, "one").tagName(), QStringLiteral("a"));
    QVERIFY(MyApplicationData::FindChildByType(root, "three").isNull());
}

void TestEditionData::loadEditionData() {
    QVERIFY(LoadEditionData());
    QVERIFY(gAppData);
    QCOMPARE(gAppData->RegName, QStringLiteral("Tavik Mendra"));
    QCOMPARE(gAppData->Platform, QStringLiteral("Win"));
    QCOMPARE(gAppData->Languages, GetSupportedLanguages());
    QCOMPARE(gAppData->Language, GetStartupLanguage());
    QCOMPARE(GetEditionVersion(), QStringLiteral("1.0.0.1"));
    // Nothing in the shipped configuration may point anywhere but the reserved example domain.
    for (const QString& link :
         {gAppData->Stalink, gAppData->Home, gAppData->Support, gAppData->Tutorial, gAppData->Rate, gAppData->Facebook,
          gAppData->Twitter, gAppData->Youtube, gAppData->UpdateUrl}) {
        QVERIFY2(QUrl(link).host().endsWith(QLatin1String(".tavik.example")), qPrintable(link));
    }
    QVERIFY(gAppData->Email.endsWith(QLatin1String("@tavik.example")));
    FreeEditionData();
    QVERIFY(!gAppData);
    FreeEditionData();
    QCOMPARE(GetEditionVersion(), QString());
}

void TestEditionData::startupLanguageIsSupported() {
    QVERIFY(GetSupportedLanguages().contains(GetStartupLanguage()));
}

QTEST_GUILESS_MAIN(TestEditionData)
#include "tst_editiondata.moc"
