#pragma once

#include "XmlPathReader.h"

#include <QList>
#include <QString>
#include <QStringList>

// Readers of media conversion profiles: the profile list (Profile.xml), the codec specifications
// (CodecSpec.xml) and the codecs (Codec.xml), by default from the program's resources, or from a file
// given to a reader. Paths are element paths as in XmlPathReader; some readers match a path entry
// against an element's "Num" or "Name" attribute instead of its tag. Every reader gives an empty result
// when its file cannot be opened, XmlLimits refuses it or its path is empty. Made on the stack for one read.
class ProfileReader : public XmlPathReader {
public:
    struct ProfileRecord {
        QString Parent;
        QString ImgPath;
        QString VQuality;
        QString AQuality;
        QString IsVideo;
    };
    struct ProfileEntry {
        QString Num;
        QString ExtName;
        QString AQuality;
        QString VQuality;
        QString IsVideo;
        QStringList List;
        QString Default;
    };
    struct SizeEntry {
        QString VFrameRate;
        QString VSize;
        QString StandardName;
        QString Name;
    };

    ProfileReader() = default;

    // Reads other files in place of the three resources.
    void SetResourceFiles(const QString& profile, const QString& codecSpec, const QString& codec);

    // A path entry matches an element whose "Num" equals it; elements named "Kind" never match.
    bool FindPathByNum(const QString& endName);
    // A path entry matches an element whose "Name" equals it.
    bool FindPathByName(const QString& endName);

    bool PathExists(const QString& file, const QString& path);
    bool CodecSpecPathExists(const QString& path);
    // The path (by "Num") and, inside the element found, a descendant named childName.
    bool CodecSpecPathHasChild(const QString& path, const QString& childName);
    bool CodecPathExists(const QString& path);
    bool ProfilePathExists(const QString& path);
    // Inside the codec element at path, an element whose attribute equals value.
    bool CodecAttributeExists(const QString& path, const QString& attributeName, const QString& value);

    QStringList CodecList(const QString& path, const QString& attributeName, const QString& filter);
    QStringList ProfileList(const QString& path, const QString& attributeName, const QString& filter);
    // The attribute as the file spells it, of the first element whose attribute equals value ignoring case.
    QStringList ProfileAttributeLookup(const QString& attributeName, const QString& value);
    // Inside the element at path: the element whose "Name" is name, its descendant tag, that one's "Value".
    QString NamedValue(const QString& file, const QString& path, const QString& name, const QString& tag);
    ProfileRecord ReadProfileRecord(const QString& file, const QString& path, const QString& name);
    QList<ProfileEntry> ProfileEntries();
    QList<SizeEntry> SizeTable(const QString& path);
    // The "Name" of every element inside the codec element at path whose attribute equals value.
    QStringList NamesByAttribute(const QString& path, const QString& attributeName, const QString& value);

private:
    enum class Search { Tag, Num, Name };

    bool Open(QFile& device, const QString& path, Search search);
    bool FindNamedInside(const QString& endName, const QString& name);
    // Reads on to the end of the element the reader stands on, calling visit at every start element.
    void VisitInside(const std::function<void()>& visit);
};
