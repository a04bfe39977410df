#include "VersionCompare.h"

#include <QStringList>

int CompareVersions(const QString& a, const QString& b) {
    if (a == b)
        return 0;
    const QStringList fieldsA = a.split(QLatin1Char('.'));
    const QStringList fieldsB = b.split(QLatin1Char('.'));
    const int count = qMax(fieldsA.size(), fieldsB.size());
    for (int i = 0; i < count; ++i) {
        // toInt() gives 0 for a field that does not read as a number, which is the rule we want.
        const int x = i < fieldsA.size() ? fieldsA.at(i).toInt(nullptr, 10) : 0;
        const int y = i < fieldsB.size() ? fieldsB.at(i).toInt(nullptr, 10) : 0;
        if (x != y)
            return x > y ? 1 : -1;
    }
    return 0;
}
