#include "XmlDocFile.h"

#include "FileUtils.h"
#include "XmlLimits.h"

#include "platform/PrivateFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

XmlDocFile::XmlDocFile(const QString& path) : m_path(path), m_rootName(QFileInfo(path).completeBaseName()) {
    LoadResult result = LoadFile();
    // A damaged file still holds whatever the user had; keep it under another name, start afresh.
    if (result == LoadResult::Damaged && MoveAside())
        result = LoadFile();
    m_loaded = result == LoadResult::Loaded;
}

bool XmlDocFile::Load() {
    m_loaded = LoadFile() == LoadResult::Loaded;
    return m_loaded;
}

XmlDocFile::LoadResult XmlDocFile::LoadFile() {
    if (!CreateIfMissing())
        return LoadResult::Unreadable;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::Unreadable;
    // The stream reader, which reads the values, must accept the file, within the depth and size that
    // every reader holds to: a file too large or too deep is damaged like a truncated one, and the DOM,
    // whose parser and tree recurse, never sees it.
    QByteArray bytes;
    if (!XmlLimits::ReadDevice(file, &bytes))
        return file.error() == QFileDevice::NoError ? LoadResult::Damaged : LoadResult::Unreadable;
    QDomDocument document;
    if (!document.setContent(bytes, false))
        return LoadResult::Damaged;
    if (document.documentElement().tagName().compare(m_rootName, Qt::CaseInsensitive) != 0)
        return LoadResult::Damaged;
    m_doc = document;
    return LoadResult::Loaded;
}

bool XmlDocFile::MoveAside() {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_path, target))
        return false;
    m_asidePath = target;
    return true;
}

bool XmlDocFile::CreateIfMissing() {
    QFileInfo info(m_path);
    if (info.exists())
        return true;
    // A folder the file needs is made the user's alone; one that is there is the caller's and stays as it is.
    if (m_path.isEmpty() || (!info.absoluteDir().exists() && !MakePrivatePath(info.absolutePath())))
        return false;
    QDomDocument document;
    document.appendChild(document.createElement(m_rootName));
    document.insertBefore(document.createProcessingInstruction(QStringLiteral("xml"),
                                                               QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")),
                          document.firstChild());
    return WriteDocument(document, 3);
}

bool XmlDocFile::Save() {
    return m_loaded && WriteDocument(m_doc, 4);
}

bool XmlDocFile::Parse(const QByteArray& bytes, QDomDocument& document) {
    // Both parsers that read the file must accept it, as LoadFile requires.
    return XmlLimits::Check(bytes) && document.setContent(bytes, false);
}

bool XmlDocFile::WriteDocument(const QDomDocument& document, int indent) {
    QByteArray bytes;
    {
        QTextStream stream(&bytes, QIODevice::WriteOnly);
        stream.setCodec("UTF-8");
        document.save(stream, indent, QDomNode::EncodingFromTextStream);
    }
    // The DOM writes whatever it holds, including names and characters that XML forbids; such a file
    // would be unreadable at the next start. Refuse it and keep the file as it is.
    QDomDocument check;
    if (!Parse(bytes, check))
        return false;

    // A file linked from elsewhere is written where the link leads, and the link stays.
    QFileInfo target(m_path);
    for (int depth = 0; target.isSymLink() && depth < 128; ++depth)
        target.setFile(target.symLinkTarget());
    if (target.isSymLink() || target.isDir() || (target.exists() && !target.isWritable()))
        return false;
    // Written beside the target and renamed over it: a crash or a full disk leaves the old file. The settings
    // may hold the proxy's password, so the file is the user's alone from its first byte.
    return platform::replacePrivateFile(target.filePath(), bytes);
}

QDomElement XmlDocFile::FirstDescendant(const QDomElement& parent, const QString& name) {
    if (parent.isNull())
        return QDomElement();
    // Iterative pre-order walk: settings files are flat, but nothing stops a file from being deep.
    QDomNode node = parent.firstChild();
    while (!node.isNull()) {
        if (node.isElement() && node.toElement().tagName().compare(name, Qt::CaseInsensitive) == 0)
            return node.toElement();
        if (node.hasChildNodes()) {
            node = node.firstChild();
            continue;
        }
        while (!node.isNull() && node != parent && node.nextSibling().isNull())
            node = node.parentNode();
        if (node.isNull() || node == parent)
            break;
        node = node.nextSibling();
    }
    return QDomElement();
}

bool XmlDocFile::HasElement(const QString& tag) const {
    const QDomElement root = m_doc.documentElement();
    return !root.isNull() &&
           (root.tagName().compare(tag, Qt::CaseInsensitive) == 0 || !FirstDescendant(root, tag).isNull());
}

QDomElement XmlDocFile::FindOrCreateChild(QDomElement parent, const QString& name, bool reuse,
                                          const QString& attributeName, const QString& attributeValue) {
    if (parent.isNull())
        return QDomElement();
    QDomElement element = reuse ? FirstDescendant(parent, name) : QDomElement();
    if (element.isNull())
        element = parent.appendChild(m_doc.createElement(name)).toElement();
    if (!attributeName.isEmpty())
        element.setAttribute(attributeName, attributeValue);
    return element;
}

QDomElement XmlDocFile::FindOrCreateTextChild(QDomElement parent, const QString& name, bool reuse,
                                              const QString& text) {
    if (parent.isNull())
        return QDomElement();
    QDomElement element = reuse ? FirstDescendant(parent, name) : QDomElement();
    if (element.isNull()) {
        element = parent.appendChild(m_doc.createElement(name)).toElement();
    } else {
        // Whatever the element held (text split by comments, stray children) is replaced, so that the
        // reader, which takes the element's text, gets exactly the value written.
        while (element.hasChildNodes())
            element.removeChild(element.firstChild());
    }
    element.appendChild(m_doc.createTextNode(text));
    return element;
}

QDomElement XmlDocFile::SetOptionText(const QString& parentName, const QString& key, const QString& text, bool reuse) {
    if (!m_loaded)
        return QDomElement();
    QDomElement parent = FindOrCreateChild(RootElement(), parentName, reuse);
    return FindOrCreateTextChild(parent, key, reuse, text);
}

QDomElement XmlDocFile::FindOrCreateChildChecked(QDomElement parent, const QString& name, bool reuse,
                                                 const QString& attributeName, const QString& attributeValue) {
    if (!m_loaded || parent.isNull())
        return QDomElement();
    return FindOrCreateChild(parent, name, reuse, attributeName, attributeValue);
}

QDomElement XmlDocFile::FindOrCreateTextChildChecked(QDomElement parent, const QString& name, const QString& text,
                                                     bool reuse) {
    if (!m_loaded || parent.isNull())
        return QDomElement();
    return FindOrCreateTextChild(parent, name, reuse, text);
}

QDomElement XmlDocFile::AddAttributeChild(const QString& parentName, const QString& key, const QString& attributeName,
                                          const QString& attributeValue, bool reuse) {
    if (!m_loaded)
        return QDomElement();
    QDomElement parent = FindOrCreateChild(RootElement(), parentName, reuse);
    // Only an element of the same key counts as the existing one: a value stored under another key must
    // not swallow this write.
    if (!attributeName.isEmpty() && !attributeValue.isEmpty()) {
        const QDomElement match = FindMatch(parent, attributeName, attributeValue, key);
        if (!match.isNull())
            return match;
    }
    QDomElement element = m_doc.createElement(key);
    if (!attributeName.isEmpty())
        element.setAttribute(attributeName, attributeValue);
    parent.insertBefore(element, parent.firstChild());
    return element;
}

bool XmlDocFile::RemoveChild(QDomElement element, const QString& name) {
    if (!m_loaded)
        return false;
    QDomElement found = FirstDescendant(element, name);
    // Removed from its own parent: the readers find a key at any depth, so removing only direct
    // children would leave a nested one in place to be found again.
    return !found.isNull() && !found.parentNode().removeChild(found).isNull();
}

bool XmlDocFile::RemoveFirstChild(const QString& parentName, const QString& name) {
    if (!m_loaded)
        return false;
    QDomElement parent = FirstDescendant(RootElement(), parentName);
    return !parent.isNull() && RemoveChild(parent, name);
}

bool XmlDocFile::RemoveTopChild(const QString& name) {
    return RemoveChild(RootElement(), name);
}

QDomElement XmlDocFile::FindByAttribute(const QDomNode& node, const QString& attributeName,
                                        const QString& value) const {
    if (!m_loaded || attributeName.isEmpty() || value.isEmpty())
        return QDomElement();
    return FindMatch(node, attributeName, value, QString());
}

QDomElement XmlDocFile::FindMatch(const QDomNode& node, const QString& attributeName, const QString& value,
                                  const QString& tag) {
    if (node.isNull())
        return QDomElement();
    for (QDomElement child = node.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if ((tag.isEmpty() || child.tagName().compare(tag, Qt::CaseInsensitive) == 0) &&
            child.attribute(attributeName).compare(value, Qt::CaseInsensitive) == 0)
            return child;
        const QDomElement inner = FindMatch(child, attributeName, value, tag);
        if (!inner.isNull())
            return inner;
    }
    return QDomElement();
}

QDomElement XmlDocFile::FindByAttributeIfTag(const QString& tag, const QString& attributeName,
                                             const QString& value) const {
    if (!m_loaded || !HasElement(tag))
        return QDomElement();
    return FindByAttribute(RootElement(), attributeName, value);
}

bool XmlDocFile::SetAttributeOfMatch(const QString& tag, const QString& secondTag, const QString& attributeName,
                                     const QString& matchValue, const QString& newValue) {
    if (!m_loaded || !HasElement(tag))
        return false;
    QDomElement element = FindByAttributeIfTag(secondTag, attributeName, matchValue);
    if (element.isNull())
        return false;
    element.setAttribute(attributeName, newValue);
    return true;
}

bool XmlDocFile::SetAttributeOfTagMatch(const QString& tag, const QString& attributeName, const QString& matchValue,
                                        const QString& newValue) {
    return SetAttributeOfMatch(tag, tag, attributeName, matchValue, newValue);
}

bool XmlDocFile::SetSubElementAttribute(const QString& tag, const QString& secondTag, const QString& attributeName,
                                        const QString& matchValue, const QString& subTag,
                                        const QString& subAttributeName, const QString& subValue) {
    if (!m_loaded || !HasElement(tag))
        return false;
    const QDomElement element = FindByAttributeIfTag(secondTag, attributeName, matchValue);
    if (element.isNull())
        return false;
    QDomElement sub = FirstDescendant(element, subTag);
    if (!sub.isNull())
        sub.setAttribute(subAttributeName, subValue);
    return true;
}

bool XmlDocFile::RemoveByAttribute(const QString& tag, const QString& attributeName, const QString& value) {
    if (!m_loaded)
        return false;
    QDomElement container = FirstDescendant(RootElement(), tag);
    QDomElement match = FindByAttribute(container, attributeName, value);
    if (match.isNull() || match.parentNode().removeChild(match).isNull())
        return false;
    if (!container.hasChildNodes())
        container.parentNode().removeChild(container);
    return true;
}
