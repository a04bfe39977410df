#include "app/EditionData.h"
#include "app/Language.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ChildTestRun.h"

namespace {

// Set in the copy of this test that runs under another LANG.
const char kExpectedCodeVariable[] = "MENDRA_TEST_EXPECTED_LANGUAGE";
const char kExpectedStartupVariable[] = "MENDRA_TEST_EXPECTED_STARTUP_LANGUAGE";

QString LanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QLatin1String("/Language");
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void codeForLocale_data();
    void codeForLocale();
    void systemLanguageFollowsLang_data();
    void systemLanguageFollowsLang();
    void systemLanguageInThisProcess();
    void displayNames();
    void loadTranslator_data();
    void loadTranslator();
};

void TestLanguage::codeForLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("code");

    QTest::newRow("Spanish") << "es_ES"
                             << "es";
    QTest::newRow("Danish is never chosen") << "da_DK"
                                            << "en";
    QTest::newRow("Italian is never chosen") << "it_IT"
                                             << "en";
    QTest::newRow("traditional Chinese counts as Chinese") << "zh_TW"
                                                           << "zh";
    QTest::newRow("Japanese has its own code") << "ja_JP"
                                               << "jp";
    QTest::newRow("any Portuguese") << "pt_PT"
                                    << "ptBR";
    QTest::newRow("Armenian") << "hy_AM"
                              << "hy";
    QTest::newRow("Arabic") << "ar_EG"
                            << "ar";
    QTest::newRow("C locale") << "C"
                              << "en";
}

void TestLanguage::codeForLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, code);
    QCOMPARE(LanguageCodeForLocale(QLocale(locale)), code);
}

void TestLanguage::systemLanguageFollowsLang_data() {
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("startup");

    QTest::newRow("German") << "de_DE.UTF-8"
                            << "de"
                            << "de";
    QTest::newRow("Japanese") << "ja_JP.UTF-8"
                              << "jp"
                              << "jp";
    QTest::newRow("simplified Chinese") << "zh_CN.UTF-8"
                                        << "zh"
                                        << "zh";
    QTest::newRow("Russian: has a code, the edition falls back") << "ru_RU.UTF-8"
                                                                 << "ru"
                                                                 << "en";
    QTest::newRow("Danish") << "da_DK.UTF-8"
                            << "en"
                            << "en";
    QTest::newRow("no locale") << "C"
                               << "en"
                               << "en";
}

// The system locale is read once per process, so each LANG runs in a fresh copy of this test.
void TestLanguage::systemLanguageFollowsLang() {
    QFETCH(QString, lang);
    QFETCH(QString, code);
    QFETCH(QString, startup);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANGUAGE"})
        environment.remove(QLatin1String(variable));
    environment.insert(QStringLiteral("LANG"), lang);
    environment.insert(QLatin1String(kExpectedCodeVariable), code);
    environment.insert(QLatin1String(kExpectedStartupVariable), startup);

    RunTestFunctionInChild(QStringLiteral("systemLanguageInThisProcess"), environment);
}

void TestLanguage::systemLanguageInThisProcess() {
    if (!qEnvironmentVariableIsSet(kExpectedCodeVariable))
        QSKIP("runs in the copies started by systemLanguageFollowsLang");
    QCOMPARE(SystemLanguageCode(), qEnvironmentVariable(kExpectedCodeVariable));
    QCOMPARE(GetStartupLanguage(), qEnvironmentVariable(kExpectedStartupVariable));
}

void TestLanguage::displayNames() {
    using Names = QList<QPair<QString, QString>>;
    QCOMPARE(LanguageDisplayName({"en", "xx", "FR"}), (Names{{"English", "en"},
                                                             {QString(), "xx"},
                                                             {QString::fromUtf8("Fran\xC3\xA7"
                                                                                "ais"),
                                                              "FR"}}));
    QCOMPARE(LanguageDisplayName({"jp", "ZH", "ptbr", "ru"}),
             (Names{{QString::fromUtf16(u"\u65E5\u672C\u8A9E"), "jp"},
                    {QString::fromUtf16(u"\u7B80\u4F53\u4E2D\u6587"), "ZH"},
                    {QStringLiteral("Portugu\u00EAs (Brasil)"), "ptbr"},
                    {QString::fromUtf16(u"\u0440\u0443\u0441\u0441\u043A\u0438\u0439"), "ru"}}));
    QVERIFY(LanguageDisplayName({}).isEmpty());
}

void TestLanguage::loadTranslator_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("folder"); // "bare": a folder with files named without the base name
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("ownText");
    QTest::addColumn<QString>("qtText");

    const QString own = QStringLiteral("Initiating failed!");
    const QString qt = QStringLiteral("Cancel");
    QTest::newRow("German") << "de"
                            << "Language"
                            << "Mendra" << true << "Initialisierung fehlgeschlagen!"
                            << "Abbrechen";
    QTest::newRow("switch to Japanese") << "jp"
                                        << "Language"
                                        << "Mendra" << true
                                        << QString::fromUtf16(
                                               u"\u521D\u671F\u5316\u306B\u5931\u6557\u3057\u307E\u3057\u305F\uFF01")
                                        << QString::fromUtf16(u"\u30AD\u30E3\u30F3\u30BB\u30EB");
    QTest::newRow("English: the source texts") << "en"
                                               << "Language"
                                               << "Mendra" << true << own << qt;
    QTest::newRow("French") << "fr"
                            << "Language"
                            << "Mendra" << true
                            << QString::fromUtf8("\xC3\x89"
                                                 "chec de l\xE2\x80\x99initialisation !")
                            << "Annuler";
    QTest::newRow("missing language falls back to the source texts") << "xx"
                                                                     << "Language"
                                                                     << "Mendra" << false << own << qt;
    QTest::newRow("empty base name looks for the bare name") << "de"
                                                             << "bare"
                                                             << "" << true << "Initialisierung fehlgeschlagen!"
                                                             << "Abbrechen";
    QTest::newRow("empty base name, only Qt's file there") << "fr"
                                                           << "Language"
                                                           << "" << false << own << "Annuler";
    QTest::newRow("missing folder") << "de"
                                    << "nowhere"
                                    << "Mendra" << false << own << qt;
}

void TestLanguage::loadTranslator() {
    QFETCH(QString, language);
    QFETCH(QString, folder);
    QFETCH(QString, baseName);
    QFETCH(bool, loaded);
    QFETCH(QString, ownText);
    QFETCH(QString, qtText);

    QTemporaryDir bare;
    QString path = LanguageFolder();
    if (folder == QLatin1String("bare")) {
        QVERIFY(QFile::copy(path + "/Mendra_" + language + ".qm", bare.filePath(language + ".qm")));
        QVERIFY(QFile::copy(path + "/qt_" + language + ".qm", bare.filePath("qt_" + language + ".qm")));
        path = bare.path();
    } else if (folder == QLatin1String("nowhere")) {
        path = bare.filePath("nowhere");
    }

    QCOMPARE(LoadTranslator(language, path, baseName), loaded);
    QCOMPARE(QCoreApplication::translate("MyApplication", "Initiating failed!"), ownText);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtText);
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
