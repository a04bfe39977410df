#include "ExpectBoxes.h"
#include "FakeRepairEngine.h"
#include "FrameworkSkin.h"

#include "app/ApplicationFonts.h"
#include "app/EditionData.h"
#include "app/Language.h"
#include "device/Controller.h"
#include "mainwindow/Mendra.h"
#include "mainwindow/WrappableText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

namespace {

QString LanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

QString PlainText(const QLabel* label) {
    if (label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text()))
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

// What does not fit: a single-line text wider than its label, a wrapped one taller than its label,
// a button narrower than its text needs, a list entry wider than its combo box's text field.
QStringList Clipped(QWidget* page) {
    QStringList clipped;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height())
                clipped << QStringLiteral("%1 needs %2 px height, has %3")
                               .arg(label->objectName())
                               .arg(label->heightForWidth(label->width()))
                               .arg(label->height());
            continue;
        }
        const int needed = label->fontMetrics().horizontalAdvance(PlainText(label).trimmed());
        if (needed > room.width())
            clipped << QStringLiteral("%1 needs %2 px, has %3").arg(label->objectName()).arg(needed).arg(room.width());
    }
    for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty() && button->sizeHint().width() > button->width())
            clipped << QStringLiteral("%1 needs %2 px, has %3")
                           .arg(button->objectName())
                           .arg(button->sizeHint().width())
                           .arg(button->width());
    }
    for (QComboBox* box : page->findChildren<QComboBox*>()) {
        if (!box->isVisible() || box->currentText().isEmpty())
            continue;
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        option.frame = box->hasFrame();
        option.currentText = box->currentText();
        const QRect field =
            box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        const int needed = box->fontMetrics().horizontalAdvance(box->currentText());
        if (needed > field.width())
            clipped << QStringLiteral("%1 needs %2 px, has %3").arg(box->objectName()).arg(needed).arg(field.width());
    }
    // A widget its layout could not give room to reaches past its parent, where nothing of it is drawn.
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        const bool shows =
            qobject_cast<QLabel*>(widget) || qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget);
        if (!shows || !widget->isVisible() || !widget->parentWidget())
            continue;
        if (!widget->parentWidget()->rect().contains(widget->geometry()))
            clipped << QStringLiteral("%1 at %2,%3 %4x%5 reaches past its parent's %6x%7")
                           .arg(widget->objectName())
                           .arg(widget->x())
                           .arg(widget->y())
                           .arg(widget->width())
                           .arg(widget->height())
                           .arg(widget->parentWidget()->width())
                           .arg(widget->parentWidget()->height());
    }
    return clipped;
}

// The texts of the device library's longest download and verification failures, with a user's documents
// folder of a realistic length.
const QString kFirmwareFolder = QStringLiteral("/home/anna-lena.mustermann/Documents/Tavik/Mendra/firmware");
const QString kPackage = kFirmwareFolder + QStringLiteral("/iPhone12,1_17.0_21A329_Restore.ipsw");

} // namespace

// The home page as the program first shows it, in every language it ships, with the skin's style sheet
// and the language's font: every text fits its widget. With MENDRA_SCREENSHOT_DIR set, each language's
// window is also saved there as home_<language>.png to be looked at.
class TestMendraHome : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void homePageFits_data();
    void homePageFits();
    void selectPageFits_data();
    void selectPageFits();
    void guidePagesFit_data();
    void guidePagesFit();
    void checkPageFailureFits_data();
    void checkPageFailureFits();

private:
    void ShowWindow(Mendra& window, const QString& language);
};

void TestMendraHome::initTestCase() {
    gAppData = new MendraData(AppDataParams{});
    QCOMPARE(InitShippedSkin(), 3);
    SetSkinScaleForScreenWidth(1920);
    SkinManager::Instance()->LoadStyleSheet();
}

void TestMendraHome::cleanupTestCase() {
    LoadTranslator(QStringLiteral("en"), LanguageFolder(), QStringLiteral("Mendra"));
    SkinManager::Release();
    delete gAppData;
    gAppData = nullptr;
}

void TestMendraHome::homePageFits_data() {
    QTest::addColumn<QString>("language");
    // The device mode of a connected device; -1 when none is connected.
    QTest::addColumn<int>("deviceMode");
    const QList<QPair<const char*, int>> devices{{"no device", -1}, {"normal", 0}, {"recovery", 1}, {"DFU", 2}};
    for (const char* language : {"en", "zh", "fr", "jp", "de"}) {
        for (const auto& device : devices)
            QTest::addRow("%s, %s", language, device.first) << language << device.second;
    }
}

void TestMendraHome::ShowWindow(Mendra& window, const QString& language) {
    // Language, font and pictures as start-up applies them.
    QVERIFY(LoadTranslator(language, LanguageFolder(), QStringLiteral("Mendra")));
    SetupApplicationFonts(SkinManager::Instance()->GetStyleSheet(), language);
    window.Retranslate();
    SkinManager::Instance()->NotifyAllImageUpdate();
    window.resize(window.minimumSize());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void TestMendraHome::homePageFits() {
    QFETCH(QString, language);
    QFETCH(int, deviceMode);
    ExpectBoxes({});
    auto* engine = new FakeRepairEngine;
    Mendra window(nullptr, [engine](ControllerWindow*) { return engine; });
    ShowWindow(window, language);
    if (deviceMode >= 0) {
        const MRDeviceRef phone = 5;
        engine->devicePresent = 1;
        engine->currentDevice = engine->typeBoxDevice = phone;
        engine->deviceMode = deviceMode;
        window.AddDeviceEntry(QStringLiteral("iPhone"), QVariant::fromValue<qulonglong>(phone), phone);
        window.ShowConnectionStateAlt(true);
        window.ShowRecoveryButtonState(0);
    }

    const QString folder = qEnvironmentVariable("MENDRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(window.grab().save(folder + QStringLiteral("/home_%1_%2.png").arg(language).arg(deviceMode)));

    QCOMPARE(window.problemsBrowser->verticalScrollBar()->value(), 0);
    QStringList clipped = Clipped(window.homePage) + Clipped(window.statusBar());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// The firmware selection with a device and a version text as long as the library's catalogue gives.
void TestMendraHome::selectPageFits_data() {
    QTest::addColumn<QString>("language");
    for (const char* language : {"en", "zh", "fr", "jp", "de"})
        QTest::newRow(language) << language;
}

void TestMendraHome::selectPageFits() {
    QFETCH(QString, language);
    ExpectBoxes({});
    Mendra window(nullptr, [](ControllerWindow*) { return new FakeRepairEngine; });
    ShowWindow(window, language);
    window.AddModelEntry(QStringLiteral("Ada's iPhone"), QVariant::fromValue<qulonglong>(5));
    window.AddSystemVersion(QStringLiteral("17.0 (21A329)"));
    window.SetMainPage(3);
    window.SetCheckPage(0);
    const QString folder = qEnvironmentVariable("MENDRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(window.grab().save(folder + QStringLiteral("/select_%1.png").arg(language)));
    const QStringList clipped = Clipped(window.selectPage);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

void TestMendraHome::guidePagesFit_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("repairMode");
    QTest::addColumn<QStringList>("kindButtons");
    const QStringList recovery{"OtherBtn", "iPhoen7Btn", "iPhone8Btn", "AppleBtn", "AppleHDBtn"};
    const QStringList dfu{"OtherBtn_2", "iPhoen7Btn_2", "iPhone8Btn_2"};
    for (const char* language : {"en", "zh", "fr", "jp", "de"}) {
        QTest::addRow("recovery, %s", language) << language << int(Controller::StandardMode) << recovery;
        QTest::addRow("DFU, %s", language) << language << int(Controller::AdvancedMode) << dfu;
    }
}

void TestMendraHome::guidePagesFit() {
    QFETCH(QString, language);
    QFETCH(int, repairMode);
    QFETCH(QStringList, kindButtons);
    ExpectBoxes({});
    Mendra window(nullptr, [](ControllerWindow*) { return new FakeRepairEngine; });
    ShowWindow(window, language);
    Controller::Instance()->SetRepairMode(repairMode);
    window.ShowGuideView();
    const QString folder = qEnvironmentVariable("MENDRA_SCREENSHOT_DIR");
    QStringList clipped;
    for (const QString& kind : kindButtons) {
        QTest::mouseClick(window.findChild<QAbstractButton*>(kind), Qt::LeftButton);
        if (!folder.isEmpty())
            QVERIFY(window.grab().save(folder + QStringLiteral("/guide_%1_%2.png").arg(kind, language)));
        for (const QString& problem : Clipped(window.recoveryPage) + Clipped(window.statusBar()))
            clipped << kind + QStringLiteral(": ") + problem;
    }
    clipped.removeDuplicates();
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// A failed download or verification with the longest descriptions the device library gives: the failure and
// its hint wrap inside the window, whatever the language.
void TestMendraHome::checkPageFailureFits_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("description");
    const QString digest = QStringLiteral("5d41402abc4b2a76b9719d911017c592a1b2c3d4");
    const QList<QPair<const char*, QPair<int, QString>>> failures{
        {"download folder",
         {2, QStringLiteral("Cannot write to the download folder %1: Permission denied").arg(kFirmwareFolder)}},
        {"partial file", {2, QStringLiteral("Cannot rename %1.part: No space left on device").arg(kPackage)}},
        {"checksum",
         {5, QStringLiteral("The package's SHA-1 is %1, expected %2").arg(digest, QString(digest).replace('5', 'e'))}},
        {"not a package", {5, kPackage + QStringLiteral(" is not a firmware package: it has no Restore.plist")}},
    };
    for (const char* language : {"en", "zh", "fr", "jp", "de"}) {
        for (const auto& failure : failures)
            QTest::addRow("%s, %s", language, failure.first)
                << language << failure.second.first << failure.second.second;
    }
}

void TestMendraHome::checkPageFailureFits() {
    QFETCH(QString, language);
    QFETCH(int, state);
    QFETCH(QString, description);
    ExpectBoxes({});
    Mendra window(nullptr, [](ControllerWindow*) { return new FakeRepairEngine; });
    ShowWindow(window, language);
    window.SetMainPage(3);
    window.SetCheckPage(1);
    const bool download = state == 2;
    if (download)
        window.ShowDownloadFailedPicture();
    else
        window.ShowVerifyFailedPicture();
    window.ShowFirmwareError(QStringLiteral("9"), description);
    window.ShowFirmwareState(state);
    window.ShowFirmwareHint(download ? 0 : 1);
    window.EnableRetryDownload(download);
    QApplication::processEvents();

    const QString folder = qEnvironmentVariable("MENDRA_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(window.grab().save(folder +
                                   QStringLiteral("/check_%1_%2.png")
                                       .arg(language, QString::fromLatin1(QTest::currentDataTag()).section(", ", 1))));
    // The whole text is there to be read, only with places to break.
    QCOMPARE(WithoutBreakMarks(window.errStringLbl->text()), description);
    const QStringList clipped = Clipped(window.selectPage) + Clipped(window.statusBar());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

QTEST_MAIN(TestMendraHome)
#include "tst_mendrahome.moc"
