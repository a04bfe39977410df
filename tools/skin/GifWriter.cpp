#include "GifWriter.h"

#include <QFile>
#include <QHash>
#include <QVector>

#include <algorithm>

namespace {

// Colours are grouped 5 bits per channel before choosing the palette, so anti-aliased edges share
// entries instead of crowding out the drawing's own colours.
quint16 Bucket(QRgb c) {
    return quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
}

struct Palette {
    QVector<QRgb> colours;
    QHash<quint16, quint8> index;

    quint8 Lookup(QRgb c) {
        const quint16 bucket = Bucket(c);
        auto it = index.constFind(bucket);
        if (it != index.constEnd())
            return *it;
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < colours.size(); ++i) {
            const int dr = qRed(c) - qRed(colours[i]);
            const int dg = qGreen(c) - qGreen(colours[i]);
            const int db = qBlue(c) - qBlue(colours[i]);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        index.insert(bucket, quint8(best));
        return quint8(best);
    }
};

Palette BuildPalette(const QList<QImage>& frames) {
    QHash<quint16, QPair<int, QRgb>> counts;
    for (const QImage& frame : frames) {
        for (int y = 0; y < frame.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < frame.width(); ++x) {
                auto& entry = counts[Bucket(line[x])];
                ++entry.first;
                entry.second = line[x];
            }
        }
    }
    QVector<QPair<int, quint16>> order;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        order.append({it->first, it.key()});
    // Ties broken by colour so that the same drawing always gives the same file.
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    Palette palette;
    for (int i = 0; i < order.size() && i < 256; ++i) {
        palette.index.insert(order[i].second, quint8(i));
        palette.colours.append(counts.value(order[i].second).second | 0xff000000u);
    }
    while (palette.colours.size() < 256)
        palette.colours.append(qRgb(0, 0, 0));
    return palette;
}

class BitWriter {
public:
    explicit BitWriter(QByteArray* out) : m_out(out) {}
    void Write(int code, int size) {
        m_buffer |= quint32(code) << m_bits;
        m_bits += size;
        while (m_bits >= 8) {
            Push(quint8(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    void Finish() {
        if (m_bits > 0)
            Push(quint8(m_buffer & 0xff));
        if (!m_block.isEmpty())
            Flush();
        m_out->append(char(0));
    }

private:
    void Push(quint8 byte) {
        m_block.append(char(byte));
        if (m_block.size() == 255)
            Flush();
    }
    void Flush() {
        m_out->append(char(m_block.size()));
        m_out->append(m_block);
        m_block.clear();
    }
    QByteArray* m_out;
    QByteArray m_block;
    quint32 m_buffer = 0;
    int m_bits = 0;
};

void EncodeLzw(const QByteArray& pixels, QByteArray* out) {
    constexpr int kClear = 256;
    constexpr int kEnd = 257;
    out->append(char(8));
    BitWriter writer(out);
    QHash<quint32, int> table;
    int next = kEnd + 1;
    int codeSize = 9;
    writer.Write(kClear, codeSize);
    int prefix = quint8(pixels.at(0));
    for (int i = 1; i < pixels.size(); ++i) {
        const int k = quint8(pixels.at(i));
        const quint32 key = (quint32(prefix) << 8) | quint32(k);
        auto it = table.constFind(key);
        if (it != table.constEnd()) {
            prefix = *it;
            continue;
        }
        writer.Write(prefix, codeSize);
        table.insert(key, next++);
        if (next > (1 << codeSize) && codeSize < 12)
            ++codeSize;
        if (next == 4096) {
            writer.Write(kClear, codeSize);
            table.clear();
            next = kEnd + 1;
            codeSize = 9;
        }
        prefix = k;
    }
    writer.Write(prefix, codeSize);
    writer.Write(kEnd, codeSize);
    writer.Finish();
}

void AppendWord(QByteArray* out, int value) {
    out->append(char(value & 0xff));
    out->append(char((value >> 8) & 0xff));
}

} // namespace

bool WriteAnimatedGif(const QString& path, const QList<QImage>& frames, int delayCentiseconds) {
    if (frames.isEmpty())
        return false;
    QList<QImage> rgb;
    for (const QImage& frame : frames)
        rgb.append(frame.convertToFormat(QImage::Format_RGB32));
    const int width = rgb.first().width();
    const int height = rgb.first().height();
    Palette palette = BuildPalette(rgb);

    QByteArray out("GIF89a");
    AppendWord(&out, width);
    AppendWord(&out, height);
    out.append(char(0xf7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : qAsConst(palette.colours)) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop forever.
    out.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);

    for (const QImage& frame : qAsConst(rgb)) {
        out.append("\x21\xf9\x04\x04", 4);
        AppendWord(&out, delayCentiseconds);
        out.append(char(0));
        out.append(char(0));
        out.append(char(0x2c));
        AppendWord(&out, 0);
        AppendWord(&out, 0);
        AppendWord(&out, width);
        AppendWord(&out, height);
        out.append(char(0));
        QByteArray pixels;
        pixels.reserve(width * height);
        for (int y = 0; y < height; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < width; ++x)
                pixels.append(char(palette.Lookup(line[x])));
        }
        EncodeLzw(pixels, &out);
    }
    out.append(char(0x3b));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(out) == out.size();
}
