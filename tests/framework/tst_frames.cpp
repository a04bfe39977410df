#include "CCommonFrame.h"
#include "CMacFrame.h"
#include "MyButton.h"
#include "TitleBar.h"

#include "FrameGeometry.h"
#include "ModalHelper.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// A close confirmation that counts its questions and gives a fixed answer.
struct CloseQuestion {
    bool answer = true;
    int asked = 0;
};

bool AskClose(void* argument) {
    auto* question = static_cast<CloseQuestion*>(argument);
    ++question->asked;
    return question->answer;
}

// A dialog view with a line edit that holds the focus.
QWidget* MakeInner(const QString& title = QStringLiteral("Inner")) {
    auto* inner = new QDialog;
    inner->setWindowTitle(title);
    inner->resize(300, 200);
    auto* layout = new QVBoxLayout(inner);
    auto* edit = new QLineEdit(inner);
    edit->setObjectName(QStringLiteral("edit"));
    layout->addWidget(edit);
    return inner;
}

QWidget* TitleItem(TitleBar* bar, const QString& name) {
    if (name == "min")
        return bar->MinimizeButton();
    if (name == "max")
        return bar->MaximizeButton();
    if (name == "restore")
        return bar->RestoreButton();
    if (name == "close")
        return bar->CloseButton();
    if (name == "setting")
        return bar->SettingButton();
    if (name == "help")
        return bar->HelpButton();
    if (name == "feedback")
        return bar->FeedbackButton();
    if (name == "intel")
        return bar->IntelButton();
    if (name == "amd")
        return bar->AmdButton();
    if (name == "nvidia")
        return bar->NvidiaButton();
    if (name == "line1")
        return bar->FirstSeparator();
    return bar->SecondSeparator();
}

const QStringList allTitleItems = {"min",      "max",   "restore", "close",  "setting", "help",
                                   "feedback", "intel", "amd",     "nvidia", "line1",   "line2"};

enum ClosePath {
    TitleCloseButton,
    EscOnInner,
    EscOnInnerChild,
    EscOnTitleButton,
    EscOnFrame,
    Reject,
    InnerClose,
    InnerHides
};
} // namespace

Q_DECLARE_METATYPE(ClosePath)

class TestFrames : public QObject {
    Q_OBJECT
private slots:
    void titleButtons_data();
    void titleButtons();
    void titleShowsIconAndTextWithoutButtons();
    void maximiseAndRestore();
    void doubleClickTogglesMaximise();
    void hitTestFollowsChildren();
    void closeCallbackRefusesThenAccepts();
    void closePathsKeepInner_data();
    void closePathsKeepInner();
    void frameDeletedWhileOpenKeepsInner();
    void deleteOnCloseInnerIsNotHandedBack();
    void ownerDeletedWithFrameOpen();
    void mainFrameIgnoresEsc_data();
    void mainFrameIgnoresEsc();
    void mainFrameKeepsInner();
    void titleButtonsEmitOption();
    void vendorButtons();
    void volumeRemoval();
    void placedOnParentInsideWorkArea();
    void screenChanges();
    void retranslateTakesInnerTitle();
    void adjustToInnerCountsTitleBar();
    void innerFillsFrameOrIsCentred_data();
    void innerFillsFrameOrIsCentred();
    void platformDecoratedFrame();
};

void TestFrames::titleButtons_data() {
    QTest::addColumn<int>("types");
    QTest::addColumn<bool>("maximise");
    QTest::addColumn<QStringList>("visible");

    using F = CAbstractFrame;
    QTest::newRow("none") << 0 << false << QStringList();
    QTest::newRow("main window") << int(F::FRAME_MAIN | F::FRAME_MIN | F::FRAME_CLOSE) << false
                                 << QStringList{"min", "close"};
    QTest::newRow("dialog") << int(F::FRAME_CLOSE) << false << QStringList{"close"};
    QTest::newRow("driver install") << int(F::FRAME_MIN) << false << QStringList{"min"};
    QTest::newRow("max, normal") << int(F::FRAME_MAX | F::FRAME_CLOSE) << false << QStringList{"max", "close"};
    QTest::newRow("max, maximised") << int(F::FRAME_MAX | F::FRAME_CLOSE) << true << QStringList{"restore", "close"};
    QTest::newRow("setting and help") << int(F::FRAME_SETTING | F::FRAME_HELP) << false
                                      << QStringList{"setting", "help", "line1"};
    QTest::newRow("feedback") << int(F::FRAME_FEEDBACK) << false << QStringList{"feedback", "line2"};
    QTest::newRow("vendors") << int(F::FRAME_INTEL | F::FRAME_AMD | F::FRAME_NVIDIA) << false
                             << QStringList{"intel", "amd", "nvidia", "line2"};
}

void TestFrames::titleButtons() {
    QFETCH(int, types);
    QFETCH(bool, maximise);
    QFETCH(QStringList, visible);

    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FrameTypes(types), QPixmap(), 0);
    if (maximise) {
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTest::mouseClick(frame.GetTitleBar()->MaximizeButton(), Qt::LeftButton);
        QVERIFY(frame.IsMaximized());
    }
    for (const QString& item : allTitleItems)
        QVERIFY2(TitleItem(frame.GetTitleBar(), item)->isHidden() == !visible.contains(item), qPrintable(item));
}

void TestFrames::titleShowsIconAndTextWithoutButtons() {
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    CCommonFrame frame(MakeInner(QStringLiteral("Settings")), nullptr, {}, icon, 0);
    QCOMPARE(frame.GetTitleBar()->TitleLabel()->text(), QStringLiteral("Settings"));
    QVERIFY(!frame.GetTitleBar()->IconLabel()->isHidden());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Settings"));
}

void TestFrames::maximiseAndRestore() {
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_MAX | CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QRect normal = frame.geometry();
    QCOMPARE(frame.layout()->contentsMargins(), QMargins(1, 1, 1, 1));

    QTest::mouseClick(frame.GetTitleBar()->MaximizeButton(), Qt::LeftButton);
    QVERIFY(frame.IsMaximized());
    QCOMPARE(frame.geometry(), frame.FrameScreen()->availableGeometry());
    QCOMPARE(frame.layout()->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(frame.NormalGeometry(), normal);
    QVERIFY(frame.GetTitleBar()->MaximizeButton()->isHidden());
    QVERIFY(!frame.GetTitleBar()->RestoreButton()->isHidden());

    QTest::mouseClick(frame.GetTitleBar()->RestoreButton(), Qt::LeftButton);
    QVERIFY(!frame.IsMaximized());
    QCOMPARE(frame.geometry(), normal);
    QCOMPARE(frame.layout()->contentsMargins(), QMargins(1, 1, 1, 1));
    QVERIFY(!frame.GetTitleBar()->MaximizeButton()->isHidden());
    QVERIFY(frame.GetTitleBar()->RestoreButton()->isHidden());
}

void TestFrames::doubleClickTogglesMaximise() {
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_DBLCLICK_MAX | CAbstractFrame::FRAME_MAX, QPixmap(),
                       0);
    QVERIFY(!frame.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QRect normal = frame.geometry();
    QTest::mouseDClick(frame.GetTitleBar(), Qt::LeftButton, {}, QPoint(100, 10));
    QVERIFY(frame.IsMaximized());
    QTest::mouseDClick(frame.GetTitleBar(), Qt::LeftButton, {}, QPoint(100, 10));
    QVERIFY(!frame.IsMaximized());
    QCOMPARE(frame.geometry(), normal);

    CCommonFrame plain(MakeInner(), nullptr, CAbstractFrame::FRAME_MAX, QPixmap(), 0);
    QVERIFY(plain.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QTest::mouseDClick(plain.GetTitleBar(), Qt::LeftButton, {}, QPoint(100, 10));
    QVERIFY(!plain.IsMaximized());
    plain.SetDoubleClickMaximize(true);
    QVERIFY(plain.GetFrameTypes().testFlag(CAbstractFrame::FRAME_DBLCLICK_MAX));
    QVERIFY(!plain.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(plain.isVisible());
    QTest::mouseDClick(plain.GetTitleBar(), Qt::LeftButton, {}, QPoint(100, 10));
    QVERIFY(plain.IsMaximized());
}

void TestFrames::hitTestFollowsChildren() {
    // Without inner widget and title bar nothing covers the frame: every client point is caption.
    CCommonFrame empty(nullptr, nullptr, CAbstractFrame::FRAME_NO_TITLE, QPixmap(), 0);
    empty.resize(100, 50);
    QCOMPARE(empty.NativeHitTest(QPoint(0, 0)), int(HTTOPLEFT));
    QCOMPARE(empty.NativeHitTest(QPoint(50, 25)), int(HTCAPTION));

    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_MAX, QPixmap(), 0);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QPoint inside = frame.rect().center();
    QCOMPARE(frame.NativeHitTest(inside), int(HTCLIENT));
    QCOMPARE(frame.NativeHitTest(QPoint(frame.width() - 1, frame.height() / 2)), int(HTRIGHT));

    // Maximised, the border is gone: a point on a child is client area, nothing is a resize border.
    QTest::mouseClick(frame.GetTitleBar()->MaximizeButton(), Qt::LeftButton);
    QVERIFY(frame.IsMaximized());
    const QPoint onTitle = frame.GetTitleBar()->mapTo(&frame, frame.GetTitleBar()->rect().center());
    QCOMPARE(frame.NativeHitTest(onTitle), int(HTCLIENT));
    for (const QPoint& corner : {QPoint(0, 0), QPoint(frame.width() - 1, frame.height() - 1)})
        QVERIFY(!EdgesForHitCode(frame.NativeHitTest(corner)));

    empty.show();
    QVERIFY(QTest::qWaitForWindowExposed(&empty));
    QMetaObject::invokeMethod(&empty, "ShowMaxRestore");
    QVERIFY(empty.IsMaximized());
    QCOMPARE(empty.NativeHitTest(QPoint(0, 0)), int(HTCAPTION));
    QCOMPARE(empty.NativeHitTest(QPoint(empty.width() - 1, empty.height() - 1)), int(HTCAPTION));
}

void TestFrames::closeCallbackRefusesThenAccepts() {
    QWidget owner;
    QPointer<QWidget> inner = MakeInner();
    CCommonFrame frame(inner, &owner, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    CloseQuestion question;
    question.answer = false;
    frame.SetCloseCallback(AskClose, &question);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    QTest::mouseClick(frame.GetTitleBar()->CloseButton(), Qt::LeftButton);
    QCOMPARE(question.asked, 1);
    QVERIFY(frame.isVisible());
    QCOMPARE(inner->parentWidget(), &frame);

    QVERIFY(!frame.close());
    QCOMPARE(question.asked, 2);
    QVERIFY(frame.isVisible());

    // A view that ends itself while the close is refused comes back rather than leave a hole.
    static_cast<QDialog*>(inner.data())->reject();
    QTRY_COMPARE(question.asked, 3);
    QTRY_VERIFY(inner->isVisible());
    QVERIFY(frame.isVisible());

    question.answer = true;
    QVERIFY(frame.close());
    QCOMPARE(question.asked, 4);
    QVERIFY(!frame.isVisible());
    QCOMPARE(inner->parentWidget(), &owner);

    // Accepted once, the callback is not asked again.
    frame.show();
    QVERIFY(frame.close());
    QCOMPARE(question.asked, 4);
}

void TestFrames::closePathsKeepInner_data() {
    QTest::addColumn<ClosePath>("path");
    QTest::newRow("title close button") << TitleCloseButton;
    QTest::newRow("Esc on the inner widget") << EscOnInner;
    QTest::newRow("Esc in a child of the inner widget") << EscOnInnerChild;
    QTest::newRow("Esc with focus on a title button") << EscOnTitleButton;
    QTest::newRow("Esc on the frame") << EscOnFrame;
    QTest::newRow("reject") << Reject;
    QTest::newRow("inner widget closes") << InnerClose;
    QTest::newRow("inner dialog ends itself") << InnerHides;
}

static void RunClosePath(CCommonFrame& frame, QWidget* inner, ClosePath path) {
    switch (path) {
    case TitleCloseButton:
        QTest::mouseClick(frame.GetTitleBar()->CloseButton(), Qt::LeftButton);
        break;
    case EscOnInner:
        QTest::keyClick(inner, Qt::Key_Escape);
        break;
    case EscOnInnerChild:
        QTest::keyClick(inner->findChild<QLineEdit*>(QStringLiteral("edit")), Qt::Key_Escape);
        break;
    case EscOnTitleButton:
        frame.GetTitleBar()->CloseButton()->setFocus();
        QTest::keyClick(frame.GetTitleBar()->CloseButton(), Qt::Key_Escape);
        break;
    case EscOnFrame:
        QTest::keyClick(&frame, Qt::Key_Escape);
        break;
    case Reject:
        frame.reject();
        break;
    case InnerClose:
        inner->close();
        break;
    case InnerHides:
        static_cast<QDialog*>(inner)->accept();
        break;
    }
}

void TestFrames::closePathsKeepInner() {
    QFETCH(ClosePath, path);
    QWidget owner;
    QPointer<QWidget> inner = MakeInner();
    auto* frame = new CCommonFrame(inner, &owner, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    CloseQuestion question;
    frame->SetCloseCallback(AskClose, &question);
    frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame));

    RunClosePath(*frame, inner, path);
    QTRY_VERIFY(!frame->isVisible());
    QCOMPARE(question.asked, 1);
    delete frame;
    QVERIFY(inner);
    QCOMPARE(inner->parentWidget(), &owner);
}

void TestFrames::frameDeletedWhileOpenKeepsInner() {
    QWidget owner;
    QPointer<QWidget> inner = MakeInner();
    auto* frame = new CCommonFrame(inner, &owner, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame->show();
    delete frame;
    QVERIFY(inner);
    QCOMPARE(inner->parentWidget(), &owner);
}

void TestFrames::ownerDeletedWithFrameOpen() {
    // The frame is a child of the owner: deleting the owner takes frame and inner widget with it.
    auto* owner = new QWidget;
    QPointer<QWidget> inner = MakeInner();
    QPointer<CCommonFrame> frame = new CCommonFrame(inner, owner, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame->show();
    delete owner;
    QVERIFY(!frame);
    QVERIFY(!inner);
}

void TestFrames::deleteOnCloseInnerIsNotHandedBack() {
    QWidget owner;
    QPointer<QWidget> inner = MakeInner();
    inner->setAttribute(Qt::WA_DeleteOnClose);
    auto* frame = new CCommonFrame(inner, &owner, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame->show();
    QVERIFY(frame->close());
    QCOMPARE(inner->parentWidget(), frame);
    delete frame;
    QVERIFY(!inner);
}

void TestFrames::mainFrameIgnoresEsc_data() {
    QTest::addColumn<ClosePath>("path");
    QTest::newRow("Esc on the inner widget") << EscOnInner;
    QTest::newRow("Esc in a child of the inner widget") << EscOnInnerChild;
    QTest::newRow("Esc with focus on a title button") << EscOnTitleButton;
    QTest::newRow("Esc on the frame") << EscOnFrame;
    QTest::newRow("reject") << Reject;
}

void TestFrames::mainFrameIgnoresEsc() {
    QFETCH(ClosePath, path);
    QPointer<QWidget> inner = MakeInner();
    CCommonFrame frame(inner, nullptr,
                       CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_MIN | CAbstractFrame::FRAME_CLOSE, QPixmap(),
                       0);
    CloseQuestion question;
    frame.SetCloseCallback(AskClose, &question);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    RunClosePath(frame, inner, path);
    QVERIFY(frame.isVisible());
    QCOMPARE(question.asked, 0);
    QCOMPARE(inner->parentWidget(), &frame);
}

void TestFrames::mainFrameKeepsInner() {
    QWidget owner;
    QPointer<QWidget> inner = MakeInner();
    CCommonFrame frame(inner, &owner, CAbstractFrame::FRAME_MAIN | CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    CloseQuestion question;
    frame.SetCloseCallback(AskClose, &question);
    frame.show();
    QTest::mouseClick(frame.GetTitleBar()->CloseButton(), Qt::LeftButton);
    QCOMPARE(question.asked, 1);
    QVERIFY(!frame.isVisible());
    QCOMPARE(inner->parentWidget(), &frame);
}

void TestFrames::titleButtonsEmitOption() {
    CCommonFrame frame(MakeInner(), nullptr,
                       CAbstractFrame::FRAME_SETTING | CAbstractFrame::FRAME_HELP | CAbstractFrame::FRAME_FEEDBACK,
                       QPixmap(), 0);
    frame.show();
    QSignalSpy options(&frame, &CAbstractFrame::Option);
    QTest::mouseClick(frame.GetTitleBar()->SettingButton(), Qt::LeftButton);
    QTest::mouseClick(frame.GetTitleBar()->HelpButton(), Qt::LeftButton);
    QTest::mouseClick(frame.GetTitleBar()->FeedbackButton(), Qt::LeftButton);
    QCOMPARE(options.count(), 3);
    QCOMPARE(int(options.at(0).at(0).value<CAbstractFrame::FrameTypes>()), 16);
    QCOMPARE(int(options.at(1).at(0).value<CAbstractFrame::FrameTypes>()), 32);
    QCOMPARE(int(options.at(2).at(0).value<CAbstractFrame::FrameTypes>()), 128);
}

void TestFrames::vendorButtons() {
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_AMD, QPixmap(), 0);
    TitleBar* bar = frame.GetTitleBar();
    frame.SetVendorButtonsEnabled(false);
    QVERIFY(!bar->AmdButton()->isEnabled());
    QVERIFY(bar->IntelButton()->isEnabled());
    QVERIFY(bar->NvidiaButton()->isEnabled());

    frame.SelectAmd(true);
    QVERIFY(bar->AmdButton()->isEnabled());
    QVERIFY(!bar->IntelButton()->isEnabled());
    QVERIFY(!bar->NvidiaButton()->isEnabled());
    // Intel is not one of this frame's types: selecting it changes nothing.
    frame.SelectIntel(true);
    QVERIFY(bar->AmdButton()->isEnabled());
}

void TestFrames::volumeRemoval() {
    CCommonFrame mainFrame(MakeInner(), nullptr, CAbstractFrame::FRAME_MAIN, QPixmap(), 0);
    CCommonFrame dialogFrame(MakeInner(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QSignalSpy mainSpy(&mainFrame, &CAbstractFrame::DiscOut);
    QSignalSpy dialogSpy(&dialogFrame, &CAbstractFrame::DiscOut);

    mainFrame.NotifyVolumeRemoved(0x10, 0);
    mainFrame.NotifyVolumeRemoved(0x10, 2);
    mainFrame.NotifyVolumeRemoved(0, 0);
    dialogFrame.NotifyVolumeRemoved(0x10, 0);
    QCOMPARE(mainSpy.count(), 1);
    QCOMPARE(mainSpy.at(0).at(0).toString(), QStringLiteral("E"));
    QCOMPARE(dialogSpy.count(), 0);
}

void TestFrames::placedOnParentInsideWorkArea() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget parent;
    parent.setGeometry(area.x() + 100, area.y() + 100, 500, 400);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));

    CCommonFrame centred(MakeInner(), &parent, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    const QRect parentRect(parent.mapToGlobal(QPoint(0, 0)), parent.size());
    QCOMPARE(centred.pos(), CentredTopLeft(parentRect, centred.size()));
    // Grown after the set-up (as a dialog's frame by its fixed width), it is centred again when shown.
    centred.setFixedWidth(450);
    centred.show();
    QVERIFY(QTest::qWaitForWindowExposed(&centred));
    QCOMPARE(centred.pos(), CentredTopLeft(parentRect, centred.size()));
    centred.hide();
    // A frame its owner moved stays where it was put.
    CCommonFrame moved(MakeInner(), &parent, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    const QPoint put = moved.pos() + QPoint(20, 10);
    moved.move(put);
    moved.show();
    QVERIFY(QTest::qWaitForWindowExposed(&moved));
    QCOMPARE(moved.pos(), put);
    moved.hide();

    // A parent at the bottom right corner would put half of the frame off the screen.
    parent.move(area.right() - 250, area.bottom() - 150);
    CCommonFrame nearEdge(MakeInner(), &parent, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QVERIFY(area.contains(nearEdge.geometry()));
    nearEdge.show();
    QVERIFY(QTest::qWaitForWindowExposed(&nearEdge));
    QVERIFY(area.contains(nearEdge.geometry()));

    // Taller than the work area: the title bar stays on screen.
    QWidget* tall = MakeInner();
    tall->resize(300, area.height() + 200);
    CCommonFrame tallFrame(tall, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    QCOMPARE(tallFrame.y(), area.y());
}

void TestFrames::screenChanges() {
    QScreen* screen = QGuiApplication::primaryScreen();
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_MAX, QPixmap(), 0);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QSignalSpy display(&frame, &CAbstractFrame::DisplayChanged);
    emit screen->geometryChanged(QRect(0, 0, 1280, 720));
    QCOMPARE(display.count(), 1);
    QCOMPARE(display.at(0).at(0).toInt(), 1280);
    QCOMPARE(display.at(0).at(1).toInt(), 720);

    // The work area changing leaves a normal frame alone and refits a maximised one.
    const QRect normal = frame.geometry();
    emit screen->availableGeometryChanged(screen->availableGeometry());
    QCOMPARE(frame.geometry(), normal);
    QMetaObject::invokeMethod(&frame, "ShowMaxRestore");
    frame.setGeometry(10, 10, 400, 300);
    emit screen->availableGeometryChanged(screen->availableGeometry());
    QCOMPARE(frame.geometry(), screen->availableGeometry());
}

void TestFrames::retranslateTakesInnerTitle() {
    QWidget* inner = MakeInner(QStringLiteral("Before"));
    CCommonFrame frame(inner, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    inner->setWindowTitle(QStringLiteral("After"));
    frame.Retranslate();
    QCOMPARE(frame.windowTitle(), QStringLiteral("After"));
    QCOMPARE(frame.GetTitleBar()->TitleLabel()->text(), QStringLiteral("After"));
    QCOMPARE(frame.GetTitleBar()->SettingButton()->toolTip(), QStringLiteral("Settings"));
}

void TestFrames::adjustToInnerCountsTitleBar() {
    QWidget* inner = MakeInner();
    CCommonFrame frame(inner, nullptr, CAbstractFrame::FRAME_NO_TITLE, QPixmap(), 0);
    frame.AdjustToInner();
    QCOMPARE(frame.size(), QSize(inner->width(), inner->height() + frame.GetTitleBar()->height()));
    QVERIFY(frame.GetTitleBar()->isHidden());
    QCOMPARE(frame.layout()->indexOf(frame.GetTitleBar()), -1);
}

void TestFrames::innerFillsFrameOrIsCentred_data() {
    QTest::addColumn<QSize>("fixedSize"); // invalid: the inner widget can grow
    QTest::addColumn<QSize>("frameSize");
    QTest::addColumn<QRect>("expected"); // relative to the room below the title bar

    // A window whose size hint is far below its size (the main window) still fills its frame, also
    // after the frame grows.
    QTest::newRow("resizable") << QSize() << QSize(500, 400) << QRect(0, 0, 498, -1);
    QTest::newRow("resizable, frame grown") << QSize() << QSize(900, 700) << QRect(0, 0, 898, -1);
    QTest::newRow("fixed, narrower") << QSize(200, 100) << QSize(500, 400) << QRect(149, -1, 200, 100);
}

void TestFrames::innerFillsFrameOrIsCentred() {
    QFETCH(QSize, fixedSize);
    QFETCH(QSize, frameSize);
    QFETCH(QRect, expected);
    auto* inner = new QWidget;
    inner->resize(300, 200);
    new QLabel(QStringLiteral("x"), inner); // no layout: the size hint says nothing
    if (fixedSize.isValid())
        inner->setFixedSize(fixedSize);
    CCommonFrame frame(inner, nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame.resize(frameSize);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.layout()->activate();

    const int top = 1 + frame.GetTitleBar()->height();
    const int room = frameSize.height() - 1 - top;
    if (expected.height() < 0)
        expected.setHeight(room);
    if (expected.y() < 0)
        expected.moveTop((room - expected.height()) / 2);
    QCOMPARE(inner->geometry(), expected.translated(1, top));
    QCOMPARE(frame.GetTitleBar()->geometry(), QRect(1, 1, frameSize.width() - 2, top - 1));
}

void TestFrames::platformDecoratedFrame() {
    // The inner widget is the window; a wait on a plain widget ends when that widget closes.
    QWidget* plain = MakeInner();
    CMacFrame plainFrame(plain, nullptr, CAbstractFrame::FRAME_CLOSE);
    QCOMPARE(plainFrame.GetWindow(), plain);
    QCOMPARE(plain->parentWidget(), nullptr);
    WhenModalShown([](QWidget* modal) { modal->close(); });
    QCOMPARE(plainFrame.exec(), 0);

    auto* dialog = new QDialog;
    CMacFrame dialogFrame(dialog, nullptr, CAbstractFrame::FRAME_CLOSE);
    WhenModalShown([](QWidget* modal) { static_cast<QDialog*>(modal)->done(5); });
    QCOMPARE(dialogFrame.exec(), 5);
    delete plain;
    delete dialog;

    CMacFrame empty(nullptr, nullptr, CAbstractFrame::FRAME_CLOSE);
    QCOMPARE(empty.exec(), -1);
}

QTEST_MAIN(TestFrames)
#include "tst_frames.moc"
