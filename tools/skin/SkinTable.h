#pragma once

#include <QList>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

// One picture of the sprite sheet: where the windows look it up (page, image name), which states it
// has, its size at scale 1.0 and how to draw one state into a rectangle of that size.
struct SkinPicture {
    QString page;
    QString name;
    QStringList states;
    QSize size;
    std::function<void(QPainter&, const QRectF&, const QString& state)> draw;
};

// One piece of the embedded logo sheet, as "Logo.xml" describes it.
struct LogoPiece {
    QString tag;
    QRect rect;
};

// One animation: file name relative to its target folder, frame size, frame count, delay.
struct SkinAnimation {
    QString file;
    QSize size;
    int frames;
    int delayCentiseconds;
    std::function<void(QPainter&, const QRectF&, double phase)> draw;
};

const QList<SkinPicture>& SkinPictures();
const QList<LogoPiece>& LogoPieces();
QSize LogoSheetSize();
// Animations installed with the skin (paths relative to the style folder).
const QList<SkinAnimation>& StyleAnimations();
// Animations embedded in the program (paths relative to the resource folder).
const QList<SkinAnimation>& ResourceAnimations();
