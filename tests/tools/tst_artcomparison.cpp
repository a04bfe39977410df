// The check that the committed skin art still matches its tables: it lets through what another machine's
// rounding does to anti-aliased edges and stops whatever a changed table does to a picture.

#include "ArtComparison.h"
#include "GifWriter.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// What a table holds for one small drawing.
struct Drawing {
    QSize size{48, 32};
    QColor fill{0x1e, 0x6f, 0xd9};
    QPointF centre{20.3, 15.6};
    double radius = 9.4;
    int frames = 1;
    int delayCentiseconds = 8;
    bool opaque = false; // animations are drawn on the page's colour
};

using Change = std::function<void(Drawing&)>;
// What another machine may do to a drawn frame.
using Rounding = std::function<void(QImage&)>;

QList<QImage> Draw(const Drawing& drawing) {
    QList<QImage> frames;
    for (int i = 0; i < drawing.frames; ++i) {
        QImage image(drawing.size, QImage::Format_ARGB32_Premultiplied);
        image.fill(drawing.opaque ? QColor(0xf6, 0xf8, 0xfb) : QColor(Qt::transparent));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x20, 0x30, 0x40, 200), 1.3));
        p.setBrush(drawing.fill);
        p.drawEllipse(drawing.centre + QPointF(i * 2.5, 0), drawing.radius, drawing.radius * 0.8);
        p.drawLine(QPointF(2.2, 28.7), QPointF(45.6, 3.1 + i));
        frames.append(image);
    }
    return frames;
}

// Every edge pixel (one that differs from the pixel to its left or above) one step off in each colour
// channel, as a machine with other blending code rounds them.
void EdgesOneStepApart(QImage& image) {
    const QImage original = image;
    for (int y = 1; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const QRgb* above = reinterpret_cast<const QRgb*>(original.constScanLine(y - 1));
        const QRgb* here = reinterpret_cast<const QRgb*>(original.constScanLine(y));
        for (int x = 1; x < image.width(); ++x) {
            if (here[x] == here[x - 1] && here[x] == above[x])
                continue;
            const int a = qAlpha(here[x]);
            const auto step = [a](int v) { return v < a ? v + 1 : v - 1; };
            line[x] = qRgba(step(qRed(here[x])), step(qGreen(here[x])), step(qBlue(here[x])), a);
        }
    }
}

// Two of the faintest edge pixels one step off: at alpha 1 a file stores a premultiplied 1 as 255, so the stored
// colours lie a whole range apart.
void FaintEdgeOneStepApart(QImage& image) {
    image.setPixel(0, 0, qRgba(0, 0, 0, 1));
    image.setPixel(1, 0, qRgba(1, 1, 0, 1));
}

bool Write(const QString& path, const QList<QImage>& frames, int delayCentiseconds) {
    if (path.endsWith(QLatin1String(".gif")))
        return WriteAnimatedGif(path, frames, delayCentiseconds);
    return QImageWriter(path).write(frames.first());
}

void WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Rounding)

class TestArtComparison : public QObject {
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
    void folders();
};

void TestArtComparison::pictures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("animated");
    QTest::addColumn<Change>("change");
    QTest::addColumn<Rounding>("rounding");
    QTest::addColumn<QString>("difference"); // a part of what the check says; "" when the pictures match

    const Change none = [](Drawing&) {};
    const Rounding exact = [](QImage&) {};
    const Rounding edges = EdgesOneStepApart;

    QTest::newRow("png, the same drawing") << "a.png" << false << none << exact << "";
    QTest::newRow("png, edges one step apart") << "a.png" << false << none << edges << "";
    QTest::newRow("png, faint edge one step apart")
        << "a.png" << false << none << Rounding(FaintEdgeOneStepApart) << "";
    QTest::newRow("ico, edges one step apart") << "a.ico" << false << none << edges << "";
    QTest::newRow("png, colour changed") << "a.png" << false << Change([](Drawing& d) { d.fill = d.fill.lighter(110); })
                                         << edges << "pixels differ";
    QTest::newRow("png, shape moved a pixel")
        << "a.png" << false << Change([](Drawing& d) { d.centre += QPointF(1, 0); }) << edges << "pixels differ";
    QTest::newRow("png, shape half a pixel larger")
        << "a.png" << false << Change([](Drawing& d) { d.radius += 0.5; }) << edges << "pixels differ";
    QTest::newRow("png, other size") << "a.png" << false << Change([](Drawing& d) { d.size.rwidth() += 2; }) << exact
                                     << "size 50x32 instead of 48x32";

    QTest::newRow("gif, the same animation") << "a.gif" << true << none << exact << "";
    QTest::newRow("gif, edges one step apart") << "a.gif" << true << none << edges << "";
    QTest::newRow("gif, colour changed") << "a.gif" << true << Change([](Drawing& d) { d.fill = d.fill.darker(120); })
                                         << edges << "pixels differ";
    QTest::newRow("gif, shape moved a pixel")
        << "a.gif" << true << Change([](Drawing& d) { d.centre += QPointF(0, 1); }) << edges << "pixels differ";
    QTest::newRow("gif, a frame fewer") << "a.gif" << true << Change([](Drawing& d) { d.frames = 3; }) << exact
                                        << "3 frames instead of 4";
    QTest::newRow("gif, other delay") << "a.gif" << true << Change([](Drawing& d) { d.delayCentiseconds = 10; })
                                      << exact << "frame 0: delay 100 ms instead of 80";
}

void TestArtComparison::pictures() {
    QFETCH(QString, file);
    QFETCH(bool, animated);
    QFETCH(Change, change);
    QFETCH(Rounding, rounding);
    QFETCH(QString, difference);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    Drawing table;
    if (animated) {
        table.frames = 4;
        table.opaque = true;
    }
    const QString committed = folder.filePath("committed-" + file);
    QVERIFY(Write(committed, Draw(table), table.delayCentiseconds));
    Drawing changed = table;
    change(changed);
    QList<QImage> frames = Draw(changed);
    for (QImage& frame : frames)
        rounding(frame);
    const QString drawn = folder.filePath("drawn-" + file);
    QVERIFY(Write(drawn, frames, changed.delayCentiseconds));

    const QString result = ComparePictures(DecodePicture(drawn), DecodePicture(committed), ChannelTolerance(file));
    if (difference.isEmpty())
        QVERIFY2(result.isEmpty(), qPrintable(result));
    else
        QVERIFY2(result.contains(difference), qPrintable(result));
}

void TestArtComparison::folders() {
    QTemporaryDir drawn;
    QTemporaryDir committed;
    QVERIFY(drawn.isValid() && committed.isValid());
    const Drawing table;
    QVERIFY(QDir().mkpath(drawn.filePath("img")) && QDir().mkpath(committed.filePath("img")));
    QVERIFY(Write(drawn.filePath("img/logo.png"), Draw(table), 0));
    QVERIFY(Write(committed.filePath("img/logo.png"), Draw(table), 0));
    WriteText(drawn.filePath("Logo.xml"), "<Skin><Logo x=\"0\"/></Skin>\n");
    WriteText(committed.filePath("Logo.xml"), "<Skin><Logo x=\"0\"/></Skin>\n");
    QCOMPARE(CompareArtFolders(drawn.path(), committed.path()), QStringList());

    // Descriptions are compared byte for byte; a picture that is no longer drawn, or not committed, is a
    // difference too.
    WriteText(drawn.filePath("Logo.xml"), "<Skin><Logo x=\"2\"/></Skin>\n");
    WriteText(drawn.filePath("img/new.png"), QByteArray());
    QVERIFY(QFile::rename(committed.filePath("img/logo.png"), committed.filePath("img/old.png")));
    QCOMPARE(CompareArtFolders(drawn.path(), committed.path()),
             QStringList({"img/old.png: no longer drawn", "Logo.xml: the text differs", "img/logo.png: not committed",
                          "img/new.png: not committed"}));
}

QTEST_MAIN(TestArtComparison)
#include "tst_artcomparison.moc"
