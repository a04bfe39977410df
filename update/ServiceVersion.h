#pragma once

#include <QByteArray>
#include <QList>

// The fields of text between the separators, empty ones included, as a line reader yields lines:
// "1..2" gives "1", "" and "2"; a separator at the very end adds no empty field; "" gives none.
QList<QByteArray> SplitString(const QByteArray& text, char separator);

// The update service's own order of two dotted versions: 0 only for equal texts; otherwise the first
// field whose numbers differ decides, and when all shared fields are equal the text with fewer fields is
// the older one (1.2 is older than 1.2.0, and 1.0 counts as newer than 1.00). A field reads as its
// leading number, 0 when it has none.
int CompareVersion(const QByteArray& a, const QByteArray& b);
