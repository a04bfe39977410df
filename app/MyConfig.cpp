#include "MyConfig.h"

#include "EditionData.h"
#include "FileUtils.h"

#include "platform/PrivateFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

MyConfig* gConfig = nullptr;

namespace {

const QString kIsFirstRun = QStringLiteral("IsFirstRun");
const QString kIsDeleteFile = QStringLiteral("isIsDeleteFile");
const QString kLanguage = QStringLiteral("Language");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kSkipVersion = QStringLiteral("SkipVersion");
const QString kDownloadPath = QStringLiteral("DownloadPath");
const QString kUpdateUrl = QStringLiteral("UpdateUrl");
const QString kImagePath = QStringLiteral("ImagePath");
const QString kShowTips = QStringLiteral("ShowTips");
const QString kProxyName = QStringLiteral("Name");
const QString kProxyPassword = QStringLiteral("Password");
const QString kProxyHost = QStringLiteral("Host");
const QString kProxyPort = QStringLiteral("Port");
const QString kProxySwitch = QStringLiteral("ProxySwitch");
const QString kProxyType = QStringLiteral("ProxyType");
const QString kCustomName = QStringLiteral("CustomName");
const QString kCustomEmail = QStringLiteral("CustomEmail");

// What the settings take from the edition data.
struct EditionValues {
    QString dataSubDir;
    QString language;
    QString brand;
    QString productName;
    QString updateUrl;
};

EditionValues editionValues(const MyApplicationData* edition) {
    if (!edition)
        return {};
    return {ToNativeSeparators(edition->DataSubDir), edition->Language, edition->Brand, edition->ProductName,
            edition->UpdateUrl};
}

} // namespace

MyConfig::MyConfig(QObject* parent) : MyConfig(Access::ReadWrite, parent) {}

MyConfig::MyConfig(Access access, QObject* parent) : Config(parent) {
    SetReadOnly(access == Access::ReadOnly);
    Load(gAppData);
}

MyConfig::MyConfig(const MyApplicationData& edition, QObject* parent) : MyConfig(edition, Access::ReadWrite, parent) {}

MyConfig::MyConfig(const MyApplicationData& edition, Access access, QObject* parent) : Config(parent) {
    SetReadOnly(access == Access::ReadOnly);
    Load(&edition);
}

MyConfig::~MyConfig() {
    SaveAll();
}

void MyConfig::Load(const MyApplicationData* editionData) {
    const EditionValues edition = editionValues(editionData);

    m_userDataDir += edition.dataSubDir;
    SetFile(m_userDataDir + QStringLiteral("config.xml"));
    // The settings (a proxy password among them), the logs and the bug report are the user's alone, also where
    // an earlier version left them open to everyone.
    if (!IsReadOnly()) {
        MakePrivatePath(m_userDataDir);
        if (QFileInfo::exists(GetFile()))
            platform::makePrivate(GetFile());
    }
    // Without a system data folder there is nothing to append to; a bare sub-folder would be relative.
    if (!m_allUsersDataDir.isEmpty()) {
        m_allUsersDataDir += edition.dataSubDir;
        MakeFolder(m_allUsersDataDir); // usually not writable for a user: then simply missing
    }
    m_programDir = ToNativeSeparators(m_programDir);
    m_programDirCopy = m_programDir;

    m_isFirstRun = ReadValue(kIsFirstRun, QStringLiteral("1")) == QLatin1String("1");
    // Read-only, the mark stays unwritten: the user's own first start is still to come.
    if (m_isFirstRun && !IsReadOnly()) {
        WriteValue(kIsFirstRun, QStringLiteral("0"), true);
        WriteValue(kIsDeleteFile, QStringLiteral("0"), true);
    }
    m_isDeleteFile = ReadValue(kIsDeleteFile, QStringLiteral("0")).toInt();
    m_language = ReadValue(kLanguage, edition.language);

    QString documents = QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation).value(0);
    if (documents.isEmpty())
        documents = m_programDir;
    documents = WithTrailingSeparator(documents);
    if (!edition.brand.isEmpty())
        documents += edition.brand + QDir::separator();
    documents += edition.productName + QDir::separator();
    MakeFolder(documents);

    m_width = ReadValue(kWidth, QStringLiteral("0")).toInt();
    m_height = ReadValue(kHeight, QStringLiteral("0")).toInt();
    m_skipVersion = ReadValue(kSkipVersion, QString());

    const QString defaultDownloadPath = documents + QStringLiteral("firmware");
    MakeFolder(defaultDownloadPath);
    m_downloadPath = ReadValue(kDownloadPath, defaultDownloadPath);
    m_updateUrl = ReadValue(kUpdateUrl, edition.updateUrl);
}

void MyConfig::MakeFolder(const QString& path) const {
    if (!IsReadOnly())
        MakePath(path);
}

bool MyConfig::SaveAll() {
    // Every write is attempted, whatever the one before it gave.
    bool saved = SetValue(kLanguage, m_language);
    saved = SetValue(kImagePath, m_imagePath) && saved;
    saved = SetValue(kSkipVersion, m_skipVersion) && saved;
    saved = SetValue(kWidth, QString::number(m_width)) && saved;
    saved = SetValue(kHeight, QString::number(m_height)) && saved;
    saved = SetValue(kDownloadPath, m_downloadPath) && saved;
    return saved;
}

QString MyConfig::ReadValue(const QString& key, const QString& defaultValue) const {
    const QString value = GetValue(key);
    return value.isEmpty() ? defaultValue : value;
}

bool MyConfig::WriteValue(const QString& key, const QString& value, bool save) {
    return !save || SetValue(key, value);
}

bool MyConfig::SetLanguage(const QString& value, bool save) {
    m_language = value;
    return WriteValue(kLanguage, value, save);
}

bool MyConfig::SetSkipVersion(const QString& value, bool save) {
    m_skipVersion = value;
    return WriteValue(kSkipVersion, value, save);
}

bool MyConfig::SetDownloadPath(const QString& value, bool save) {
    m_downloadPath = value;
    return WriteValue(kDownloadPath, value, save);
}

bool MyConfig::SetCustomName(const QString& value, bool save) {
    m_customName = value;
    return WriteValue(kCustomName, value, save);
}

bool MyConfig::SetCustomEmail(const QString& value, bool save) {
    m_customEmail = value;
    return WriteValue(kCustomEmail, value, save);
}

bool MyConfig::SetProxyName(const QString& value, bool save) {
    m_proxyName = value;
    return WriteValue(kProxyName, value, save);
}

bool MyConfig::SetProxyPassword(const QString& value, bool save) {
    m_proxyPassword = value;
    return WriteValue(kProxyPassword, value, save);
}

bool MyConfig::SetProxyHost(const QString& value, bool save) {
    m_proxyHost = value;
    return WriteValue(kProxyHost, value, save);
}

bool MyConfig::SetProxyPort(const QString& value, bool save) {
    m_proxyPort = value;
    return WriteValue(kProxyPort, value, save);
}

bool MyConfig::SetProxySwitch(int value, bool save) {
    m_proxySwitch = value;
    return WriteValue(kProxySwitch, QString::number(value), save);
}

bool MyConfig::SetProxyType(int value, bool save) {
    m_proxyType = value;
    return WriteValue(kProxyType, QString::number(value), save);
}

bool MyConfig::SetShowTips(const bool& value, bool save) {
    m_showTips = value;
    return WriteValue(kShowTips, value ? QStringLiteral("1") : QStringLiteral("0"), save);
}

bool MyConfig::SetWidth(int value) {
    m_width = value;
    return WriteValue(kWidth, QString::number(value), true);
}

bool MyConfig::SetHeight(int value) {
    m_height = value;
    return WriteValue(kHeight, QString::number(value), true);
}

bool MyConfig::SetIsDeleteFile(int value) {
    m_isDeleteFile = value;
    return WriteValue(kIsDeleteFile, QString::number(value), true);
}

QString MyConfig::GetValueAttribute(const QString& key, const QString& defaultValue) const {
    const QString value = Config::GetValueAttribute(key);
    return value.isEmpty() ? defaultValue : value;
}

QStringList MyConfig::GetList(const QString& key, const QStringList& defaultList) const {
    const QStringList list = Config::GetList(key);
    return list.isEmpty() ? defaultList : list;
}

bool MyConfig::SetValueAttribute(const QString& key, const QString& value, bool save) {
    return save && Config::SetValueAttribute(key, value);
}

bool MyConfig::SetList(const QString& key, const QString& value, const QStringList& list, bool save) {
    return save && Config::SetList(key, value, list);
}

QString MyConfig::PickFromList(const QStringList& list, const QString& value) {
    return list.contains(value) ? value : list.value(0);
}

namespace {

// An IPv6 address as a web address writes it, in brackets, is taken without them: Qt looks a bracketed name up
// as a host name and finds none.
QString ProxyHostName(const QString& host) {
    const QString name = host.trimmed();
    if (name.size() > 2 && name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')) &&
        name.contains(QLatin1Char(':')))
        return name.mid(1, name.size() - 2);
    return host;
}

} // namespace

QNetworkProxy ApplyConfigProxy(const MyConfig& config) {
    QNetworkProxy proxy;
    proxy.setHostName(ProxyHostName(config.GetProxyHost()));
    proxy.setPort(config.GetProxyPort().toUShort()); // 0 when it is no port number
    proxy.setUser(config.GetProxyName());
    proxy.setPassword(config.GetProxyPassword());

    QNetworkProxy::ProxyType type = QNetworkProxy::NoProxy;
    if (config.GetProxySwitch() == 1) {
        switch (config.GetProxyType()) {
        case 0:
            type = QNetworkProxy::HttpProxy;
            break;
        case 1:
            type = QNetworkProxy::Socks5Proxy;
            break;
        case 2:
            type = QNetworkProxy::HttpCachingProxy;
            break;
        case 3:
            type = QNetworkProxy::FtpCachingProxy;
            break;
        default:
            break;
        }
    }
    proxy.setType(type);
    return proxy;
}
