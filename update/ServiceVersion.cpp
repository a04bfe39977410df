#include "ServiceVersion.h"

#include <climits>
#include <cstdlib>

namespace {

// The number a field starts with, as atoi reads it, kept within int.
int LeadingNumber(const QByteArray& field) {
    const long value = std::strtol(field.constData(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

QList<QByteArray> SplitString(const QByteArray& text, char separator) {
    QList<QByteArray> fields = text.split(separator);
    if (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

int CompareVersion(const QByteArray& a, const QByteArray& b) {
    if (a == b)
        return 0;
    const QList<QByteArray> fieldsA = SplitString(a, '.');
    const QList<QByteArray> fieldsB = SplitString(b, '.');
    const int common = qMin(fieldsA.size(), fieldsB.size());
    for (int i = 0; i < common; ++i) {
        const int x = LeadingNumber(fieldsA.at(i));
        const int y = LeadingNumber(fieldsB.at(i));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return fieldsA.size() < fieldsB.size() ? -1 : 1;
}
