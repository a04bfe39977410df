#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <functional>

// A streaming reader for single values of a small XML file, made on the stack for one read. A path
// such as "Options" or "Queue/Task" is matched element by element ignoring case, each entry at any depth
// below the previous one; nothing is cached, every read parses the file from its start. A file that
// XmlLimits refuses (not well-formed, too deep, too large) reads as an unreadable one: every value empty.
class XmlPathReader : public QXmlStreamReader {
public:
    XmlPathReader();
    ~XmlPathReader();
    XmlPathReader(const XmlPathReader&) = delete;
    XmlPathReader& operator=(const XmlPathReader&) = delete;

    // Pending path := path split at "/" (empty parts skipped); true when it is not empty.
    bool SetPath(const QString& path);
    const QStringList& PendingPath() const { return m_path; }

    // Reads on until the whole pending path has matched (true, the reader stands on the last element),
    // the end element named endName, or the end of the stream.
    bool FindPath(const QString& endName);
    // Reads on to a start element named childName ignoring case (true), stopping at the end element
    // named endName or the end of the stream.
    bool FindChild(const QString& endName, const QString& childName);
    // Reads on to a start element whose attribute equals value ignoring case (true), stopping at the
    // end element named endName or the end of the stream.
    bool FindElementByAttribute(const QString& endName, const QString& value, const QString& attributeName);
    // The attribute of every element that carries the tag of the first named token read, up to the end
    // element named endName; with a filter only values containing it (ignoring case).
    QStringList CollectAttributes(const QString& endName, const QString& attributeName, const QString& filter);

    // Opens device (read-only, text) and reads the whole file, which becomes the reader's input; false
    // (and device closed again) when it cannot be opened or XmlLimits refuses it.
    bool OpenChecked(QFile& device);
    // OpenChecked and finds path in the file; true when the reader stands on the element at path.
    bool OpenPath(QFile& device, const QString& path);

    // The text, or the attribute "Value", of the first element named key inside the element at path.
    QString ReadText(const QString& file, const QString& path, const QString& key);
    QString ReadAttribute(const QString& file, const QString& path, const QString& key);
    // The attribute of every entry of the element at path (see CollectAttributes).
    QStringList ReadAttributeList(const QString& file, const QString& path, const QString& attributeName,
                                  const QString& filter);

protected:
    // FindPath with another rule for whether the start element the reader stands on matches a path entry.
    bool FindPathWhere(const QString& endName, const std::function<bool(const QString& entry)>& matches);

    QStringList m_path;
    QString m_profilePath;
    QString m_codecSpecPath;
    QString m_codecPath;

private:
    enum class Take { Text, Attribute };
    QString ReadValue(const QString& file, const QString& path, const QString& key, Take take);
};
