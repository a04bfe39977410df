#include "Language.h"

#include <QCoreApplication>
#include <QTranslator>

#include <utility>

namespace {

struct LanguageName {
    const char* code;
    const char* name; // UTF-8
};

const LanguageName kLanguageNames[] = {
    {"en", "English"},
    {"de", "Deutsch"},
    {"zh", "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87"},
    {"jp", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"ru", "\xD1\x80\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"},
    {"hu", "Magyar"},
    {"hy", "\xD5\xB0\xD5\xA1\xD5\xB5\xD5\xA5\xD6\x80\xD5\xA5\xD5\xB6"},
    {"es", "espa\xC3\xB1ol"},
    {"fr", "Fran\xC3\xA7"
           "ais"},
    {"ptBR", "Portugu\xC3\xAAs (Brasil)"},
    {"nl", "Nederlands"},
    {"tw", "\xE7\xB9\x81\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87"},
    {"da", "Dansk"},
    {"it", "Italiano"},
    {"ar", "\xD8\xA7\xD9\x84\xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A\xD8\xA9"},
};

QTranslator& ProgramTranslator() {
    static QTranslator translator;
    return translator;
}

QTranslator& QtTranslator() {
    static QTranslator translator;
    return translator;
}

// Taken out before loading so that a language switch never leaves the same translator installed twice, and
// one whose file is missing stays out.
bool Reload(QTranslator& translator, const QString& fileName, const QString& folder) {
    QCoreApplication::removeTranslator(&translator);
    if (!translator.load(fileName, folder))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

} // namespace

QString LanguageCodeForLocale(const QLocale& locale) {
    // Danish, Italian and traditional Chinese have codes of their own but are only ever chosen by hand.
    static const std::pair<QLocale::Language, const char*> codes[] = {
        {QLocale::Chinese, "zh"},      {QLocale::Japanese, "jp"}, {QLocale::German, "de"},  {QLocale::Russian, "ru"},
        {QLocale::Hungarian, "hu"},    {QLocale::Armenian, "hy"}, {QLocale::Spanish, "es"}, {QLocale::French, "fr"},
        {QLocale::Portuguese, "ptBR"}, {QLocale::Dutch, "nl"},    {QLocale::Arabic, "ar"},
    };
    for (const auto& code : codes) {
        if (code.first == locale.language())
            return QLatin1String(code.second);
    }
    return QStringLiteral("en");
}

QString SystemLanguageCode() {
    return LanguageCodeForLocale(QLocale::system());
}

QList<QPair<QString, QString>> LanguageDisplayName(const QStringList& codes) {
    QList<QPair<QString, QString>> names;
    for (const QString& code : codes) {
        QString name;
        for (const LanguageName& entry : kLanguageNames) {
            if (code.compare(QLatin1String(entry.code), Qt::CaseInsensitive) == 0) {
                name = QString::fromUtf8(entry.name);
                break;
            }
        }
        names.append({name, code});
    }
    return names;
}

bool LoadTranslator(const QString& language, const QString& folder, const QString& baseName) {
    const QString prefix = baseName.isEmpty() ? QString() : baseName + QLatin1Char('_');
    const bool programLoaded = Reload(ProgramTranslator(), prefix + language + QLatin1String(".qm"), folder);
    const bool qtLoaded = Reload(QtTranslator(), QLatin1String("qt_") + language + QLatin1String(".qm"), folder);
    return programLoaded && qtLoaded;
}
