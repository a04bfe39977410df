#include "ServiceVersion.h"

#include <climits>
#include <cstdlib>

namespace {

// The number a piece starts with, as atoi reads it, kept within int.
int LeadingNumber(const QByteArray& piece) {
    const long value = std::strtol(piece.constData(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

QList<QByteArray> SplitString(const QByteArray& text, char separator) {
    QList<QByteArray> pieces = text.split(separator);
    if (!pieces.isEmpty() && pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

int CompareVersion(const QByteArray& a, const QByteArray& b) {
    if (a == b)
        return 0;
    const QList<QByteArray> piecesA = SplitString(a, '.');
    const QList<QByteArray> piecesB = SplitString(b, '.');
    const int common = qMin(piecesA.size(), piecesB.size());
    for (int i = 0; i < common; ++i) {
        const int x = LeadingNumber(piecesA.at(i));
        const int y = LeadingNumber(piecesB.at(i));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return piecesA.size() < piecesB.size() ? -1 : 1;
}
