#include "ExpectBoxes.h"
#include "FakeRepairEngine.h"
#include "FrameworkSkin.h"
#include "MendraWindow.h"

#include "app/EditionData.h"
#include "app/Language.h"
#include "controller/Controller.h"
#include "framework/ApplicationFonts.h"
#include "mainwindow/Mendra.h"
#include "mainwindow/WrappableText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <tuple>

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

// A guide's step texts and pictures that do not stand under their step numbers (the shown device page).
QStringList StepsOffTheirNumbers(const QStackedWidget* steps, const QList<QLabel*>& numbers) {
    QStringList off;
    const QWidget* window = steps->window();
    const auto centre = [window](const QWidget* widget) { return widget->mapTo(window, widget->rect().center()).x(); };
    auto* grid = qobject_cast<QGridLayout*>(steps->currentWidget()->layout()->itemAt(0)->layout());
    if (!grid)
        return {QStringLiteral("%1 has no step grid").arg(steps->currentWidget()->objectName())};
    for (int column = 0; column < numbers.size(); ++column) {
        for (int row = 0; row < 2; ++row) {
            const QWidget* step = grid->itemAtPosition(row, column)->widget();
            if (qAbs(centre(step) - centre(numbers.at(column))) > 1)
                off << QStringLiteral("%1 centred at %2, %3 at %4")
                           .arg(step->objectName())
                           .arg(centre(step))
                           .arg(numbers.at(column)->objectName())
                           .arg(centre(numbers.at(column)));
        }
    }
    return off;
}

// With MENDRA_SCREENSHOT_DIR set, the window is saved there as <name>.png to be looked at; true unless that
// save failed.
bool SaveScreenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("MENDRA_SCREENSHOT_DIR");
    return folder.isEmpty() || window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The texts of the device library's longest download and verification failures, with a user's documents
// folder of a realistic length.
const QString kFirmwareFolder = QStringLiteral("/home/anna-lena.mustermann/Documents/Tavik/Mendra/firmware");
const QString kPackage = kFirmwareFolder + QStringLiteral("/iPhone12,1_17.0_21A329_Restore.ipsw");

} // namespace

// The window's pages as the program shows them, in every language it ships, with the skin's style sheet
// and the language's font: every text fits its widget, and no widget reaches past its parent. With
// MENDRA_SCREENSHOT_DIR set, each window is also saved there to be looked at.

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
    void modeAndFixPagesFit_data();
    void modeAndFixPagesFit();

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
    const QList<QPair<const char*, int>> devices{
        {"no device", -1}, {"normal", MRModeNormal}, {"recovery", MRModeRecovery}, {"DFU", MRModeDFU}};
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
    Mendra window(nullptr, [engine](const ModelHost&) { return engine; });
    ShowWindow(window, language);
    if (deviceMode >= 0) {
        const MRDeviceRef phone = 5;
        engine->devicePresent = DevicePresence::Selected;
        engine->currentDevice = engine->typeBoxDevice = phone;
        engine->deviceMode = deviceMode;
        window.AddDeviceEntry(QStringLiteral("iPhone"), QVariant::fromValue<qulonglong>(phone), phone);
        window.ShowConnectionStateAlt(true);
        window.ShowRecoveryButtonState(0);
    }

    QVERIFY(SaveScreenshot(window, QStringLiteral("home_%1_%2").arg(language).arg(deviceMode)));

    QCOMPARE(Child<QTextBrowser>(window, "problemsBrowser")->verticalScrollBar()->value(), 0);
    QStringList clipped = Clipped(Child(window, "homePage")) + Clipped(window.statusBar());
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
    Mendra window(nullptr, [](const ModelHost&) { return new FakeRepairEngine; });
    ShowWindow(window, language);
    window.AddModelEntry(QStringLiteral("Ada's iPhone"), QVariant::fromValue<qulonglong>(5));
    window.AddSystemVersion(QStringLiteral("17.0 (21A329)"));
    window.SetMainPage(MainPage::FirmwareSelection);
    window.SetCheckPage(CheckPage::ChooseFirmware);
    QVERIFY(SaveScreenshot(window, QStringLiteral("select_%1").arg(language)));
    const QStringList clipped = Clipped(Child(window, "selectPage"));
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

void TestMendraHome::guidePagesFit_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<RepairMode>("repairMode");
    QTest::addColumn<QStringList>("kindButtons");
    const QStringList recovery{"OtherBtn", "iPhoen7Btn", "iPhone8Btn", "AppleBtn", "AppleHDBtn"};
    const QStringList dfu{"OtherBtn_2", "iPhoen7Btn_2", "iPhone8Btn_2"};
    for (const char* language : {"en", "zh", "fr", "jp", "de"}) {
        QTest::addRow("recovery, %s", language) << language << RepairMode::Standard << recovery;
        QTest::addRow("DFU, %s", language) << language << RepairMode::Advanced << dfu;
    }
}

void TestMendraHome::guidePagesFit() {
    QFETCH(QString, language);
    QFETCH(RepairMode, repairMode);
    QFETCH(QStringList, kindButtons);
    ExpectBoxes({});
    Mendra window(nullptr, [](const ModelHost&) { return new FakeRepairEngine; });
    ShowWindow(window, language);
    Controller::Instance()->SetRepairMode(repairMode);
    window.ShowGuideView();
    QStringList clipped;
    for (const QString& kind : kindButtons) {
        QTest::mouseClick(window.findChild<QAbstractButton*>(kind), Qt::LeftButton);
        QVERIFY(SaveScreenshot(window, QStringLiteral("guide_%1_%2").arg(kind, language)));
        const bool recovery = repairMode != RepairMode::Advanced;
        const QStringList misplaced =
            recovery
                ? StepsOffTheirNumbers(Child<QStackedWidget>(window, "stackedWidget_3"),
                                       {Child<QLabel>(window, "recovery_one"), Child<QLabel>(window, "recovery_two"),
                                        Child<QLabel>(window, "recovery_three")})
                : StepsOffTheirNumbers(Child<QStackedWidget>(window, "stackedWidget_4"),
                                       {Child<QLabel>(window, "dfu_one"), Child<QLabel>(window, "dfu_two"),
                                        Child<QLabel>(window, "dfu_three")});
        for (const QString& problem : Clipped(Child(window, "recoveryPage")) + Clipped(window.statusBar()) + misplaced)
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
    QTest::addColumn<FirmwareState>("state");
    QTest::addColumn<QString>("description");
    const QString digest = QStringLiteral("5d41402abc4b2a76b9719d911017c592a1b2c3d4");
    const QList<QPair<const char*, QPair<FirmwareState, QString>>> failures{
        {"download folder",
         {FirmwareState::DownloadFailed,
          QStringLiteral("Cannot write to the download folder %1: Permission denied").arg(kFirmwareFolder)}},
        {"partial file",
         {FirmwareState::DownloadFailed,
          QStringLiteral("Cannot rename %1.part: No space left on device").arg(kPackage)}},
        {"checksum",
         {FirmwareState::VerifyFailed,
          QStringLiteral("The package's SHA-1 is %1, expected %2").arg(digest, QString(digest).replace('5', 'e'))}},
        {"not a package",
         {FirmwareState::VerifyFailed,
          kPackage + QStringLiteral(" is not a firmware package: it has no Restore.plist")}},
    };
    for (const char* language : {"en", "zh", "fr", "jp", "de"}) {
        for (const auto& failure : failures)
            QTest::addRow("%s, %s", language, failure.first)
                << language << failure.second.first << failure.second.second;
    }
}

void TestMendraHome::checkPageFailureFits() {
    QFETCH(QString, language);
    QFETCH(FirmwareState, state);
    QFETCH(QString, description);
    ExpectBoxes({});
    Mendra window(nullptr, [](const ModelHost&) { return new FakeRepairEngine; });
    ShowWindow(window, language);
    window.SetMainPage(MainPage::FirmwareSelection);
    window.SetCheckPage(CheckPage::CheckFirmware);
    const bool download = state == FirmwareState::DownloadFailed;
    if (download)
        window.ShowDownloadFailedPicture();
    else
        window.ShowVerifyFailedPicture();
    window.ShowFirmwareError(QStringLiteral("9"), description);
    window.ShowFirmwareState(state);
    window.ShowFirmwareHint(download ? FirmwareHint::KeepConnected : FirmwareHint::TryOtherVersions);
    window.EnableRetryDownload(download);
    QApplication::processEvents();

    QVERIFY(SaveScreenshot(window, QStringLiteral("check_%1").arg(QString::fromLatin1(QTest::currentDataTag()))));
    // The whole text is there to be read, only with places to break.
    QCOMPARE(WithoutBreakMarks(Child<QLabel>(window, "errStringLbl")->text()), description);
    const QStringList clipped = Clipped(Child(window, "selectPage")) + Clipped(window.statusBar());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

// The mode choice and the fix page in each of its states, reached the way the user and the engine reach them.
void TestMendraHome::modeAndFixPagesFit_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<WindowStage>("stage");
    QTest::addColumn<bool>("advanced");
    const QList<std::tuple<const char*, WindowStage, bool>> stages{
        {"mode", WindowStage::ModeChoice, false},  {"no device", WindowStage::FixNoDevice, false},
        {"ready", WindowStage::ReadyToFix, false}, {"ready, advanced", WindowStage::ReadyToFix, true},
        {"fixing", WindowStage::Fixing, false},    {"done", WindowStage::Done, false},
        {"failed", WindowStage::TryAgain, true}};
    for (const char* language : {"en", "zh", "fr", "jp", "de"}) {
        for (const auto& stage : stages)
            QTest::addRow("%s, %s", language, std::get<0>(stage))
                << language << std::get<1>(stage) << std::get<2>(stage);
    }
}

void TestMendraHome::modeAndFixPagesFit() {
    QFETCH(QString, language);
    QFETCH(WindowStage, stage);
    QFETCH(bool, advanced);
    ExpectBoxes({});
    auto* engine = new FakeRepairEngine;
    Mendra window(nullptr, [engine](const ModelHost&) { return engine; });
    ShowWindow(window, language);
    const MRDeviceRef phone = 5;
    window.AddDeviceEntry(QStringLiteral("Ada's iPhone"), QVariant::fromValue<qulonglong>(phone), phone);
    window.AddModelEntry(QStringLiteral("Ada's iPhone"), QVariant::fromValue<qulonglong>(phone));
    window.AddSystemVersion(QStringLiteral("17.0 (21A329)"));
    engine->currentDevice = engine->typeBoxDevice = phone;
    engine->devicePresent = stage == WindowStage::FixNoDevice ? DevicePresence::NoDevice : DevicePresence::Selected;
    Controller::Instance()->SetSystemVersionText(QStringLiteral("17.0 (21A329)"));
    StageDetails details;
    details.advanced = advanced;
    details.step = RepairStep::Repairing;
    details.progress = 500;
    DriveTo(window, *engine, stage, details);
    QApplication::processEvents();

    QVERIFY(SaveScreenshot(window, QStringLiteral("page_%1").arg(QString::fromLatin1(QTest::currentDataTag()))));
    const QStringList clipped =
        Clipped(Child<QStackedWidget>(window, "stackedWidget")->currentWidget()) + Clipped(window.statusBar());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1String("; "))));
    // The skin's button rule does not shrink the status-bar buttons below their design size.
    for (const char* name : {"btnNext", "btnDownload", "btnRetryDownload"})
        QCOMPARE(window.findChild<QWidget*>(QLatin1String(name))->size(), QSize(176, 42));
    QCOMPARE(MendraMessageBox::QueuedAnswerCount(), 1);
}

QTEST_MAIN(TestMendraHome)
#include "tst_mendrahome.moc"
