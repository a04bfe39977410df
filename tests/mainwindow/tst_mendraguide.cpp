#include "FakeRepairEngine.h"
#include "MendraWindow.h"
#include "StateName.h"

#include "app/EditionData.h"
#include "controller/Controller.h"
#include "mainwindow/Mendra.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QtTest>

namespace {

const QString toDfu = QStringLiteral("Failed to enter Recovery Mode? Click here to enter DFU Mode.");
const QString toRecovery = QStringLiteral("Failed to enter DFU Mode? Click here to enter Recovery Mode.");

} // namespace

// The recovery and DFU guide page: which guide and device kind show, and the status-bar link between them.
class TestMendraGuide : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void guideFollowsRepairMode_data();
    void guideFollowsRepairMode();
    void switchCarriesDeviceKind_data();
    void switchCarriesDeviceKind();
    void deviceKindButtons_data();
    void deviceKindButtons();
    void showGuideResetsDeviceKind();
    void notRecognizedLinkOpensGuide();
    void deviceListChangeHidesLink();

private:
    // "<guide>/<device kind>" with the checked button of that guide: "Recovery/iPhone7 iPhoen7Btn".
    QString Shown() const;
    QLabel* Link() const;
    void ShowGuide(Guide guide);

    Mendra* m_window = nullptr;
};

void TestMendraGuide::initTestCase() {
    gAppData = new MendraData(AppDataParams{});
}

void TestMendraGuide::init() {
    m_window = OpenMendraOn(new FakeRepairEngine);
}

void TestMendraGuide::cleanup() {
    CloseMendra(m_window);
}

void TestMendraGuide::cleanupTestCase() {
    ReleaseAppData();
}

QLabel* TestMendraGuide::Link() const {
    return StatusBarLink(*m_window);
}

QString TestMendraGuide::Shown() const {
    const auto guide = Stack<Guide>(*m_window, "recoveryWidget");
    const bool recovery = guide == Guide::Recovery;
    QAbstractButton* checked =
        Child<QButtonGroup>(*m_window, recovery ? "buttonGroup" : "buttonGroup_2")->checkedButton();
    const auto kind = Stack<DeviceKind>(*m_window, recovery ? "stackedWidget_3" : "stackedWidget_4");
    return QStringLiteral("%1/%2 %3")
        .arg(StateName(guide), StateName(kind), checked ? checked->objectName() : QStringLiteral("-"));
}

void TestMendraGuide::ShowGuide(Guide guide) {
    Controller::Instance()->SetRepairMode(guide == Guide::Dfu ? RepairMode::Advanced : RepairMode::Standard);
    m_window->ShowGuideView();
}

void TestMendraGuide::guideFollowsRepairMode_data() {
    QTest::addColumn<RepairMode>("mode");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("link");
    QTest::addColumn<GuideLink>("linkState");

    QTest::newRow("advanced: DFU") << RepairMode::Advanced << "Dfu/Other OtherBtn_2" << toRecovery
                                   << GuideLink::ToRecovery;
    QTest::newRow("standard: recovery") << RepairMode::Standard << "Recovery/Other OtherBtn" << toDfu
                                        << GuideLink::ToDfu;
    QTest::newRow("none chosen yet: recovery")
        << RepairMode::NotChosen << "Recovery/Other OtherBtn" << toDfu << GuideLink::ToDfu;
}

void TestMendraGuide::guideFollowsRepairMode() {
    QFETCH(RepairMode, mode);
    QFETCH(QString, shown);
    QFETCH(QString, link);
    QFETCH(GuideLink, linkState);

    Controller::Instance()->SetRepairMode(mode);
    m_window->ShowGuideView();

    QCOMPARE(m_window->GetMainPageIndex(), MainPage::Guide);
    QCOMPARE(Shown(), shown);
    QVERIFY(Link()->text().contains(link));
    QVERIFY(Link()->isVisibleTo(m_window));
    QCOMPARE(m_window->GetGuideLinkState(), linkState);
    QPushButton* next = m_window->findChild<QPushButton*>(QStringLiteral("btnNext"));
    QVERIFY(!next->isVisibleTo(m_window));
    QVERIFY(!next->isEnabled());
    QCOMPARE(Controller::Instance()->GetRepairMode(), mode);
}

void TestMendraGuide::switchCarriesDeviceKind_data() {
    QTest::addColumn<Guide>("from");
    QTest::addColumn<QString>("kindButton");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("link");

    // clang-format off
    QTest::newRow("recovery, other devices") << Guide::Recovery << "OtherBtn" << "Dfu/Other OtherBtn_2" << toRecovery;
    QTest::newRow("recovery, iPhone 7") << Guide::Recovery << "iPhoen7Btn" << "Dfu/iPhone7 iPhoen7Btn_2" << toRecovery;
    QTest::newRow("recovery, iPhone 8") << Guide::Recovery << "iPhone8Btn" << "Dfu/iPhone8 iPhone8Btn_2" << toRecovery;
    // The DFU guide has no Apple TV pages: the newest phone's steps stand in.
    QTest::newRow("recovery, Apple TV") << Guide::Recovery << "AppleBtn" << "Dfu/iPhone8 iPhone8Btn_2" << toRecovery;
    QTest::newRow("recovery, Apple TV HD") << Guide::Recovery << "AppleHDBtn" << "Dfu/iPhone8 iPhone8Btn_2" << toRecovery;
    QTest::newRow("DFU, other devices") << Guide::Dfu << "OtherBtn_2" << "Recovery/Other OtherBtn" << toDfu;
    QTest::newRow("DFU, iPhone 7") << Guide::Dfu << "iPhoen7Btn_2" << "Recovery/iPhone7 iPhoen7Btn" << toDfu;
    QTest::newRow("DFU, iPhone 8") << Guide::Dfu << "iPhone8Btn_2" << "Recovery/iPhone8 iPhone8Btn" << toDfu;
    // clang-format on
}

void TestMendraGuide::switchCarriesDeviceKind() {
    QFETCH(Guide, from);
    QFETCH(QString, kindButton);
    QFETCH(QString, shown);
    QFETCH(QString, link);

    ShowGuide(from);
    QTest::mouseClick(m_window->findChild<QPushButton*>(kindButton), Qt::LeftButton);
    emit Link()->linkActivated(QStringLiteral("none"));

    QCOMPARE(Shown(), shown);
    QVERIFY(Link()->text().contains(link));
    // And back again to the guide it came from.
    emit Link()->linkActivated(QStringLiteral("none"));
    QCOMPARE(Stack<Guide>(*m_window, "recoveryWidget"), from);
}

void TestMendraGuide::deviceKindButtons_data() {
    QTest::addColumn<Guide>("guide");
    QTest::addColumn<QString>("kindButton");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("linkShown");

    // clang-format off
    QTest::newRow("recovery, other devices") << Guide::Recovery << "OtherBtn" << "Recovery/Other OtherBtn" << true;
    QTest::newRow("recovery, iPhone 7") << Guide::Recovery << "iPhoen7Btn" << "Recovery/iPhone7 iPhoen7Btn" << true;
    QTest::newRow("recovery, iPhone 8") << Guide::Recovery << "iPhone8Btn" << "Recovery/iPhone8 iPhone8Btn" << true;
    QTest::newRow("recovery, Apple TV") << Guide::Recovery << "AppleBtn" << "Recovery/AppleTv AppleBtn" << false;
    QTest::newRow("recovery, Apple TV HD") << Guide::Recovery << "AppleHDBtn" << "Recovery/AppleTvHd AppleHDBtn" << false;
    QTest::newRow("DFU, other devices") << Guide::Dfu << "OtherBtn_2" << "Dfu/Other OtherBtn_2" << true;
    QTest::newRow("DFU, iPhone 7") << Guide::Dfu << "iPhoen7Btn_2" << "Dfu/iPhone7 iPhoen7Btn_2" << true;
    QTest::newRow("DFU, iPhone 8") << Guide::Dfu << "iPhone8Btn_2" << "Dfu/iPhone8 iPhone8Btn_2" << true;
    // clang-format on
}

void TestMendraGuide::deviceKindButtons() {
    QFETCH(Guide, guide);
    QFETCH(QString, kindButton);
    QFETCH(QString, shown);
    QFETCH(bool, linkShown);

    ShowGuide(guide);
    // Start from an Apple TV page where the guide has one, so the link is hidden before the click.
    if (guide == Guide::Recovery)
        QTest::mouseClick(Child<QPushButton>(*m_window, "AppleHDBtn"), Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton*>(kindButton), Qt::LeftButton);
    QCOMPARE(Shown(), shown);
    QCOMPARE(Link()->isVisibleTo(m_window), linkShown);
}

void TestMendraGuide::showGuideResetsDeviceKind() {
    ShowGuide(Guide::Recovery);
    QTest::mouseClick(Child<QPushButton>(*m_window, "iPhone8Btn"), Qt::LeftButton);
    // The Apple TV slots act on the recovery guide only.
    emit Link()->linkActivated(QStringLiteral("none"));
    m_window->sltAppleView();
    m_window->sltAppleHDView();
    QCOMPARE(Shown(), QStringLiteral("Dfu/iPhone8 iPhone8Btn_2"));
    QVERIFY(Link()->isVisibleTo(m_window));

    m_window->SetMainPage(MainPage::Home);
    QCOMPARE(Shown(), QStringLiteral("Dfu/iPhone8 iPhone8Btn_2"));
    ShowGuide(Guide::Recovery);
    QCOMPARE(Shown(), QStringLiteral("Recovery/Other OtherBtn"));
    QCOMPARE(m_window->RetStackWidget_3(), DeviceKind::Other);
    QCOMPARE(m_window->RetStackWidget_4(), DeviceKind::iPhone8);
}

void TestMendraGuide::notRecognizedLinkOpensGuide() {
    QLabel* link = Child<QLabel>(*m_window, "showRecoveryGuideLbl");
    QVERIFY(link->text().contains(QStringLiteral("Device is connected but not recognized")));
    QVERIFY(link->text().contains(QStringLiteral("href=\"none\"")));
    emit link->linkActivated(QStringLiteral("none"));
    QCOMPARE(m_window->GetMainPageIndex(), MainPage::Guide);
    QCOMPARE(Shown(), QStringLiteral("Recovery/Other OtherBtn"));
    // A language change replaces the text and keeps one connection: the page opens once, not twice.
    m_window->Retranslate();
    QSignalSpy changed(Child<QStackedWidget>(*m_window, "stackedWidget"), &QStackedWidget::currentChanged);
    m_window->SetMainPage(MainPage::Home);
    emit link->linkActivated(QStringLiteral("none"));
    QCOMPARE(changed.count(), 2);
}

void TestMendraGuide::deviceListChangeHidesLink() {
    ShowGuide(Guide::Dfu);
    m_window->changGuiLblStaust();
    QVERIFY(!Link()->isVisibleTo(m_window));
    QCOMPARE(Shown(), QStringLiteral("Dfu/Other OtherBtn_2"));
}

QTEST_MAIN(TestMendraGuide)
#include "tst_mendraguide.moc"
