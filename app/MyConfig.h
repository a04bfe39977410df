#pragma once

#include "Config.h"

#include <QNetworkProxy>
#include <QString>
#include <QStringList>

class MyApplicationData;

// The program's settings: "config.xml" in the per-user data folder, every key read once at construction
// with its default and kept in members. Setters take a save flag: the member always changes, the file only
// when the flag is set; their result is false only when a write was asked for and failed. Six settings
// are written back when the object is destroyed (SaveAll). Also the folders the program builds its paths
// on, each ending in a separator.
class MyConfig : public Config {
    Q_OBJECT
public:
    // ReadOnly: the settings are read with the same defaults, but nothing reaches the disk, neither the
    // first-run mark nor the folders nor the values written at destruction; every write asked for fails.
    // For a run that is not the user's own start (the statistics mode an installer calls), which must
    // leave the settings as it found them.
    enum class Access { ReadWrite, ReadOnly };

    // Takes the edition's data sub-folder, language and product names from the process-wide edition data.
    explicit MyConfig(QObject* parent = nullptr);
    explicit MyConfig(Access access, QObject* parent = nullptr);
    // The same from the given edition data.
    explicit MyConfig(const MyApplicationData& edition, QObject* parent = nullptr);
    MyConfig(const MyApplicationData& edition, Access access, QObject* parent = nullptr);
    ~MyConfig() override;

    // Writes the settings kept in memory: Language, ImagePath, SkipVersion, Width, Height, DownloadPath.
    // False when any of the writes failed (the others are still made), and always when read-only.
    bool SaveAll();

    const QString& GetDataDir() const { return m_userDataDir; }
    const QString& GetAllUsersDataDir() const { return m_allUsersDataDir; }
    const QString& GetAppDir() const { return m_programDir; }
    const QString& GetProgramDir() const { return m_programDirCopy; }

    bool IsFirstRun() const { return m_isFirstRun; }
    QString GetLanguage() const { return m_language; }
    QString GetUpdateUrl() const { return m_updateUrl; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    const int& GetIsDeleteFile() const { return m_isDeleteFile; }
    const bool& GetShowTips() const { return m_showTips; }
    const QString& GetSkipVersion() const { return m_skipVersion; }
    const QString& GetDownloadPath() const { return m_downloadPath; }
    const QString& GetCustomName() const { return m_customName; }
    const QString& GetCustomEmail() const { return m_customEmail; }
    const QString& GetProxyName() const { return m_proxyName; }
    const QString& GetProxyPassword() const { return m_proxyPassword; }
    const QString& GetProxyHost() const { return m_proxyHost; }
    const QString& GetProxyPort() const { return m_proxyPort; }
    int GetProxySwitch() const { return m_proxySwitch; }
    int GetProxyType() const { return m_proxyType; }

    bool SetLanguage(const QString& value, bool save);
    bool SetSkipVersion(const QString& value, bool save);
    bool SetDownloadPath(const QString& value, bool save);
    bool SetCustomName(const QString& value, bool save);
    bool SetCustomEmail(const QString& value, bool save);
    bool SetProxyName(const QString& value, bool save);
    bool SetProxyPassword(const QString& value, bool save);
    bool SetProxyHost(const QString& value, bool save);
    bool SetProxyPort(const QString& value, bool save);
    bool SetProxySwitch(int value, bool save);
    bool SetProxyType(int value, bool save);
    bool SetShowTips(const bool& value, bool save);
    // Always written at once.
    bool SetWidth(int value);
    bool SetHeight(int value);
    bool SetIsDeleteFile(int value);

    // The stored value, or defaultValue when it is missing or empty.
    QString ReadValue(const QString& key, const QString& defaultValue) const;
    // Stores the value when save is set; false only when that write failed.
    bool WriteValue(const QString& key, const QString& value, bool save);

    QString GetValueAttribute(const QString& key, const QString& defaultValue) const;
    QStringList GetList(const QString& key, const QStringList& defaultList) const;
    // Written only when save is set; false otherwise or when the write failed.
    bool SetValueAttribute(const QString& key, const QString& value, bool save);
    bool SetList(const QString& key, const QString& value, const QStringList& list, bool save);
    // value when the list holds it, else the list's first entry ("" for an empty list).
    static QString PickFromList(const QStringList& list, const QString& value);

private:
    void Load(const MyApplicationData* edition);
    // MakePath, unless read-only.
    void MakeFolder(const QString& path) const;

    QString m_programDirCopy;
    QString m_language;
    int m_width = 0;
    int m_height = 0;
    bool m_isFirstRun = false;
    QString m_skipVersion;
    int m_isDeleteFile = 0;
    QString m_imagePath;
    bool m_showTips = false;
    QString m_proxyName;
    QString m_proxyPassword;
    QString m_proxyHost;
    QString m_proxyPort;
    int m_proxySwitch = 0;
    int m_proxyType = 0;
    QString m_customName;
    QString m_customEmail;
    QString m_downloadPath;
    QString m_updateUrl;
};

// The process-wide settings object: made by start-up, deleted by the application object.
extern MyConfig* gConfig;

// The proxy the user's settings describe; NoProxy unless the proxy switch is 1 and the type is known.
QNetworkProxy ApplyConfigProxy(const MyConfig& config);
