#include "ArtComparison.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>

namespace {

bool IsPicture(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("gif") || suffix == QLatin1String("ico");
}

int LargestChannelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QString CompareFrame(const QImage& drawn, const QImage& committed, int tolerance) {
    if (drawn.size() != committed.size()) {
        return QStringLiteral("size %1x%2 instead of %3x%4")
            .arg(drawn.width())
            .arg(drawn.height())
            .arg(committed.width())
            .arg(committed.height());
    }
    int outside = 0;
    int largest = 0;
    QPoint where;
    for (int y = 0; y < drawn.height(); ++y) {
        const QRgb* a = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        const QRgb* b = reinterpret_cast<const QRgb*>(committed.constScanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            const int difference = LargestChannelDifference(a[x], b[x]);
            if (difference <= tolerance)
                continue;
            ++outside;
            if (difference > largest) {
                largest = difference;
                where = QPoint(x, y);
            }
        }
    }
    if (outside == 0)
        return QString();
    return QStringLiteral("%1 pixels differ by more than %2 steps (up to %3, at %4,%5)")
        .arg(outside)
        .arg(tolerance)
        .arg(largest)
        .arg(where.x())
        .arg(where.y());
}

QStringList FilesBelow(const QString& folder) {
    const QDir root(folder);
    QStringList files;
    QDirIterator it(root.absolutePath(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(root.relativeFilePath(it.next()));
    files.sort();
    return files;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

DecodedPicture DecodePicture(const QString& path) {
    DecodedPicture picture;
    QImageReader reader(path);
    picture.loopCount = reader.loopCount();
    const auto append = [&](const QImage& frame) {
        picture.frames.append(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        picture.delays.append(reader.nextImageDelay());
    };
    if (reader.supportsAnimation()) {
        // Animations are read frame after frame.
        for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
            append(frame);
    } else {
        // Icons may hold several sizes.
        const int count = std::max(1, reader.imageCount());
        for (int i = 0; i < count && (i == 0 || reader.jumpToImage(i)); ++i) {
            const QImage frame = reader.read();
            if (frame.isNull())
                break;
            append(frame);
        }
    }
    if (picture.frames.isEmpty())
        picture.error = QStringLiteral("cannot be read: ") + reader.errorString();
    return picture;
}

int ChannelTolerance(const QString& fileName) {
    return QFileInfo(fileName).suffix().compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0 ? 15 : 2;
}

QString ComparePictures(const DecodedPicture& drawn, const DecodedPicture& committed, int tolerance) {
    if (!drawn.error.isEmpty())
        return drawn.error;
    if (!committed.error.isEmpty())
        return QStringLiteral("the committed copy ") + committed.error;
    if (drawn.frames.size() != committed.frames.size())
        return QStringLiteral("%1 frames instead of %2").arg(drawn.frames.size()).arg(committed.frames.size());
    if (drawn.loopCount != committed.loopCount)
        return QStringLiteral("loop count %1 instead of %2").arg(drawn.loopCount).arg(committed.loopCount);
    for (int i = 0; i < drawn.frames.size(); ++i) {
        if (drawn.delays.at(i) != committed.delays.at(i))
            return QStringLiteral("frame %1: delay %2 ms instead of %3")
                .arg(i)
                .arg(drawn.delays.at(i))
                .arg(committed.delays.at(i));
        const QString difference = CompareFrame(drawn.frames.at(i), committed.frames.at(i), tolerance);
        if (!difference.isEmpty())
            return drawn.frames.size() == 1 ? difference : QStringLiteral("frame %1: %2").arg(i).arg(difference);
    }
    return QString();
}

QStringList CompareArtFolders(const QString& drawn, const QString& committed) {
    const QStringList drawnFiles = FilesBelow(drawn);
    const QStringList committedFiles = FilesBelow(committed);
    QStringList differences;
    for (const QString& file : committedFiles) {
        if (!drawnFiles.contains(file))
            differences.append(file + QStringLiteral(": no longer drawn"));
    }
    for (const QString& file : drawnFiles) {
        if (!committedFiles.contains(file)) {
            differences.append(file + QStringLiteral(": not committed"));
            continue;
        }
        const QString a = drawn + QLatin1Char('/') + file;
        const QString b = committed + QLatin1Char('/') + file;
        QString difference;
        if (IsPicture(file))
            difference = ComparePictures(DecodePicture(a), DecodePicture(b), ChannelTolerance(file));
        else if (ReadAll(a) != ReadAll(b))
            difference = QStringLiteral("the text differs");
        if (!difference.isEmpty())
            differences.append(file + QStringLiteral(": ") + difference);
    }
    return differences;
}
