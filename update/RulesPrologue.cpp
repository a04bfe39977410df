#include "RulesPrologue.h"

#include <QTextCodec>

namespace {

// The document as text as far as its markup goes: UTF-16 and UTF-32 decoded, anything else read byte by
// byte, which keeps every ASCII character of an ASCII-based encoding where it is.
QString MarkupText(const QByteArray& document) {
    const bool twoBytes = document.size() >= 2 && (document.at(0) == '\0' || document.at(1) == '\0');
    QTextCodec* utf = QTextCodec::codecForUtfText(document, nullptr);
    if (utf)
        return utf->toUnicode(document);
    if (twoBytes)
        return QTextCodec::codecForName(document.at(0) == '\0' ? "UTF-16BE" : "UTF-16LE")->toUnicode(document);
    return QString::fromLatin1(document);
}

bool IsNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char(':') || c.unicode() >= 0x80;
}

} // namespace

QString RulesPrologueFault(const QByteArray& document) {
    const QString text = MarkupText(document);
    int at = text.startsWith(QChar(0xfeff)) ? 1 : 0;
    // A UTF-8 byte-order mark read byte by byte.
    if (text.startsWith(QLatin1String("\xef\xbb\xbf")))
        at = 3;
    while (at < text.size()) {
        const QChar c = text.at(at);
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            ++at;
        } else if (text.midRef(at, 2) == QLatin1String("<?")) {
            const int end = text.indexOf(QLatin1String("?>"), at + 2);
            // Left unended, the parser finds nothing but this instruction.
            if (end < 0)
                return QString();
            at = end + 2;
        } else if (text.midRef(at, 4) == QLatin1String("<!--")) {
            const int end = text.indexOf(QLatin1String("-->"), at + 4);
            if (end < 0)
                return QString();
            at = end + 3;
        } else if (text.midRef(at, 9).compare(QLatin1String("<!DOCTYPE"), Qt::CaseInsensitive) == 0) {
            return QStringLiteral("holds a document type declaration");
        } else if (c == QLatin1Char('<') && at + 1 < text.size() && IsNameStart(text.at(at + 1))) {
            return QString();
        } else {
            // Whatever a parser would read here in another encoding, it is no root element in this one.
            return QStringLiteral("holds no root element where one belongs");
        }
    }
    // Nothing but a prologue: the parser says what is missing.
    return QString();
}
