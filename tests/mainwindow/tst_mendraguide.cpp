#include "FakeRepairEngine.h"
#include "MendraWindow.h"

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

enum Guide { Recovery, Dfu };

} // namespace

Q_DECLARE_METATYPE(Guide)

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
    // "recovery/<page>" or "dfu/<page>" with the checked button of that guide.
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
    if (m_window->recoveryWidget->currentIndex() == 0) {
        QAbstractButton* checked = m_window->buttonGroup->checkedButton();
        return QStringLiteral("recovery/%1 %2")
            .arg(m_window->stackedWidget_3->currentIndex())
            .arg(checked ? checked->objectName() : QStringLiteral("-"));
    }
    QAbstractButton* checked = m_window->buttonGroup_2->checkedButton();
    return QStringLiteral("dfu/%1 %2")
        .arg(m_window->stackedWidget_4->currentIndex())
        .arg(checked ? checked->objectName() : QStringLiteral("-"));
}

void TestMendraGuide::ShowGuide(Guide guide) {
    Controller::Instance()->SetRepairMode(guide == Dfu ? Controller::AdvancedMode : Controller::StandardMode);
    m_window->ShowGuideView();
}

void TestMendraGuide::guideFollowsRepairMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("linkState");

    QTest::newRow("advanced: DFU") << 0 << "dfu/0 OtherBtn_2" << toRecovery << 0;
    QTest::newRow("standard: recovery") << 1 << "recovery/0 OtherBtn" << toDfu << 1;
    QTest::newRow("none chosen yet: recovery") << 2 << "recovery/0 OtherBtn" << toDfu << 1;
}

void TestMendraGuide::guideFollowsRepairMode() {
    QFETCH(int, mode);
    QFETCH(QString, shown);
    QFETCH(QString, link);
    QFETCH(int, linkState);

    Controller::Instance()->SetRepairMode(mode);
    m_window->ShowGuideView();

    QCOMPARE(m_window->stackedWidget->currentIndex(), 4);
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
    QTest::newRow("recovery, other devices") << Recovery << "OtherBtn" << "dfu/0 OtherBtn_2" << toRecovery;
    QTest::newRow("recovery, iPhone 7") << Recovery << "iPhoen7Btn" << "dfu/1 iPhoen7Btn_2" << toRecovery;
    QTest::newRow("recovery, iPhone 8") << Recovery << "iPhone8Btn" << "dfu/2 iPhone8Btn_2" << toRecovery;
    // The DFU guide has no Apple TV pages: the newest phone's steps stand in.
    QTest::newRow("recovery, Apple TV") << Recovery << "AppleBtn" << "dfu/2 iPhone8Btn_2" << toRecovery;
    QTest::newRow("recovery, Apple TV HD") << Recovery << "AppleHDBtn" << "dfu/2 iPhone8Btn_2" << toRecovery;
    QTest::newRow("DFU, other devices") << Dfu << "OtherBtn_2" << "recovery/0 OtherBtn" << toDfu;
    QTest::newRow("DFU, iPhone 7") << Dfu << "iPhoen7Btn_2" << "recovery/1 iPhoen7Btn" << toDfu;
    QTest::newRow("DFU, iPhone 8") << Dfu << "iPhone8Btn_2" << "recovery/2 iPhone8Btn" << toDfu;
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
    QCOMPARE(m_window->recoveryWidget->currentIndex(), from == Recovery ? 0 : 1);
}

void TestMendraGuide::deviceKindButtons_data() {
    QTest::addColumn<Guide>("guide");
    QTest::addColumn<QString>("kindButton");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("linkShown");

    // clang-format off
    QTest::newRow("recovery, other devices") << Recovery << "OtherBtn" << "recovery/0 OtherBtn" << true;
    QTest::newRow("recovery, iPhone 7") << Recovery << "iPhoen7Btn" << "recovery/1 iPhoen7Btn" << true;
    QTest::newRow("recovery, iPhone 8") << Recovery << "iPhone8Btn" << "recovery/2 iPhone8Btn" << true;
    QTest::newRow("recovery, Apple TV") << Recovery << "AppleBtn" << "recovery/3 AppleBtn" << false;
    QTest::newRow("recovery, Apple TV HD") << Recovery << "AppleHDBtn" << "recovery/4 AppleHDBtn" << false;
    QTest::newRow("DFU, other devices") << Dfu << "OtherBtn_2" << "dfu/0 OtherBtn_2" << true;
    QTest::newRow("DFU, iPhone 7") << Dfu << "iPhoen7Btn_2" << "dfu/1 iPhoen7Btn_2" << true;
    QTest::newRow("DFU, iPhone 8") << Dfu << "iPhone8Btn_2" << "dfu/2 iPhone8Btn_2" << true;
    // clang-format on
}

void TestMendraGuide::deviceKindButtons() {
    QFETCH(Guide, guide);
    QFETCH(QString, kindButton);
    QFETCH(QString, shown);
    QFETCH(bool, linkShown);

    ShowGuide(guide);
    // Start from an Apple TV page where the guide has one, so the link is hidden before the click.
    if (guide == Recovery)
        QTest::mouseClick(m_window->AppleHDBtn, Qt::LeftButton);
    QTest::mouseClick(m_window->findChild<QPushButton*>(kindButton), Qt::LeftButton);
    QCOMPARE(Shown(), shown);
    QCOMPARE(Link()->isVisibleTo(m_window), linkShown);
}

void TestMendraGuide::showGuideResetsDeviceKind() {
    ShowGuide(Recovery);
    QTest::mouseClick(m_window->iPhone8Btn, Qt::LeftButton);
    // The Apple TV slots act on the recovery guide only.
    emit Link()->linkActivated(QStringLiteral("none"));
    m_window->sltAppleView();
    m_window->sltAppleHDView();
    QCOMPARE(Shown(), QStringLiteral("dfu/2 iPhone8Btn_2"));
    QVERIFY(Link()->isVisibleTo(m_window));

    m_window->SetMainPage(0);
    QCOMPARE(Shown(), QStringLiteral("dfu/2 iPhone8Btn_2"));
    ShowGuide(Recovery);
    QCOMPARE(Shown(), QStringLiteral("recovery/0 OtherBtn"));
    QCOMPARE(m_window->RetStackWidget_3(), 0);
    QCOMPARE(m_window->RetStackWidget_4(), 2);
}

void TestMendraGuide::notRecognizedLinkOpensGuide() {
    QLabel* link = m_window->showRecoveryGuideLbl;
    QVERIFY(link->text().contains(QStringLiteral("Device is connected but not recognized")));
    QVERIFY(link->text().contains(QStringLiteral("href=\"none\"")));
    emit link->linkActivated(QStringLiteral("none"));
    QCOMPARE(m_window->stackedWidget->currentIndex(), 4);
    QCOMPARE(Shown(), QStringLiteral("recovery/0 OtherBtn"));
    // A language change replaces the text and keeps one connection: the page opens once, not twice.
    m_window->Retranslate();
    QSignalSpy changed(m_window->stackedWidget, &QStackedWidget::currentChanged);
    m_window->SetMainPage(0);
    emit link->linkActivated(QStringLiteral("none"));
    QCOMPARE(changed.count(), 2);
}

void TestMendraGuide::deviceListChangeHidesLink() {
    ShowGuide(Dfu);
    m_window->changGuiLblStaust();
    QVERIFY(!Link()->isVisibleTo(m_window));
    QCOMPARE(Shown(), QStringLiteral("dfu/0 OtherBtn_2"));
}

QTEST_MAIN(TestMendraGuide)
#include "tst_mendraguide.moc"
