#include "framework/ApplicationFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include "ChildTestRun.h"

namespace {

// Set in the copy of this test that runs without any installed font.
const char kNoFontsVariable[] = "MENDRA_TEST_NO_FONTS";
const char kDejaVuFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

} // namespace

class TestApplicationFonts : public QObject {
    Q_OBJECT

private slots:
    void firstInstalledFamily_data();
    void firstInstalledFamily();
    void setupApplicationFonts_data();
    void setupApplicationFonts();
    void withoutInstalledFonts();
    void chooseWithoutInstalledFonts();
};

void TestApplicationFonts::firstInstalledFamily_data() {
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<QString>("family");

    QTest::newRow("spelt as the database writes it") << QStringList{"noto sans"} << "Noto Sans";
    QTest::newRow("first candidate missing") << QStringList{"Segoe UI", "DEJAVU SANS"} << "DejaVu Sans";
    QTest::newRow("the database's order decides, not the candidates'")
        << QStringList{"Noto Sans", "DejaVu Sans"} << "DejaVu Sans";
    QTest::newRow("nothing installed") << QStringList{"Meiryo UI", "Yu Gothic UI"} << "";
    QTest::newRow("no candidates") << QStringList{} << "";
}

void TestApplicationFonts::firstInstalledFamily() {
    QFETCH(QStringList, candidates);
    QFETCH(QString, family);
    QCOMPARE(FirstInstalledFamily(candidates), family);
}

void TestApplicationFonts::setupApplicationFonts_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("styleSheet");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("applied");

    QTest::newRow("Chinese") << "zh"
                             << "QWidget { font-family: \"%1\"; }"
                             << "Noto Sans CJK SC"
                             << "QWidget { font-family: \"Noto Sans CJK SC\"; }";
    QTest::newRow("Japanese, every placeholder") << "jp"
                                                 << "QLabel { font-family: %1; } QMenu { font-family: %1; }"
                                                 << "Noto Sans CJK JP"
                                                 << "QLabel { font-family: Noto Sans CJK JP; } QMenu { font-family: "
                                                    "Noto Sans CJK JP; }";
    QTest::newRow("other languages, no placeholder") << "de"
                                                     << "QWidget { width: 50%; }"
                                                     << "Noto Sans"
                                                     << "QWidget { width: 50%; }";
}

void TestApplicationFonts::setupApplicationFonts() {
    QFETCH(QString, language);
    QFETCH(QString, styleSheet);
    QFETCH(QString, family);
    QFETCH(QString, applied);

    if (FirstInstalledFamily({family}).isEmpty())
        QSKIP("the font packages of build.sh are not installed");
    const int pointSize = QApplication::font().pointSize();
    SetupApplicationFonts(styleSheet, language);
    QCOMPARE(QApplication::font().family(), family);
    QCOMPARE(QApplication::font().pointSize(), pointSize);
    QCOMPARE(qApp->styleSheet(), applied);
}

// Fontconfig reads its configuration once per process, so the case without fonts runs in a fresh copy of this
// test whose configuration names no font folder.
void TestApplicationFonts::withoutInstalledFonts() {
    QTemporaryDir dir;
    const QString config = dir.filePath("fonts.conf");
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig><cachedir>" +
               dir.filePath("cache").toUtf8() + "</cachedir></fontconfig>");
    file.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config);
    environment.insert(QLatin1String(kNoFontsVariable), dir.path());
    RunTestFunctionInChild(QStringLiteral("chooseWithoutInstalledFonts"), environment);
}

void TestApplicationFonts::chooseWithoutInstalledFonts() {
    const QString dir = qEnvironmentVariable(kNoFontsVariable);
    if (dir.isEmpty())
        QSKIP("runs in the copy started by withoutInstalledFonts");
    QVERIFY(FirstInstalledFamily({"Noto Sans", "DejaVu Sans"}).isEmpty());

    const QString defaultFamily = QGuiApplication::font().defaultFamily();
    const QString shipped = dir + "/meiryo.ttc";
    QCOMPARE(ChooseFontFamily("jp", shipped), defaultFamily);

    if (!QFile::copy(kDejaVuFile, shipped))
        QSKIP("fonts-dejavu-core is not installed");
    // Only a Japanese interface falls back to the shipped file.
    QCOMPARE(ChooseFontFamily("zh", shipped), defaultFamily);
    QCOMPARE(ChooseFontFamily("en", shipped), defaultFamily);
    QCOMPARE(ChooseFontFamily("jp", shipped), QStringLiteral("DejaVu Sans"));
}

QTEST_MAIN(TestApplicationFonts)
#include "tst_applicationfonts.moc"
