#pragma once

// A tiny skin written into a temporary folder: every state cell of the sprite sheet is one solid
// colour, so a picture cut from the wrong place shows in its pixels.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace SkinFixture {

struct Cell {
    const char* page;
    const char* image;
    const char* state;
    QRect rect;
    QColor colour;
};

inline const QList<Cell>& Cells() {
    static const QList<Cell> cells{
        {"Common", "btn", "Normal", QRect(0, 0, 40, 30), QColor(255, 0, 0)},
        {"Common", "btn", "On", QRect(40, 0, 40, 30), QColor(0, 255, 0)},
        {"Common", "btn", "Down", QRect(80, 0, 40, 30), QColor(0, 0, 255)},
        {"Common", "btn", "Disable", QRect(120, 0, 40, 30), QColor(128, 128, 128)},
        {"Common", "btn", "Hover", QRect(160, 0, 40, 30), QColor(255, 255, 0)},
        {"Common", "btn", "Pressed", QRect(160, 30, 40, 30), QColor(0, 0, 0)},
        {"Common", "two", "Normal", QRect(0, 30, 40, 30), QColor(255, 0, 255)},
        {"Other", "pic", "Any", QRect(40, 30, 40, 30), QColor(0, 255, 255)},
    };
    return cells;
}

inline QColor ColourOf(const char* image, const char* state) {
    for (const Cell& cell : Cells()) {
        if (qstrcmp(cell.image, image) == 0 && qstrcmp(cell.state, state) == 0)
            return cell.colour;
    }
    return {};
}

inline void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray ImageDescription() {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AllImage>\n";
    QStringList pages;
    for (const Cell& cell : Cells()) {
        if (!pages.contains(QLatin1String(cell.page)))
            pages.append(QLatin1String(cell.page));
    }
    for (const QString& page : pages) {
        xml += "<" + page.toLatin1() + ">";
        QByteArray open;
        for (const Cell& cell : Cells()) {
            if (QLatin1String(cell.page) != page)
                continue;
            if (open != cell.image) {
                if (!open.isEmpty())
                    xml += "</" + open + ">";
                open = cell.image;
                xml += "<" + open + ">";
            }
            xml += QStringLiteral("<%1 x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\"/>")
                       .arg(QLatin1String(cell.state))
                       .arg(cell.rect.x())
                       .arg(cell.rect.y())
                       .arg(cell.rect.width())
                       .arg(cell.rect.height())
                       .toLatin1();
        }
        xml += "</" + open + "></" + page.toLatin1() + ">\n";
    }
    return xml + "</AllImage>\n";
}

inline QImage SpriteSheet() {
    QImage sheet(200, 60, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (const Cell& cell : Cells())
        painter.fillRect(cell.rect, cell.colour);
    return sheet;
}

// Writes the styles named in `styles` under root; the first style gets the sprite sheet and colours.
inline void WriteSkin(const QString& root, const QStringList& styles) {
    WriteFile(root + "/AllImage.xml", ImageDescription());
    WriteFile(root + "/style.qss", "QLabel { font-size: FONT_14px; margin: SIZECHANGE_-10px; }");
    WriteFile(root + "/Icon.qss", "/* icons */");
    for (int i = 0; i < styles.size(); ++i) {
        const QString folder = root + "/" + styles.at(i);
        QDir().mkpath(folder);
        WriteFile(folder + "/Color.qss", "/* colours */");
        if (i == 0) {
            SpriteSheet().save(folder + "/AllImage.png");
            WriteFile(folder + "/Color.xml", "<?xml version=\"1.0\"?>\n<Color><Successful>"
                                             "<BugReportColor color=\"#00aa00\" R=\"0\" G=\"170\" B=\"0\"/>"
                                             "</Successful><Empty/></Color>\n");
        }
    }
}

// A logo sheet of three solid pieces and its description, with the keys "Win/Tavik/ml/Mendra".
inline void WriteLogo(const QString& sheetPath, const QString& descriptionPath) {
    QImage sheet(200, 100, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.fillRect(QRect(0, 0, 48, 48), Qt::red);    // logo
    painter.fillRect(QRect(50, 0, 60, 60), Qt::green); // icon
    painter.fillRect(QRect(120, 0, 80, 80), Qt::blue); // brand
    painter.end();
    QDir().mkpath(QFileInfo(sheetPath).absolutePath());
    sheet.save(sheetPath);
    WriteFile(descriptionPath, "<?xml version=\"1.0\"?>\n<Skin><System name=\"Win\"><Brand name=\"Tavik\">"
                               "<Language name=\"ml\"><Edition name=\"Mendra\">"
                               "<logo x=\"0\" y=\"0\" width=\"48\" height=\"48\"/>"
                               "<icon x=\"50\" y=\"0\" width=\"60\" height=\"60\"/>"
                               "<brand x=\"120\" y=\"0\" width=\"80\" height=\"80\"/>"
                               "</Edition></Language></Brand></System></Skin>\n");
}

// Colour at the centre of a pixmap, for checking which cell it was cut from.
inline QColor CentreColour(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace SkinFixture
