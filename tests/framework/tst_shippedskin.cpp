#include "SkinManager.h"

#include "app/EditionData.h"

#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QMovie>
#include <QtTest>

// The skin the build installs beside the program, checked against every name the windows ask for.
class TestShippedSkin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void initialisesCompletely_data();
    void initialisesCompletely();
    void pageHasPicture_data();
    void pageHasPicture();
    void bugReportPageExists();
    void buttonHasStates_data();
    void buttonHasStates();
    void styleSheetsNameEveryKey_data();
    void styleSheetsNameEveryKey();
    void titleBackgroundsHaveRule_data();
    void titleBackgroundsHaveRule();
    void styleSheetLoadsScaled();
    void coloursForBugReport();
    void logoPieces();
    void animationsPlay_data();
    void animationsPlay();
    void framePicturesExist();

private:
    QString m_root;
    QString m_styleSheets;
};

void TestShippedSkin::initTestCase() {
    m_root = qEnvironmentVariable("MENDRA_RUNTIME_DIR") + "/Skin";
    QVERIFY2(QFile::exists(m_root + "/AllImage.xml"), qPrintable(m_root));
    SkinManager* skin = SkinManager::Instance();
    skin->SetBaseWidth(2560.0);
    skin->InitScaleFor(ScreenMetrics{2560, 1440, 96.0}, &gUiScale, &gFontScale);
    QCOMPARE(skin->Init(0, QString("Style1,Style2").split(","), SkinLogoKey{"Win", "Tavik", "ml", "Mendra"}, m_root),
             3);
    skin->SetLogoDoubleResolution(false);
    skin->SetSpriteDoubleResolution(true);
    for (const QString& path : {skin->GetStyleSheetPath(), skin->GetColorQssPath(), skin->GetIconQssPath()}) {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        m_styleSheets += QString::fromUtf8(file.readAll());
    }
}

void TestShippedSkin::cleanupTestCase() {
    SkinManager::Release();
}

void TestShippedSkin::init() {
    SkinManager::Instance()->InitScaleFor(ScreenMetrics{2560, 1440, 96.0}, nullptr, nullptr);
}

void TestShippedSkin::initialisesCompletely_data() {
    QTest::addColumn<QString>("language");
    // The start-up's key names "ml" for an edition of several languages, else its one language,
    // whose logo a redirection finds.
    QTest::newRow("ml") << "ml";
    for (const QString& language : GetSupportedLanguages())
        QTest::newRow(qPrintable(language)) << language;
}

void TestShippedSkin::initialisesCompletely() {
    QFETCH(QString, language);
    SkinManager::Release();
    SkinManager* skin = SkinManager::Instance();
    QCOMPARE(skin->Init(0, {"Style1", "Style2"}, SkinLogoKey{"Win", "Tavik", language, "Mendra"}, m_root), 3);
    QCOMPARE(skin->GetSkinFolder(), m_root + "/Style1/");
    initTestCase();
}

void TestShippedSkin::pageHasPicture_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("image");
    const QList<QPair<QString, QStringList>> asked{
        {"Common", {"min", "max", "restore", "exit", "settings"}},
        {"title", {"settings", "help", "feedback", "nvidia", "amd", "intel", "line"}},
        {"Other", {"Notice", "help", "UnConnected", "Connected", "Fix", "DownloadFailed", "VerifyFailed"}},
        {"Buttun", {"Back", "StandardM", "AdvancedM"}},
        {"Steps",
         {"OtheriDevices1", "OtheriDevices2", "OtheriDevices3", "OtheriDevices3D", "iPhone7-2", "iPhone7-3",
          "iPhone7-3D", "iPhone8-1", "iPhone8-2", "iPhone8-3", "iPhone8-1D", "iPhone8-2D", "iPhone8-3D", "AppleTV1",
          "AppleTV2", "AppleTV3", "AppleTVHD1", "AppleTVHD2", "AppleTVHD3"}},
    };
    for (const auto& page : asked) {
        for (const QString& image : page.second)
            QTest::newRow(qPrintable(page.first + "/" + image)) << page.first << image;
    }
}

void TestShippedSkin::pageHasPicture() {
    QFETCH(QString, page);
    QFETCH(QString, image);
    SkinManager* skin = SkinManager::Instance();
    skin->ChangePart(page);
    QCOMPARE(skin->GetCurrentPart(), page);
    const QPixmap pixmap = skin->GetPagePixmap(image);
    QVERIFY(!pixmap.isNull());
    // Something is drawn: not one flat colour.
    const QImage picture = pixmap.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += qMax(1, picture.height() / 16))
        for (int x = 0; x < picture.width(); x += qMax(1, picture.width() / 16))
            colours.insert(picture.pixel(x, y));
    QVERIFY(colours.size() > 1 || picture.width() <= 2);
}

void TestShippedSkin::bugReportPageExists() {
    // The bug-report dialog only switches to its page; a missing page would leave another one current.
    SkinManager* skin = SkinManager::Instance();
    skin->ChangePart("Other");
    skin->ChangePart("Message");
    QCOMPARE(skin->GetCurrentPart(), QString("Message"));
}

void TestShippedSkin::buttonHasStates_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("image");
    for (const char* image : {"min", "max", "restore", "exit", "settings"})
        QTest::newRow(image) << "Common" << image;
    for (const char* image : {"settings", "help", "feedback", "nvidia", "amd", "intel"})
        QTest::newRow(qPrintable(QString("title/") + image)) << "title" << image;
    QTest::newRow("Back") << "Buttun"
                          << "Back";
}

void TestShippedSkin::buttonHasStates() {
    QFETCH(QString, page);
    QFETCH(QString, image);
    SkinManager* skin = SkinManager::Instance();
    skin->ChangePart(page);
    QMap<int, QPixmap> states;
    skin->GetStatePixmaps(&states, image, skin->IsSpriteDoubleResolution());
    for (int key : {SKIN_NORMAL, SKIN_ON, SKIN_DOWN, SKIN_DISABLE})
        QVERIFY2(!states.value(key).isNull(), qPrintable(QString::number(key)));
    // The states differ, or hovering would show nothing.
    QVERIFY(states.value(SKIN_NORMAL).toImage() != states.value(SKIN_ON).toImage());
}

void TestShippedSkin::styleSheetsNameEveryKey_data() {
    QTest::addColumn<QString>("key");
    // clang-format off
    const QStringList keys{
        // Title bar, frames, menu and message box.
        "SETTING_BTN", "HELP_BTN", "FEEDBACK_BTN", "MINIMIZE_BTN", "MAXIMIZE_BTN", "RESTORE_BTN", "CLOSE_BTN",
        "INTEL_BTN", "AMD_BTN", "NVIDIA_BTN", "LINE_LABEL", "TITLE_LABEL", "HOME_BACK", "SETTING", "QMENU",
        "MessageBox_View", "BLUE_GREEN_BTN", "BLUE_GREEN_BTN3", "PTMSG_WIDGET", "UPDATE_FRAME", "SETTING_FRAME",
        "ABOUT_FRAME", "BUG_FRAME",
        // Main window.
        "START_PAGE_ITEM_BUTTON", "START_PAGE_ITEM", "PRODUCT_INFO_WIDGET", "PRODUCT_NAME_LABLE", "PRODUCT_INFO_LABLE",
        "SAVEIOS_PROCESS", "FIX_STATUS_LBL", "PROGRESS_BAR_VALUE_LBL", "BTN_BACK", "BTN_NEXT_AND_DOWNLOAD",
        "STATUS_BAR", "BTN_RECOVERY_MODE", "PRO_BROWSER", "NOT_CONN_LBL", "DEVICE_AND_SYSTEM",
        "DEVICE_AND_SYSTEM_Scrollbar", "DOWNLOAD_AND_SELECT", "MODE_INFO_LBL", "MODE_LBL", "LABEL_7",
        "MODEL_AND_SYSTEM", "CONNECT_IOSTOPCL_LBL", "SHOW_RECOVERY_GUIDE_LBL", "DezazaLabel_LBL", "DezazaLabel_LBL1",
        "SHOWPHOTOLBL", "SUGGEST_LBL", "GUIDE_VIEW_BTN", "LINE_LEFT", "LINE_RIGHT", "ONE_TWO_THREE",
        "RECOVERY_DFU_MODE_LBL", "CROSS_LINE",
        // Dialogs.
        "UPDATE_LATEST", "UPDATE_CURRENT", "UPDATE_CONTEXT", "UPDATE_BTN", "UPDATE_PROGRESS_BAR", "BUG_PROMPT",
        "BUG_INFOEDIT", "BUG_BTN", "BUG_ATTACH_BTN", "BUG_WARNING", "BR_PROGRESS", "BUG_TEXT_EDIT", "SETTING_PATH_EDIT",
        "SETTING_PATH", "SETTING_SELECT_BTN", "SETTING_DELETE_BOX", "ABOUT_TITLE", "ABOUT_VERSION", "ABOUT_SUPPORT",
        "ABOUT_INFO"};
    // clang-format on
    for (const QString& key : keys)
        QTest::newRow(qPrintable(key)) << key;
}

void TestShippedSkin::styleSheetsNameEveryKey() {
    QFETCH(QString, key);
    QVERIFY(m_styleSheets.contains("[STYLE_KEY=\"" + key + "\"]"));
}

void TestShippedSkin::titleBackgroundsHaveRule_data() {
    QTest::addColumn<QString>("name");
    // The title bar's own name, then the names the frames give it; without a rule the title bar of
    // a translucent frame shows whatever lies behind the window.
    for (const char* name : {"titleBackground", "mainframe", "PTMessageBox", "updateFrame", "settingFrame",
                             "aboutFrame", "bugReportFrame", "dlgFrame"})
        QTest::newRow(name) << name;
}

void TestShippedSkin::titleBackgroundsHaveRule() {
    QFETCH(QString, name);
    QVERIFY(m_styleSheets.contains(QRegularExpression("#" + name + "\\b[^{]*\\{[^}]*background: #")));
}

void TestShippedSkin::styleSheetLoadsScaled() {
    SkinManager* skin = SkinManager::Instance();
    skin->InitScaleFor(ScreenMetrics{3840, 2160, 96.0}, nullptr, nullptr);
    skin->LoadStyleSheet();
    const QString sheet = skin->GetStyleSheet();
    QVERIFY(!sheet.isEmpty());
    QVERIFY(!sheet.contains(QRegularExpression("(FONT_|SIZECHANGE_)\\s*-?\\s*[0-9]")));
    QVERIFY(sheet.contains("font-size: 20px")); // FONT_13px at 1.5
}

void TestShippedSkin::coloursForBugReport() {
    SkinManager* skin = SkinManager::Instance();
    for (const char* page : {"Successful", "Failed", "Sending"})
        QVERIFY(QColor::isValidColor(skin->GetPageColors(page).value("BugReportColor")));
}

void TestShippedSkin::logoPieces() {
    SkinManager* skin = SkinManager::Instance();
    QCOMPARE(skin->GetLogoPixmap(LOGO_ICON_SMALL).size(), QSize(16, 16));
    QCOMPARE(skin->GetLogoPixmap(LOGO_ICON_LARGE).size(), QSize(80, 80));
    QCOMPARE(skin->GetLogoPixmap(LOGO_ICON).size(), QSize(120, 120));
    QVERIFY(skin->GetLogoPixmap(LOGO_EDITION).isNull());
    QCOMPARE(skin->GetLogoPixmap(LOGO_BRAND).size(), QSize(180, 180));
    QCOMPARE(skin->GetLogoPixmap(LOGO_LOGO).size(), QSize(48, 48));
    QVERIFY(!QIcon(":/Tavik/Resources/mendra.ico").isNull());
}

void TestShippedSkin::animationsPlay_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("connect") << ":/Tavik/Resources/img/connect.gif" << QSize(100, 30);
    QTest::newRow("fix") << ":/Tavik/Resources/img/fixpix.gif" << QSize(200, 390);
    QTest::newRow("download") << ":/Tavik/Resources/img/DownloadGif.gif" << QSize(200, 180);
    QTest::newRow("verify") << ":/Tavik/Resources/img/VerifyGif.gif" << QSize(200, 180);
    QTest::newRow("title bar") << "STYLE/image/titlebar_bugreport.gif" << QSize(10, 10);
}

void TestShippedSkin::animationsPlay() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    path.replace("STYLE/", SkinManager::Instance()->GetSkinFolder());
    QMovie movie(path, "GIF");
    QVERIFY2(movie.isValid(), qPrintable(path));
    QVERIFY(movie.frameCount() > 1);
    QCOMPARE(QImageReader(path, "GIF").size(), size);
    // Every frame decodes.
    for (int i = 0; i < movie.frameCount(); ++i) {
        QVERIFY(movie.jumpToFrame(i));
        QVERIFY(!movie.currentImage().isNull());
    }
}

void TestShippedSkin::framePicturesExist() {
    const QString folder = SkinManager::Instance()->GetSkinFolder();
    QVERIFY(!QPixmap(folder + "SplashScreen/main_shadow.png").isNull());
    for (const char* icon : {"arrow_down.png", "check_on.png", "check_off.png"})
        QVERIFY(!QPixmap(m_root + "/image/" + icon).isNull());
}

QTEST_MAIN(TestShippedSkin)
#include "tst_shippedskin.moc"
