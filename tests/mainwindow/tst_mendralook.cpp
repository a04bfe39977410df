#include "FakeRepairEngine.h"
#include "FrameworkSkin.h"
#include "MendraWindow.h"

#include "app/EditionData.h"
#include "app/Language.h"
#include "controller/Controller.h"
#include "framework/ApplicationFonts.h"
#include "framework/MyButton.h"
#include "framework/MyFrame.h"
#include "framework/TitleBar.h"
#include "mainwindow/Mendra.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStatusBar>
#include <QtTest>

namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every style sheet the program loads: the application's and the two the main window loads itself.
QString ShippedStyleSheets() {
    SkinManager* skin = SkinManager::Instance();
    return ReadText(skin->GetStyleSheetPath()) + ReadText(skin->GetColorQssPath()) + ReadText(skin->GetIconQssPath());
}

// The widget classes named by rules on the key: "QLabel[STYLE_KEY="X"]" gives "QLabel", "*[...]" gives "*".
QStringList SelectorClasses(const QString& sheets, const QString& key) {
    const QRegularExpression selector(
        QStringLiteral("([A-Za-z_*][A-Za-z0-9_]*)\\[STYLE_KEY=\"%1\"\\]").arg(QRegularExpression::escape(key)));
    QStringList classes;
    auto matches = selector.globalMatch(sheets);
    while (matches.hasNext())
        classes << matches.next().captured(1);
    return classes;
}

QImage Expected(const QString& part, const QString& image, const QSize& size) {
    SkinManager* skin = SkinManager::Instance();
    skin->ChangePart(part);
    return skin->GetPagePixmap(image)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QString LanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

// Each named widget's smallest and largest size, in name order.
QStringList SizeLimits(const QWidget& window) {
    QStringList limits;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        // Qt's own helpers (a scroll area's bar containers) get their limits when they are first needed.
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            limits << QStringLiteral("%1 %2x%3 to %4x%5")
                          .arg(widget->objectName())
                          .arg(widget->minimumWidth())
                          .arg(widget->minimumHeight())
                          .arg(widget->maximumWidth())
                          .arg(widget->maximumHeight());
    }
    limits.sort();
    return limits;
}

QImage Shown(const QLabel* label) {
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

// The main window in the skin the build draws, on a screen with UI scale 1.5: the style keys its
// widgets carry, their sizes, and the pictures and style sheet a skin change loads.
class TestMendraLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void styleKeys_data();
    void styleKeys();
    void everyStyleKeyHasARule();
    void scaledSizes_data();
    void scaledSizes();
    void baseScaleMinimumSize();
    void skinChangeLoadsStyleSheetAndIcons();
    void skinChangeLoadsGuidePictures_data();
    void skinChangeLoadsGuidePictures();
    void skinChangeShowsNotConnected();
    void pagesStartUnderTheTitleBar();
    void sizesHoldThroughLanguageChange_data();
    void sizesHoldThroughLanguageChange();

private:
    QWidget* Find(const QString& name) const;

    Mendra* m_window = nullptr;
};

void TestMendraLook::initTestCase() {
    gAppData = new MendraData(AppDataParams{});
    QCOMPARE(InitShippedSkin(), 3);
}

void TestMendraLook::init() {
    SetSkinScaleForScreenWidth(3840);
    QCOMPARE(SkinManager::Instance()->GetScale(), 1.5);
    m_window = OpenMendraOn(new FakeRepairEngine);
}

void TestMendraLook::cleanup() {
    CloseMendra(m_window);
}

void TestMendraLook::cleanupTestCase() {
    SkinManager::Release();
    ReleaseAppData();
}

QWidget* TestMendraLook::Find(const QString& name) const {
    return name == QLatin1String("window") ? m_window : m_window->findChild<QWidget*>(name);
}

void TestMendraLook::styleKeys_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("widgets");
    const QList<QPair<const char*, QStringList>> keys{
        {"START_PAGE_ITEM_BUTTON", {"standardModeBtn", "advancedModeBtn"}},
        {"START_PAGE_ITEM", {"AdvancedModeWidget", "StandardModeWidget"}},
        {"PRODUCT_INFO_WIDGET", {"productInfoWidget"}},
        {"PRODUCT_NAME_LABLE", {"productNameLbl"}},
        {"PRODUCT_INFO_LABLE", {"productInfoLbl"}},
        {"SAVEIOS_PROCESS", {"FixprogressBar", "FirmwareProgressBar"}},
        {"FIX_STATUS_LBL", {"fixStatusLbl"}},
        {"PROGRESS_BAR_VALUE_LBL", {"ProgressBarValueLbl"}},
        {"BTN_BACK", {"btnBack"}},
        {"BTN_NEXT_AND_DOWNLOAD", {"btnDownload", "btnNext", "btnRetryDownload"}},
        {"STATUS_BAR", {"buttomWidget"}},
        {"BTN_RECOVERY_MODE", {"recoveryModeStateBtn"}},
        {"PRO_BROWSER", {"problemsBrowser"}},
        {"NOT_CONN_LBL", {"deviceNotConnLbl", "disconnectedLbl"}},
        {"DEVICE_AND_SYSTEM", {"DeviceModelBox", "iPhoneTypeBox", "worksComBox", "SystemVersionBox"}},
        {"DEVICE_AND_SYSTEM_Scrollbar", {"iPhoneComBox", "iPadComBox", "iPodComBox", "AppleTvComBox"}},
        {"DOWNLOAD_AND_SELECT", {"btnDownloadFirmware", "btnSelectFirmware"}},
        {"MODE_INFO_LBL", {"standardModeInfoLbl", "advancedModeInfoLbl"}},
        {"MODE_LBL", {"standardModeTipsLbl", "advancedModeTipsLbl"}},
        {"LABEL_7", {"selectStateLbl1", "selectStateLbl2"}},
        {"MODEL_AND_SYSTEM", {"modeSelectLbl", "systemSelectLbl"}},
        {"CONNECT_IOSTOPCL_LBL", {"connectiOStoPCLbl", "firmwareReadyLbl"}},
        {"SHOW_RECOVERY_GUIDE_LBL", {"showRecoveryGuideLbl"}},
        {"DezazaLabel_LBL", {"DezazaLabel"}},
        {"DezazaLabel_LBL1", {"NoteLabel"}},
        {"SHOWPHOTOLBL", {"FirmwareSelectPage"}},
        {"SUGGEST_LBL", {"suggest_lbl"}},
        {"GUIDE_VIEW_BTN",
         {"OtherBtn", "OtherBtn_2", "iPhoen7Btn", "iPhoen7Btn_2", "iPhone8Btn", "iPhone8Btn_2", "AppleBtn",
          "AppleHDBtn"}},
        {"LINE_LEFT", {"line_3", "line_11"}},
        {"LINE_RIGHT", {"line_4", "line_12"}},
        {"ONE_TWO_THREE", {"recovery_one", "recovery_two", "recovery_three", "dfu_one", "dfu_two", "dfu_three"}},
        {"RECOVERY_DFU_MODE_LBL", {"recoveryModeLabel", "dfuModeLabel"}},
        {"CROSS_LINE", {"crossLine1", "crossLine2", "crossLine5", "crossLine6", "crossLine7", "crossLine8"}},
    };
    for (const auto& key : keys)
        QTest::newRow(key.first) << QString::fromLatin1(key.first) << key.second;
}

void TestMendraLook::styleKeys() {
    QFETCH(QString, key);
    QFETCH(QStringList, widgets);
    QStringList carrying;
    for (QWidget* widget : m_window->findChildren<QWidget*>()) {
        if (widget->property("STYLE_KEY").toString() == key)
            carrying << widget->objectName();
    }
    carrying.sort();
    widgets.sort();
    QCOMPARE(carrying, widgets);
}

// A key without a rule, or with rules for another kind of widget only, leaves the widget unstyled.
void TestMendraLook::everyStyleKeyHasARule() {
    const QString sheets = ShippedStyleSheets();
    QVERIFY(!sheets.isEmpty());
    QStringList unstyled;
    int keyed = 0;
    for (QWidget* widget : m_window->findChildren<QWidget*>()) {
        const QString key = widget->property("STYLE_KEY").toString();
        if (key.isEmpty())
            continue;
        ++keyed;
        bool matched = false;
        for (const QString& type : SelectorClasses(sheets, key))
            matched = matched || type == QLatin1String("*") || widget->inherits(type.toLatin1().constData());
        if (!matched)
            unstyled << QStringLiteral("%1 (%2, %3)").arg(widget->objectName(), widget->metaObject()->className(), key);
    }
    QCOMPARE(keyed, 71);
    QVERIFY2(unstyled.isEmpty(), qPrintable(unstyled.join(QLatin1String(", "))));
}

void TestMendraLook::scaledSizes_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QSize>("maximum");
    const int any = QWIDGETSIZE_MAX;

    // Design sizes times 1.5, truncated: 85 -> 127, 23 -> 34, 5 -> 7.
    QTest::newRow("window") << "window" << QSize(1623, 957) << QSize(any, any);
    QTest::newRow("recovery mode button") << "recoveryModeStateBtn" << QSize(270, 45) << QSize(270, 45);
    QTest::newRow("problem list") << "problemsBrowser" << QSize(600, 411) << QSize(600, 411);
    QTest::newRow("standard mode panel") << "StandardModeWidget" << QSize(594, 604) << QSize(594, 604);
    QTest::newRow("advanced mode panel") << "AdvancedModeWidget" << QSize(594, 604) << QSize(594, 604);
    QTest::newRow("mode description") << "advancedModeInfoLbl" << QSize(0, 127) << QSize(any, 127);
    QTest::newRow("mode button") << "advancedModeBtn" << QSize(405, 63) << QSize(405, 63);
    QTest::newRow("model choice") << "DeviceModelBox" << QSize(285, 45) << QSize(285, 45);
    QTest::newRow("device list") << "iPhoneTypeBox" << QSize(225, 45) << QSize(225, 45);
    QTest::newRow("model list") << "AppleTvComBox" << QSize(270, 45) << QSize(270, 45);
    QTest::newRow("family list") << "worksComBox" << QSize(165, 45) << QSize(165, 45);
    QTest::newRow("system version") << "SystemVersionBox" << QSize(180, 45) << QSize(180, 45);
    QTest::newRow("select firmware") << "btnSelectFirmware" << QSize(135, 45) << QSize(135, 45);
    QTest::newRow("browse firmware") << "btnDownloadFirmware" << QSize(159, 45) << QSize(159, 45);
    QTest::newRow("repair progress") << "FixprogressBar" << QSize(687, 12) << QSize(any, 12);
    QTest::newRow("firmware progress keeps its height") << "FirmwareProgressBar" << QSize(1452, 12) << QSize(any, 12);
    QTest::newRow("connection picture") << "connstatusIogoLbl" << QSize(300, 570) << QSize(300, 570);
    QTest::newRow("fix page picture") << "FixStateLbl" << QSize(300, 585) << QSize(300, 585);
    QTest::newRow("help icon") << "disconnectIcon" << QSize(34, 34) << QSize(34, 34);
    QTest::newRow("first guide button") << "OtherBtn" << QSize(288, 63) << QSize(288, 63);
    QTest::newRow("DFU guide button") << "iPhone8Btn_2" << QSize(288, 63) << QSize(288, 63);
    QTest::newRow("left line") << "line_11" << QSize(426, 7) << QSize(426, 7);
    QTest::newRow("step number") << "dfu_three" << QSize(60, 60) << QSize(60, 60);
    QTest::newRow("cross line is a hairline") << "crossLine7" << QSize(1, 0) << QSize(1, any);
}

void TestMendraLook::scaledSizes() {
    QFETCH(QString, widget);
    QFETCH(QSize, minimum);
    QFETCH(QSize, maximum);
    QWidget* target = Find(widget);
    QVERIFY(target);
    QCOMPARE(target->minimumSize(), minimum);
    QCOMPARE(target->maximumSize(), maximum);
}

void TestMendraLook::baseScaleMinimumSize() {
    delete m_window;
    SetSkinScaleForScreenWidth(1920);
    m_window = NewMendraOn(new FakeRepairEngine);
    QCOMPARE(m_window->minimumSize(), QSize(1082, 638));
    QCOMPARE(Child<QLabel>(*m_window, "FixStateLbl")->size(), QSize(200, 390));
}

// In the main frame the pages start right under the frame's title bar: the program menu, which the
// window also carries for a desktop's own menu bar, leaves no empty strip where the desktop has none.
void TestMendraLook::pagesStartUnderTheTitleBar() {
    MyFrame frame(m_window, nullptr,
                  CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    // The window goes with the test function's clean-up, not with the frame.
    const auto release = qScopeGuard([this]() { m_window->setParent(nullptr); });
    m_window->AddMenu(frame.GetMenu());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    TitleBar* title = frame.GetTitleBar();
    QCOMPARE(m_window->PageStackGlobalRect().top(), title->mapToGlobal(QPoint(0, title->height())).y());
    QVERIFY(m_window->menuBar()->actions().contains(frame.GetMenu()->menuAction()));
}

void TestMendraLook::skinChangeLoadsStyleSheetAndIcons() {
    SkinManager* skin = SkinManager::Instance();
    skin->NotifyAllImageUpdate();
    const QString colours = ReadText(skin->GetColorQssPath());
    QVERIFY(!colours.isEmpty());
    QCOMPARE(m_window->styleSheet(), colours + ReadText(skin->GetIconQssPath()));
    QCOMPARE(Child<QPushButton>(*m_window, "standardModeBtn")->iconSize(), QSize(52, 52));
    QCOMPARE(Child<QPushButton>(*m_window, "advancedModeBtn")->iconSize(), QSize(52, 52));
    QVERIFY(!Child<QPushButton>(*m_window, "standardModeBtn")->icon().isNull());
    QVERIFY(!Child<QPushButton>(*m_window, "advancedModeBtn")->icon().isNull());
    MyButton* back = m_window->findChild<MyButton*>(QStringLiteral("btnBack"));
    QCOMPARE(back->iconMargin(), 4);
    for (int state : {SKIN_NORMAL, SKIN_ON, SKIN_DOWN, SKIN_DISABLE})
        QVERIFY(!back->statePixmaps().value(state).isNull());
    // Later picture look-ups go to the guide page.
    QCOMPARE(skin->GetCurrentPart(), QStringLiteral("Steps"));
    QCOMPARE(Shown(Child<QLabel>(*m_window, "disconnectIcon")), Expected("Other", "help", QSize(34, 34)));
}

void TestMendraLook::skinChangeLoadsGuidePictures_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QSize>("size");
    const struct {
        const char* label;
        const char* image;
        QSize design;
    } pictures[] = {
        {"recoveryOtherOneLbl", "OtheriDevices1", {120, 300}},
        {"recoveryOtherTwoLbl", "OtheriDevices2", {220, 300}},
        {"recoveryOtherThreeLbl", "OtheriDevices3", {220, 300}},
        {"recoveryiPhone7OneLbl", "OtheriDevices1", {120, 300}},
        {"recoveryiPhone7TwoLbl", "iPhone7-2", {220, 300}},
        {"recoveryiPhone7ThreeLbl", "iPhone7-3", {220, 300}},
        {"recoveryiPhone8OneLbl", "iPhone8-1", {120, 300}},
        {"recoveryiPhone8TwoLbl", "iPhone8-2", {220, 300}},
        {"recoveryiPhone8ThreeLbl", "iPhone8-3", {220, 300}},
        {"recoveryApplOneLbl", "AppleTV1", {220, 300}},
        {"recoveryApplTwoLbl", "AppleTV2", {220, 300}},
        {"recoveryApplThreeLbl", "AppleTV3", {220, 300}},
        {"recoveryApplHdOneLbl", "AppleTVHD1", {220, 300}},
        {"recoveryApplHdTwoLbl", "AppleTVHD2", {220, 300}},
        {"recoveryApplHdThreeLbl", "AppleTVHD3", {160, 300}},
        {"dfuOtherOneLbl", "OtheriDevices1", {120, 300}},
        {"dfuOtherTwoLbl", "OtheriDevices2", {220, 300}},
        {"dfuOtherThreeLbl", "OtheriDevices3D", {220, 300}},
        {"dfuiPhone7OneLbl", "OtheriDevices1", {120, 300}},
        {"dfuiPhone7TwoLbl", "iPhone7-2", {220, 300}},
        {"dfuiPhone7ThreeLbl", "iPhone7-3D", {220, 300}},
        {"dfuiPhone8OneLbl", "iPhone8-1D", {220, 280}},
        {"dfuiPhone8TwoLbl", "iPhone8-2D", {220, 280}},
        {"dfuiPhone8ThreeLbl", "iPhone8-3D", {220, 280}},
    };
    for (const auto& picture : pictures)
        QTest::newRow(picture.label) << picture.label << picture.image << picture.design * 1.5;
}

void TestMendraLook::skinChangeLoadsGuidePictures() {
    QFETCH(QString, label);
    QFETCH(QString, image);
    QFETCH(QSize, size);
    SkinManager::Instance()->NotifyAllImageUpdate();
    const QImage shown = Shown(m_window->findChild<QLabel*>(label));
    QCOMPARE(shown.size(), size);
    QVERIFY(shown == Expected("Steps", image, size));
}

void TestMendraLook::skinChangeShowsNotConnected() {
    m_window->ShowConnectionStateAlt(true);
    const QImage unconnected = Expected("Other", "UnConnected", QSize(300, 570));
    QVERIFY(Shown(Child<QLabel>(*m_window, "connstatusIogoLbl")) != unconnected);
    SkinManager::Instance()->NotifyAllImageUpdate();
    QVERIFY(Shown(Child<QLabel>(*m_window, "connstatusIogoLbl")) == unconnected);
}

void TestMendraLook::sizesHoldThroughLanguageChange_data() {
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<QString>("language");
    for (int width : {1920, 3840}) {
        for (const char* language : {"de", "fr", "zh", "jp", "en"})
            QTest::addRow("%s, %d wide", language, width) << width << language;
    }
}

// A language change sets the application's style sheet again, which repolishes every widget with the skin's
// rules; the sizes the window gave its widgets must hold as they did after start-up.
void TestMendraLook::sizesHoldThroughLanguageChange() {
    QFETCH(int, screenWidth);
    QFETCH(QString, language);
    delete m_window;
    SetSkinScaleForScreenWidth(screenWidth);
    auto* engine = new FakeRepairEngine;
    m_window = NewMendraOn(engine);
    const auto restore = qScopeGuard([]() {
        LoadTranslator(QStringLiteral("en"), LanguageFolder(), QStringLiteral("Mendra"));
        qApp->setStyleSheet(QString());
    });
    // As start-up does: the application's style sheet, then the window's pictures and its own sheets.
    SkinManager* skin = SkinManager::Instance();
    skin->LoadStyleSheet();
    SetupApplicationFonts(skin->GetStyleSheet(), QStringLiteral("en"));
    skin->NotifyAllImageUpdate();
    ListPhone(*m_window, *engine, 5);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    const double scale = skin->GetScale();
    const QSize design(int(176 * scale), int(42 * scale));
    const QStringList buttons{"btnNext", "btnDownload", "btnRetryDownload"};
    for (const QString& name : buttons) {
        QCOMPARE(Find(name)->minimumSize(), design);
        QCOMPARE(Find(name)->maximumSize(), design);
    }
    QTRY_COMPARE(Find("btnNext")->size(), design);
    const QStringList before = SizeLimits(*m_window);

    Controller::Instance()->SetLanguageFolder(LanguageFolder());
    Controller::Instance()->SetLanguage(language);
    QCOMPARE(Child<QPushButton>(*m_window, "btnDownload")->text(), QCoreApplication::translate("Mendra", "Download"));
    QCOMPARE(SizeLimits(*m_window), before);
    QTRY_COMPARE(Find("btnNext")->size(), design);
    // The download button shows on the firmware selection.
    DriveTo(*m_window, *engine, WindowStage::Selection);
    QVERIFY(Find("btnDownload")->isVisible());
    QTRY_COMPARE(Find("btnDownload")->size(), design);
}

QTEST_MAIN(TestMendraLook)
#include "tst_mendralook.moc"
