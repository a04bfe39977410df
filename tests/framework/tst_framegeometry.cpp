#include "FrameGeometry.h"
#include "VolumeNotice.h"

#include <QtTest>

class TestFrameGeometry : public QObject {
    Q_OBJECT
private slots:
    void hitTest_data();
    void hitTest();
    void edgesAndCursors();
    void keepInsideArea_data();
    void keepInsideArea();
    void resizedGeometry_data();
    void resizedGeometry();
    void removedVolume_data();
    void removedVolume();
};

void TestFrameGeometry::hitTest_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<int>("code");

    // A 100 x 50 frame with the 4-pixel border.
    QTest::newRow("top left") << QPoint(0, 0) << false << int(HTTOPLEFT);
    QTest::newRow("left") << QPoint(2, 25) << false << int(HTLEFT);
    QTest::newRow("top right") << QPoint(97, 2) << false << int(HTTOPRIGHT);
    QTest::newRow("right") << QPoint(98, 20) << false << int(HTRIGHT);
    QTest::newRow("top") << QPoint(50, 1) << false << int(HTTOP);
    QTest::newRow("bottom left") << QPoint(1, 48) << false << int(HTBOTTOMLEFT);
    QTest::newRow("bottom right") << QPoint(99, 49) << false << int(HTBOTTOMRIGHT);
    QTest::newRow("bottom") << QPoint(50, 47) << false << int(HTBOTTOM);
    QTest::newRow("centre") << QPoint(50, 25) << false << int(HTCLIENT);
    QTest::newRow("inner edge of the left border") << QPoint(3, 25) << false << int(HTLEFT);
    QTest::newRow("just inside the border") << QPoint(4, 4) << false << int(HTCLIENT);
    QTest::newRow("outside") << QPoint(120, 25) << false << int(HTCLIENT);
    QTest::newRow("maximised corner") << QPoint(0, 0) << true << int(HTCLIENT);
    QTest::newRow("maximised edge") << QPoint(99, 25) << true << int(HTCLIENT);
}

void TestFrameGeometry::hitTest() {
    QFETCH(QPoint, point);
    QFETCH(bool, maximised);
    QFETCH(int, code);
    QCOMPARE(hitTestBorder(point, QSize(100, 50), maximised), code);
}

void TestFrameGeometry::edgesAndCursors() {
    QCOMPARE(EdgesForHitCode(HTTOPLEFT), Qt::TopEdge | Qt::LeftEdge);
    QCOMPARE(EdgesForHitCode(HTBOTTOM), Qt::Edges(Qt::BottomEdge));
    QCOMPARE(EdgesForHitCode(HTCLIENT), Qt::Edges());
    QCOMPARE(EdgesForHitCode(HTCAPTION), Qt::Edges());
    QCOMPARE(CursorForHitCode(HTTOPRIGHT), Qt::SizeBDiagCursor);
    QCOMPARE(CursorForHitCode(HTRIGHT), Qt::SizeHorCursor);
    QCOMPARE(CursorForHitCode(HTCLIENT), Qt::ArrowCursor);
    QCOMPARE(CursorForHitCode(HTTOPLEFT), Qt::SizeFDiagCursor);
    QCOMPARE(CursorForHitCode(HTBOTTOMLEFT), Qt::SizeBDiagCursor);

    // A window of fixed width keeps only its top and bottom edges, one of fixed size none.
    const QSize unlimited(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const Qt::Edges corner = Qt::BottomEdge | Qt::RightEdge;
    QCOMPARE(ResizableEdges(corner, QSize(100, 50), unlimited), corner);
    QCOMPARE(ResizableEdges(corner, QSize(488, 50), QSize(488, QWIDGETSIZE_MAX)), Qt::Edges(Qt::BottomEdge));
    QCOMPARE(ResizableEdges(corner, QSize(468, 180), QSize(468, 180)), Qt::Edges());
}

void TestFrameGeometry::keepInsideArea_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("topLeft");

    const QRect primary(0, 0, 1920, 1040);
    const QRect secondary(1920, 0, 1280, 984);
    const QRect above(0, -1080, 1920, 1050);
    QTest::newRow("already inside") << QRect(100, 100, 400, 300) << primary << QPoint(100, 100);
    QTest::newRow("past the bottom right") << QRect(1800, 900, 400, 300) << primary << QPoint(1520, 740);
    QTest::newRow("above and left") << QRect(-50, -20, 400, 300) << primary << QPoint(0, 0);
    QTest::newRow("secondary screen, left of it") << QRect(1800, 100, 400, 300) << secondary << QPoint(1920, 100);
    QTest::newRow("secondary screen, past its right") << QRect(3100, 800, 400, 300) << secondary << QPoint(2800, 684);
    QTest::newRow("screen above the primary") << QRect(10, -100, 400, 300) << above << QPoint(10, -330);
    QTest::newRow("taller than the screen") << QRect(200, -30, 400, 1200) << primary << QPoint(200, 0);
    QTest::newRow("wider than the screen") << QRect(3000, 10, 1500, 300) << secondary << QPoint(1920, 10);
    QTest::newRow("no screen") << QRect(5, 6, 10, 10) << QRect() << QPoint(5, 6);
}

void TestFrameGeometry::keepInsideArea() {
    QFETCH(QRect, frame);
    QFETCH(QRect, area);
    QFETCH(QPoint, topLeft);
    QCOMPARE(KeepInsideArea(frame, area), topLeft);
}

void TestFrameGeometry::resizedGeometry_data() {
    QTest::addColumn<int>("edges");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");

    // From (100, 100, 300, 200) with a minimum of 200 x 150 and a maximum width of 500.
    QTest::newRow("right wider") << int(Qt::RightEdge) << QPoint(50, 30) << QRect(100, 100, 350, 200);
    QTest::newRow("bottom right") << int(Qt::BottomEdge | Qt::RightEdge) << QPoint(20, 40) << QRect(100, 100, 320, 240);
    QTest::newRow("left keeps the right edge") << int(Qt::LeftEdge) << QPoint(-40, 0) << QRect(60, 100, 340, 200);
    QTest::newRow("top keeps the bottom edge") << int(Qt::TopEdge) << QPoint(0, 30) << QRect(100, 130, 300, 170);
    QTest::newRow("left stops at the minimum") << int(Qt::LeftEdge) << QPoint(250, 0) << QRect(200, 100, 200, 200);
    QTest::newRow("top stops at the minimum")
        << int(Qt::TopEdge | Qt::LeftEdge) << QPoint(0, 100) << QRect(100, 150, 300, 150);
    QTest::newRow("right stops at the maximum") << int(Qt::RightEdge) << QPoint(400, 0) << QRect(100, 100, 500, 200);
}

void TestFrameGeometry::resizedGeometry() {
    QFETCH(int, edges);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    const QRect result = ResizedGeometry(QRect(100, 100, 300, 200), Qt::Edges(edges), delta, QSize(200, 150),
                                         QSize(500, QWIDGETSIZE_MAX));
    QCOMPARE(result, expected);
}

void TestFrameGeometry::removedVolume_data() {
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<quint16>("flags");
    QTest::addColumn<QString>("letter");

    QTest::newRow("E") << quint32(0x10) << quint16(0) << QStringLiteral("E");
    QTest::newRow("lowest of two drives") << quint32(0x18) << quint16(0) << QStringLiteral("D");
    QTest::newRow("A") << quint32(0x1) << quint16(0) << QStringLiteral("A");
    QTest::newRow("Z") << quint32(1u << 25) << quint16(0) << QStringLiteral("Z");
    QTest::newRow("media taken out") << quint32(0x4) << quint16(VolumeFlagMedia) << QStringLiteral("C");
    QTest::newRow("network volume") << quint32(0x10) << quint16(VolumeFlagNetwork) << QString();
    QTest::newRow("no drive bit") << quint32(0) << quint16(0) << QString();
    QTest::newRow("only bits past Z") << quint32(0xFC000000) << quint16(0) << QString();
}

void TestFrameGeometry::removedVolume() {
    QFETCH(quint32, mask);
    QFETCH(quint16, flags);
    QFETCH(QString, letter);
    QCOMPARE(RemovedVolumeLetter(mask, flags), letter);
}

QTEST_GUILESS_MAIN(TestFrameGeometry)
#include "tst_framegeometry.moc"
