#pragma once

#include <QString>

// Text from outside (the rules, a server's file names, addresses) as it goes into one line of a log: every
// control, format and line-separator character is written as an escape ("\x0a", "\u2028"), so that no such
// text can start a line of its own or turn the rest of it around.
QString LogLineText(const QString& text);

// LogLineText() in double quotes: a path or an address as a log line names it.
QString QuotedLogLineText(const QString& text);

// Whether LogLineText() would escape anything in text.
bool HoldsControlCharacters(const QString& text);
