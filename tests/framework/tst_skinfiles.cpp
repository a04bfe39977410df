#include "DamagedXml.h"
#include "SkinFiles.h"
#include "SkinScale.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TestSkinFiles : public QObject {
    Q_OBJECT

private slots:
    void rewritesScaleTokens_data();
    void rewritesScaleTokens();
    void findsLogoElement_data();
    void findsLogoElement();
    void computesScale_data();
    void computesScale();
    void cutsAtScale_data();
    void cutsAtScale();
    void readsStateRectangles();
    void mapsStateTags();
    void needsDeclarationBeforeRoot();
    void readDocumentRefusesDamage_data() { DamagedXml::AddRows(); }
    void readDocumentRefusesDamage();
};

void TestSkinFiles::rewritesScaleTokens_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("expected");

    QTest::newRow("font") << "font-size: FONT_14px;" << 1.5 << "font-size: 21px;";
    QTest::newRow("half rounds up") << "FONT_13px" << 1.5 << "20px";
    QTest::newRow("negative size") << "margin: SIZECHANGE_-10px;" << 1.5 << "margin: -15px;";
    QTest::newRow("blank inside number") << "FONT_1 2px" << 1.5 << "18px";
    QTest::newRow("blank before px") << "FONT_14 px" << 1.0 << "14px";
    QTest::newRow("scale one") << "a FONT_14px b" << 1.0 << "a 14px b";
    QTest::newRow("two tokens") << "FONT_12px SIZECHANGE_4px" << 2.0 << "24px 8px";
    QTest::newRow("plain px untouched") << "width: 10px; FONT_10px" << 2.0 << "width: 10px; 20px";
    // Malformed tokens are left as written, and the scan still ends.
    QTest::newRow("token at end") << "a FONT_" << 2.0 << "a FONT_";
    QTest::newRow("no digits") << "FONT_px" << 2.0 << "FONT_px";
    QTest::newRow("no px") << "FONT_14; width: 3" << 2.0 << "FONT_14; width: 3";
    QTest::newRow("unrelated px later") << "FONT_abc; margin: 4px" << 2.0 << "FONT_abc; margin: 4px";
    QTest::newRow("digits then other unit") << "FONT_14em; SIZECHANGE_2px" << 2.0 << "FONT_14em; 4px";
    QTest::newRow("prefix alone") << "SIZECHANGE_FONT_" << 2.0 << "SIZECHANGE_FONT_";
    QTest::newRow("lower case is text") << "font_14px" << 2.0 << "font_14px";
    QTest::newRow("absurd number") << "FONT_99999999999999999999px" << 2.0 << "FONT_99999999999999999999px";
    QTest::newRow("empty") << "" << 2.0 << "";
}

void TestSkinFiles::rewritesScaleTokens() {
    QFETCH(QString, input);
    QFETCH(double, scale);
    QFETCH(QString, expected);
    QCOMPARE(SkinFiles::RewriteScaleTokens(input, scale), expected);
}

namespace {

QDomDocument Parse(const QString& xml) {
    QDomDocument document;
    document.setContent(xml);
    return document;
}

const char* const kLogoTree = "<?xml version=\"1.0\"?>\n<Skin><System name=\"Win\"><Brand name=\"Tavik\">"
                              "<Language name=\"ml\"><Edition name=\"Mendra\"><icon/></Edition>"
                              "<Edition name=\"Other\" path=\"\\\\\\Mendra\"/>"
                              "<Edition name=\"Same\" path=\"Win\\Tavik\\ml\\Same\"/></Language>"
                              "<Language name=\"en\" path=\"\\\\ml\"/>"
                              "<Language name=\"aa\" path=\"\\\\bb\"/>"
                              "<Language name=\"bb\" path=\"\\\\aa\"/>"
                              "</Brand></System></Skin>";

} // namespace

void TestSkinFiles::findsLogoElement_data() {
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("found"); // "name" of the element found, empty for none

    QTest::newRow("direct") << kLogoTree << QStringList{"Win", "Tavik", "ml", "Mendra"} << "Mendra";
    QTest::newRow("language redirected") << kLogoTree << QStringList{"Win", "Tavik", "en", "Mendra"} << "Mendra";
    QTest::newRow("product redirected") << kLogoTree << QStringList{"Win", "Tavik", "ml", "Other"} << "Mendra";
    QTest::newRow("redirect to itself") << kLogoTree << QStringList{"Win", "Tavik", "ml", "Same"} << "";
    QTest::newRow("redirect cycle") << kLogoTree << QStringList{"Win", "Tavik", "aa", "Mendra"} << "";
    QTest::newRow("unknown brand") << kLogoTree << QStringList{"Win", "Nobody", "ml", "Mendra"} << "";
    QTest::newRow("unknown product") << kLogoTree << QStringList{"Win", "Tavik", "ml", "None"} << "";
    QTest::newRow("empty key skipped") << "<?xml version=\"1.0\"?><Skin><System name=\"Win\"><Edition name=\"Mendra\">"
                                          "<icon/></Edition></System></Skin>"
                                       << QStringList{"Win", "", "", "Mendra"} << "Mendra";
    QTest::newRow("no declaration") << "<Skin><System name=\"Win\"><icon/></System></Skin>"
                                    << QStringList{"Win", "", "", ""} << "";
}

void TestSkinFiles::findsLogoElement() {
    QFETCH(QString, xml);
    QFETCH(QStringList, keys);
    QFETCH(QString, found);
    const SkinLogoKey key{keys.at(0), keys.at(1), keys.at(2), keys.at(3)};
    const QDomElement element = SkinFiles::FindLogoElement(Parse(xml), key);
    QCOMPARE(element.attribute("name"), found);
    QCOMPARE(element.isNull(), found.isEmpty());
}

void TestSkinFiles::computesScale_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("baseWidth");
    QTest::addColumn<double>("uiScale");
    QTest::addColumn<double>("fontScale");

    QTest::newRow("1920 raised to 1") << 1920 << 1080 << 96.0 << 2560.0 << 1.0 << 96.0 / 72.0;
    QTest::newRow("2560 at base") << 2560 << 1440 << 96.0 << 2560.0 << 1.0 << 96.0 / 72.0;
    QTest::newRow("3200") << 3200 << 1800 << 96.0 << 2560.0 << 1.25 << 96.0 * 1.25 / 72.0;
    QTest::newRow("3840") << 3840 << 2160 << 144.0 << 2560.0 << 1.5 << 144.0 * 1.5 / 72.0;
    QTest::newRow("5120") << 5120 << 2880 << 96.0 << 2560.0 << 2.0 << 96.0 * 2.0 / 72.0;
    QTest::newRow("wider capped at 2") << 7000 << 4000 << 96.0 << 2560.0 << 2.0 << 96.0 * 2.0 / 72.0;
    QTest::newRow("32:9 counts half") << 5120 << 1440 << 96.0 << 2560.0 << 1.0 << 96.0 / 72.0;
    QTest::newRow("double 4k desktop") << 7680 << 2160 << 96.0 << 2560.0 << 1.5 << 96.0 * 1.5 / 72.0;
    QTest::newRow("3840x1080 is 1920") << 3840 << 1080 << 96.0 << 1920.0 << 1.0 << 96.0 / 72.0;
    QTest::newRow("constructor base width") << 2880 << 1620 << 96.0 << 1920.0 << 1.5 << 96.0 * 1.5 / 72.0;
    QTest::newRow("height 0") << 3840 << 0 << 120.0 << 2560.0 << 1.0 << 96.0 / 72.0;
    QTest::newRow("no screen") << 0 << 0 << 0.0 << 2560.0 << 1.0 << 96.0 / 72.0;
    QTest::newRow("no dpi") << 3840 << 2160 << 0.0 << 2560.0 << 1.5 << 96.0 * 1.5 / 72.0;
    QTest::newRow("base width 0") << 3840 << 2160 << 96.0 << 0.0 << 1.0 << 96.0 / 72.0;
}

void TestSkinFiles::computesScale() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, dpi);
    QFETCH(double, baseWidth);
    QFETCH(double, uiScale);
    QFETCH(double, fontScale);
    const SkinScale scale = ComputeSkinScale(ScreenMetrics{width, height, dpi}, baseWidth);
    QCOMPARE(scale.uiScale, uiScale);
    QCOMPARE(scale.fontScale, fontScale);
}

void TestSkinFiles::cutsAtScale_data() {
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("doubleResolution");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("1.25 double") << 1.25 << true << QSize(24, 18); // 25 x 18.75 asked, aspect kept
    QTest::newRow("1.0 double") << 1.0 << true << QSize(20, 15);
    QTest::newRow("1.5 single") << 1.5 << false << QSize(60, 45);
    QTest::newRow("2.0 double") << 2.0 << true << QSize(40, 30);
}

void TestSkinFiles::cutsAtScale() {
    QFETCH(double, scale);
    QFETCH(bool, doubleResolution);
    QFETCH(QSize, expected);

    QImage sheet(100, 40, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter(&sheet).fillRect(QRect(50, 5, 40, 30), Qt::red);
    const QDomDocument document =
        Parse("<?xml version=\"1.0\"?><r><Normal x=\"50\" y=\"5\" width=\"40\" height=\"30\"/></r>");
    const QPixmap piece = SkinFiles::CutPixmap(
        QPixmap::fromImage(sheet), SkinFiles::DocumentRoot(document).firstChildElement(), scale, doubleResolution);
    QCOMPARE(piece.size(), expected);
    const QImage image = piece.toImage();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::red));
}

void TestSkinFiles::readsStateRectangles() {
    const QDomDocument document = Parse("<?xml version=\"1.0\"?><r>"
                                        "<a x=\"1\" y=\"2\" width=\"3\" height=\"4\"/>"
                                        "<b x=\"oops\" width=\"-\"/>"
                                        "<c x=\"20\" y=\"0\" width=\"5\" height=\"5\"/></r>");
    const QDomElement root = SkinFiles::DocumentRoot(document);
    QCOMPARE(SkinFiles::StateRect(root.firstChildElement("a")), QRect(1, 2, 3, 4));
    QCOMPARE(SkinFiles::StateRect(root.firstChildElement("b")), QRect(0, 0, 0, 0));
    QVERIFY(SkinFiles::CutPixmap(QPixmap(), root.firstChildElement("a"), 1.0, false).isNull());
    // A zero-sized entry shows nothing, not the whole sheet.
    QVERIFY(SkinFiles::CutPixmap(QPixmap(10, 10), root.firstChildElement("b"), 1.0, false).isNull());
    // Nor does one beside the sheet (QPixmap::copy would give the whole sheet for it).
    QVERIFY(SkinFiles::CutPixmap(QPixmap(10, 10), root.firstChildElement("c"), 1.0, false).isNull());
    QCOMPARE(SkinFiles::CutPixmap(QPixmap(22, 10), root.firstChildElement("c"), 1.0, false).size(), QSize(2, 5));
    QVERIFY(SkinFiles::CutPixmap(QPixmap(10, 10), QDomElement(), 1.0, false).isNull());
}

void TestSkinFiles::mapsStateTags() {
    QCOMPARE(SkinFiles::StateKey("Normal"), int(SKIN_NORMAL));
    QCOMPARE(SkinFiles::StateKey("On"), int(SKIN_ON));
    QCOMPARE(SkinFiles::StateKey("Down"), int(SKIN_DOWN));
    QCOMPARE(SkinFiles::StateKey("Disable"), int(SKIN_DISABLE));
    QCOMPARE(SkinFiles::StateKey("Hover"), int(SKIN_HOVER));
    QCOMPARE(SkinFiles::StateKey("normal"), 0);
    QCOMPARE(SkinFiles::StateKey("Pressed"), 0);
}

void TestSkinFiles::needsDeclarationBeforeRoot() {
    QVERIFY(SkinFiles::DocumentRoot(Parse("<r><Common/></r>")).isNull());
    QCOMPARE(SkinFiles::DocumentRoot(Parse("<?xml version=\"1.0\"?><r><Common/></r>")).tagName(), QString("r"));
}

void TestSkinFiles::readDocumentRefusesDamage() {
    QFETCH(int, damage);
    QTemporaryDir dir;
    const QString path = dir.filePath("Logo.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kLogoTree);
    file.close();
    QDomDocument document;
    QVERIFY(SkinFiles::ReadDocument(path, &document));
    const QString valid = document.toString();

    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(DamagedXml::Apply(kLogoTree, DamagedXml::Damage(damage)));
    file.close();
    QVERIFY(!SkinFiles::ReadDocument(path, &document));
    QCOMPARE(document.toString(), valid);
}

QTEST_MAIN(TestSkinFiles)
#include "tst_skinfiles.moc"
