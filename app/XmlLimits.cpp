#include "XmlLimits.h"

#include <QFile>
#include <QXmlStreamReader>

namespace XmlLimits {

namespace {
bool Refuse(QString* why, const QString& reason) {
    if (why)
        *why = reason;
    return false;
}
} // namespace

bool Check(const QByteArray& bytes, QString* why, int maxDepth, qint64 maxBytes) {
    if (bytes.size() > maxBytes)
        return Refuse(why, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    QXmlStreamReader reader(bytes);
    // Only size and nesting are checked here. Whether a prefix is declared is the parser's business:
    // tinyxml2, for one, reads an undeclared "upd:Name" as a plain name.
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > maxDepth)
                return Refuse(why, QStringLiteral("nested deeper than %1 elements").arg(maxDepth));
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return Refuse(
            why,
            QStringLiteral("not well-formed XML (line %1: %2)").arg(reader.lineNumber()).arg(reader.errorString()));
    return true;
}

bool ReadFile(const QString& path, QByteArray* bytes, QString* why, int maxDepth, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(why, QStringLiteral("cannot be opened: %1").arg(file.errorString()));
    return ReadDevice(file, bytes, why, maxDepth, maxBytes);
}

bool ReadDevice(QIODevice& device, QByteArray* bytes, QString* why, int maxDepth, qint64 maxBytes) {
    if (!device.isReadable())
        return Refuse(why, QStringLiteral("is not open for reading"));
    if (!device.isSequential() && device.size() - device.pos() > maxBytes)
        return Refuse(why, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    // A special file reports no size; read at most one byte past the limit so that it cannot stream forever.
    QByteArray data;
    while (data.size() <= maxBytes) {
        const QByteArray chunk = device.read(qMin<qint64>(maxBytes + 1 - data.size(), 64 * 1024));
        if (chunk.isEmpty())
            break;
        data += chunk;
    }
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    if (file && file->error() != QFileDevice::NoError)
        return Refuse(why, QStringLiteral("cannot be read: %1").arg(file->errorString()));
    if (!Check(data, why, maxDepth, maxBytes))
        return false;
    if (bytes)
        *bytes = data;
    return true;
}

} // namespace XmlLimits
