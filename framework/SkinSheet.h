#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QFile;
class QObject;

// A skin's image sheet, from which the pictures are cut. The style's "AllImage.png" is 2048 x 3680: decoding
// it whole takes tens of milliseconds and 30 MB at every start, for the few pieces a window shows. Given a
// cache folder, the sheet keeps its decoded pixels there (one file per sheet content, raw rows), and each
// piece is read from that file alone; only the first start with a sheet decodes it. Without a cache folder,
// or when the cache cannot be written, the decoded sheet stays in memory. The skin files are never changed.
class SkinSheet {
public:
    SkinSheet();
    ~SkinSheet();
    SkinSheet(const SkinSheet&) = delete;
    SkinSheet& operator=(const SkinSheet&) = delete;

    // A sheet that cannot be read leaves the sheet null.
    void Load(const QString& path, const QString& cacheFolder = QString());
    void Clear();

    bool isNull() const { return m_size.isEmpty(); }
    QSize size() const { return m_size; }
    // True while the pieces come from the cache file rather than from memory.
    bool IsCached() const { return m_cache != nullptr; }

    // The pixels of rect, as QPixmap::copy on the whole decoded sheet gives them, cut down to the sheet; an
    // empty pixmap when rect does not meet the sheet.
    QPixmap Copy(const QRect& rect) const;

    // The cache files kept in one folder; older ones are removed when a new one is written.
    static constexpr int kKeptCacheFiles = 4;

private:
    bool OpenCache(const QString& path);
    bool WriteCache(const QString& path, const QImage& image) const;
    char* ReadBuffer(qint64 size) const;

    QSize m_size;
    QImage m_image;                 // the decoded sheet, when there is no cache file
    std::unique_ptr<QFile> m_cache; // the cache file, open for reading
    QImage::Format m_format = QImage::Format_Invalid;
    // Rows read from the cache file pass through here; a window cuts its pictures in a run, and the buffer
    // serves the whole run and goes once the event loop runs again.
    mutable QByteArray m_readBuffer;
    std::unique_ptr<QObject> m_bufferKeeper;
};
