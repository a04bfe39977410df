#include "ExpectBoxes.h"
#include "FakeRepairEngine.h"
#include "MendraWindow.h"

#include "app/EditionData.h"
#include "app/Language.h"
#include "controller/Controller.h"
#include "mainwindow/Mendra.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTranslator>
#include <QtTest>

namespace {

// The stages of the shared road (WindowStage), and the home page's device modes and the two guides.
enum State {
    Home = int(WindowStage::Home),
    ModeChoice = int(WindowStage::ModeChoice),
    FixNoDevice = int(WindowStage::FixNoDevice),
    Selection = int(WindowStage::Selection),
    Downloading = int(WindowStage::Downloading),
    DownloadFailed = int(WindowStage::DownloadFailed),
    Verifying = int(WindowStage::Verifying),
    VerifyFailed = int(WindowStage::VerifyFailed),
    Verified = int(WindowStage::Verified),
    ReadyToFix = int(WindowStage::ReadyToFix),
    Fixing = int(WindowStage::Fixing),
    Done = int(WindowStage::Done),
    TryAgain = int(WindowStage::TryAgain),
    HomeRecoveryMode = 100,
    HomeDfuMode,
    RecoveryGuide,
    DfuGuide
};

const MRDeviceRef phone = 5;
const QString deviceEntry = QStringLiteral("Anna's iPhone (recovery)");
const QString libraryDescription = QStringLiteral("Network unreachable");
const QString problemList = QStringLiteral(
    "Stuck on white Apple logo \nStuck on black screen \nStuck in boot loop \nStuck on connect to iTunes \n"
    "Stuck on Slide to Upgrade screen \nStuck in recovery mode \nStuck in DFU mode \nStuck in headphone mode \n"
    "Stuck in the data recovery process \niPhone frozen \niPhone disabled \niPhone bricked \niPad bricked \n"
    "iPhone boot loop \niPhone crash \niPhone blue screen \niPhone keeps restarting \niPhone activation error \n"
    "iPhone won't turn on \niPad won't turn on \niPhone red screen \niPhone won't turn off \n"
    "iPhone keeps turning off \niPhone won't update \niPhone failed to update \niPhone stuck on loading screen \n"
    "iPhone is disabled connect to iTunes \niPhone could not be restored error \niPhone won't restore \n"
    "iPhone won't charge \niPhone no service");

QString LanguageFolder() {
    return qEnvironmentVariable("MENDRA_RUNTIME_DIR") + QStringLiteral("/Language");
}

QString Tr(const QString& source) {
    return QCoreApplication::translate("Mendra", source.toUtf8().constData());
}

QString ContactLink() {
    return QStringLiteral("<style> a {text-decoration: none} </style> <a href=\"%1\">%2")
        .arg(gAppData->Support, Tr(QStringLiteral("Contact us for more help.")));
}

QStringList TrimmedLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

// The device library's own description of a failure, which a translation may know.
class DescriptionTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        return qstrcmp(context, "Mendra") == 0 && libraryDescription == QLatin1String(source)
                   ? QStringLiteral("(translated) ") + libraryDescription
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

Q_DECLARE_METATYPE(State)

// A language switch while the main window shows any of its states: the texts that state shows come
// back in the new language, nothing else about the window changes, and the lists are rebuilt as at
// start-up.
class TestMendraTexts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void startupTexts();
    void languageSwitchInState_data();
    void languageSwitchInState();
    void refilledListsShowFirstEntry();
    void backToEnglish();
    void readyPageKeepsThePackagesVersion();

private:
    void Reach(State state);
    void SwitchLanguage(const QString& code);
    QWidget* Find(const QString& name) const;
    QString Text(const QString& name) const;
    // Pages, visibility, enabled and checked states of every widget of the window.
    QStringList Snapshot() const;
    void VerifyLists();

    Mendra* m_window = nullptr;
    FakeRepairEngine* m_engine = nullptr;
    DescriptionTranslator m_descriptions;
};

void TestMendraTexts::initTestCase() {
    CreateWindowAppData();
    QVERIFY(QFile::exists(LanguageFolder() + QStringLiteral("/Mendra_de.qm")));
}

void TestMendraTexts::init() {
    m_engine = new FakeRepairEngine;
    m_engine->deviceName = QStringLiteral("Anna's iPhone");
    m_window = OpenMendraOn(m_engine);
}

void TestMendraTexts::cleanup() {
    CheckExpectedBoxesShown();
    QCoreApplication::removeTranslator(&m_descriptions);
    LoadTranslator(QStringLiteral("en"), LanguageFolder(), QStringLiteral("Mendra"));
    delete m_window;
    m_window = nullptr;
    m_engine = nullptr;
}

void TestMendraTexts::cleanupTestCase() {
    ReleaseAppData();
}

QWidget* TestMendraTexts::Find(const QString& name) const {
    if (name == QLatin1String("guideLink"))
        return StatusBarLink(*m_window);
    return m_window->findChild<QWidget*>(name);
}

QString TestMendraTexts::Text(const QString& name) const {
    QWidget* widget = Find(name);
    return widget ? widget->property("text").toString() : QStringLiteral("<no %1>").arg(name);
}

QStringList TestMendraTexts::Snapshot() const {
    QStringList shown;
    for (QWidget* widget : m_window->findChildren<QWidget*>()) {
        QString entry = QStringLiteral("%1 %2 visible=%3 enabled=%4")
                            .arg(widget->metaObject()->className(), widget->objectName())
                            .arg(widget->isVisibleTo(m_window))
                            .arg(widget->isEnabled());
        if (auto* stack = qobject_cast<QStackedWidget*>(widget))
            entry += QStringLiteral(" page=%1").arg(stack->currentIndex());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            entry += QStringLiteral(" checked=%1").arg(button->isChecked());
        shown << entry;
    }
    return shown;
}

void TestMendraTexts::SwitchLanguage(const QString& code) {
    QVERIFY(LoadTranslator(code, LanguageFolder(), QStringLiteral("Mendra")));
    Controller::Instance()->RetranslateAll();
}

// Drives the window the way the user and the engine get it there.
void TestMendraTexts::Reach(State state) {
    const bool withDevice = state != FixNoDevice && state != Home && state != ModeChoice;
    if (withDevice) {
        ListPhone(*m_window, *m_engine, phone);
        m_window->ShowConnectionStateAlt(true);
        m_window->OnDeviceConnectionChanged(true, m_engine->deviceName, deviceEntry, QString());
        // The connection change clears the device text; the controller then shows it when the device is detected.
        m_window->SetDeviceTypeText(deviceEntry);
    }
    StageDetails details;
    switch (state) {
    case HomeRecoveryMode:
    case HomeDfuMode:
        m_engine->deviceMode = state == HomeDfuMode ? MRModeDFU : MRModeRecovery;
        m_window->ShowRecoveryButtonState(0);
        return;
    case RecoveryGuide:
    case DfuGuide:
        Controller::Instance()->SetRepairMode(state == DfuGuide ? RepairMode::Advanced : RepairMode::Standard);
        DriveTo(*m_window, *m_engine, WindowStage::Guide);
        return;
    case DownloadFailed:
        details.errorCode = QStringLiteral("0x1F");
        details.errorDescription = libraryDescription;
        break;
    case VerifyFailed:
        details.errorCode = QStringLiteral("0x2A");
        break;
    default:
        break;
    }
    DriveTo(*m_window, *m_engine, static_cast<WindowStage>(state), details);
    if (state == Downloading || state == Verifying)
        m_window->ShowFirmwareProgress(455);
}

void TestMendraTexts::VerifyLists() {
    // One copy of the problem list, in the current language.
    QCOMPARE(TrimmedLines(Child<QTextBrowser>(*m_window, "problemsBrowser")->toPlainText()),
             TrimmedLines(Tr(problemList)));
    for (QComboBox* box : {Child<QComboBox>(*m_window, "iPhoneComBox"), Child<QComboBox>(*m_window, "iPadComBox"),
                           Child<QComboBox>(*m_window, "iPodComBox"), Child<QComboBox>(*m_window, "AppleTvComBox")}) {
        QVERIFY(box->count() > 0);
        for (int row = 0; row < box->count(); ++row) {
            const Qt::ItemFlags flags = box->model()->flags(box->model()->index(row, 0));
            QVERIFY2(!(flags & (Qt::ItemIsEnabled | Qt::ItemIsSelectable)),
                     qPrintable(box->objectName() + QLatin1Char(' ') + box->itemText(row)));
        }
    }
    QCOMPARE(Child<QComboBox>(*m_window, "worksComBox")->count(), 4);
    for (int row = 0; row < 4; ++row)
        QVERIFY(Child<QComboBox>(*m_window, "worksComBox")
                    ->model()
                    ->flags(Child<QComboBox>(*m_window, "worksComBox")->model()->index(row, 0)) &
                Qt::ItemIsSelectable);
}

void TestMendraTexts::startupTexts() {
    VerifyLists();
    QCOMPARE(TrimmedLines(Child<QTextBrowser>(*m_window, "problemsBrowser")->toPlainText()).size(), 31);
    QCOMPARE(Child<QComboBox>(*m_window, "iPhoneComBox")->count(), 26);
}

void TestMendraTexts::languageSwitchInState_data() {
    QTest::addColumn<State>("state");
    QTest::addColumn<QString>("language");
    // "widget|source": the widget shows the source's translation in the window's context; "CONTACT" as
    // source stands for the contact link. "widget|source|rest": the translation followed by the rest as it is.
    QTest::addColumn<QStringList>("translated");
    // "widget|text": texts the window keeps as it was given them.
    QTest::addColumn<QStringList>("kept");

    const QStringList start{"btnNext|Start"};
    const QStringList device{"iPhoneTypeLbl_2|" + deviceEntry, "FirmwareVersionLbl|17.0"};
    const QStringList fixing{"btnNext|Fixing", "fixStatusLbl|Reparing. It takes about 10min...",
                             "noteInfoLbl_3|1. Keep your device connected, and do not use it during fixing.",
                             "progressValueLbl|Unziping|: 30.0%..."};
    const QStringList fixingKept = device + QStringList{"iPhoneFixingLabel|Anna's iPhone"};
    struct Row {
        const char* name;
        State state;
        QStringList translated;
        QStringList kept;
    };
    const QList<Row> rows{
        {"home", Home, start, {}},
        {"home, device in recovery mode",
         HomeRecoveryMode,
         start + QStringList{"recoveryModeStateBtn|Quit Recovery Mode"},
         {}},
        {"home, device in DFU mode", HomeDfuMode, start + QStringList{"recoveryModeStateBtn|Quit DFU Mode"}, {}},
        {"mode choice", ModeChoice, start, {}},
        {"fix page without device", FixNoDevice, start, {}},
        {"selection", Selection, start, {"FirmwareVersionLbl|17.0"}},
        {"downloading",
         Downloading,
         {"FirmwareStateLbl|Downloading the Firmware package..."},
         {"ProgressBarValueLbl|45.5%..."}},
        {"download failed",
         DownloadFailed,
         {"FirmwareStateLbl|Downloading failed. Error code:", "descriptionLbl|, description:",
          "FirmwareHintLbl|Please keep the Internet well connected."},
         {"errCodeLbl|0x1F", "errStringLbl|(translated) " + libraryDescription}},
        {"verifying",
         Verifying,
         {"FirmwareStateLbl|Verifying the Firmware package..."},
         {"ProgressBarValueLbl|45.5%..."}},
        {"verify failed without a description",
         VerifyFailed,
         {"FirmwareStateLbl|Verifying failed. Error code:", "descriptionLbl|, description:",
          "FirmwareHintLbl|Please try other System versions or use the Advanced Mode."},
         {"errCodeLbl|0x2A", "errStringLbl|"}},
        {"verified", Verified, {"FirmwareStateLbl|Verified finished..."}, {}},
        {"ready to fix", ReadyToFix, {"btnNext|Fix Now"}, device},
        {"fixing", Fixing, fixing, fixingKept},
        {"done",
         Done,
         {"btnNext|Done", "fixStatusLbl|Repair Success.",
          "repairInfoLbl|Please restart to check the device.\nIf the repair fails, please restart your device and PC "
          "before trying again.",
          "noteInfoLbl_3|CONTACT", "progressValueLbl|Unziping|: 30.0%..."},
         fixingKept},
        {"try again",
         TryAgain,
         {"btnNext|Try again", "fixStatusLbl|Repair failed.",
          "repairInfoLbl|Check whether the device restarts. If the restart fails, please restart computer and device "
          "before you use Advanced Mode to try again.",
          "noteInfoLbl_3|CONTACT"},
         fixingKept},
        {"recovery guide",
         RecoveryGuide,
         {"guideLink|Failed to enter Recovery Mode? Click here to enter DFU Mode."},
         {}},
        {"DFU guide", DfuGuide, {"guideLink|Failed to enter DFU Mode? Click here to enter Recovery Mode."}, {}},
    };
    for (const char* language : {"de", "jp"}) {
        for (const Row& row : rows)
            QTest::addRow("%s, %s", row.name, language) << row.state << language << row.translated << row.kept;
    }
}

void TestMendraTexts::languageSwitchInState() {
    QFETCH(State, state);
    QFETCH(QString, language);
    QFETCH(QStringList, translated);
    QFETCH(QStringList, kept);

    Reach(state);
    const QStringList before = Snapshot();
    QCoreApplication::installTranslator(&m_descriptions);
    SwitchLanguage(language);

    for (const QString& expectation : translated) {
        const QString name = expectation.section(QLatin1Char('|'), 0, 0);
        const QString source = expectation.section(QLatin1Char('|'), 1, 1);
        const bool contact = source == QLatin1String("CONTACT");
        const QString expected = (contact ? ContactLink() : Tr(source)) + expectation.section(QLatin1Char('|'), 2);
        QVERIFY2(contact || expected != source, qPrintable(language + QStringLiteral(" lacks ") + source));
        QString shown = Text(name);
        if (name == QLatin1String("guideLink"))
            QVERIFY2(shown.contains(expected), qPrintable(shown));
        else
            QCOMPARE(shown, expected);
    }
    for (const QString& expectation : kept)
        QCOMPARE(Text(expectation.section(QLatin1Char('|'), 0, 0)), expectation.section(QLatin1Char('|'), 1));
    // In every state: the status bar's buttons and the fix page's guide link.
    QCOMPARE(Text("btnDownload"), Tr("Download"));
    QCOMPARE(Text("btnRetryDownload"), Tr("Download again"));
    QVERIFY(Text("showRecoveryGuideLbl").contains(Tr("Device is connected but not recognized")));
    QVERIFY(Text("productInfoLbl") !=
            QStringLiteral("Fix 50+ iOS issues like various stuck problems, black screen, etc."));
    VerifyLists();
    QCOMPARE(Snapshot(), before);
}

void TestMendraTexts::refilledListsShowFirstEntry() {
    Child<QComboBox>(*m_window, "worksComBox")->setCurrentIndex(2);
    QCOMPARE(Child<QStackedWidget>(*m_window, "WorksWidget")->currentIndex(), 2);
    SwitchLanguage(QStringLiteral("fr"));
    QCOMPARE(Child<QComboBox>(*m_window, "worksComBox")->currentIndex(), 0);
    QCOMPARE(Child<QStackedWidget>(*m_window, "WorksWidget")->currentIndex(), 0);
    VerifyLists();
}

void TestMendraTexts::backToEnglish() {
    Reach(Done);
    SwitchLanguage(QStringLiteral("zh"));
    SwitchLanguage(QStringLiteral("en"));
    QCOMPARE(Text("btnNext"), QStringLiteral("Done"));
    QCOMPARE(Text("fixStatusLbl"), QStringLiteral("Repair Success."));
    QCOMPARE(Text("noteInfoLbl_3"), ContactLink());
    QVERIFY(ContactLink().contains(QStringLiteral("Contact us for more help.")));
    VerifyLists();
}

// The ready page names the package the run verified, a local one by its own version, not by the list's entry
// ("17.0"); a change of language keeps it.
void TestMendraTexts::readyPageKeepsThePackagesVersion() {
    Controller::Instance()->SetSystemVersionText(QStringLiteral("17.1 (21B74)"));
    Reach(ReadyToFix);
    QCOMPARE(Text("FirmwareVersionLbl"), QStringLiteral("17.1 (21B74)"));
    SwitchLanguage(QStringLiteral("de"));
    QCOMPARE(Text("FirmwareVersionLbl"), QStringLiteral("17.1 (21B74)"));
}

QTEST_MAIN(TestMendraTexts)
#include "tst_mendratexts.moc"
