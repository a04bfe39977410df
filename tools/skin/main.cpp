// Draws the program's skin and its embedded logo resources from the tables in SkinTable.cpp.
//   mendra-skingen --skin DIR [--static DIR]   the "Skin" folder installed beside the program
//   mendra-skingen --resources DIR             logo, icon and animations embedded in the program

#include "Drawing.h"
#include "GifWriter.h"
#include "SkinTable.h"

#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdio>

namespace {

// The sheet is drawn at twice the design size, so pictures stay sharp on high-density screens.
constexpr int kSheetScale = 2;
constexpr int kSheetWidth = 2048;
constexpr int kGap = 4;
const char* const kStyle = "Style1";

struct Cell {
    const SkinPicture* picture;
    QString state;
    QRect rect;
};

bool Fail(const QString& message) {
    std::fprintf(stderr, "mendra-skingen: %s\n", qPrintable(message));
    return false;
}

bool MakeParent(const QString& path) {
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

bool SaveImage(const QImage& image, const QString& path, const char* format = "PNG") {
    if (!MakeParent(path))
        return Fail(QStringLiteral("cannot create the folder of %1").arg(path));
    QImageWriter writer(path, format);
    if (!writer.write(image))
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, writer.errorString()));
    return true;
}

QImage Canvas(const QSize& size, const QColor& fill = Qt::transparent) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// Shelf packing, tallest first, so the sheet stays compact and the layout is the same every run.
QList<Cell> Pack(int* sheetHeight) {
    QList<Cell> cells;
    for (const SkinPicture& picture : SkinPictures()) {
        for (const QString& state : picture.states)
            cells.append({&picture, state, QRect(QPoint(), picture.size * kSheetScale)});
    }
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell& a, const Cell& b) { return a.rect.height() > b.rect.height(); });
    int x = kGap;
    int y = kGap;
    int shelf = 0;
    for (Cell& cell : cells) {
        if (x + cell.rect.width() + kGap > kSheetWidth) {
            x = kGap;
            y += shelf + kGap;
            shelf = 0;
        }
        cell.rect.moveTopLeft(QPoint(x, y));
        x += cell.rect.width() + kGap;
        shelf = std::max(shelf, cell.rect.height());
    }
    *sheetHeight = y + shelf + kGap;
    return cells;
}

void DrawInto(QImage* image, const QRect& target, double scale,
              const std::function<void(QPainter&, const QRectF&)>& draw) {
    QPainter painter(image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(target);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    draw(painter, QRectF(0, 0, target.width() / scale, target.height() / scale));
}

bool WriteImageDescription(const QList<Cell>& cells, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1").arg(path));
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("AllImage"));
    QStringList pages;
    for (const SkinPicture& picture : SkinPictures()) {
        if (!pages.contains(picture.page))
            pages.append(picture.page);
    }
    for (const QString& page : qAsConst(pages)) {
        xml.writeStartElement(page);
        for (const SkinPicture& picture : SkinPictures()) {
            if (picture.page != page)
                continue;
            xml.writeStartElement(picture.name);
            for (const QString& state : picture.states) {
                const auto cell = std::find_if(cells.begin(), cells.end(), [&](const Cell& c) {
                    return c.picture == &picture && c.state == state;
                });
                xml.writeEmptyElement(state);
                xml.writeAttribute(QStringLiteral("x"), QString::number(cell->rect.x()));
                xml.writeAttribute(QStringLiteral("y"), QString::number(cell->rect.y()));
                xml.writeAttribute(QStringLiteral("width"), QString::number(cell->rect.width()));
                xml.writeAttribute(QStringLiteral("height"), QString::number(cell->rect.height()));
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

// A soft edge around an opaque face; the frames stretch it over their whole rectangle.
QImage FrameShadow() {
    const QSize size(800, 500);
    QImage image = Canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int layers = 3;
    for (int i = 0; i < layers; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 32, 48, 14 + i * 10));
        p.drawRoundedRect(QRectF(i, i, size.width() - 2 * i, size.height() - 2 * i), 4, 4);
    }
    p.setBrush(Ink::kPage);
    p.drawRect(QRect(layers, layers, size.width() - 2 * layers, size.height() - 2 * layers));
    return image;
}

bool WriteAnimation(const SkinAnimation& animation, const QString& path, int scale) {
    QList<QImage> frames;
    const QSize size = animation.size * scale;
    for (int i = 0; i < animation.frames; ++i) {
        QImage frame = Canvas(size, Ink::kPage);
        DrawInto(&frame, QRect(QPoint(), size), scale,
                 [&](QPainter& p, const QRectF& r) { animation.draw(p, r, double(i) / animation.frames); });
        frames.append(frame);
    }
    if (!MakeParent(path) || !WriteAnimatedGif(path, frames, animation.delayCentiseconds))
        return Fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

// Small pictures that Icon.qss names by file.
bool WriteStyleIcons(const QString& folder) {
    QImage arrow = Canvas(QSize(12, 8));
    DrawInto(&arrow, arrow.rect(), 1.0, [](QPainter& p, const QRectF& r) {
        p.setPen(LinePen(Ink::kLine, 1.6));
        p.drawPolyline(QPolygonF({QPointF(r.left() + 2, r.top() + 2), QPointF(r.center().x(), r.bottom() - 2),
                                  QPointF(r.right() - 2, r.top() + 2)}));
    });
    QImage checkOff = Canvas(QSize(16, 16));
    DrawInto(&checkOff, checkOff.rect(), 1.0, [](QPainter& p, const QRectF& r) {
        p.setPen(LinePen(Ink::kMuted, 1.2));
        p.setBrush(Ink::kPage);
        p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 3, 3);
    });
    QImage checkOn = Canvas(QSize(16, 16));
    DrawInto(&checkOn, checkOn.rect(), 1.0, [](QPainter& p, const QRectF& r) {
        p.setPen(Qt::NoPen);
        p.setBrush(Ink::kAccent);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        DrawGlyph(p, r, QStringLiteral("check"), Ink::kPage, 1.8);
    });
    return SaveImage(arrow, folder + QStringLiteral("/arrow_down.png")) &&
           SaveImage(checkOff, folder + QStringLiteral("/check_off.png")) &&
           SaveImage(checkOn, folder + QStringLiteral("/check_on.png"));
}

bool CopyStaticFiles(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        MakeParent(target);
        QFile::remove(target);
        if (!QFile::copy(source, target))
            return Fail(QStringLiteral("cannot copy %1").arg(source));
    }
    return true;
}

bool WriteSkin(const QString& root, const QString& staticFiles) {
    int height = 0;
    const QList<Cell> cells = Pack(&height);
    QImage sheet = Canvas(QSize(kSheetWidth, height));
    for (const Cell& cell : cells) {
        DrawInto(&sheet, cell.rect, kSheetScale,
                 [&](QPainter& p, const QRectF& r) { cell.picture->draw(p, r, cell.state); });
    }
    const QString style = root + QLatin1Char('/') + QLatin1String(kStyle);
    if (!SaveImage(sheet, style + QStringLiteral("/AllImage.png")))
        return false;
    if (!WriteImageDescription(cells, root + QStringLiteral("/AllImage.xml")))
        return false;
    if (!SaveImage(FrameShadow(), style + QStringLiteral("/SplashScreen/main_shadow.png")))
        return false;
    for (const SkinAnimation& animation : StyleAnimations()) {
        if (!WriteAnimation(animation, style + QLatin1Char('/') + animation.file, 1))
            return false;
    }
    if (!WriteStyleIcons(root + QStringLiteral("/image")))
        return false;
    return staticFiles.isEmpty() || CopyStaticFiles(staticFiles, root);
}

bool WriteLogoDescription(const QString& path) {
    if (!MakeParent(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1").arg(path));
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("Skin"));
    const QList<QPair<QString, QString>> levels{
        {"System", "Win"}, {"Brand", "Tavik"}, {"Language", "ml"}, {"Edition", "Mendra"}};
    for (const auto& level : levels) {
        xml.writeStartElement(level.first);
        xml.writeAttribute(QStringLiteral("name"), level.second);
    }
    for (const LogoPiece& piece : LogoPieces()) {
        xml.writeEmptyElement(piece.tag);
        xml.writeAttribute(QStringLiteral("x"), QString::number(piece.rect.x()));
        xml.writeAttribute(QStringLiteral("y"), QString::number(piece.rect.y()));
        xml.writeAttribute(QStringLiteral("width"), QString::number(piece.rect.width()));
        xml.writeAttribute(QStringLiteral("height"), QString::number(piece.rect.height()));
    }
    xml.writeEndElement(); // Edition
    xml.writeEndElement(); // Language
    // An edition with a single language shares the multi-language logo.
    // The program's own language codes ("jp" for Japanese).
    for (const char* language : {"en", "de", "fr", "jp", "zh"}) {
        xml.writeEmptyElement(QStringLiteral("Language"));
        xml.writeAttribute(QStringLiteral("name"), QLatin1String(language));
        xml.writeAttribute(QStringLiteral("path"), QStringLiteral("\\\\ml"));
    }
    xml.writeEndElement(); // Brand
    xml.writeEndElement(); // System
    xml.writeEndElement(); // Skin
    xml.writeEndDocument();
    return !xml.hasError();
}

bool WriteResources(const QString& root) {
    QImage sheet = Canvas(LogoSheetSize());
    for (const LogoPiece& piece : LogoPieces()) {
        DrawInto(&sheet, piece.rect, 1.0, [](QPainter& p, const QRectF& r) { DrawProductMark(p, r); });
    }
    if (!SaveImage(sheet, root + QStringLiteral("/Edition/win/Skin_logo.png")))
        return false;
    if (!WriteLogoDescription(root + QStringLiteral("/Edition/win/Logo.xml")))
        return false;
    QImage icon = Canvas(QSize(128, 128));
    DrawInto(&icon, icon.rect(), 1.0, [](QPainter& p, const QRectF& r) { DrawProductMark(p, r); });
    if (!SaveImage(icon, root + QStringLiteral("/mendra.ico"), "ICO"))
        return false;
    for (const SkinAnimation& animation : ResourceAnimations()) {
        if (!WriteAnimation(animation, root + QLatin1Char('/') + animation.file, 1))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption skinOption(QStringLiteral("skin"), QStringLiteral("Write the Skin folder here."),
                                        QStringLiteral("dir"));
    const QCommandLineOption staticOption(
        QStringLiteral("static"), QStringLiteral("Copy these hand-written skin files into it."), QStringLiteral("dir"));
    const QCommandLineOption resourceOption(QStringLiteral("resources"),
                                            QStringLiteral("Write the embedded logo, icon and animations here."),
                                            QStringLiteral("dir"));
    parser.addOptions({skinOption, staticOption, resourceOption});
    parser.process(app);
    if (!parser.isSet(skinOption) && !parser.isSet(resourceOption))
        parser.showHelp(2);
    if (parser.isSet(skinOption) && !WriteSkin(parser.value(skinOption), parser.value(staticOption)))
        return 1;
    if (parser.isSet(resourceOption) && !WriteResources(parser.value(resourceOption)))
        return 1;
    return 0;
}
