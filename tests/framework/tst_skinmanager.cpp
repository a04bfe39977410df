#include "ChildTestRun.h"
#include "DamagedXml.h"
#include "SkinFixture.h"
#include "SkinManager.h"

#include <QBuffer>
#include <QMovie>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

// The manager is a process-wide object; each test starts from a fresh one on its own skin folder.
class TestSkinManager : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void scansStyles_data();
    void scansStyles();
    void negativeIndexFailsWithoutScanning();
    void cutsPagePictures();
    void statePicturesSkipUnknownTags();
    void picturesScaleWithScreen();
    void readsPrimaryScreen();
    void sameShareOfAScaledScreen_data();
    void sameShareOfAScaledScreen();
    void shareOfThisScreen();
    void readsColours();
    void rewritesStyleSheet();
    void returnsLogoPieces_data();
    void returnsLogoPieces();
    void changeSkinReloadsAndSignals();
    void changeSkinToEmptyStyle();
    void scalesMovie();
    void damagedSkinFile_data();
    void damagedSkinFile();

private:
    SkinManager* InitFixture(const QStringList& styles, int index = 0);
    // Starts the manager on the skin already written.
    SkinManager* StartSkin(int index = 0);

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestSkinManager::init() {
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    SkinFixture::WriteLogo(m_dir->filePath("logo/Skin_logo.png"), m_dir->filePath("logo/Logo.xml"));
}

void TestSkinManager::cleanup() {
    SkinManager::Release();
}

SkinManager* TestSkinManager::InitFixture(const QStringList& styles, int index) {
    SkinFixture::WriteSkin(m_dir->filePath("Skin"), styles);
    return StartSkin(index);
}

SkinManager* TestSkinManager::StartSkin(int index) {
    const QString root = m_dir->filePath("Skin");
    SkinManager* skin = SkinManager::Instance();
    skin->SetLogoSources(m_dir->filePath("logo/Skin_logo.png"), m_dir->filePath("logo/Logo.xml"));
    skin->SetBaseWidth(2560.0);
    skin->InitScaleFor(ScreenMetrics{1920, 1080, 96.0}, nullptr, nullptr);
    skin->Init(index, {"Style1", "Style2"}, SkinLogoKey{"Win", "Tavik", "ml", "Mendra"}, root);
    return skin;
}

void TestSkinManager::scansStyles_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("logo");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("style");

    QTest::newRow("both, first asked") << QStringList{"Style1", "Style2"} << 0 << true << 3 << "Style1";
    QTest::newRow("both, second asked") << QStringList{"Style2", "Style1"} << 1 << true << 3 << "Style2";
    QTest::newRow("only second") << QStringList{"Style2"} << 0 << true << 2 << "Style2";
    QTest::newRow("index past the list") << QStringList{"Style1"} << 7 << true << 2 << "Style1";
    QTest::newRow("none") << QStringList{} << 0 << true << 1 << "";
    QTest::newRow("no logo") << QStringList{"Style1"} << 0 << false << 4 << "Style1";
    QTest::newRow("fallback, no logo") << QStringList{"Style2"} << 0 << false << 6 << "Style2";
}

void TestSkinManager::scansStyles() {
    QFETCH(QStringList, present);
    QFETCH(int, index);
    QFETCH(bool, logo);
    QFETCH(int, status);
    QFETCH(QString, style);

    const QString root = m_dir->filePath("Skin");
    SkinFixture::WriteSkin(root, present);
    SkinManager* skin = SkinManager::Instance();
    skin->SetLogoSources(m_dir->filePath("logo/Skin_logo.png"),
                         logo ? m_dir->filePath("logo/Logo.xml") : m_dir->filePath("missing.xml"));
    QCOMPARE(skin->Init(index, {"Style1", "Style2"}, SkinLogoKey{"Win", "Tavik", "ml", "Mendra"}, root), status);
    QCOMPARE(skin->GetStatus(), status);
    if (!style.isEmpty()) {
        QCOMPARE(skin->GetSkinFolder(), root + "/" + style + "/");
        QCOMPARE(skin->GetColorQssPath(), root + "/" + style + "/Color.qss");
        QCOMPARE(skin->GetIconQssPath(), root + "/Icon.qss");
    }
    // A second Init keeps the choice and reports the same.
    QCOMPARE(skin->Init(index, {"Style1", "Style2"}, SkinLogoKey{"Win", "Tavik", "ml", "Mendra"}, QString()), status);
}

void TestSkinManager::negativeIndexFailsWithoutScanning() {
    SkinFixture::WriteSkin(m_dir->filePath("Skin"), {"Style1"});
    SkinManager* skin = SkinManager::Instance();
    QCOMPARE(skin->Init(-1, {"Style1"}, SkinLogoKey{}, m_dir->filePath("Skin")), 1);
    QCOMPARE(skin->GetStatus(), 0);
}

void TestSkinManager::cutsPagePictures() {
    SkinManager* skin = InitFixture({"Style1"});
    QVERIFY(skin->GetPagePixmap("pic").isNull()); // no page chosen yet

    skin->ChangePart("Other");
    const QPixmap pic = skin->GetPagePixmap("pic");
    QCOMPARE(pic.size(), QSize(20, 15)); // 40 x 30 drawn at double resolution
    QCOMPARE(SkinFixture::CentreColour(pic), SkinFixture::ColourOf("pic", "Any"));

    skin->ChangePart("NoSuchPage");
    QCOMPARE(skin->GetCurrentPart(), QString("Other"));
    QVERIFY(skin->GetPagePixmap("btn").isNull()); // on another page
    QVERIFY(skin->GetPagePixmap("missing").isNull());

    skin->ChangePart("Common");
    QCOMPARE(SkinFixture::CentreColour(skin->GetPagePixmap("btn")), SkinFixture::ColourOf("btn", "Normal"));
    const QList<QPixmap> states = skin->GetPageStateList("btn");
    QCOMPARE(states.size(), 6);
    QCOMPARE(SkinFixture::CentreColour(states.at(2)), SkinFixture::ColourOf("btn", "Down"));
}

void TestSkinManager::statePicturesSkipUnknownTags() {
    SkinManager* skin = InitFixture({"Style1"});
    skin->ChangePart("Common");
    QMap<int, QPixmap> pixmaps;
    skin->GetStatePixmaps(&pixmaps, "btn", true);
    QCOMPARE(pixmaps.keys(), (QList<int>{SKIN_NORMAL, SKIN_ON, SKIN_DOWN, SKIN_DISABLE, SKIN_HOVER}));
    const QMap<int, const char*> tags{{SKIN_NORMAL, "Normal"},
                                      {SKIN_ON, "On"},
                                      {SKIN_DOWN, "Down"},
                                      {SKIN_DISABLE, "Disable"},
                                      {SKIN_HOVER, "Hover"}};
    for (auto it = tags.cbegin(); it != tags.cend(); ++it)
        QCOMPARE(SkinFixture::CentreColour(pixmaps.value(it.key())), SkinFixture::ColourOf("btn", it.value()));

    QMap<int, QPixmap> untouched{{SKIN_NORMAL, QPixmap(3, 3)}};
    skin->GetStatePixmaps(&untouched, "missing", true);
    QCOMPARE(untouched.size(), 1);
}

void TestSkinManager::picturesScaleWithScreen() {
    SkinManager* skin = InitFixture({"Style1"});
    double ui = 0;
    double font = 0;
    skin->InitScaleFor(ScreenMetrics{3200, 1800, 96.0}, &ui, &font);
    QCOMPARE(ui, 1.25);
    QCOMPARE(font, 96.0 * 1.25 / 72.0);
    QCOMPARE(skin->GetScale(), 1.25);
    skin->ChangePart("Common");
    QMap<int, QPixmap> pixmaps;
    skin->GetStatePixmaps(&pixmaps, "btn", true);
    QCOMPARE(pixmaps.value(SKIN_ON).size(), QSize(24, 18));
    QCOMPARE(SkinFixture::CentreColour(pixmaps.value(SKIN_ON)), SkinFixture::ColourOf("btn", "On"));
    skin->GetStatePixmaps(&pixmaps, "btn", false);
    QCOMPARE(pixmaps.value(SKIN_ON).size(), QSize(49, 37)); // 50 x 37.5 asked, aspect kept
    QCOMPARE(skin->GetFont(16, true).pixelSize(), 20);
    QVERIFY(skin->GetFont(16, true).bold());
}

void TestSkinManager::readsPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const ScreenMetrics metrics = PrimaryScreenMetrics();
    QCOMPARE(QSize(metrics.width, metrics.height), screen->geometry().size());
    QCOMPARE(metrics.dpi, screen->logicalDotsPerInchX());

    SkinManager* skin = SkinManager::Instance();
    skin->SetBaseWidth(2560.0);
    gUiScale = gFontScale = 0.0;
    skin->InitScale(&gUiScale, &gFontScale);
    const SkinScale expected = ComputeSkinScale(metrics, 2560.0);
    QCOMPARE(gUiScale, expected.uiScale);
    QCOMPARE(gFontScale, expected.fontScale);
    QCOMPARE(skin->GetScale(), gUiScale);
}

// Where Qt scales the screen (QT_SCALE_FACTOR, a screen of high density), it multiplies every size by its factor
// when it draws: the skin's scale, computed from the logical size Qt lays out in, must not add that factor again. A
// window then takes the same share of the screen's width whatever the factor. The offscreen screen is 800 pixels wide;
// with a base width of 400 the skin's scale is 2.0 at factor 1 and 1.0 at factor 2, inside the skin's range.
void TestSkinManager::sameShareOfAScaledScreen_data() {
    QTest::addColumn<QString>("factor");
    QTest::newRow("not scaled") << QStringLiteral("1");
    QTest::newRow("factor 2") << QStringLiteral("2");
    QTest::newRow("factor 1.25") << QStringLiteral("1.25");
}

void TestSkinManager::sameShareOfAScaledScreen() {
    QFETCH(QString, factor);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), factor);
    environment.insert(QStringLiteral("MENDRA_TEST_SCREEN_SHARE"), QStringLiteral("1"));
    RunTestFunctionInChild(QStringLiteral("shareOfThisScreen"), environment);
}

// In the child: a window of 200 design pixels across, scaled by the skin, covers half the screen's device pixels.
void TestSkinManager::shareOfThisScreen() {
    if (!qEnvironmentVariableIsSet("MENDRA_TEST_SCREEN_SHARE"))
        QSKIP("runs in the child of sameShareOfAScaledScreen");
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const qreal ratio = screen->devicePixelRatio();
    QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    SkinManager* skin = SkinManager::Instance();
    skin->SetBaseWidth(400.0);
    skin->InitScale(&gUiScale, &gFontScale);
    QWidget window;
    window.resize(int(200 * skin->GetScale()), 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // In device pixels both widths are the logical ones times the ratio.
    const double share = window.width() / double(screen->geometry().width());
    QVERIFY2(qAbs(share - 0.5) < 0.01, qPrintable(QStringLiteral("the window covers %1 % of the screen's width at "
                                                                 "factor %2 (skin scale %3)")
                                                      .arg(share * 100)
                                                      .arg(ratio)
                                                      .arg(skin->GetScale())));
}

void TestSkinManager::readsColours() {
    SkinManager* skin = InitFixture({"Style1"});
    QCOMPARE(skin->GetPageColors("Successful").value("BugReportColor"), QString("#00aa00"));
    QCOMPARE(skin->GetPageRgbColors("Successful").value("BugReportColor"), QColor(0, 170, 0));
    QVERIFY(skin->GetPageColors("Failed").isEmpty());
    QVERIFY(skin->GetPageColors("Empty").isEmpty());
}

void TestSkinManager::rewritesStyleSheet() {
    SkinManager* skin = InitFixture({"Style1"});
    skin->InitScaleFor(ScreenMetrics{3840, 2160, 96.0}, nullptr, nullptr);
    skin->LoadStyleSheet();
    QCOMPARE(skin->GetStyleSheet(), QString("QLabel { font-size: 21px; margin: -15px; }"));
    QCOMPARE(skin->GetStyleSheetPath(), m_dir->filePath("Skin") + "/style.qss");
}

void TestSkinManager::returnsLogoPieces_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("small icon") << int(LOGO_ICON_SMALL) << QSize(16, 16) << QColor(Qt::green);
    QTest::newRow("large icon") << int(LOGO_ICON_LARGE) << QSize(80, 80) << QColor(Qt::green);
    QTest::newRow("icon") << int(LOGO_ICON) << QSize(60, 60) << QColor(Qt::green);
    QTest::newRow("edition absent") << int(LOGO_EDITION) << QSize() << QColor();
    QTest::newRow("brand") << int(LOGO_BRAND) << QSize(80, 80) << QColor(Qt::blue);
    QTest::newRow("logo") << int(LOGO_LOGO) << QSize(48, 48) << QColor(Qt::red);
    QTest::newRow("unknown kind") << 9 << QSize() << QColor();
}

void TestSkinManager::returnsLogoPieces() {
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QFETCH(QColor, colour);
    SkinManager* skin = InitFixture({"Style1"});
    skin->SetLogoDoubleResolution(false);
    const QPixmap logo = skin->GetLogoPixmap(kind);
    QCOMPARE(logo.isNull(), !size.isValid());
    if (size.isValid()) {
        QCOMPARE(logo.size(), size);
        QCOMPARE(SkinFixture::CentreColour(logo), colour);
    }
}

void TestSkinManager::changeSkinReloadsAndSignals() {
    SkinManager* skin = InitFixture({"Style1", "Style2"});
    // The second style draws its sheet with every cell in one colour.
    QImage other(200, 60, QImage::Format_ARGB32);
    other.fill(QColor(10, 20, 30));
    QVERIFY(other.save(m_dir->filePath("Skin/Style2/AllImage.png")));
    skin->ChangePart("Other");
    QSignalSpy spy(skin, &SkinManager::AllImageUpdate);

    skin->ChangeSkin(1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(skin->GetCurrentIndex(), 1);
    QCOMPARE(skin->GetSkinFolder(), m_dir->filePath("Skin") + "/Style2/");
    QCOMPARE(skin->GetColorQssPath(), m_dir->filePath("Skin") + "/Style2/Color.qss");
    QCOMPARE(skin->GetStatus(), 3);
    // The page chosen before the change still answers, now from the new sheet.
    QCOMPARE(SkinFixture::CentreColour(skin->GetPagePixmap("pic")), QColor(10, 20, 30));

    skin->ChangeSkin(5); // no such style: nothing changes
    QCOMPARE(spy.count(), 1);
    QCOMPARE(skin->GetCurrentIndex(), 1);
}

void TestSkinManager::changeSkinToEmptyStyle() {
    SkinManager* skin = InitFixture({"Style1", "Style2"});
    QSignalSpy spy(skin, &SkinManager::AllImageUpdate);
    skin->ChangeSkin(1);
    QCOMPARE(spy.count(), 1);
    skin->ChangePart("Common");
    QVERIFY(skin->GetPagePixmap("btn").isNull());
}

void TestSkinManager::scalesMovie() {
    SkinManager* skin = InitFixture({"Style1"});
    skin->InitScaleFor(ScreenMetrics{3200, 1800, 96.0}, nullptr, nullptr);
    QImage frame(30, 11, QImage::Format_ARGB32);
    frame.fill(Qt::red);
    const QString path = m_dir->filePath("frame.png");
    QVERIFY(frame.save(path));
    QMovie movie(path);
    skin->ScaleMovie(&movie, false);
    QCOMPARE(movie.scaledSize(), QSize(38, 14)); // 37.5 and 13.75 rounded half up
    skin->ScaleMovie(&movie, true);
    QCOMPARE(movie.scaledSize(), QSize(19, 7));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QBuffer buffer;
    buffer.setData(file.readAll());
    QMovie fromDevice(&buffer);
    fromDevice.setScaledSize(QSize(5, 5));
    skin->ScaleMovie(&fromDevice, false);
    QCOMPARE(fromDevice.scaledSize(), QSize(5, 5));
}

void TestSkinManager::damagedSkinFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("damage");
    // What the skin gives with that file damaged: status, a page picture, a colour, a logo piece.
    QTest::addColumn<QStringList>("expected");

    const QList<QPair<QString, QStringList>> files{
        {"Skin/AllImage.xml", {"3", "no picture", "#00aa00", "logo"}},
        {"Skin/Style1/Color.xml", {"3", "picture", "", "logo"}},
        {"logo/Logo.xml", {"4", "picture", "#00aa00", "no logo"}},
    };
    for (const auto& file : files) {
        for (const auto& damage : DamagedXml::All())
            QTest::addRow("%s, %s", qPrintable(file.first), damage.first)
                << file.first << int(damage.second) << file.second;
    }
}

void TestSkinManager::damagedSkinFile() {
    QFETCH(QString, file);
    QFETCH(int, damage);
    QFETCH(QStringList, expected);
    const auto look = [](SkinManager* skin, int status) {
        skin->ChangePart("Common");
        skin->SetLogoDoubleResolution(false);
        return QStringList{QString::number(status), skin->GetPagePixmap("btn").isNull() ? "no picture" : "picture",
                           skin->GetPageColors("Successful").value("BugReportColor"),
                           skin->GetLogoPixmap(LOGO_LOGO).isNull() ? "no logo" : "logo"};
    };
    SkinManager* skin = InitFixture({"Style1"});
    QCOMPARE(look(skin, skin->GetStatus()), (QStringList{"3", "picture", "#00aa00", "logo"}));
    SkinManager::Release();

    const QString path = m_dir->filePath(file);
    const QByteArray damaged = DamagedXml::Apply(SkinFixture::ReadFile(path), DamagedXml::Damage(damage));
    SkinFixture::WriteFile(path, damaged);
    skin = StartSkin();
    QCOMPARE(look(skin, skin->GetStatus()), expected);
}

QTEST_MAIN(TestSkinManager)
#include "tst_skinmanager.moc"
