#include "FileVersion.h"

#include <QFile>
#include <QStringList>

#include <limits>

namespace platform {

namespace {

// The marker bit-inverted; decoding through a volatile key keeps the compiler from folding the
// plain marker back into this library's read-only data.
const unsigned char scrambledMarker[] = {0xE4, 0xB2, 0x9A, 0x91, 0x9B, 0x8D, 0x9E, 0xA9, 0x9A, 0x8D,
                                         0x8C, 0x96, 0x90, 0x91, 0xBD, 0x93, 0x90, 0x9C, 0x94, 0xE0};
volatile unsigned char markerKey = 0xFF;

// The longest text "65535.65535.65535.65535".
constexpr int maxVersionLength = 23;

bool parseVersion(const QByteArray& text, QString* version) {
    const QList<QByteArray> parts = text.split('.');
    if (parts.size() != 4)
        return false;
    QStringList numbers;
    for (const QByteArray& part : parts) {
        if (part.isEmpty() || part.size() > 5)
            return false;
        for (char c : part) {
            if (c < '0' || c > '9')
                return false;
        }
        const int value = part.toInt();
        if (value > 0xFFFF)
            return false;
        numbers << QString::number(value);
    }
    *version = numbers.join(QLatin1Char('.'));
    return true;
}

} // namespace

QByteArray versionBlockMarker() {
    QByteArray marker(int(sizeof(scrambledMarker)), Qt::Uninitialized);
    for (int i = 0; i < marker.size(); ++i)
        marker[i] = char(scrambledMarker[i] ^ markerKey);
    return marker;
}

QString versionFromBlockData(const QByteArray& data) {
    const QByteArray marker = versionBlockMarker();
    for (int at = data.indexOf(marker); at >= 0; at = data.indexOf(marker, at + 1)) {
        const int start = at + marker.size();
        const int end = data.indexOf('\0', start);
        if (end < 0 || end - start > maxVersionLength)
            continue;
        QString version;
        if (parseVersion(data.mid(start, end - start), &version))
            return version;
    }
    return QString();
}

QString fileVersion(const QString& filePath) {
    QFile file(filePath);
    if (filePath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    return fileVersion(file);
}

QString fileVersion(QFile& file) {
    // Our binaries are far below 2 GiB; anything larger is not one of them.
    if (file.size() == 0 || file.size() > std::numeric_limits<int>::max())
        return QString();
    if (uchar* mapped = file.map(0, file.size())) {
        const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), int(file.size()));
        return versionFromBlockData(data);
    }
    return versionFromBlockData(file.readAll());
}

} // namespace platform
