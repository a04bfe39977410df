#include "LogText.h"

namespace {

enum class Escape { None, Byte, Unicode };

Escape EscapeOf(QChar c) {
    const ushort code = c.unicode();
    if (code < 0x80)
        return code < 0x20 || code == 0x7f ? Escape::Byte : Escape::None;
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return Escape::Unicode;
    default:
        return Escape::None;
    }
}

} // namespace

QString LogLineText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (EscapeOf(c)) {
        case Escape::Byte:
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            break;
        case Escape::Unicode:
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            break;
        case Escape::None:
            out += c;
            break;
        }
    }
    return out;
}

QString QuotedLogLineText(const QString& text) {
    return QLatin1Char('"') + LogLineText(text) + QLatin1Char('"');
}

bool HoldsControlCharacters(const QString& text) {
    for (const QChar c : text) {
        if (EscapeOf(c) != Escape::None)
            return true;
    }
    return false;
}
