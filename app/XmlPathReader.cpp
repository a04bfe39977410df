#include "XmlPathReader.h"

#include "XmlLimits.h"

#include <QFile>

XmlPathReader::XmlPathReader()
    : m_profilePath(QStringLiteral(":/Tavik/Resources/Profile/Profile.xml")),
      m_codecSpecPath(QStringLiteral(":/Tavik/Resources/Profile/CodecSpec.xml")),
      m_codecPath(QStringLiteral(":/Tavik/Resources/Profile/Codec.xml")) {}

XmlPathReader::~XmlPathReader() {
    // A caller may still have set a device of its own, usually a QFile on its stack: drop it first.
    clear();
}

bool XmlPathReader::SetPath(const QString& path) {
    m_path = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return !m_path.isEmpty();
}

bool XmlPathReader::FindPath(const QString& endName) {
    return FindPathWhere(endName,
                         [this](const QString& entry) { return name().compare(entry, Qt::CaseInsensitive) == 0; });
}

bool XmlPathReader::FindPathWhere(const QString& endName, const std::function<bool(const QString&)>& matches) {
    while (!atEnd()) {
        readNext();
        if (isEndElement() && name() == endName)
            return false;
        if (!isStartElement() || m_path.isEmpty() || !matches(m_path.first()))
            continue;
        const QString entry = m_path.takeFirst();
        if (m_path.isEmpty())
            return true;
        if (FindPathWhere(name().toString(), matches))
            return true;
        // The rest of the path is not inside this element; a later element may still match the entry.
        m_path.prepend(entry);
    }
    return false;
}

bool XmlPathReader::FindChild(const QString& endName, const QString& childName) {
    if (endName.isEmpty() || childName.isEmpty())
        return false;
    while (!atEnd()) {
        readNext();
        if (isStartElement() && name().compare(childName, Qt::CaseInsensitive) == 0)
            return true;
        if (isEndElement() && name() == endName)
            return false;
    }
    return false;
}

bool XmlPathReader::FindElementByAttribute(const QString& endName, const QString& value, const QString& attributeName) {
    if (value.isEmpty() || endName.isEmpty())
        return false;
    while (!atEnd()) {
        readNext();
        if (isStartElement() && attributes().value(attributeName).compare(value, Qt::CaseInsensitive) == 0)
            return true;
        if (isEndElement() && name() == endName)
            return false;
    }
    return false;
}

QStringList XmlPathReader::CollectAttributes(const QString& endName, const QString& attributeName,
                                             const QString& filter) {
    QStringList values;
    QString entryTag;
    while (!atEnd()) {
        readNext();
        if (isEndElement() && name() == endName)
            break;
        if (entryTag.isEmpty() && !name().isEmpty())
            entryTag = name().toString();
        if (!isStartElement() || name() != entryTag)
            continue;
        const QString value = attributes().value(attributeName).toString();
        if (!value.isEmpty() && (filter.isEmpty() || value.contains(filter, Qt::CaseInsensitive)))
            values.append(value);
    }
    return values;
}

QString XmlPathReader::ReadText(const QString& file, const QString& path, const QString& key) {
    return ReadValue(file, path, key, Take::Text);
}

QString XmlPathReader::ReadAttribute(const QString& file, const QString& path, const QString& key) {
    return ReadValue(file, path, key, Take::Attribute);
}

bool XmlPathReader::OpenChecked(QFile& device) {
    if (!device.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // Checked whole before the first value is taken: a damaged file must not give the values before its
    // damage, which the next write would throw away with the rest.
    QByteArray bytes;
    if (!XmlLimits::ReadDevice(device, &bytes)) {
        device.close();
        return false;
    }
    clear();
    addData(bytes);
    return true;
}

bool XmlPathReader::OpenPath(QFile& device, const QString& path) {
    return SetPath(path) && OpenChecked(device) && FindPath(QString());
}

QString XmlPathReader::ReadValue(const QString& file, const QString& path, const QString& key, Take take) {
    QFile device(file);
    QString value;
    if (OpenPath(device, path) && FindChild(name().toString(), key)) {
        value = take == Take::Text ? readElementText(QXmlStreamReader::ErrorOnUnexpectedElement)
                                   : attributes().value(QStringLiteral("Value")).toString();
    }
    setDevice(nullptr);
    return value;
}

QStringList XmlPathReader::ReadAttributeList(const QString& file, const QString& path, const QString& attributeName,
                                             const QString& filter) {
    QFile device(file);
    QStringList values;
    if (OpenPath(device, path))
        values = CollectAttributes(name().toString(), attributeName, filter);
    setDevice(nullptr);
    return values;
}
