#include "Config.h"

#include "FileUtils.h"
#include "XmlDocFile.h"
#include "XmlPathReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kValue = QStringLiteral("Value");

// The all-users folder: the first of the system's shared data folders (XDG_DATA_DIRS), which an ordinary
// user usually cannot write to; the settings then simply do without it.
QString systemDataLocation() {
    const QString userLocation = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& location : locations) {
        if (QDir::cleanPath(location) != QDir::cleanPath(userLocation))
            return location;
    }
    return QString();
}

} // namespace

Config::Config(QObject* parent)
    : QObject(parent), m_programDir(WithTrailingSeparator(QDir(QCoreApplication::applicationDirPath()).absolutePath())),
      m_userDataDir(WithTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))),
      m_allUsersDataDir(WithTrailingSeparator(systemDataLocation())) {}

Config::Config(const QString& file, QObject* parent) : QObject(parent), m_file(ToNativeSeparators(file)) {}

void Config::SetFile(const QString& path) {
    m_file = ToNativeSeparators(path);
}

bool Config::SetValue(const QString& key, const QString& value) {
    if (key.isEmpty() || m_readOnly)
        return false;
    XmlDocFile doc(m_file);
    return !doc.SetOptionText(kOptions, key, value, true).isNull() && doc.Save();
}

QString Config::GetValue(const QString& key) const {
    XmlPathReader reader;
    return reader.ReadText(m_file, kOptions, key);
}

bool Config::SetValueAttribute(const QString& key, const QString& value) {
    if (key.isEmpty() || m_readOnly)
        return false;
    XmlDocFile doc(m_file);
    QDomElement element = doc.AddAttributeChild(kOptions, key, kValue, value, true);
    if (element.isNull())
        return false;
    // A value set again becomes the newest, so that the read (which takes the first) returns it as given.
    element.setAttribute(kValue, value);
    QDomNode parent = element.parentNode();
    if (parent.firstChild() != element)
        parent.insertBefore(element, parent.firstChild());
    return doc.Save();
}

QString Config::GetValueAttribute(const QString& key) const {
    XmlPathReader reader;
    return reader.ReadAttribute(m_file, kOptions, key);
}

bool Config::SetList(const QString& key, const QString& value, const QStringList& list) {
    if (key.isEmpty() || m_readOnly)
        return false;
    XmlDocFile doc(m_file);
    if (!doc.IsLoaded())
        return false;
    doc.RemoveFirstChild(kOptions, key);
    QDomElement options = doc.FindOrCreateChild(doc.RootElement(), kOptions, true);
    QDomElement element = doc.FindOrCreateChild(options, key, true, kValue, value);
    for (const QString& entry : list)
        doc.FindOrCreateChild(element, QStringLiteral("List"), false, kValue, entry);
    return doc.Save();
}

QStringList Config::GetList(const QString& key) const {
    if (key.isEmpty())
        return QStringList();
    XmlPathReader reader;
    return reader.ReadAttributeList(m_file, key, kValue, QString());
}
