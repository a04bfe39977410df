#include "CMsgFrame.h"
#include "ChildFrame.h"
#include "FrameShadow.h"
#include "MendraMessageBox.h"
#include "MyFrame.h"
#include "TitleBar.h"

#include "FrameworkSkin.h"
#include "ModalHelper.h"

#include "app/EditionData.h"
#include "app/MyConfig.h"
#include "platform/ScreenCompositing.h"

#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

// How the frames look on a screen without a compositor (the offscreen platform's, like a bare X
// server's), with the skin and style sheet the build draws: nothing a frame paints itself may show as
// the black of a transparent pixel, the dialogs inside keep their sizes, and the program menu's
// language submenu looks like the menu.

namespace {
enum class Kind { Child, Message, Main };

// The darkest a pixel of a frame's own painting may be: its edge line is a mid grey, the black of a
// translucent shadow on a screen that cannot show it is near 0.
constexpr int kDarkest = 96;

constexpr auto kMainTypes = CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE;

// A dialog view of the settings dialog's kind: a fixed size, a white face.
QWidget* MakeView(const QSize& size) {
    auto* view = new QDialog(nullptr, Qt::FramelessWindowHint);
    view->setStyleSheet(QStringLiteral("QDialog { background: #ffffff; }"));
    view->setFixedSize(size);
    return view;
}

// A main window that can be resized.
QWidget* MakeWindow() {
    auto* window = new QWidget;
    window->setAttribute(Qt::WA_StyledBackground);
    window->setStyleSheet(QStringLiteral("background: #ffffff;"));
    window->resize(UiScaled(900.0), UiScaled(560.0));
    window->setWindowTitle(QStringLiteral("Mendra"));
    return window;
}

// The frame of each kind as the program makes it.
std::unique_ptr<CWindowsFrame> MakeFrame(Kind kind, QWidget* inner) {
    switch (kind) {
    case Kind::Child: {
        auto frame = std::make_unique<ChildFrame>(inner, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
        frame->setProperty("STYLE_KEY", QStringLiteral("SETTING_FRAME"));
        frame->SetTitleObjectName(QStringLiteral("settingFrame"));
        return frame;
    }
    case Kind::Message: {
        auto frame = std::make_unique<CMsgFrame>(inner, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
        frame->setProperty("STYLE_KEY", QStringLiteral("PTMSG_WIDGET"));
        frame->SetTitleObjectName(QStringLiteral("PTMessageBox"));
        return frame;
    }
    case Kind::Main:
        break;
    }
    return std::make_unique<MyFrame>(inner, nullptr, kMainTypes, QPixmap(), 0);
}

// Shows the frame and lets the margins its first paint sets take effect.
void ShowSettled(QWidget* frame) {
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    frame->grab();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
}

// The pixels of a frame that neither its title bar nor its inner widget covers: the frame's own painting.
QRegion OwnArea(const CWindowsFrame& frame) {
    QRegion own(frame.rect());
    if (frame.GetTitleBar()->isVisible())
        own -= frame.GetTitleBar()->geometry();
    own -= frame.GetInnerWidget()->geometry();
    return own;
}

// The first pixel of the area that is transparent or dark, as "x,y rgba", or an empty string.
QString DarkPixel(const QImage& image, const QRegion& area) {
    for (const QRect& rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) != 255 || qGray(pixel) < kDarkest)
                    return QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(pixel, 8, 16, QLatin1Char('0'));
            }
        }
    }
    return QString();
}

bool SameColour(const QColor& a, const QColor& b) {
    constexpr int tolerance = 8;
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance && qAbs(a.alpha() - b.alpha()) <= tolerance;
}
} // namespace

Q_DECLARE_METATYPE(Kind)

class TestFrameLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void offscreenScreenHasNoCompositor();
    void nothingBlackAroundTheFrame_data();
    void nothingBlackAroundTheFrame();
    void nothingBlackAroundAShownMessageBox();
    void innerKeepsItsSize_data();
    void innerKeepsItsSize();
    void shadowRingWithACompositor();
    void languageSubmenuLooksLikeTheMenu();

private:
    QTemporaryDir m_data;
};

void TestFrameLook::initTestCase() {
    qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
    LoadEditionData();
    // No language whose script would make its menu entry taller than the menu's own entries.
    gAppData->Languages = QStringList{"en", "fr", "de"};
    gConfig = new MyConfig;
    SetSkinScaleForScreenWidth(1920);
    QCOMPARE(InitShippedSkin(), 3);
    SkinManager::Instance()->LoadStyleSheet();
    qApp->setStyleSheet(SkinManager::Instance()->GetStyleSheet());
}

void TestFrameLook::init() {
    platform::setScreenCompositingForTests(false);
}

void TestFrameLook::cleanup() {
    platform::setScreenCompositingForTests(std::nullopt);
    MendraMessageBox::ClearQueuedAnswers();
}

void TestFrameLook::cleanupTestCase() {
    qApp->setStyleSheet(QString());
    SkinManager::Release();
    delete gConfig;
    gConfig = nullptr;
}

void TestFrameLook::offscreenScreenHasNoCompositor() {
    platform::setScreenCompositingForTests(std::nullopt);
    QCOMPARE(platform::screenComposites(QGuiApplication::primaryScreen()), false);
    QCOMPARE(platform::screenComposites(nullptr), false);
}

void TestFrameLook::nothingBlackAroundTheFrame_data() {
    QTest::addColumn<Kind>("kind");
    QTest::newRow("child frame") << Kind::Child;
    QTest::newRow("message frame") << Kind::Message;
    QTest::newRow("main frame") << Kind::Main;
}

void TestFrameLook::nothingBlackAroundTheFrame() {
    QFETCH(Kind, kind);
    QWidget* inner = kind == Kind::Main ? MakeWindow() : MakeView(QSize(UiScaled(468.0), UiScaled(150.0)));
    const auto frame = MakeFrame(kind, inner);
    ShowSettled(frame.get());
    const QRegion own = OwnArea(*frame);
    QVERIFY(!own.isEmpty());
    const QImage image = frame->grab().toImage();
    QCOMPARE(DarkPixel(image, own), QString());
    // The edge keeps a line of its own, so that the frame stands out on a light desktop.
    QVERIFY(qGray(image.pixel(0, frame->height() / 2)) < 200);
}

// The box as the program shows it: modal, in the frame its Exec makes.
void TestFrameLook::nothingBlackAroundAShownMessageBox() {
    QString dark = QStringLiteral("not shown");
    WhenModalShown([&dark](QWidget* modal) {
        auto* frame = qobject_cast<CMsgFrame*>(modal);
        if (frame && QTest::qWaitForWindowExposed(frame))
            dark = DarkPixel(frame->grab().toImage(), OwnArea(*frame));
        modal->close();
    });
    MendraMessageBox box(QString(), QStringLiteral("The repair is still running."), QMessageBox::Yes | QMessageBox::No);
    box.Exec();
    QCOMPARE(dark, QString());
}

void TestFrameLook::innerKeepsItsSize_data() {
    QTest::addColumn<Kind>("kind");
    QTest::newRow("child frame") << Kind::Child;
    QTest::newRow("message frame") << Kind::Message;
    QTest::newRow("main frame") << Kind::Main;
}

// Without a compositor the shadow's margins go, and the frame shrinks by them: the dialog or main window
// inside keeps its size and its place under the title bar, and the frame is just its title bar and
// the inner widget within its one-pixel edge.
void TestFrameLook::innerKeepsItsSize() {
    QFETCH(Kind, kind);
    const auto inner = [kind]() {
        return kind == Kind::Main ? MakeWindow() : MakeView(QSize(UiScaled(468.0), UiScaled(150.0)));
    };
    platform::setScreenCompositingForTests(true);
    const auto withRing = MakeFrame(kind, inner());
    ShowSettled(withRing.get());
    platform::setScreenCompositingForTests(false);
    const auto flat = MakeFrame(kind, inner());
    ShowSettled(flat.get());

    const QRect innerRect = flat->GetInnerWidget()->geometry();
    const QRect titleRect = flat->GetTitleBar()->geometry();
    QCOMPARE(innerRect.size(), withRing->GetInnerWidget()->size());
    QCOMPARE(innerRect.y() - titleRect.bottom(),
             withRing->GetInnerWidget()->y() - withRing->GetTitleBar()->geometry().bottom());
    QCOMPARE(flat->contentsMargins(), QMargins());
    QCOMPARE(flat->size(), QSize(innerRect.width() + 2, titleRect.height() + innerRect.height() + 2));
    QCOMPARE(innerRect.topLeft(), QPoint(1, titleRect.bottom() + 1));
}

// Where a compositor blends the frame with the desktop, the dialogs' frame keeps its soft shadow.
void TestFrameLook::shadowRingWithACompositor() {
    platform::setScreenCompositingForTests(true);
    ChildFrame frame(MakeView(QSize(UiScaled(468.0), UiScaled(150.0))), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(),
                     0);
    QVERIFY(frame.testAttribute(Qt::WA_TranslucentBackground));
    ShowSettled(&frame);
    QCOMPARE(frame.width(), UiScaled(488.0));
    QCOMPARE(frame.contentsMargins(), QMargins(10, 10, 10, 10));
    const QImage image = frame.grab().toImage();
    QCOMPARE(qAlpha(image.pixel(0, frame.height() / 2)), 0);
    const int ringAlpha = qAlpha(image.pixel(kFrameShadowWidth - 1, frame.height() / 2));
    QVERIFY2(ringAlpha > 0 && ringAlpha < 255, qPrintable(QString::number(ringAlpha)));
}

// The submenu opened from the program menu, grabbed while both show, has the menu's border, face and
// entry height.
void TestFrameLook::languageSubmenuLooksLikeTheMenu() {
    MyFrame frame(MakeWindow(), nullptr, kMainTypes, QPixmap(), 0);
    ShowSettled(&frame);
    QMenu* menu = frame.GetMenu();
    QMenu* languages = frame.GetLanguageMenu();
    QCOMPARE(languages->property("STYLE_KEY"), menu->property("STYLE_KEY"));

    QImage menuImage;
    QImage languageImage;
    QTimer poll;
    poll.setInterval(5);
    int polls = 0;
    connect(&poll, &QTimer::timeout, [&]() {
        if (++polls > 2000 || languages->isVisible()) {
            poll.stop();
            menuImage = menu->grab().toImage();
            languageImage = languages->grab().toImage();
            languages->close();
            menu->close();
        } else if (menu->isVisible() && menu->activeAction() != languages->menuAction()) {
            menu->setActiveAction(languages->menuAction());
        }
    });
    poll.start();
    frame.SltShowSettingsMenu();
    QVERIFY(!languageImage.isNull());

    const Qt::WindowFlags kind = Qt::Popup | Qt::FramelessWindowHint;
    QCOMPARE(int(languages->windowFlags() & kind), int(menu->windowFlags() & kind));
    QCOMPARE(languages->testAttribute(Qt::WA_TranslucentBackground), menu->testAttribute(Qt::WA_TranslucentBackground));
    const int middle = languageImage.height() / 2;
    const QColor menuBorder = menuImage.pixelColor(0, menuImage.height() / 2);
    const QColor menuFace = menuImage.pixelColor(menuImage.width() / 2, 2);
    QVERIFY2(SameColour(languageImage.pixelColor(0, middle), menuBorder),
             qPrintable(languageImage.pixelColor(0, middle).name() + " != " + menuBorder.name()));
    QVERIFY2(SameColour(languageImage.pixelColor(languageImage.width() / 2, 2), menuFace),
             qPrintable(languageImage.pixelColor(languageImage.width() / 2, 2).name() + " != " + menuFace.name()));
    QCOMPARE(languages->actionGeometry(languages->actions().first()).height(),
             menu->actionGeometry(menu->actions().at(1)).height());
}

QTEST_MAIN(TestFrameLook)
#include "tst_framelook.moc"
