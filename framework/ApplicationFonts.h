#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The Chinese UI family of the desktop the program was first made for.
QString ChineseUiFontFamily();

// The first installed family, in the font database's order, that matches a candidate ignoring case; empty
// when none is installed.
QString FirstInstalledFamily(const QStringList& candidates);

// The user-interface family for a language: its own families first, then for Japanese the font file shipped
// in fallbackFontFile, then families that are on every Linux desktop, else the current font's default family.
QString ChooseFontFamily(const QString& language, const QString& fallbackFontFile);

// Makes the chosen family the application font and puts it in place of "%1" in the style sheet it applies.
void SetupApplicationFonts(const QString& styleSheet, const QString& language);
