#include "LineEnds.h"

namespace LineEnds {

QByteArray ToCrlf(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + text.size() / 32);
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text.at(i + 1) == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray DotStuffed(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + 16);
    bool lineStart = true;
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (lineStart && c == '.')
            out += '.';
        out += c;
        lineStart = c == '\n' && i > 0 && text.at(i - 1) == '\r';
    }
    return out;
}

int LongestWireLine(const QByteArray& text) {
    int longest = 0;
    int start = 0;
    while (start <= text.size()) {
        int end = text.indexOf("\r\n", start);
        if (end < 0)
            end = text.size();
        const int length = end - start + (end > start && text.at(start) == '.' ? 1 : 0);
        longest = qMax(longest, length);
        start = end + 2;
    }
    return longest;
}

} // namespace LineEnds
