#include "MendraForm.h"

#include <QAbstractItemModel>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTranslator>
#include <QtTest>

Q_DECLARE_METATYPE(QMargins)

// Readable failure messages for margin comparisons (found by QTest through argument lookup).
char* toString(const QMargins& margins) {
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)")
                               .arg(margins.left())
                               .arg(margins.top())
                               .arg(margins.right())
                               .arg(margins.bottom()));
}

namespace {

// The form built on a bare main window, the way the window class will build it.
struct FormWindow {
    QMainWindow window;
    MendraForm form;
    FormWindow() { form.setupUi(&window); }

    template <typename T = QWidget> T* find(const QString& name) const {
        auto* object = window.findChild<T*>(name);
        if (!object)
            qWarning("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
        return object;
    }
};

// Objects the form names; composite widgets' own internals (scroll-area viewports, the main window's
// layout, the status bar's layouts) carry no name or a "qt_" one.
QList<QObject*> formObjects(const QObject* root) {
    QList<QObject*> named;
    const auto all = root->findChildren<QObject*>();
    for (QObject* object : all) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && name != QLatin1String("_layout"))
            named << object;
    }
    return named;
}

QList<QSpacerItem*> formSpacers(const QObject* root) {
    QList<QSpacerItem*> spacers;
    for (QObject* object : formObjects(root)) {
        if (auto* layout = qobject_cast<QLayout*>(object)) {
            for (int i = 0; i < layout->count(); ++i) {
                if (QSpacerItem* spacer = layout->itemAt(i)->spacerItem())
                    spacers << spacer;
            }
        }
    }
    return spacers;
}

QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QString marked(const QString& source) {
    return QLatin1String("~") + source + QLatin1String("~");
}

// Answers every lookup in the form's context with a visibly different text, so a test sees that a
// text went through the translation system under that context; other contexts stay untranslated.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        if (qstrcmp(context, "MendraClass") != 0)
            return QString();
        const QString source = QString::fromUtf8(sourceText);
        if (source.startsWith(QLatin1String("<!DOCTYPE")))
            return QString(source).replace(QLatin1String("</body>"), QLatin1String("<p>translated</p></body>"));
        return marked(source);
    }
    bool isEmpty() const override { return false; }
};

const QStringList deviceFamilies = {"iPhone", "iPad", "iPod", "Apple TV"};

const QStringList iPhoneModels = {"iPhone 12 Pro Max", "iPhone 12 Pro",  "iPhone 12", "iPhone 12 Mini",
                                  "iPhone 11 Pro Max", "iPhone 11 Pro",  "iPhone 11", "iPhone XS Max",
                                  "iPhone XS",         "iPhone XR",      "iPhone X",  "iPhone 8 Plus",
                                  "iPhone 8",          "iPhone 7 Plus",  "iPhone 7",  "iPhone SE (2nd generation)",
                                  "iPhone SE",         "iPhone 6S Plus", "iPhone 6S", "iPhone 6 Plus",
                                  "iPhone 6",          "iPhone 5S",      "iPhone 5C", "iPhone 5",
                                  "iPhone 4S",         "iPhone 4"};

const QStringList iPadModels = {"iPad Pro (4th, 11\"/12.9\")",
                                "iPad Pro (3rd, 11\"/12.9\")",
                                "iPad Pro (2nd, 10.5''/12.9'')",
                                "iPad Pro (1st, 12.9'')",
                                "iPad Pro (1st, 9.7'')",
                                "iPad Mini (5th generation)",
                                "iPad Mini 4",
                                "iPad Mini 3",
                                "iPad Mini 2",
                                "iPad Mini",
                                "iPad Air (4th generation)",
                                "iPad Air (3rd generation)",
                                "iPad Air 2",
                                "iPad Air",
                                "iPad (8th generation)",
                                "iPad (7th generation)",
                                "iPad (6th generation)",
                                "iPad (5th generation)",
                                "iPad (4th generation)",
                                "iPad 2",
                                "iPad (1st generation)"};

const QStringList iPodModels = {"iPod Touch 6", "iPod Touch 5", "iPod Touch 4"};
const QStringList appleTvModels = {"Apple TV HD", "Apple TV 3rd Generation", "Apple TV 2nd Generation"};

// The lists the form fills itself; the window fills the other three combo boxes.
const QStringList formFilledLists = {"worksComBox", "iPhoneComBox", "iPadComBox", "iPodComBox", "AppleTvComBox"};

// Labels the window addresses outside the guide device pages (those are checked page by page).
// clang-format off
const QStringList pageLabels = {
    "connstatusIogoLbl", "whosLbl", "iPhoneTypeLbl", "deviceNotConnLbl", "connectLabel", "productNameLbl",
    "productInfoLbl", "DezazaLabel", "NoteLabel", "label_3", "suggest_lbl", "standardModeInfoLbl",
    "standardModeTipsLbl", "advancedModeInfoLbl", "advancedModeTipsLbl", "FixStateLbl", "disconnectedLbl",
    "userNameLbl", "iPhoneTypeLbl_2", "DeviceTypeLbl", "DeviceVersionLbl", "userNameLbl_4", "iPhoneFixingLabel",
    "connectiOStoPCLbl", "disconnectIcon", "showRecoveryGuideLbl", "noteLbl", "noteInfoLbl", "noteInfoLbl11",
    "firmwareReadyLbl", "versionLbl", "FirmwareVersionLbl", "noteLbl_2", "noteInfoLbl_2", "noteInfoLbl_22",
    "fixStatusLbl", "repairInfoLbl", "progressValueLbl", "noteLbl_3", "noteInfoLbl_3", "selectStateLbl1",
    "selectStateLbl2", "modeSelectLbl", "systemSelectLbl", "label_10", "label_69", "label_11", "FirmwareStatePic",
    "FirmwareStateLbl", "errCodeLbl", "descriptionLbl", "DowanLoadSpeed", "errStringLbl", "FirmwareHintLbl",
    "ProgressBarValueLbl", "recoveryModeLabel", "dfuModeLabel", "recovery_one", "recovery_two", "recovery_three",
    "dfu_one", "dfu_two", "dfu_three"};
// clang-format on

// Labels that show a picture or a run-time value: the form gives them an empty text.
// clang-format off
const QStringList valueAndPictureLabels = {
    "connstatusIogoLbl", "iPhoneTypeLbl", "connectLabel", "FixStateLbl", "userNameLbl", "iPhoneTypeLbl_2",
    "DeviceTypeLbl", "DeviceVersionLbl", "userNameLbl_4", "iPhoneFixingLabel", "disconnectIcon",
    "showRecoveryGuideLbl", "FirmwareVersionLbl", "progressValueLbl", "FirmwareStatePic", "FirmwareStateLbl",
    "errCodeLbl", "descriptionLbl", "DowanLoadSpeed", "errStringLbl", "FirmwareHintLbl", "ProgressBarValueLbl",
    "recoveryOtherOneLbl", "recoveryOtherTwoLbl", "recoveryOtherThreeLbl", "recoveryiPhone7OneLbl",
    "recoveryiPhone7TwoLbl", "recoveryiPhone7ThreeLbl", "recoveryiPhone8OneLbl", "recoveryiPhone8TwoLbl",
    "recoveryiPhone8ThreeLbl", "recoveryApplOneLbl", "recoveryApplTwoLbl", "recoveryApplThreeLbl",
    "recoveryApplHdOneLbl", "recoveryApplHdTwoLbl", "recoveryApplHdThreeLbl", "dfuOtherOneLbl", "dfuOtherTwoLbl",
    "dfuOtherThreeLbl", "dfuiPhone7OneLbl", "dfuiPhone7TwoLbl", "dfuiPhone7ThreeLbl", "dfuiPhone8OneLbl",
    "dfuiPhone8TwoLbl", "dfuiPhone8ThreeLbl"};
// clang-format on

} // namespace

class TestMendraForm : public QObject {
    Q_OBJECT

private slots:
    void objectInventory_data();
    void objectInventory();
    void objectNamesAreUniqueAndSpacersCounted();

    void stacks_data();
    void stacks();

    void addressedWidgets_data();
    void addressedWidgets();

    void windowSettings();
    void existingWindowNameIsKept();

    void buttonGroups_data();
    void buttonGroups();

    void guidePages_data();
    void guidePages();

    void deviceLists_data();
    void deviceLists();
    void plainFormLeavesDeviceListsToHelper();
    void retranslateRefillsDeviceLists();

    void exactTexts_data();
    void exactTexts();
    void valueAndPictureLabelsStayEmpty();
    void retranslateRefreshesEveryText();
    void retranslateKeepsPagesAndState();

    void sizes_data();
    void sizes();
    void progressBars_data();
    void progressBars();
    void onlyTheFirmwareBarHasAStyleSheet();
    void problemsBrowserSettings();
    void labelAlignment_data();
    void labelAlignment();
    void layoutSpacingAndMargins_data();
    void layoutSpacingAndMargins();
    void gridPlacement_data();
    void gridPlacement();
    void fixedSpacerBetweenModelAndVersion();
};

void TestMendraForm::objectInventory_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("count");

    QTest::newRow("labels") << "QLabel" << 111;
    QTest::newRow("plain widgets") << "QWidget" << 36;
    QTest::newRow("grid layouts") << "QGridLayout" << 46;
    QTest::newRow("horizontal boxes") << "QHBoxLayout" << 41;
    QTest::newRow("vertical boxes") << "QVBoxLayout" << 37;
    QTest::newRow("push buttons") << "QPushButton" << 13;
    QTest::newRow("lines") << "QFrame" << 10;
    QTest::newRow("stacks") << "QStackedWidget" << 9;
    QTest::newRow("combo boxes") << "QComboBox" << 8;
    QTest::newRow("progress bars") << "QProgressBar" << 2;
    QTest::newRow("button groups") << "QButtonGroup" << 2;
    QTest::newRow("text browser") << "QTextBrowser" << 1;
    QTest::newRow("status bar") << "QStatusBar" << 1;
}

void TestMendraForm::objectInventory() {
    QFETCH(QString, className);
    QFETCH(int, count);

    FormWindow w;
    QStringList names;
    for (QObject* object : formObjects(&w.window)) {
        if (QLatin1String(object->metaObject()->className()) == className)
            names << object->objectName();
    }
    QCOMPARE(names.size(), count);
}

void TestMendraForm::objectNamesAreUniqueAndSpacersCounted() {
    FormWindow w;
    const auto objects = formObjects(&w.window);
    QSet<QString> names;
    for (QObject* object : objects)
        names.insert(object->objectName());
    QCOMPARE(names.size(), objects.size());
    QCOMPARE(objects.size(), 317);
    QCOMPARE(formSpacers(&w.window).size(), 80);
}

void TestMendraForm::stacks_data() {
    QTest::addColumn<QString>("stack");
    QTest::addColumn<QString>("liesOn");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<int>("currentIndex");

    QTest::newRow("main pages") << "stackedWidget"
                                << "centralWidget"
                                << QStringList{"homePage", "startPage", "fixPage", "selectPage", "recoveryPage"} << 0;
    QTest::newRow("home connection") << "connectstackedWidget_2"
                                     << "homePage" << QStringList{"page_3", "page_6", "page_7"} << 2;
    QTest::newRow("home model lists") << "WorksWidget"
                                      << "homePage"
                                      << QStringList{"iPhonewidget", "iPadWidget", "iPoadWidget", "AppleTvWidget"} << 0;
    QTest::newRow("fix header") << "connStatestackedWidget"
                                << "fixPage" << QStringList{"page", "page_2", "page_17"} << 2;
    QTest::newRow("fix body") << "fixstackedWidget"
                              << "fixPage" << QStringList{"disconnectpage", "readyfixpage", "fixingpage"} << 0;
    QTest::newRow("firmware") << "CheckstackedWidget"
                              << "selectPage" << QStringList{"FirmwareSelectPage", "FirmwareCheckPage"} << 0;
    QTest::newRow("guides") << "recoveryWidget"
                            << "recoveryPage" << QStringList{"page_4", "page_5"} << 1;
    QTest::newRow("recovery guide") << "stackedWidget_3"
                                    << "page_4"
                                    << QStringList{"Other_page1", "iPhone7_page1", "iPhone8_page1", "Apple_page1",
                                                   "Apple_HD_page1"}
                                    << 4;
    QTest::newRow("DFU guide") << "stackedWidget_4"
                               << "page_5" << QStringList{"Other_page2", "iPhone7_page2", "iPhone8_page2"} << 2;
}

void TestMendraForm::stacks() {
    QFETCH(QString, stack);
    QFETCH(QString, liesOn);
    QFETCH(QStringList, pages);
    QFETCH(int, currentIndex);

    FormWindow w;
    auto* widget = w.find<QStackedWidget>(stack);
    QVERIFY(widget);
    QVERIFY(w.find(liesOn)->isAncestorOf(widget));
    QStringList actual;
    for (int i = 0; i < widget->count(); ++i)
        actual << widget->widget(i)->objectName();
    QCOMPARE(actual, pages);
    QCOMPARE(widget->currentIndex(), currentIndex);
}

void TestMendraForm::addressedWidgets_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("stacks") << "QStackedWidget"
                            << QStringList{"stackedWidget",          "connectstackedWidget_2", "WorksWidget",
                                           "connStatestackedWidget", "fixstackedWidget",       "CheckstackedWidget",
                                           "recoveryWidget",         "stackedWidget_3",        "stackedWidget_4"};
    QTest::newRow("pages and panels") << "QWidget"
                                      << QStringList{"centralWidget",
                                                     "homePage",
                                                     "iPhoneWidget",
                                                     "productInfoWidget",
                                                     "startPage",
                                                     "StandardModeWidget",
                                                     "AdvancedModeWidget",
                                                     "fixPage",
                                                     "iPhoneWidget_2",
                                                     "disconnectpage",
                                                     "readyfixpage",
                                                     "fixingpage",
                                                     "selectPage",
                                                     "FirmwareSelectPage",
                                                     "FirmwareCheckPage",
                                                     "recoveryPage",
                                                     "page_4",
                                                     "Other_page1",
                                                     "iPhone7_page1",
                                                     "iPhone8_page1",
                                                     "Apple_page1",
                                                     "Apple_HD_page1",
                                                     "page_5",
                                                     "Other_page2",
                                                     "iPhone7_page2",
                                                     "iPhone8_page2"};
    QTest::newRow("combo boxes") << "QComboBox"
                                 << QStringList{"iPhoneTypeBox", "worksComBox",   "iPhoneComBox",   "iPadComBox",
                                                "iPodComBox",    "AppleTvComBox", "DeviceModelBox", "SystemVersionBox"};
    QTest::newRow("push buttons") << "QPushButton"
                                  << QStringList{"recoveryModeStateBtn", "standardModeBtn",   "advancedModeBtn",
                                                 "btnDownloadFirmware",  "btnSelectFirmware", "OtherBtn",
                                                 "iPhoen7Btn",           "iPhone8Btn",        "AppleBtn",
                                                 "AppleHDBtn",           "OtherBtn_2",        "iPhoen7Btn_2",
                                                 "iPhone8Btn_2"};
    QTest::newRow("progress bars") << "QProgressBar" << QStringList{"FixprogressBar", "FirmwareProgressBar"};
    QTest::newRow("text browser") << "QTextBrowser" << QStringList{"problemsBrowser"};
    QTest::newRow("guide lines") << "QFrame"
                                 << QStringList{"crossLine5", "crossLine6", "crossLine7", "crossLine8", "line_3",
                                                "line_4",     "crossLine1", "crossLine2", "line_11",    "line_12"};
    QTest::newRow("status bar") << "QStatusBar" << QStringList{"ButtomStatusBar"};
    QTest::newRow("button groups") << "QButtonGroup" << QStringList{"buttonGroup", "buttonGroup_2"};
    QTest::newRow("labels outside the guide pages") << "QLabel" << pageLabels;
}

void TestMendraForm::addressedWidgets() {
    QFETCH(QString, className);
    QFETCH(QStringList, names);

    FormWindow w;
    for (const QString& name : names) {
        const auto matches = w.window.findChildren<QObject*>(name);
        QVERIFY2(matches.size() == 1, qPrintable(name));
        QCOMPARE(QLatin1String(matches.first()->metaObject()->className()), className);
    }
}

void TestMendraForm::windowSettings() {
    FormWindow w;
    QCOMPARE(w.window.objectName(), QStringLiteral("MendraClass"));
    QCOMPARE(w.window.size(), QSize(877, 595));
    QCOMPARE(w.window.minimumSize(), QSize(0, 9));
    QCOMPARE(w.window.focusPolicy(), Qt::StrongFocus);
    QCOMPARE(w.window.contextMenuPolicy(), Qt::DefaultContextMenu);
    QCOMPARE(w.window.centralWidget(), w.form.centralWidget);
    QCOMPARE(w.window.centralWidget()->objectName(), QStringLiteral("centralWidget"));

    // The window adds its own buttons to the status bar; the form hands it over empty.
    QCOMPARE(w.window.statusBar(), w.form.ButtomStatusBar);
    QCOMPARE(w.form.ButtomStatusBar->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(w.form.ButtomStatusBar->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    QVERIFY(formObjects(w.form.ButtomStatusBar).isEmpty());

    for (QButtonGroup* group : {w.form.buttonGroup, w.form.buttonGroup_2})
        QCOMPARE(group->parent(), &w.window);
}

void TestMendraForm::existingWindowNameIsKept() {
    QMainWindow window;
    window.setObjectName(QStringLiteral("mainWindow"));
    MendraForm form;
    form.setupUi(&window);
    QCOMPARE(window.objectName(), QStringLiteral("mainWindow"));
}

void TestMendraForm::buttonGroups_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QString>("pageStack");

    QTest::newRow("recovery guide") << "buttonGroup"
                                    << QStringList{"OtherBtn", "iPhoen7Btn", "iPhone8Btn", "AppleBtn", "AppleHDBtn"}
                                    << "stackedWidget_3";
    QTest::newRow("DFU guide") << "buttonGroup_2" << QStringList{"OtherBtn_2", "iPhoen7Btn_2", "iPhone8Btn_2"}
                               << "stackedWidget_4";
}

void TestMendraForm::buttonGroups() {
    QFETCH(QString, group);
    QFETCH(QStringList, tabs);
    QFETCH(QString, pageStack);

    FormWindow w;
    auto* buttonGroup = w.window.findChild<QButtonGroup*>(group);
    QVERIFY(buttonGroup);
    QVERIFY(buttonGroup->exclusive());

    const auto buttons = buttonGroup->buttons();
    QStringList members;
    QSet<int> ids;
    for (QAbstractButton* button : buttons) {
        members << button->objectName();
        ids.insert(buttonGroup->id(button));
        QVERIFY(button->isCheckable());
        QCOMPARE(button->minimumSize(), QSize(140, 60));
    }
    QCOMPARE(members, tabs);
    QCOMPARE(ids.size(), tabs.size());
    for (int id : ids)
        QVERIFY2(id < -1, "ids are given automatically");

    // Only the first tab is on after set-up, although the stack shows another page: the window
    // aligns tab and page when it opens the guide.
    QCOMPARE(buttonGroup->checkedButton(), buttons.first());
    for (QAbstractButton* button : buttons.mid(1))
        QVERIFY(!button->isChecked());

    // A tab's place in its row is the index of its page.
    auto* stack = w.find<QStackedWidget>(pageStack);
    QCOMPARE(stack->count(), tabs.size());
    QLayout* tabRow = nullptr;
    for (QLayout* layout : buttons.first()->parentWidget()->findChildren<QLayout*>()) {
        if (layout->indexOf(buttons.first()) >= 0)
            tabRow = layout;
    }
    QVERIFY(tabRow);
    int previous = -1;
    for (QAbstractButton* button : buttons) {
        const int position = tabRow->indexOf(button);
        QVERIFY(position > previous);
        previous = position;
    }

    // Exclusive: clicking a tab turns the others off; clicking the tab that is on leaves it on.
    for (int i = buttons.size() - 1; i >= 0; --i) {
        buttons.at(i)->click();
        QCOMPARE(buttonGroup->checkedButton(), buttons.at(i));
        int on = 0;
        for (QAbstractButton* button : buttons)
            on += button->isChecked() ? 1 : 0;
        QCOMPARE(on, 1);
    }
    buttons.first()->click();
    QVERIFY(buttons.first()->isChecked());
}

void TestMendraForm::guidePages_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("stepTexts");
    QTest::addColumn<QString>("pictureStem");

    QTest::newRow("recovery, other") << "Other_page1" << QStringList{"label_18", "label_17", "label_13"}
                                     << "recoveryOther";
    QTest::newRow("recovery, iPhone 7") << "iPhone7_page1" << QStringList{"label_29", "label_28", "label_24"}
                                        << "recoveryiPhone7";
    QTest::newRow("recovery, iPhone 8") << "iPhone8_page1" << QStringList{"label_40", "label_39", "label_35"}
                                        << "recoveryiPhone8";
    QTest::newRow("recovery, Apple TV") << "Apple_page1" << QStringList{"label_51", "label_50", "label_46"}
                                        << "recoveryAppl";
    QTest::newRow("recovery, Apple TV HD")
        << "Apple_HD_page1" << QStringList{"label_62", "label_61", "label_57"} << "recoveryApplHd";
    QTest::newRow("DFU, other") << "Other_page2" << QStringList{"label_90", "label_88", "label_67"} << "dfuOther";
    QTest::newRow("DFU, iPhone 7") << "iPhone7_page2" << QStringList{"label_101", "label_99", "label_95"}
                                   << "dfuiPhone7";
    QTest::newRow("DFU, iPhone 8") << "iPhone8_page2" << QStringList{"label_112", "label_110", "label_106"}
                                   << "dfuiPhone8";
}

void TestMendraForm::guidePages() {
    QFETCH(QString, page);
    QFETCH(QStringList, stepTexts);
    QFETCH(QString, pictureStem);

    FormWindow w;
    QWidget* pageWidget = w.find(page);
    QVERIFY(pageWidget);
    const QStringList steps = {"One", "Two", "Three"};
    QGridLayout* grid = nullptr;
    for (int column = 0; column < 3; ++column) {
        auto* text = w.find<QLabel>(stepTexts.at(column));
        auto* picture = w.find<QLabel>(pictureStem + steps.at(column) + QLatin1String("Lbl"));
        QVERIFY(text && picture);
        QCOMPARE(text->parentWidget(), pageWidget);
        QCOMPARE(picture->parentWidget(), pageWidget);
        QVERIFY(!text->text().isEmpty());
        QVERIFY(text->wordWrap());

        if (!grid) {
            for (QGridLayout* candidate : pageWidget->findChildren<QGridLayout*>()) {
                if (candidate->indexOf(text) >= 0)
                    grid = candidate;
            }
        }
        QVERIFY(grid);
        int row, col, rowSpan, colSpan;
        grid->getItemPosition(grid->indexOf(text), &row, &col, &rowSpan, &colSpan);
        QCOMPARE(QPoint(col, row), QPoint(column, 0));
        grid->getItemPosition(grid->indexOf(picture), &row, &col, &rowSpan, &colSpan);
        QCOMPARE(QPoint(col, row), QPoint(column, 1));
    }
}

void TestMendraForm::deviceLists_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("families") << "worksComBox" << deviceFamilies;
    QTest::newRow("iPhone") << "iPhoneComBox" << iPhoneModels;
    QTest::newRow("iPad") << "iPadComBox" << iPadModels;
    QTest::newRow("iPod") << "iPodComBox" << iPodModels;
    QTest::newRow("Apple TV") << "AppleTvComBox" << appleTvModels;
    QTest::newRow("connected devices") << "iPhoneTypeBox" << QStringList();
    QTest::newRow("device model") << "DeviceModelBox" << QStringList();
    QTest::newRow("system version") << "SystemVersionBox" << QStringList();
}

void TestMendraForm::deviceLists() {
    QFETCH(QString, box);
    QFETCH(QStringList, entries);

    FormWindow w;
    auto* combo = w.find<QComboBox>(box);
    QVERIFY(combo);
    QCOMPARE(itemTexts(combo), entries);
    QCOMPARE(combo->currentIndex(), entries.isEmpty() ? -1 : 0);
}

void TestMendraForm::plainFormLeavesDeviceListsToHelper() {
    // A window built on the bare designer class gets the lists only from the helper.
    QMainWindow window;
    Ui_MendraClass form;
    form.setupUi(&window);
    QCOMPARE(form.worksComBox->count(), 0);

    MendraForm::retranslateDeviceLists(form);
    QCOMPARE(itemTexts(form.worksComBox), deviceFamilies);
    QCOMPARE(itemTexts(form.iPhoneComBox), iPhoneModels);
    QCOMPARE(itemTexts(form.AppleTvComBox), appleTvModels);
}

void TestMendraForm::retranslateRefillsDeviceLists() {
    FormWindow w;
    // What the window does between language changes: disable the model entries (role 255 holds a
    // standard item's flags) and let the user pick other entries.
    const int flagsRole = Qt::UserRole - 1;
    for (QComboBox* box : {w.form.iPhoneComBox, w.form.iPadComBox, w.form.iPodComBox, w.form.AppleTvComBox}) {
        for (int row = 0; row < box->count(); ++row)
            box->model()->setData(box->model()->index(row, 0), 0, flagsRole);
        box->setCurrentIndex(box->count() - 1);
    }
    w.form.worksComBox->setCurrentIndex(3);
    QSignalSpy familyChanged(w.form.worksComBox, QOverload<int>::of(&QComboBox::currentIndexChanged));

    w.form.retranslateUi(&w.window);

    // Refilled, not appended to; the first entry is shown again and the flags are fresh.
    for (const QString& name : formFilledLists) {
        auto* box = w.find<QComboBox>(name);
        QCOMPARE(box->currentIndex(), 0);
        for (int row = 0; row < box->count(); ++row)
            QVERIFY2(box->model()->flags(box->model()->index(row, 0)) & Qt::ItemIsEnabled, qPrintable(name));
    }
    QCOMPARE(itemTexts(w.form.worksComBox), deviceFamilies);
    QCOMPARE(itemTexts(w.form.iPadComBox), iPadModels);
    // The family choice announces its reset, so the window can bring the iPhone list back.
    QVERIFY(!familyChanged.isEmpty());
    QCOMPARE(familyChanged.last().at(0).toInt(), 0);
}

void TestMendraForm::exactTexts_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("text");

    // Translations are keyed on these texts, odd spelling and punctuation included.
    QTest::newRow("backtick apostrophe") << "whosLbl"
                                         << "Who`s";
    QTest::newRow("trailing blank") << "DezazaLabel"
                                    << "Works on: ";
    QTest::newRow("misspelt hardware") << "label_3"
                                       << "1. Won`t fix harware issues.";
    QTest::newRow("typographic apostrophe")
        << "standardModeTipsLbl" << QString::fromUtf8("2. Repairing iOS system won\u2019t cause any data loss.");
    QTest::newRow("plain apostrophe") << "advancedModeInfoLbl"
                                      << "1. Try this mode if iOS issues can't be fixed under Standard Mode.";
    QTest::newRow("line break") << "repairInfoLbl"
                                << "Please restart to check the device.\nIf the repair fails, please restart your "
                                   "device and PC before trying again.";
    QTest::newRow("no blank after comma") << "noteInfoLbl_3"
                                          << "1. Keep your device connected,and do not use it during fixing.";
    QTest::newRow("quoted word, double blank") << "selectStateLbl2"
                                               << "And select a system version before clicking  \"Download\" button.";
    QTest::newRow("recovery title") << "recoveryModeLabel"
                                    << "Please follow the setps below to put your device into Recovery Mode.";
    QTest::newRow("DFU title") << "dfuModeLabel"
                               << "Please follow the setps below to put your device into DFU Mode.";
    QTest::newRow("Apple TV step") << "label_50"
                                   << "Press and hold Menu and Down buttons on the Remote. Release them until you see "
                                      "the indicator light on the box start flashing repidly.";
    QTest::newRow("DFU iPhone 7 step")
        << "label_95"
        << "Release the Power button,but still keep holding the Volume Down button for about 5 seconds.";
    QTest::newRow("step number") << "dfu_three"
                                 << "3";
    QTest::newRow("recovery-mode button") << "recoveryModeStateBtn"
                                          << "Enter Recovery Mode";
    QTest::newRow("misspelt tab name") << "iPhoen7Btn_2"
                                       << "iPhone 7/7 Plus";
    QTest::newRow("Apple TV HD tab") << "AppleHDBtn"
                                     << "Apple TV HD";
    QTest::newRow("browse button") << "btnDownloadFirmware"
                                   << "Browse";
    QTest::newRow("select button") << "btnSelectFirmware"
                                   << "Select";
    QTest::newRow("mode button") << "advancedModeBtn"
                                 << "Advanced Mode";
}

void TestMendraForm::exactTexts() {
    QFETCH(QString, widget);
    QFETCH(QString, text);

    FormWindow w;
    QWidget* target = w.find(widget);
    QVERIFY(target);
    QCOMPARE(target->property("text").toString(), text);
}

void TestMendraForm::valueAndPictureLabelsStayEmpty() {
    FormWindow w;
    QStringList empty;
    for (QLabel* label : w.window.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            empty << label->objectName();
    }
    QStringList expected = valueAndPictureLabels;
    empty.sort();
    expected.sort();
    QCOMPARE(empty, expected);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tavik Mendra"));
}

void TestMendraForm::retranslateRefreshesEveryText() {
    FormWindow w;
    QHash<QString, QString> sources;
    QList<QWidget*> texts;
    for (QLabel* label : w.window.findChildren<QLabel*>())
        texts << label;
    for (QPushButton* button : w.window.findChildren<QPushButton*>())
        texts << button;
    QCOMPARE(texts.size(), 111 + 13);
    for (QWidget* widget : texts) {
        sources.insert(widget->objectName(), widget->property("text").toString());
        // Run-time texts too: the value and picture labels must go back to empty.
        widget->setProperty("text", QStringLiteral("stale"));
    }
    QHash<QString, QStringList> lists;
    for (const QString& name : formFilledLists)
        lists.insert(name, itemTexts(w.find<QComboBox>(name)));

    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    w.form.retranslateUi(&w.window);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(w.window.windowTitle(), marked(QStringLiteral("Tavik Mendra")));
    for (QWidget* widget : texts) {
        const QString source = sources.value(widget->objectName());
        QCOMPARE(widget->property("text").toString(), source.isEmpty() ? QString() : marked(source));
    }
    QCOMPARE(w.form.problemsBrowser->toPlainText().trimmed(), QStringLiteral("translated"));
    for (const QString& name : formFilledLists) {
        QStringList expected;
        for (const QString& entry : lists.value(name))
            expected << marked(entry);
        QCOMPARE(itemTexts(w.find<QComboBox>(name)), expected);
    }

    // Without the translator the source texts come back.
    w.form.retranslateUi(&w.window);
    QCOMPARE(w.form.whosLbl->text(), sources.value(QStringLiteral("whosLbl")));
    QCOMPARE(itemTexts(w.form.iPhoneComBox), iPhoneModels);
}

void TestMendraForm::retranslateKeepsPagesAndState() {
    FormWindow w;
    const auto stacks = w.window.findChildren<QStackedWidget*>();
    for (QStackedWidget* stack : stacks)
        stack->setCurrentIndex(stack->count() - 1);
    w.form.AppleHDBtn->click();
    w.form.recoveryModeStateBtn->setEnabled(false);
    w.form.FixprogressBar->setMaximum(1000);
    w.form.FixprogressBar->setValue(500);

    w.form.retranslateUi(&w.window);

    for (QStackedWidget* stack : stacks)
        QCOMPARE(stack->currentIndex(), stack->count() - 1);
    QCOMPARE(w.form.buttonGroup->checkedButton(), w.form.AppleHDBtn);
    QVERIFY(!w.form.recoveryModeStateBtn->isEnabled());
    QCOMPARE(w.form.FixprogressBar->maximum(), 1000);
    QCOMPARE(w.form.FixprogressBar->value(), 500);
}

void TestMendraForm::sizes_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QSize>("maximum");

    const QSize unbounded(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QTest::newRow("connection picture") << "connstatusIogoLbl" << QSize(10, 10) << unbounded;
    QTest::newRow("home device panel") << "iPhoneWidget" << QSize(0, 300) << unbounded;
    QTest::newRow("fix device panel") << "iPhoneWidget_2" << QSize(0, 300) << unbounded;
    QTest::newRow("standard mode panel") << "StandardModeWidget" << QSize(200, 300) << unbounded;
    QTest::newRow("advanced mode panel") << "AdvancedModeWidget" << QSize(200, 300) << unbounded;
    QTest::newRow("disconnect icon, exact") << "disconnectIcon" << QSize(30, 30) << QSize(30, 30);
    QTest::newRow("repair percentage") << "progressValueLbl" << QSize(10, 0) << unbounded;
    QTest::newRow("model choice") << "DeviceModelBox" << QSize(150, 0) << unbounded;
    QTest::newRow("system version choice") << "SystemVersionBox" << QSize(150, 0) << unbounded;
    QTest::newRow("DFU tab") << "iPhone8Btn_2" << QSize(140, 60) << unbounded;
}

void TestMendraForm::sizes() {
    QFETCH(QString, widget);
    QFETCH(QSize, minimum);
    QFETCH(QSize, maximum);

    FormWindow w;
    QWidget* target = w.find(widget);
    QVERIFY(target);
    QCOMPARE(target->minimumSize(), minimum);
    QCOMPARE(target->maximumSize(), maximum);
}

void TestMendraForm::progressBars_data() {
    QTest::addColumn<QString>("bar");
    QTest::newRow("repair") << "FixprogressBar";
    QTest::newRow("firmware") << "FirmwareProgressBar";
}

void TestMendraForm::progressBars() {
    QFETCH(QString, bar);

    // The window widens the range to the engine's tenths of a percent; the form keeps Qt's range.
    FormWindow w;
    auto* progress = w.find<QProgressBar>(bar);
    QVERIFY(progress);
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->value(), 24);
    QVERIFY(!progress->isTextVisible());
}

void TestMendraForm::onlyTheFirmwareBarHasAStyleSheet() {
    // Every other look comes from the skin; a stray form style sheet would override it.
    FormWindow w;
    QStringList styled;
    for (QWidget* widget : w.window.findChildren<QWidget*>()) {
        if (!widget->styleSheet().isEmpty())
            styled << widget->objectName();
    }
    QCOMPARE(styled, QStringList{QStringLiteral("FirmwareProgressBar")});
    QCOMPARE(w.form.FirmwareProgressBar->styleSheet(), QStringLiteral("alternate-background-color: rgb(255, 85, 0);"));
    QVERIFY(w.window.styleSheet().isEmpty());
}

void TestMendraForm::problemsBrowserSettings() {
    FormWindow w;
    QTextBrowser* browser = w.form.problemsBrowser;
    QVERIFY(browser->isReadOnly());
    QCOMPARE(browser->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(browser->contextMenuPolicy(), Qt::NoContextMenu);
    QCOMPARE(browser->font().family(), QStringLiteral("Segoe UI"));
    // An empty rich-text page: the window appends the problem list to it.
    QVERIFY(browser->toPlainText().isEmpty());
    QVERIFY(browser->toHtml().contains(QLatin1String("font-size:13pt")));
    QCOMPARE(w.form.standardModeInfoLbl->font().pointSize(), 9);
    QCOMPARE(w.form.standardModeTipsLbl->font().pointSize(), 9);
}

void TestMendraForm::labelAlignment_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("wordWrap");

    const int leftTop = Qt::AlignLeft | Qt::AlignTop;
    QTest::newRow("device caption") << "whosLbl" << int(Qt::AlignRight | Qt::AlignVCenter) << false;
    QTest::newRow("not connected") << "deviceNotConnLbl" << int(Qt::AlignCenter) << false;
    QTest::newRow("animation") << "connectLabel" << int(Qt::AlignCenter) << false;
    QTest::newRow("notes caption") << "NoteLabel" << int(Qt::AlignLeft | Qt::AlignBottom) << false;
    QTest::newRow("product description") << "productInfoLbl" << int(Qt::AlignLeft | Qt::AlignVCenter) << true;
    QTest::newRow("standard info") << "standardModeInfoLbl" << leftTop << true;
    QTest::newRow("advanced tips") << "advancedModeTipsLbl" << leftTop << true;
    QTest::newRow("fix caption") << "userNameLbl_4" << int(Qt::AlignRight | Qt::AlignVCenter) << false;
    QTest::newRow("device version") << "DeviceVersionLbl" << int(Qt::AlignLeft | Qt::AlignVCenter) << true;
    QTest::newRow("guide link") << "showRecoveryGuideLbl" << int(Qt::AlignLeft | Qt::AlignVCenter) << true;
    // The firmware check's failure row: its texts start on one line, and the long ones wrap.
    QTest::newRow("check state") << "FirmwareStateLbl" << leftTop << false;
    QTest::newRow("check failure") << "errStringLbl" << leftTop << true;
    QTest::newRow("check hint") << "FirmwareHintLbl" << leftTop << true;
    QTest::newRow("step number") << "recovery_two" << int(Qt::AlignCenter) << false;
    QTest::newRow("step picture") << "dfuiPhone8ThreeLbl" << int(Qt::AlignCenter) << false;
}

void TestMendraForm::labelAlignment() {
    QFETCH(QString, label);
    QFETCH(int, alignment);
    QFETCH(bool, wordWrap);

    FormWindow w;
    auto* target = w.find<QLabel>(label);
    QVERIFY(target);
    QCOMPARE(int(target->alignment()), alignment);
    QCOMPARE(target->wordWrap(), wordWrap);
}

void TestMendraForm::layoutSpacingAndMargins_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("horizontalSpacing");
    QTest::addColumn<int>("verticalSpacing");
    // -1: the style's margin on a layout installed on a widget, none on a nested layout.
    QTest::addColumn<QMargins>("margins");

    QTest::newRow("central grid, style sides") << "gridLayout_34" << 6 << 0 << QMargins(-1, 0, -1, 0);
    QTest::newRow("home page grid, default") << "gridLayout_43" << 6 << 6 << QMargins(11, 11, 11, 11);
    QTest::newRow("home picture panel") << "gridLayout_2" << 6 << 0 << QMargins(0, 0, 0, 9);
    QTest::newRow("fix picture panel, style top and bottom") << "gridLayout_8" << 6 << 0 << QMargins(20, -1, 20, -1);
    QTest::newRow("device list page") << "gridLayout_38" << 6 << 0 << QMargins(-1, 5, -1, 0);
    QTest::newRow("product panel") << "gridLayout_44" << 6 << 6 << QMargins(24, 40, -1, -1);
    QTest::newRow("model list page") << "gridLayout_41" << 0 << 0 << QMargins(0, 0, 0, 0);
    QTest::newRow("standard mode panel") << "verticalLayout_32" << 25 << 25 << QMargins(30, 80, 30, 30);
    QTest::newRow("nested, style sides") << "verticalLayout_14" << 6 << 6 << QMargins(-1, 10, -1, 0);
    QTest::newRow("nested, no margins") << "horizontalLayout_39" << 0 << 0 << QMargins(0, 0, 0, 0);
    QTest::newRow("disconnect page") << "gridLayout_5" << 6 << 24 << QMargins(0, 120, -1, -1);
    QTest::newRow("guide device page") << "gridLayout_18" << 6 << 6 << QMargins(15, 0, 15, 0);
    QTest::newRow("guide step grid") << "gridLayout_17" << 20 << 10 << QMargins(-1, 0, -1, -1);
    QTest::newRow("guide tab row") << "horizontalLayout_36" << 0 << 0 << QMargins(0, 0, 0, 0);
    QTest::newRow("select page") << "gridLayout_14" << 6 << 0 << QMargins(9, 9, -1, 9);
}

void TestMendraForm::layoutSpacingAndMargins() {
    QFETCH(QString, layout);
    QFETCH(int, horizontalSpacing);
    QFETCH(int, verticalSpacing);
    QFETCH(QMargins, margins);

    FormWindow w;
    auto* target = w.window.findChild<QLayout*>(layout);
    QVERIFY(target);
    if (auto* grid = qobject_cast<QGridLayout*>(target)) {
        QCOMPARE(grid->horizontalSpacing(), horizontalSpacing);
        QCOMPARE(grid->verticalSpacing(), verticalSpacing);
    } else {
        QCOMPARE(horizontalSpacing, verticalSpacing);
        QCOMPARE(target->spacing(), horizontalSpacing);
    }

    const bool installed = target->parentWidget() && target->parentWidget()->layout() == target;
    QWidget* owner = target->parentWidget();
    auto side = [&](int value, QStyle::PixelMetric metric) {
        if (value >= 0)
            return value;
        return installed ? owner->style()->pixelMetric(metric, nullptr, owner) : 0;
    };
    const QMargins expected(
        side(margins.left(), QStyle::PM_LayoutLeftMargin), side(margins.top(), QStyle::PM_LayoutTopMargin),
        side(margins.right(), QStyle::PM_LayoutRightMargin), side(margins.bottom(), QStyle::PM_LayoutBottomMargin));
    QCOMPARE(target->contentsMargins(), expected);
}

void TestMendraForm::gridPlacement_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QRect>("cell"); // column, row, column span, row span

    // The iPod list alone sits in row 1 of its page; its row 0 stays empty.
    QTest::newRow("iPhone list") << "gridLayout_41"
                                 << "iPhoneComBox" << QRect(0, 0, 1, 1);
    QTest::newRow("iPad list") << "gridLayout_40"
                               << "iPadComBox" << QRect(0, 0, 1, 1);
    QTest::newRow("iPod list") << "gridLayout_42"
                               << "iPodComBox" << QRect(0, 1, 1, 1);
    QTest::newRow("Apple TV list") << "gridLayout_4"
                                   << "AppleTvComBox" << QRect(0, 0, 1, 1);
    QTest::newRow("home right column") << "gridLayout_43"
                                       << "productInfoWidget" << QRect(1, 1, 1, 1);
    QTest::newRow("main stack") << "gridLayout_34"
                                << "stackedWidget" << QRect(0, 0, 1, 1);
    QTest::newRow("not connected text") << "gridLayout_39"
                                        << "deviceNotConnLbl" << QRect(0, 0, 1, 1);
    QTest::newRow("recovery guide title") << "gridLayout_36"
                                          << "recoveryModeLabel" << QRect(0, 0, 1, 1);
}

void TestMendraForm::gridPlacement() {
    QFETCH(QString, grid);
    QFETCH(QString, widget);
    QFETCH(QRect, cell);

    FormWindow w;
    auto* layout = w.window.findChild<QGridLayout*>(grid);
    QVERIFY(layout);
    const int index = layout->indexOf(w.find(widget));
    QVERIFY(index >= 0);
    int row, column, rowSpan, columnSpan;
    layout->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(QRect(column, row, columnSpan, rowSpan), cell);
}

void TestMendraForm::fixedSpacerBetweenModelAndVersion() {
    FormWindow w;
    auto* row = w.window.findChild<QHBoxLayout*>(QStringLiteral("horizontalLayout_18"));
    QVERIFY(row);
    QCOMPARE(row->count(), 4);
    QSpacerItem* spacer = row->itemAt(1)->spacerItem();
    QVERIFY(spacer);
    QCOMPARE(spacer->sizeHint(), QSize(160, 20));
    QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(row->itemAt(0)->layout()->objectName(), QStringLiteral("verticalLayout_3"));
    QCOMPARE(row->itemAt(2)->layout()->objectName(), QStringLiteral("verticalLayout_4"));

    // The fix page splits its width evenly between the device and the repair state.
    auto* fixGrid = w.window.findChild<QGridLayout*>(QStringLiteral("gridLayout_11"));
    QVERIFY(fixGrid);
    QCOMPARE(fixGrid->columnStretch(0), 1);
    QCOMPARE(fixGrid->columnStretch(1), 1);
}

QTEST_MAIN(TestMendraForm)
#include "tst_mendraform.moc"
