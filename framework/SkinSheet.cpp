#include "SkinSheet.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

// The cache file: a header, then the decoded sheet, 4 bytes a pixel, in strips of kStripWidth columns from the
// left (the last one narrower), each strip's rows top to bottom. A piece reads the rows of the strips it
// crosses, a few hundred bytes a row, rather than the sheet's whole rows.
const QByteArray kMagic = QByteArrayLiteral("Mendra skin sheet 2\n");
constexpr int kStripWidth = 256;
constexpr int kHeaderSize = 64;
// Far beyond any skin sheet; a header that claims more is damaged.
constexpr int kMaxSide = 32768;
// How much of the cache file one read takes at most.
constexpr qint64 kReadBytes = 256 * 1024;

struct CacheHeader {
    quint32 width = 0;
    quint32 height = 0;
    quint32 format = 0;
};

QByteArray EncodeHeader(const CacheHeader& header) {
    QByteArray bytes = kMagic;
    QDataStream out(&bytes, QIODevice::Append);
    out << header.width << header.height << header.format;
    bytes.append(kHeaderSize - bytes.size(), '\0');
    return bytes;
}

bool DecodeHeader(const QByteArray& bytes, CacheHeader* header) {
    if (bytes.size() != kHeaderSize || !bytes.startsWith(kMagic))
        return false;
    QDataStream in(bytes.mid(kMagic.size()));
    in >> header->width >> header->height >> header->format;
    return in.status() == QDataStream::Ok;
}

// The pixel formats the cache holds: those a decoded sheet has, 4 bytes a pixel.
bool IsCachedFormat(quint32 format) {
    return format == QImage::Format_ARGB32_Premultiplied || format == QImage::Format_ARGB32 ||
           format == QImage::Format_RGB32;
}

// The decoded sheet as a pixmap keeps it: that is what the pieces must show.
QImage DecodeSheet(const QString& path) {
    QImage image = QPixmap(path).toImage();
    if (!image.isNull() && !IsCachedFormat(image.format()))
        image =
            image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return image;
}

// Keeps the newest files besides the one just written.
void RemoveOldCacheFiles(const QString& folder, const QString& written) {
    QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.sheet")}, QDir::Files, QDir::Time); // newest first
    files.erase(std::remove_if(files.begin(), files.end(),
                               [&written](const QFileInfo& file) { return file.absoluteFilePath() == written; }),
                files.end());
    for (int i = SkinSheet::kKeptCacheFiles - 1; i < files.size(); ++i)
        QFile::remove(files.at(i).absoluteFilePath());
}

} // namespace

SkinSheet::SkinSheet() : m_bufferKeeper(std::make_unique<QObject>()) {}

SkinSheet::~SkinSheet() = default;

void SkinSheet::Clear() {
    m_readBuffer = QByteArray();
    m_size = QSize();
    m_image = QImage();
    m_cache.reset();
    m_format = QImage::Format_Invalid;
}

void SkinSheet::Load(const QString& path, const QString& cacheFolder) {
    Clear();
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return;
    if (cacheFolder.isEmpty()) {
        m_image = DecodeSheet(path);
        m_size = m_image.size();
        m_format = m_image.format();
        return;
    }
    // Named by its content: a changed sheet never meets the pixels of the old one.
    const QByteArray digest = QCryptographicHash::hash(source.readAll(), QCryptographicHash::Sha1).toHex();
    const QString cachePath = QDir(cacheFolder).filePath(QString::fromLatin1(digest) + QStringLiteral(".sheet"));
    if (OpenCache(cachePath))
        return;

    const QImage image = DecodeSheet(path);
    if (image.isNull())
        return;
    if (QDir().mkpath(cacheFolder) && WriteCache(cachePath, image)) {
        RemoveOldCacheFiles(cacheFolder, QFileInfo(cachePath).absoluteFilePath());
        if (OpenCache(cachePath))
            return;
    }
    m_image = image;
    m_size = image.size();
    m_format = image.format();
}

bool SkinSheet::OpenCache(const QString& path) {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    CacheHeader header;
    if (!DecodeHeader(file->read(kHeaderSize), &header) || header.width == 0 || header.height == 0 ||
        header.width > kMaxSide || header.height > kMaxSide || !IsCachedFormat(header.format))
        return false;
    // A file cut short (a full disk, a crash while it was written) is not used.
    if (file->size() != kHeaderSize + qint64(header.width) * header.height * 4)
        return false;
    m_cache = std::move(file);
    m_size = QSize(int(header.width), int(header.height));
    m_format = QImage::Format(header.format);
    return true;
}

bool SkinSheet::WriteCache(const QString& path, const QImage& image) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    CacheHeader header;
    header.width = quint32(image.width());
    header.height = quint32(image.height());
    header.format = quint32(image.format());
    if (file.write(EncodeHeader(header)) != kHeaderSize)
        return false;
    for (int left = 0; left < image.width(); left += kStripWidth) {
        const qint64 rowBytes = qint64(qMin(kStripWidth, image.width() - left)) * 4;
        for (int y = 0; y < image.height(); ++y) {
            if (file.write(reinterpret_cast<const char*>(image.constScanLine(y)) + qint64(left) * 4, rowBytes) !=
                rowBytes)
                return false;
        }
    }
    return file.commit();
}

char* SkinSheet::ReadBuffer(qint64 size) const {
    if (m_readBuffer.size() < size) {
        m_readBuffer.resize(int(size));
        if (QCoreApplication::instance())
            QTimer::singleShot(0, m_bufferKeeper.get(), [this] { m_readBuffer = QByteArray(); });
    }
    return m_readBuffer.data();
}

QPixmap SkinSheet::Copy(const QRect& rect) const {
    const QRect piece = rect.intersected(QRect(QPoint(0, 0), m_size));
    if (piece.isEmpty())
        return {};
    if (!m_cache)
        return QPixmap::fromImage(m_image.copy(piece), Qt::NoOpaqueDetection);

    QImage image(piece.size(), m_format);
    for (int left = piece.left() / kStripWidth * kStripWidth; left <= piece.right(); left += kStripWidth) {
        const int stripWidth = qMin(kStripWidth, m_size.width() - left);
        const qint64 rowBytes = qint64(stripWidth) * 4;
        const qint64 strip = kHeaderSize + qint64(left) * m_size.height() * 4;
        // The piece's columns within this strip.
        const int from = qMax(piece.left(), left);
        const int to = qMin(piece.right() + 1, left + stripWidth);
        const int rowsPerRead = int(qBound<qint64>(1, kReadBytes / rowBytes, piece.height()));
        char* rows = ReadBuffer(rowsPerRead * rowBytes);
        for (int first = 0; first < piece.height(); first += rowsPerRead) {
            const int count = qMin(rowsPerRead, piece.height() - first);
            if (!m_cache->seek(strip + (piece.top() + first) * rowBytes) ||
                m_cache->read(rows, count * rowBytes) != count * rowBytes)
                return {};
            for (int y = 0; y < count; ++y)
                std::memcpy(image.scanLine(first + y) + qint64(from - piece.left()) * 4,
                            rows + y * rowBytes + qint64(from - left) * 4, size_t(to - from) * 4);
        }
    }
    // A piece keeps the sheet's format even where it has no transparent pixel, as a copy of the sheet would.
    return QPixmap::fromImage(std::move(image), Qt::NoOpaqueDetection);
}
