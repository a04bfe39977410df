#include "WrappableText.h"

namespace {

const QChar kBreakMark(0x200B);
// A piece this long still fits a narrow label; a word longer than that gets places to break.
constexpr int kLongestPiece = 12;

bool EndsPiece(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('-') ||
           c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char(':');
}

bool EndsWord(QChar c) {
    return c.isSpace() || c == kBreakMark;
}

// A break between these two would split one character: a surrogate pair, or a letter and its accent.
bool Joined(QChar before, QChar after) {
    return before.isHighSurrogate() || after.isLowSurrogate() || after.isMark();
}

} // namespace

QString WrappableText(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / kLongestPiece + 1);
    int at = 0;
    while (at < text.size()) {
        if (EndsWord(text.at(at))) {
            out += text.at(at++);
            continue;
        }
        int end = at;
        while (end < text.size() && !EndsWord(text.at(end)))
            ++end;
        if (end - at <= kLongestPiece) {
            out += text.midRef(at, end - at);
            at = end;
            continue;
        }
        int piece = 0;
        for (int i = at; i < end; ++i) {
            const QChar c = text.at(i);
            out += c;
            ++piece;
            const bool last = i + 1 == end;
            if (!last && !Joined(c, text.at(i + 1)) && ((EndsPiece(c) && piece > 1) || piece >= kLongestPiece)) {
                out += kBreakMark;
                piece = 0;
            }
        }
        at = end;
    }
    return out;
}

QString WithoutBreakMarks(const QString& text) {
    QString out = text;
    out.remove(kBreakMark);
    return out;
}
