#include "TextUtils.h"

#include "VersionCompare.h"

#include <QRegularExpression>
#include <QtEndian>

namespace {
bool breaksHeaderLine(QChar c) {
    switch (c.category()) {
    case QChar::Other_Control: // C0, DEL and C1, which holds NEL (U+0085)
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}
} // namespace

bool IsValidEmail(const QString& text) {
    for (const QChar c : text) {
        if (breaksHeaderLine(c))
            return false;
    }
    // The whole text must match, as with an exact match of the classic pattern.
    static const QRegularExpression pattern(QStringLiteral("\\A(?:([^\\.]+.*[^\\.]+@[^\\.]+.*\\.[^\\.]{2,5}$))\\z"));
    return pattern.match(text).hasMatch();
}

int CompareDottedVersions(const QString& a, const QString& b) {
    return CompareVersions(a, b);
}

bool IsAllDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const char latin = c.toLatin1(); // 0 for a character outside Latin-1
        if (latin < '0' || latin > '9')
            return false;
    }
    return true;
}

quint32 SwapBytes32(quint32 value) {
    return qbswap(value);
}

QString WrapInHtml(const QString& text) {
    return QStringLiteral("<html>\n") + text + QStringLiteral("\n</html>");
}
