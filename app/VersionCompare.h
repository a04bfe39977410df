#pragma once

#include <QString>

// Compares two dotted version texts field by field as decimal numbers: 0 when they name the same
// version, 1 when a is newer, -1 when a is older. A missing field counts as 0 (1.2 equals 1.2.0),
// and so does a field that is not a number (1.0b equals 1.0).
int CompareVersions(const QString& a, const QString& b);
