#pragma once

#include <QString>
#include <QtGlobal>

// Loose shape check of an e-mail address: at least two characters before an "@", neither the first
// nor the last a dot, a part after it that does not start with a dot, and a final dot followed by
// 2 to 5 non-dot characters. Text holding a control character (CR, LF, tab...) or a line or paragraph
// separator is always refused: addresses go into mail headers, where a line break would let the
// text add headers of its own.
bool IsValidEmail(const QString& text);

// Same rule as CompareVersions: 1 when a is the newer dotted version, -1 when older, 0 when equal.
int CompareDottedVersions(const QString& a, const QString& b);

// True for a non-empty text of the digits 0 to 9 only.
bool IsAllDigits(const QString& text);

quint32 SwapBytes32(quint32 value);

QString WrapInHtml(const QString& text);
