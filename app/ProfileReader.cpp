#include "ProfileReader.h"

namespace {

const QString kName = QStringLiteral("Name");
const QString kValue = QStringLiteral("Value");

// Resets the reader when a read ends, so that the next read on the same reader starts afresh.
class DeviceReset {
public:
    explicit DeviceReset(QXmlStreamReader& reader) : m_reader(reader) {}
    ~DeviceReset() { m_reader.setDevice(nullptr); }
    DeviceReset(const DeviceReset&) = delete;
    DeviceReset& operator=(const DeviceReset&) = delete;

private:
    QXmlStreamReader& m_reader;
};

} // namespace

void ProfileReader::SetResourceFiles(const QString& profile, const QString& codecSpec, const QString& codec) {
    m_profilePath = profile;
    m_codecSpecPath = codecSpec;
    m_codecPath = codec;
}

bool ProfileReader::FindPathByNum(const QString& endName) {
    return FindPathWhere(endName, [this](const QString& entry) {
        return name() != QLatin1String("Kind") &&
               attributes().value(QStringLiteral("Num")).compare(entry, Qt::CaseInsensitive) == 0;
    });
}

bool ProfileReader::FindPathByName(const QString& endName) {
    return FindPathWhere(endName, [this](const QString& entry) {
        return attributes().value(kName).compare(entry, Qt::CaseInsensitive) == 0;
    });
}

bool ProfileReader::Open(QFile& device, const QString& path, Search search) {
    if (!SetPath(path) || !OpenChecked(device))
        return false;
    switch (search) {
    case Search::Num:
        return FindPathByNum(QString());
    case Search::Name:
        return FindPathByName(QString());
    case Search::Tag:
        break;
    }
    return FindPath(QString());
}

void ProfileReader::VisitInside(const std::function<void()>& visit) {
    for (int depth = 0; !atEnd();) {
        readNext();
        if (isEndElement()) {
            if (depth == 0)
                return; // the element itself ends
            --depth;
        } else if (isStartElement()) {
            ++depth;
            visit();
        }
    }
}

bool ProfileReader::FindNamedInside(const QString& endName, const QString& name) {
    return FindElementByAttribute(endName, name, kName);
}

bool ProfileReader::PathExists(const QString& file, const QString& path) {
    QFile device(file);
    DeviceReset reset(*this);
    return Open(device, path, Search::Tag);
}

bool ProfileReader::CodecSpecPathExists(const QString& path) {
    QFile device(m_codecSpecPath);
    DeviceReset reset(*this);
    return Open(device, path, Search::Num);
}

bool ProfileReader::CodecSpecPathHasChild(const QString& path, const QString& childName) {
    QFile device(m_codecSpecPath);
    DeviceReset reset(*this);
    return Open(device, path, Search::Num) && FindChild(name().toString(), childName);
}

bool ProfileReader::CodecPathExists(const QString& path) {
    return PathExists(m_codecPath, path);
}

bool ProfileReader::ProfilePathExists(const QString& path) {
    QFile device(m_profilePath);
    DeviceReset reset(*this);
    return Open(device, path, Search::Name);
}

bool ProfileReader::CodecAttributeExists(const QString& path, const QString& attributeName, const QString& value) {
    if (value.isEmpty() || attributeName.isEmpty())
        return false;
    QFile device(m_codecPath);
    DeviceReset reset(*this);
    return Open(device, path, Search::Tag) && FindElementByAttribute(name().toString(), value, attributeName);
}

QStringList ProfileReader::CodecList(const QString& path, const QString& attributeName, const QString& filter) {
    QFile device(m_codecPath);
    DeviceReset reset(*this);
    return Open(device, path, Search::Tag) ? CollectAttributes(name().toString(), attributeName, filter)
                                           : QStringList();
}

QStringList ProfileReader::ProfileList(const QString& path, const QString& attributeName, const QString& filter) {
    QFile device(m_profilePath);
    DeviceReset reset(*this);
    return Open(device, path, Search::Name) ? CollectAttributes(name().toString(), attributeName, filter)
                                            : QStringList();
}

QStringList ProfileReader::ProfileAttributeLookup(const QString& attributeName, const QString& value) {
    QFile device(m_profilePath);
    DeviceReset reset(*this);
    if (attributeName.isEmpty() || value.isEmpty() || !OpenChecked(device))
        return QStringList();
    while (!atEnd()) {
        readNext();
        if (isStartElement() && attributes().value(attributeName).compare(value, Qt::CaseInsensitive) == 0)
            return {attributes().value(attributeName).toString()};
    }
    return QStringList();
}

QString ProfileReader::NamedValue(const QString& file, const QString& path, const QString& name, const QString& tag) {
    QFile device(file);
    DeviceReset reset(*this);
    if (!Open(device, path, Search::Tag) || !FindNamedInside(this->name().toString(), name))
        return QString();
    return FindChild(this->name().toString(), tag) ? attributes().value(kValue).toString() : QString();
}

ProfileReader::ProfileRecord ProfileReader::ReadProfileRecord(const QString& file, const QString& path,
                                                              const QString& name) {
    ProfileRecord record;
    QFile device(file);
    DeviceReset reset(*this);
    if (!Open(device, path, Search::Tag) || !FindNamedInside(this->name().toString(), name))
        return record;
    record.Parent = attributes().value(QStringLiteral("Parent")).toString();
    VisitInside([&] {
        const QStringRef tag = this->name();
        if (tag == QLatin1String("ImgPath"))
            record.ImgPath = attributes().value(kValue).toString();
        else if (tag == QLatin1String("Video"))
            record.VQuality = attributes().value(QStringLiteral("VQuality")).toString();
        else if (tag == QLatin1String("Audio"))
            record.AQuality = attributes().value(QStringLiteral("AQuality")).toString();
        else if (tag == QLatin1String("IsVideo"))
            record.IsVideo = attributes().value(kValue).toString();
    });
    return record;
}

QList<ProfileReader::ProfileEntry> ProfileReader::ProfileEntries() {
    QList<ProfileEntry> entries;
    QFile device(m_codecSpecPath);
    DeviceReset reset(*this);
    if (!OpenChecked(device))
        return entries;
    // Audio and Video elements describe the nearest element with a "Num" before them.
    while (!atEnd()) {
        readNext();
        if (!isStartElement())
            continue;
        const QXmlStreamAttributes a = attributes();
        if (a.hasAttribute(QStringLiteral("Num"))) {
            ProfileEntry entry;
            entry.Num = a.value(QStringLiteral("Num")).toString();
            entry.ExtName = a.value(QStringLiteral("extName")).toString();
            entry.IsVideo = a.value(QStringLiteral("IsVideo")).toString();
            entry.List = a.value(QStringLiteral("List")).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
            entry.Default = a.value(QStringLiteral("Default")).toString();
            entries.append(entry);
        } else if (!entries.isEmpty() && name() == QLatin1String("Audio")) {
            entries.last().AQuality = a.value(QStringLiteral("AQuality")).toString();
        } else if (!entries.isEmpty() && name() == QLatin1String("Video")) {
            entries.last().VQuality = a.value(QStringLiteral("VQuality")).toString();
        }
    }
    return entries;
}

QList<ProfileReader::SizeEntry> ProfileReader::SizeTable(const QString& path) {
    QList<SizeEntry> sizes;
    QFile device(m_codecPath);
    DeviceReset reset(*this);
    if (!Open(device, path, Search::Tag))
        return sizes;
    VisitInside([&] {
        const QXmlStreamAttributes a = attributes();
        if (!a.hasAttribute(kName))
            return;
        sizes.append({a.value(QStringLiteral("VFrameRate")).toString(), a.value(QStringLiteral("VSize")).toString(),
                      a.value(QStringLiteral("StandardName")).toString(), a.value(kName).toString()});
    });
    return sizes;
}

QStringList ProfileReader::NamesByAttribute(const QString& path, const QString& attributeName, const QString& value) {
    QStringList names;
    QFile device(m_codecPath);
    DeviceReset reset(*this);
    if (!Open(device, path, Search::Tag))
        return names;
    const QString endName = name().toString();
    while (FindElementByAttribute(endName, value, attributeName))
        names.append(attributes().value(kName).toString());
    return names;
}
