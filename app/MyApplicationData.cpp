#include "MyApplicationData.h"

#include "XmlLimits.h"

#include <QDir>
#include <QUrlQuery>

#include <utility>

namespace {

const char kLanguageQueryItem[] = "lang";
const char kVersionQueryItem[] = "ver";

QDomElement FirstDescendant(const QDomElement& parent, const QString& tagName) {
    if (parent.isNull() || tagName.isEmpty())
        return {};
    return parent.elementsByTagName(tagName).item(0).toElement();
}

MyApplicationData::KeyMap ChildKeys(const QDomElement& parent) {
    MyApplicationData::KeyMap keys;
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        keys.insert(child.tagName().trimmed(), child.text().trimmed());
    return keys;
}

} // namespace

MyApplicationData::MyApplicationData(AppDataParams params)
    : ResourcePath(params.ResourcePath), Platform(params.Platform), Brand(params.Brand), Language(params.Language),
      Languages(params.Languages), Product(params.Product) {
    Load();
}

MyApplicationData::~MyApplicationData() = default;

bool MyApplicationData::Load() {
    Loaded = false;
    QByteArray bytes;
    if (!XmlLimits::ReadFile(ResourcePath, &bytes) || !Document.setContent(bytes, false))
        return false;
    Loaded = Document.documentElement().tagName().compare(QLatin1String("Configuration"), Qt::CaseInsensitive) == 0;
    return Loaded;
}

bool MyApplicationData::Read() {
    const KeyMap keys = GetLanguageMap(QString());
    if (!ReadGeneral(keys))
        return false;
    ReadLinks(keys);
    return true;
}

bool MyApplicationData::SetLanguage(const QString& language) {
    if (language.isEmpty() || language == Language)
        return false;
    Language = language;
    return ReadLinks(GetLanguageMap(Language));
}

MyApplicationData::KeyMap MyApplicationData::GetLanguageMap(const QString& language) {
    KeyMap keys = OverlayLanguage(language);
    if (keys.isEmpty())
        keys = ParseEdition(FindEditionElement(QStringLiteral("EditionInfo")));
    return keys;
}

// The base keys with the language's own block laid over them. Kept apart from GetLanguageMap so that parsing
// an edition without any key cannot send the lookup back into parsing again and again.
MyApplicationData::KeyMap MyApplicationData::OverlayLanguage(const QString& language) {
    KeyMap keys = BaseKeys;
    if (language.isEmpty() || !Languages.contains(language))
        return keys;
    Language = language;
    if (!LanguageKeys.isEmpty()) {
        KeyMap block = LanguageKeys.value(Language);
        if (block.isEmpty())
            block = LanguageKeys.value(QStringLiteral("en"));
        for (auto it = block.cbegin(); it != block.cend(); ++it)
            keys.insert(it.key(), it.value());
    }
    return keys;
}

MyApplicationData::KeyMap MyApplicationData::ParseEdition(const QDomElement& edition) {
    if (edition.isNull())
        return {};
    BaseKeys.clear();
    LanguageKeys.clear();
    for (QDomElement child = edition.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString tag = child.tagName().trimmed();
        if (child.firstChild().isText())
            BaseKeys.insert(tag, child.text().trimmed());
        else if (Languages.contains(tag))
            LanguageKeys.insert(tag, ChildKeys(child));
    }
    return OverlayLanguage(Language);
}

QDomElement MyApplicationData::FindEditionElement(const QString& tagName) const {
    if (!Loaded || Document.isNull() || Platform.isEmpty() || Product.isEmpty())
        return {};

    QDomElement element = FirstDescendant(Document.documentElement(), tagName);
    element = FirstDescendant(element, Platform);
    if (!Brand.isEmpty())
        element = FirstDescendant(element, Brand);
    if (element.isNull())
        return {};

    const QString level = Languages.size() > 1 ? QStringLiteral("ml") : Language;
    QDomElement searchRoot = element;
    if (!level.isEmpty()) {
        searchRoot = QDomElement();
        for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
            if (child.tagName().compare(level, Qt::CaseInsensitive) == 0) {
                searchRoot = child;
                break;
            }
        }
        if (searchRoot.isNull())
            return {};
    }

    const QDomNodeList editions = searchRoot.elementsByTagName(QStringLiteral("Edition"));
    for (int i = 0; i < editions.size(); ++i) {
        const QDomElement edition = editions.item(i).toElement();
        if (edition.attribute(QStringLiteral("Type")).compare(Product, Qt::CaseInsensitive) == 0)
            return edition;
    }
    return {};
}

QDomElement MyApplicationData::FindChildByType(const QDomNode& node, const QString& type) {
    for (QDomElement child = node.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.attribute(QStringLiteral("Type")).compare(type, Qt::CaseInsensitive) == 0)
            return child;
    }
    return {};
}

bool MyApplicationData::ReadGeneral(const KeyMap& keys) {
    if (keys.isEmpty())
        return false;
    CopyrightTime = keys.value(QStringLiteral("CopyrightTime"));
    Version = keys.value(QStringLiteral("Version"));
    RegName = keys.value(QStringLiteral("RegName"));
    UpdateName = keys.value(QStringLiteral("UpdateName"));
    UpdateServer = keys.value(QStringLiteral("UpdateServer"));
    UpdateUrl = keys.value(QStringLiteral("UpdateUrl"));
    ProductName = keys.value(QStringLiteral("ProductName"));
    FullProductName = MakeFullProductName();
    Dir = keys.value(QStringLiteral("Dir"));
    if (Dir.isEmpty())
        Dir = ProductName;
    QString oldDir = keys.value(QStringLiteral("OldDir"));
    if (oldDir.isEmpty())
        oldDir = ProductName;
    DataSubDir = MakeSubDir(Dir);
    OldDataSubDir = MakeSubDir(oldDir);
    return true;
}

bool MyApplicationData::ReadLinks(const KeyMap& keys) {
    if (keys.isEmpty())
        return false;
    Email = keys.value(QStringLiteral("Email"));
    ProductName = keys.value(QStringLiteral("ProductName"));
    FullProductName = MakeFullProductName();
    Stalink = MakeStatisticsLink(keys.value(QStringLiteral("Stalink")));
    // The web links, in the order they have always been read.
    static const std::pair<const char*, QString MyApplicationData::*> links[] = {
        {"Home", &MyApplicationData::Home},
        {"Support", &MyApplicationData::Support},
        {"Tutorial", &MyApplicationData::Tutorial},
        {"Rate", &MyApplicationData::Rate},
        {"CustomerServiceCenter", &MyApplicationData::CustomerServiceCenter},
        {"DownloadHomePage", &MyApplicationData::DownloadHomePage},
        {"Intel", &MyApplicationData::Intel},
        {"AMD", &MyApplicationData::AMD},
        {"Nvidia", &MyApplicationData::Nvidia},
        {"Googleplus", &MyApplicationData::Googleplus},
        {"Facebook", &MyApplicationData::Facebook},
        {"Twitter", &MyApplicationData::Twitter},
        {"Youtube", &MyApplicationData::Youtube},
    };
    for (const auto& link : links)
        this->*link.second = keys.value(QLatin1String(link.first));
    return true;
}

QString MyApplicationData::MakeFullProductName() const {
    if (!Brand.isEmpty() && Brand.compare(ProductName, Qt::CaseInsensitive) != 0)
        return Brand + QLatin1Char(' ') + ProductName;
    return ProductName;
}

QString MyApplicationData::MakeSubDir(const QString& folder) const {
    const QChar separator = QDir::separator();
    return (Brand.isEmpty() ? QString() : Brand + separator) + folder + separator;
}

QString MyApplicationData::MakeStatisticsLink(const QString& link) const {
    if (link.isEmpty())
        return link;
    QUrl url(link);
    QUrlQuery query(url);
    if (!query.hasQueryItem(QLatin1String(kVersionQueryItem)))
        query.addQueryItem(QLatin1String(kVersionQueryItem), Version);
    if (!query.hasQueryItem(QLatin1String(kLanguageQueryItem)))
        query.addQueryItem(QLatin1String(kLanguageQueryItem), Language);
    url.setQuery(query);
    return url.toString();
}

QUrl MyApplicationData::MakeLink(const QString& link) const {
    QUrl url(link);
    if (Languages.size() <= 1 || link.isEmpty())
        return url;
    QUrlQuery query(url);
    if (!query.hasQueryItem(QLatin1String(kLanguageQueryItem))) {
        query.addQueryItem(QLatin1String(kLanguageQueryItem), Language);
        url.setQuery(query);
    }
    return url;
}
