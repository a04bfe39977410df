#include "EditionData.h"

#include "Language.h"

MendraData* gAppData = nullptr;

bool LoadEditionData() {
    AppDataParams params;
    params.ResourcePath = QStringLiteral(":/Tavik/Resources/Edition/Configuration.xml");
    params.Platform = GetPlatformName();
    params.Brand = QStringLiteral("Tavik");
    params.Product = QStringLiteral("Mendra");
    params.Language = GetStartupLanguage();
    params.Languages = GetSupportedLanguages();
    delete gAppData;
    gAppData = new MendraData(params);
    return gAppData->Read();
}

void FreeEditionData() {
    delete gAppData;
    gAppData = nullptr;
}

QStringList GetSupportedLanguages() {
    return {QStringLiteral("zh"), QStringLiteral("en"), QStringLiteral("fr"), QStringLiteral("jp"),
            QStringLiteral("de")};
}

QString GetStartupLanguage() {
    const QString language = SystemLanguageCode();
    const QStringList supported = GetSupportedLanguages();
    if (!language.isEmpty() && !supported.contains(language))
        return supported.at(1);
    return language;
}

// The edition configuration names its blocks after the platform the edition was made for; this build reads
// the desktop edition's block.
QString GetPlatformName() {
    return QStringLiteral("Win");
}

QString GetEditionVersion() {
    return gAppData ? gAppData->Version : QString();
}
