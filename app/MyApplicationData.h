#pragma once

#include "AppDataParams.h"

#include <QDomDocument>
#include <QDomElement>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

// The product's fixed identity read from the embedded edition configuration: names, version, data folders
// and web links, the links possibly overridden per language.
class MyApplicationData {
public:
    using KeyMap = QMap<QString, QString>;

    explicit MyApplicationData(AppDataParams params);
    virtual ~MyApplicationData();

    MyApplicationData(const MyApplicationData&) = delete;
    MyApplicationData& operator=(const MyApplicationData&) = delete;

    // Switches the language and reads the language-dependent links again; false when nothing changed.
    virtual bool SetLanguage(const QString& language);

    bool Load();
    bool Read();
    KeyMap GetLanguageMap(const QString& language);
    KeyMap ParseEdition(const QDomElement& edition);
    QDomElement FindEditionElement(const QString& tagName) const;
    static QDomElement FindChildByType(const QDomNode& node, const QString& type);

    QUrl MakeLink(const QString& link) const;
    QString MakeStatisticsLink(const QString& link) const;

    QString ResourcePath;
    QString Platform;
    QString Brand;
    QString Language;
    QStringList Languages;
    QString Product;

    QString Email;
    QString FullProductName;
    QString ProductName;
    QString Version;
    QString UpdateName;
    QString CopyrightTime;
    QString Dir;
    QString RegName;
    QString DataSubDir;
    QString OldDataSubDir;
    QString Stalink;
    // The address the update query is appended to.
    QString UpdateServer;
    QString UpdateUrl; // the patch updater's rules file, the default of the setting

    QString Home;
    QString DownloadHomePage;
    QString Intel;
    QString AMD;
    QString Nvidia;
    QString Support;
    QString Googleplus;
    QString Facebook;
    QString Twitter;
    QString Youtube;
    QString Tutorial;
    QString Rate;
    QString CustomerServiceCenter;

    QDomDocument Document;
    bool Loaded = false;
    KeyMap BaseKeys;
    QMap<QString, KeyMap> LanguageKeys;

protected:
    virtual bool ReadLinks(const KeyMap& keys);
    virtual bool ReadGeneral(const KeyMap& keys);

private:
    KeyMap OverlayLanguage(const QString& language);
    QString MakeFullProductName() const;
    QString MakeSubDir(const QString& folder) const;
};
