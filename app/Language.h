#pragma once

#include <QList>
#include <QLocale>
#include <QPair>
#include <QString>
#include <QStringList>

// The program's own language codes are two letters, except "jp" (Japanese), "tw" (traditional Chinese) and
// "ptBR" (Brazilian Portuguese).

// The code of the user's language, from the system locale; "en" for a language the program has no code for.
QString SystemLanguageCode();
QString LanguageCodeForLocale(const QLocale& locale);

// One (display name, code) pair per code, in the given order; an unknown code keeps an empty name.
QList<QPair<QString, QString>> LanguageDisplayName(const QStringList& codes);

// Loads and installs the program's translation (<baseName>_<language>.qm) and Qt's own (qt_<language>.qm)
// from folder; true only when both loaded. Each call replaces what the previous one installed.
bool LoadTranslator(const QString& language, const QString& folder, const QString& baseName);
