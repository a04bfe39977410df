// Moving and resizing a frameless frame by hand, on a real X server without a window manager:
// the window manager's move and resize are refused there, so the frame's own fallback must work.
#include "CCommonFrame.h"
#include "ChildFrame.h"
#include "FrameGeometry.h"
#include "MyButton.h"
#include "TitleBar.h"

#include <QLabel>
#include <QWindow>
#include <QtTest>

namespace {
QWidget* MakeInner() {
    auto* inner = new QWidget;
    inner->resize(320, 220);
    inner->setWindowTitle(QStringLiteral("Frame"));
    return inner;
}

// Presses at from, moves to to (window coordinates at the press) and releases there. The window
// may have moved under the cursor meanwhile, so the release is placed where the cursor now is on it.
void Drag(QWindow* window, const QPoint& from, const QPoint& to) {
    const QPoint globalTo = window->mapToGlobal(to);
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    QTest::mouseMove(window, to);
    QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(globalTo));
}
} // namespace

Q_DECLARE_METATYPE(QMargins)

class TestFrameMove : public QObject {
    Q_OBJECT
private slots:
    void init();
    void windowManagerRefuses();
    void dragByTitleBar();
    void dragByCaptionArea();
    void resizeByBorder_data();
    void resizeByBorder();
    void fixedWidthResizesOnlyInHeight();
    void noDragWhileMaximised();
    void borderCursor();

private:
    void ShowAt(CCommonFrame& frame, const QPoint& position);
};

void TestFrameMove::init() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
}

void TestFrameMove::ShowAt(CCommonFrame& frame, const QPoint& position) {
    frame.move(position);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QTRY_COMPARE(frame.pos(), position);
}

void TestFrameMove::windowManagerRefuses() {
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    ShowAt(frame, QPoint(100, 100));
    QVERIFY(!frame.windowHandle()->startSystemMove());
    QVERIFY(!frame.windowHandle()->startSystemResize(Qt::RightEdge));
}

void TestFrameMove::dragByTitleBar() {
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    ShowAt(frame, QPoint(100, 100));
    // Mid-height of the title: its top pixels lie in the frame's resize border.
    QLabel* title = frame.GetTitleBar()->TitleLabel();
    const QPoint onTitle = title->mapTo(&frame, QPoint(2, title->height() / 2));
    QCOMPARE(frame.NativeHitTest(onTitle), int(HTCLIENT));
    Drag(frame.windowHandle(), onTitle, onTitle + QPoint(60, 45));
    QTRY_COMPARE(frame.pos(), QPoint(160, 145));
}

void TestFrameMove::dragByCaptionArea() {
    // Nothing covers this frame, so all of it that is not border is caption.
    CCommonFrame frame(nullptr, nullptr, CAbstractFrame::FRAME_NO_TITLE, QPixmap(), 0);
    frame.resize(200, 120);
    ShowAt(frame, QPoint(300, 200));
    const QPoint centre = frame.rect().center();
    QCOMPARE(frame.NativeHitTest(centre), int(HTCAPTION));
    Drag(frame.windowHandle(), centre, centre + QPoint(-50, 20));
    QTRY_COMPARE(frame.pos(), QPoint(250, 220));
}

void TestFrameMove::resizeByBorder_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QMargins>("change");

    // change: how far each edge moves outwards (left, top, right, bottom).
    QTest::newRow("bottom right corner") << "bottom right" << QPoint(40, 30) << QMargins(0, 0, 40, 30);
    QTest::newRow("left edge") << "left" << QPoint(-30, 0) << QMargins(30, 0, 0, 0);
    QTest::newRow("top edge") << "top" << QPoint(0, -25) << QMargins(0, 25, 0, 0);
    QTest::newRow("right edge inwards") << "right" << QPoint(-20, 10) << QMargins(0, 0, -20, 0);
}

void TestFrameMove::resizeByBorder() {
    QFETCH(QString, where);
    QFETCH(QPoint, delta);
    QFETCH(QMargins, change);

    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    ShowAt(frame, QPoint(200, 200));
    const QRect start = frame.geometry();
    const int w = frame.width();
    const int h = frame.height();
    QPoint press;
    if (where == "bottom right")
        press = QPoint(w - 1, h - 1);
    else if (where == "left")
        press = QPoint(1, h / 2);
    else if (where == "top")
        press = QPoint(w / 2, 1);
    else
        press = QPoint(w - 2, h / 2);
    QVERIFY(EdgesForHitCode(frame.NativeHitTest(press)));
    Drag(frame.windowHandle(), press, press + delta);
    QTRY_COMPARE(frame.geometry(), start.marginsAdded(change));
}

void TestFrameMove::fixedWidthResizesOnlyInHeight() {
    ChildFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    frame.move(150, 150);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QTRY_COMPARE(frame.pos(), QPoint(150, 150));
    const QRect start = frame.geometry();

    const QPoint right(frame.width() - 1, frame.height() / 2);
    QTest::mouseMove(frame.windowHandle(), right);
    QCOMPARE(frame.cursor().shape(), Qt::ArrowCursor);
    Drag(frame.windowHandle(), right, right + QPoint(40, 0));
    QCoreApplication::processEvents();
    QCOMPARE(frame.geometry(), start);

    const QPoint bottomRight(frame.width() - 1, frame.height() - 1);
    QTest::mouseMove(frame.windowHandle(), bottomRight);
    QCOMPARE(frame.cursor().shape(), Qt::SizeVerCursor);
    Drag(frame.windowHandle(), bottomRight, bottomRight + QPoint(40, 30));
    QTRY_COMPARE(frame.geometry(), start.adjusted(0, 0, 0, 30));
}

void TestFrameMove::noDragWhileMaximised() {
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_MAX, QPixmap(), 0);
    ShowAt(frame, QPoint(100, 100));
    QTest::mouseClick(frame.GetTitleBar()->MaximizeButton(), Qt::LeftButton);
    QVERIFY(frame.IsMaximized());
    const QRect maximised = frame.geometry();
    // Mid-height of the title: its top pixels lie in the frame's resize border.
    QLabel* title = frame.GetTitleBar()->TitleLabel();
    const QPoint onTitle = title->mapTo(&frame, QPoint(2, title->height() / 2));
    QCOMPARE(frame.NativeHitTest(onTitle), int(HTCLIENT));
    Drag(frame.windowHandle(), onTitle, onTitle + QPoint(60, 45));
    const QPoint corner(frame.width() - 1, frame.height() - 1);
    Drag(frame.windowHandle(), corner, corner - QPoint(50, 50));
    QCoreApplication::processEvents();
    QCOMPARE(frame.geometry(), maximised);
}

void TestFrameMove::borderCursor() {
    CCommonFrame frame(MakeInner(), nullptr, CAbstractFrame::FRAME_CLOSE, QPixmap(), 0);
    ShowAt(frame, QPoint(100, 100));
    QTest::mouseMove(frame.windowHandle(), QPoint(frame.width() - 1, frame.height() / 2));
    QCOMPARE(frame.cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(frame.windowHandle(), QPoint(1, 1));
    QCOMPARE(frame.cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(frame.windowHandle(), frame.rect().center());
    QCOMPARE(frame.cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestFrameMove)
#include "tst_framemove.moc"
