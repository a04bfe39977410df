#include "ApplicationFonts.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>

namespace {

// Families made for the language's script, best first. Each inner list is searched in the font database's
// order, so families of different rank must sit in different lists.
QList<QStringList> ScriptFamilies(const QString& language) {
    if (language == QLatin1String("jp"))
        return {{QStringLiteral("Meiryo UI"), QStringLiteral("Yu Gothic UI")}, {QStringLiteral("Noto Sans CJK JP")}};
    if (language == QLatin1String("zh"))
        return {{ChineseUiFontFamily()}, {QStringLiteral("Noto Sans CJK SC")}};
    return {{QStringLiteral("Segoe UI")}};
}

QList<QStringList> CommonFamilies() {
    return {{QStringLiteral("Noto Sans")}, {QStringLiteral("DejaVu Sans")}};
}

QString FirstInstalledOf(const QList<QStringList>& ranks) {
    for (const QStringList& candidates : ranks) {
        const QString family = FirstInstalledFamily(candidates);
        if (!family.isEmpty())
            return family;
    }
    return {};
}

QString FamilyFromFile(const QString& fontFile) {
    if (!QFileInfo::exists(fontFile))
        return {};
    const int id = QFontDatabase::addApplicationFont(fontFile);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

} // namespace

QString ChineseUiFontFamily() {
    return QString::fromUtf16(u"\u5FAE\u8F6F\u96C5\u9ED1");
}

QString FirstInstalledFamily(const QStringList& candidates) {
    const QStringList installed = QFontDatabase().families(QFontDatabase::Any);
    for (const QString& family : installed) {
        for (const QString& candidate : candidates) {
            if (family.compare(candidate, Qt::CaseInsensitive) == 0)
                return family;
        }
    }
    return {};
}

QString ChooseFontFamily(const QString& language, const QString& fallbackFontFile) {
    QString family = FirstInstalledOf(ScriptFamilies(language));
    if (family.isEmpty() && language == QLatin1String("jp"))
        family = FamilyFromFile(fallbackFontFile);
    if (family.isEmpty())
        family = FirstInstalledOf(CommonFamilies());
    if (family.isEmpty())
        family = QGuiApplication::font().defaultFamily();
    return family;
}

void SetupApplicationFonts(const QString& styleSheet, const QString& language) {
    const QString family =
        ChooseFontFamily(language, QCoreApplication::applicationDirPath() + QLatin1String("/Language/meiryo.ttc"));
    QFont font = QGuiApplication::font();
    font.setFamily(family);
    QGuiApplication::setFont(font);
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
        application->setStyleSheet(QString(styleSheet).replace(QLatin1String("%1"), family));
}
