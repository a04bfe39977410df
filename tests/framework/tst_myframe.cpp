#include "ChildFrame.h"
#include "MyButton.h"
#include "MyFrame.h"
#include "TitleBar.h"

#include "FrameworkSkin.h"
#include "UrlRecorder.h"

#include "app/EditionData.h"
#include "app/Language.h"
#include "app/MyConfig.h"
#include "platform/ScreenCompositing.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
constexpr auto mainTypes = CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE;

QWidget* MakeMainWindow() {
    auto* window = new QWidget;
    window->resize(600, 400);
    window->setWindowTitle(QStringLiteral("Mendra"));
    return window;
}

QStringList ActionTexts(const QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

QString CheckedLanguage(const MyFrame& frame) {
    QAction* checked = frame.GetLanguageGroup()->checkedAction();
    return checked ? checked->data().toString() : QString();
}
} // namespace

class TestMyFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void menuOrder();
    void languageMenu();
    void choosingLanguage();
    void menuEntriesAskTheOwner();
    void settingsButtonOpensMenu();
    void frameWithoutMainType();
    void sizesAtScale();
    void shadowMargins();
    void paintingLeavesTheLayoutAlone_data();
    void paintingLeavesTheLayoutAlone();
    void destructorStoresSize();

private:
    QString ConfigFile() const { return gConfig->GetDataDir() + QStringLiteral("config.xml"); }
    QByteArray ConfigBytes() const;

    QTemporaryDir m_data;
};

void TestMyFrame::initTestCase() {
    qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
    LoadEditionData();
    gAppData->Languages = QStringList{"en", "fr", "de", "xx"};
}

void TestMyFrame::init() {
    // The frames as a compositing desktop shows them, with their shadows; tst_framelook covers the flat
    // frames of a desktop without a compositor.
    platform::setScreenCompositingForTests(true);
    gConfig = new MyConfig;
    gConfig->SetLanguage(QStringLiteral("FR"), true);
}

void TestMyFrame::cleanup() {
    platform::setScreenCompositingForTests(std::nullopt);
    delete gConfig;
    gConfig = nullptr;
    SetSkinScaleForScreenWidth(1920);
}

QByteArray TestMyFrame::ConfigBytes() const {
    QFile file(ConfigFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestMyFrame::menuOrder() {
    MyFrame frame(MakeMainWindow(), nullptr, mainTypes, QPixmap(), 0);
    QCOMPARE(ActionTexts(frame.GetMenu()),
             (QStringList{"Language", "Setting", "|", "User Guide", "Bug Report", "About", "Check for update"}));
    QCOMPARE(frame.GetMenu()->actions().first()->menu(), frame.GetLanguageMenu());
    QCOMPARE(frame.GetMenu()->actions().at(1)->menuRole(), QAction::NoRole);
    QCOMPARE(frame.GetMenu()->actions().at(5)->menuRole(), QAction::ApplicationSpecificRole);
    QCOMPARE(frame.GetMenu()->property("STYLE_KEY").toString(), QStringLiteral("QMENU"));
    QCOMPARE(frame.property("STYLE_KEY").toString(), QStringLiteral("HOME_BACK"));
    QCOMPARE(frame.GetSettingsButton()->property("STYLE_KEY").toString(), QStringLiteral("SETTING"));
    QCOMPARE(frame.GetTitleBar()->Background()->objectName(), QStringLiteral("mainframe"));

    // The settings button sits in the title bar just before the minimise button.
    QHBoxLayout* row = frame.GetTitleBar()->RightColumnRow();
    const int index = row->indexOf(frame.GetSettingsButton());
    QVERIFY(index >= 0);
    QCOMPARE(row->itemAt(index + 2)->widget(), frame.GetTitleBar()->MinimizeButton());

    // Retranslation puts every text back.
    frame.GetMenu()->actions().at(1)->setText(QStringLiteral("stale"));
    frame.GetLanguageMenu()->setTitle(QStringLiteral("stale"));
    frame.GetSettingsButton()->setToolTip(QString());
    frame.Retranslate();
    QCOMPARE(ActionTexts(frame.GetMenu()).at(1), QStringLiteral("Setting"));
    QCOMPARE(frame.GetLanguageMenu()->title(), QStringLiteral("Language"));
    QCOMPARE(frame.GetSettingsButton()->toolTip(), QStringLiteral("Menu"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Mendra"));
}

void TestMyFrame::languageMenu() {
    MyFrame frame(MakeMainWindow(), nullptr, mainTypes, QPixmap(), 0);
    QStringList expected;
    for (const auto& entry : LanguageDisplayName(gAppData->Languages))
        expected << entry.first;
    QCOMPARE(ActionTexts(frame.GetLanguageMenu()), expected);
    QCOMPARE(expected.first(), QStringLiteral("English"));
    QVERIFY(frame.GetLanguageGroup()->isExclusive());
    // The stored code "FR" matches the edition's "fr" ignoring case.
    QCOMPARE(CheckedLanguage(frame), QStringLiteral("fr"));
    int checked = 0;
    for (QAction* action : frame.GetLanguageGroup()->actions())
        checked += action->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
}

void TestMyFrame::choosingLanguage() {
    gConfig->SetLanguage(QStringLiteral("fr"), true);
    MyFrame frame(MakeMainWindow(), nullptr, mainTypes, QPixmap(), 0);
    QSignalSpy requested(&frame, &MyFrame::LanguageRequested);
    const QByteArray before = ConfigBytes();

    // The current language: nothing is written, yet the interface is still retranslated.
    frame.GetLanguageGroup()->actions().at(1)->trigger();
    QCOMPARE(ConfigBytes(), before);
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.at(0).at(0).toString(), QStringLiteral("fr"));

    frame.GetLanguageGroup()->actions().at(2)->trigger();
    QCOMPARE(requested.count(), 2);
    QCOMPARE(requested.at(1).at(0).toString(), QStringLiteral("de"));
    QCOMPARE(gConfig->GetLanguage(), QStringLiteral("de"));
    QCOMPARE(CheckedLanguage(frame), QStringLiteral("de"));
    // Written at once: a fresh reader of the file sees it.
    MyConfig reader;
    QCOMPARE(reader.GetLanguage(), QStringLiteral("de"));
}

void TestMyFrame::menuEntriesAskTheOwner() {
    MyFrame frame(MakeMainWindow(), nullptr, mainTypes, QPixmap(), 0);
    QSignalSpy setting(&frame, &MyFrame::SettingRequested);
    QSignalSpy bugReport(&frame, &MyFrame::BugReportRequested);
    QSignalSpy about(&frame, &MyFrame::AboutRequested);
    QSignalSpy update(&frame, &MyFrame::UpdateRequested);
    UrlRecorder recorder({"https"});

    const QList<QAction*> actions = frame.GetMenu()->actions();
    actions.at(1)->trigger();
    actions.at(3)->trigger();
    actions.at(4)->trigger();
    actions.at(5)->trigger();
    actions.at(6)->trigger();

    QCOMPARE(setting.count(), 1);
    QCOMPARE(bugReport.count(), 1);
    QCOMPARE(about.count(), 1);
    QCOMPARE(update.count(), 1);
    QCOMPARE(update.at(0).at(0).toBool(), false);
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened.first(), gAppData->MakeLink(gAppData->Tutorial));
}

void TestMyFrame::settingsButtonOpensMenu() {
    MyFrame frame(MakeMainWindow(), nullptr, mainTypes, QPixmap(), 0);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    MyButton* button = frame.GetSettingsButton();
    QPoint shownAt;
    QWidget* shown = nullptr;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, [&]() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            poll.stop();
            shown = popup;
            shownAt = popup->pos();
            popup->close();
        }
    });
    poll.start();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(shown, frame.GetMenu());
    // Right under the button; the menu may be pushed left to stay on the screen.
    const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
    QCOMPARE(shownAt.y(), below.y());
    QVERIFY(shownAt.x() <= below.x());
    QVERIFY(frame.GetMenu()->windowFlags().testFlag(Qt::FramelessWindowHint));
}

void TestMyFrame::frameWithoutMainType() {
    MyFrame frame(MakeMainWindow(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QVERIFY(frame.GetSettingsButton());
    QVERIFY(frame.GetMenu());
    QSignalSpy setting(&frame, &MyFrame::SettingRequested);
    QSignalSpy language(&frame, &MyFrame::LanguageRequested);
    frame.GetMenu()->actions().at(1)->trigger();
    frame.GetLanguageGroup()->actions().at(2)->trigger();
    QCOMPARE(setting.count(), 0);
    QCOMPARE(language.count(), 0);
    QCOMPARE(gConfig->GetLanguage(), QStringLiteral("FR"));
    // No size of its own for the button: the size hooks do nothing for this type.
    QVERIFY(frame.GetSettingsButton()->minimumSize() != QSize(32, 28));
}

void TestMyFrame::sizesAtScale() {
    SetSkinScaleForScreenWidth(3840);
    MyFrame frame(MakeMainWindow(), nullptr, mainTypes, QPixmap(), 0);
    QCOMPARE(frame.GetSettingsButton()->size(), QSize(48, 42));
    QCOMPARE(frame.GetSettingsButton()->iconSize(), QSize(30, 30));

    ChildFrame child(MakeMainWindow(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QCOMPARE(child.width(), 732);
    QCOMPARE(child.minimumWidth(), child.maximumWidth());

    // Without a compositor the shadow's ten pixels a side go; the frame's one-pixel edge stays.
    platform::setScreenCompositingForTests(false);
    ChildFrame flat(MakeMainWindow(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QCOMPARE(flat.width(), 732 - 2 * 9);
    QCOMPARE(flat.minimumWidth(), flat.maximumWidth());
}

void TestMyFrame::shadowMargins() {
    SetSkinScaleForScreenWidth(3840);
    MyFrame frame(MakeMainWindow(), nullptr, mainTypes | CAbstractFrame::FRAME_MAX, QPixmap(), 0);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.grab();
    QCOMPARE(frame.contentsMargins(), QMargins(3, 3, 3, 3));

    QTest::mouseClick(frame.GetTitleBar()->MaximizeButton(), Qt::LeftButton);
    QCOMPARE(frame.frameGeometry(), frame.FrameScreen()->availableGeometry());
    frame.grab();
    QCOMPARE(frame.contentsMargins(), QMargins(0, 0, 0, 0));

    QTest::mouseClick(frame.GetTitleBar()->RestoreButton(), Qt::LeftButton);
    frame.grab();
    QCOMPARE(frame.contentsMargins(), QMargins(3, 3, 3, 3));

    ChildFrame child(MakeMainWindow(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    child.show();
    QVERIFY(QTest::qWaitForWindowExposed(&child));
    child.grab();
    QCOMPARE(child.contentsMargins(), QMargins(10, 10, 10, 10));
}

namespace {

// Records the frame's margins around each of its paints.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* frame) : m_frame(frame) { frame->installEventFilter(this); }
    // The margins at the start of each paint, and whether one changed them.
    QList<QMargins> atPaint;
    bool changedByPaint = false;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_frame && event->type() == QEvent::Paint) {
            atPaint.append(m_frame->contentsMargins());
            m_frame->removeEventFilter(this);
            QCoreApplication::sendEvent(m_frame, event); // the frame's own paint, then compare
            m_frame->installEventFilter(this);
            changedByPaint = changedByPaint || m_frame->contentsMargins() != atPaint.last();
            return true;
        }
        return false;
    }

private:
    QWidget* m_frame;
};

} // namespace

void TestMyFrame::paintingLeavesTheLayoutAlone_data() {
    QTest::addColumn<bool>("mainFrame");
    QTest::addColumn<int>("margin"); // on every side
    QTest::newRow("main frame") << true << 3;
    QTest::newRow("child frame") << false << 10;
}

// A frame's shadow ring has its margins before the first paint: a paint that moves the frame's contents makes
// the X11 backing store put its picture before it has a graphics context, which the X server refuses (BadGC).
void TestMyFrame::paintingLeavesTheLayoutAlone() {
    QFETCH(bool, mainFrame);
    QFETCH(int, margin);
    const QMargins margins(margin, margin, margin, margin);
    SetSkinScaleForScreenWidth(3840);
    std::unique_ptr<CWindowsFrame> frame;
    if (mainFrame)
        frame =
            std::make_unique<MyFrame>(MakeMainWindow(), nullptr, mainTypes | CAbstractFrame::FRAME_MAX, QPixmap(), 0);
    else
        frame = std::make_unique<ChildFrame>(MakeMainWindow(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    PaintWatch watch(frame.get());
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    frame->grab();
    QVERIFY(!watch.atPaint.isEmpty());
    QCOMPARE(watch.atPaint.first(), margins);
    QVERIFY(!watch.changedByPaint);

    if (!mainFrame)
        return;
    // Maximised and restored, the margins follow before anything paints.
    QTest::mouseClick(frame->GetTitleBar()->MaximizeButton(), Qt::LeftButton);
    QCOMPARE(frame->contentsMargins(), QMargins());
    frame->grab();
    QTest::mouseClick(frame->GetTitleBar()->RestoreButton(), Qt::LeftButton);
    QCOMPARE(frame->contentsMargins(), margins);
    frame->grab();
    QVERIFY(!watch.changedByPaint);
}

void TestMyFrame::destructorStoresSize() {
    auto* frame = new MyFrame(MakeMainWindow(), nullptr, mainTypes, QPixmap(), 0);
    frame->resize(900, 640);
    const QSize size = frame->size();
    delete frame;
    QCOMPARE(gConfig->GetWidth(), size.width());
    MyConfig reader;
    QCOMPARE(reader.GetWidth(), size.width());
    QCOMPARE(reader.GetHeight(), size.height());

    // Only the main window's frame stores its size.
    auto* other = new MyFrame(MakeMainWindow(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    other->resize(300, 200);
    delete other;
    QCOMPARE(gConfig->GetWidth(), size.width());
}

QTEST_MAIN(TestMyFrame)
#include "moc_UrlRecorder.cpp"
#include "tst_myframe.moc"
