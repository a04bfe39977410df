#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>

// A DOM handle on one small XML file whose root element is named after the file's base name
// ("config" for "config.xml"). Made on the stack for one change: load, edit, Save().
//
// The file is the user's data, so the handle never deletes it: a file that cannot be parsed, is refused
// by XmlLimits (too deep, too large) or has a foreign root is renamed aside (see SetAsidePath) and a
// fresh one takes its place, and Save() replaces the file atomically, leaving the previous version intact
// when the write fails. Element names are matched ignoring case everywhere, as the streaming reader
// (XmlPathReader) does, so a key written in another letter case is found and updated rather than
// duplicated.
//
// Every editing operation yields a null element or false while the handle is not loaded.
class XmlDocFile {
public:
    explicit XmlDocFile(const QString& path);
    XmlDocFile(const XmlDocFile&) = delete;
    XmlDocFile& operator=(const XmlDocFile&) = delete;

    // Parses the file (creating an empty one first when it is missing); false when it cannot be read,
    // cannot be parsed or has another root. Changes to the document reach the file only through Save().
    bool Load();
    // Writes a file holding the declaration and an empty root unless the file exists; false when the
    // file is missing afterwards.
    bool CreateIfMissing();
    // Replaces the file atomically with the document; false (and the old file untouched) when the write
    // fails or the document would not read back (a name or character that XML forbids).
    bool Save();

    bool IsLoaded() const { return m_loaded; }
    const QString& FilePath() const { return m_path; }
    const QString& RootName() const { return m_rootName; }
    // Where a damaged file was moved by the constructor; empty when none was.
    const QString& SetAsidePath() const { return m_asidePath; }

    QDomDocument Document() const { return m_doc; }
    QDomElement RootElement() const { return m_doc.documentElement(); }

    // With reuse: the first descendant of parent named name, or a new last child of parent. Without:
    // always a new last child. A non-empty attribute name is set to the value on the result.
    QDomElement FindOrCreateChild(QDomElement parent, const QString& name, bool reuse,
                                  const QString& attributeName = QString(), const QString& attributeValue = QString());
    // As FindOrCreateChild, the element's text made text.
    QDomElement FindOrCreateTextChild(QDomElement parent, const QString& name, bool reuse, const QString& text);
    // root/parentName/key := text.
    QDomElement SetOptionText(const QString& parentName, const QString& key, const QString& text, bool reuse);
    QDomElement FindOrCreateChildChecked(QDomElement parent, const QString& name, bool reuse,
                                         const QString& attributeName = QString(),
                                         const QString& attributeValue = QString());
    QDomElement FindOrCreateTextChildChecked(QDomElement parent, const QString& name, const QString& text, bool reuse);
    // Under root/parentName: the element named key whose attribute equals the value (ignoring case), or
    // a new element key inserted as the first child.
    QDomElement AddAttributeChild(const QString& parentName, const QString& key, const QString& attributeName,
                                  const QString& attributeValue, bool reuse);
    // Removes the first descendant named name of the root's first descendant named parentName.
    bool RemoveFirstChild(const QString& parentName, const QString& name);
    // Removes the first descendant of element named name; true when one was removed.
    bool RemoveChild(QDomElement element, const QString& name);
    bool RemoveTopChild(const QString& name);

    // Depth-first, in document order, below node: the first element whose attribute equals value
    // ignoring case. Empty attribute name or value matches nothing.
    QDomElement FindByAttribute(const QDomNode& node, const QString& attributeName, const QString& value) const;
    // FindByAttribute over the whole document, provided an element named tag exists.
    QDomElement FindByAttributeIfTag(const QString& tag, const QString& attributeName, const QString& value) const;
    bool SetAttributeOfMatch(const QString& tag, const QString& secondTag, const QString& attributeName,
                             const QString& matchValue, const QString& newValue);
    bool SetAttributeOfTagMatch(const QString& tag, const QString& attributeName, const QString& matchValue,
                                const QString& newValue);
    // The element found as in SetAttributeOfMatch gets subAttributeName := subValue on its first
    // descendant named subTag; true when the element was found.
    bool SetSubElementAttribute(const QString& tag, const QString& secondTag, const QString& attributeName,
                                const QString& matchValue, const QString& subTag, const QString& subAttributeName,
                                const QString& subValue);
    // Removes the element found by FindByAttribute below the root's first descendant named tag; the tag
    // element goes too when it is left empty.
    bool RemoveByAttribute(const QString& tag, const QString& attributeName, const QString& value);

    static QDomElement NullElement() { return QDomElement(); }

    // The first descendant of parent (document order) whose tag equals name ignoring case.
    static QDomElement FirstDescendant(const QDomElement& parent, const QString& name);

private:
    enum class LoadResult { Loaded, Unreadable, Damaged };

    LoadResult LoadFile();
    bool MoveAside();
    bool HasElement(const QString& tag) const;
    // Depth-first below node: the first element (named tag, unless tag is empty) whose attribute equals
    // value ignoring case.
    static QDomElement FindMatch(const QDomNode& node, const QString& attributeName, const QString& value,
                                 const QString& tag);
    static bool Parse(const QByteArray& bytes, QDomDocument& document);
    bool WriteDocument(const QDomDocument& document, int indent);

    QString m_path;
    QString m_rootName;
    QDomDocument m_doc;
    bool m_loaded = false;
    QString m_asidePath;
};
