#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// Drawn art is compared as a viewer sees it, not byte for byte. Qt's raster engine picks its
// blending code by what the CPU offers, and those paths round anti-aliased edges one step apart, so
// the same table drawn on two machines gives other file bytes but the same picture. A changed table
// moves or recolours whole shapes, far beyond that.

// A picture file decoded: every frame as premultiplied ARGB (what was painted, whatever the file's
// colour format) with its delay.
struct DecodedPicture {
    QList<QImage> frames;
    QList<int> delays;
    int loopCount = 0;
    QString error;
};

DecodedPicture DecodePicture(const QString& path);

// How far a channel may stray in a file of that name: a rounding step and one to spare. A GIF's
// palette groups colours 8 steps to a channel and stands for each group by one colour of it, so a
// colour one step over a group's edge comes out as much as 15 steps away.
int ChannelTolerance(const QString& fileName);

// "" when both show the same frames, sizes, delays and loops, every channel of every pixel within
// tolerance; otherwise what differs.
QString ComparePictures(const DecodedPicture& drawn, const DecodedPicture& committed, int tolerance);

// The differences between two folders of art: pictures (PNG, GIF, ICO) compared decoded, every other
// file byte for byte, and the same file names in both. Empty when they match.
QStringList CompareArtFolders(const QString& drawn, const QString& committed);
