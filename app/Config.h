#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Base of the program's settings object: the folders that the program builds its paths on and one small
// XML settings file (root named after the file, one element "Options", one element per key). Nothing is
// cached: every read parses the file, every write loads it, changes one element and replaces it
// atomically. A damaged file is kept aside under another name and a fresh one is started.
class Config : public QObject {
    Q_OBJECT
public:
    // Finds the program folder, the per-user data folder and the all-users data folder; the settings
    // file stays unset until SetFile.
    explicit Config(QObject* parent = nullptr);
    // Only the settings file; the folders stay empty.
    explicit Config(const QString& file, QObject* parent = nullptr);

    void SetFile(const QString& path);
    const QString& GetFile() const { return m_file; }

    // A read-only store reads as any other and never touches the file: every write is refused (false) and
    // a damaged file stays where it is.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsReadOnly() const { return m_readOnly; }

    // Options/key := value. False when the file could not be read or written; the old file then stays.
    bool SetValue(const QString& key, const QString& value);
    // The text of the first element named key inside "Options" (any letter case); empty when missing.
    QString GetValue(const QString& key) const;

    // Attribute form: elements key with attribute "Value" under "Options", the most recently set first.
    bool SetValueAttribute(const QString& key, const QString& value);
    QString GetValueAttribute(const QString& key) const;

    // List form: one element key (attribute "Value") holding one "List" child per entry.
    bool SetList(const QString& key, const QString& value, const QStringList& list);
    QStringList GetList(const QString& key) const;

protected:
    QString m_programDir;      // absolute, ending in a separator
    QString m_userDataDir;     // per-user data location, native, ending in a separator
    QString m_allUsersDataDir; // system-wide data location, native, ending in a separator; may be empty
    QString m_file;            // the settings file, native separators
    bool m_readOnly = false;
};
