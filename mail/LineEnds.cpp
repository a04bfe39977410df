#include "LineEnds.h"

namespace LineEnds {

QByteArray ToCrlf(const QByteArray& text) {
    // Written through a pointer: the text is the whole mail, attachment included.
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    const char* in = text.constData();
    const char* const end = in + text.size();
    char* o = out.data();
    while (in < end) {
        const char c = *in++;
        if (c == '\r') {
            *o++ = '\r';
            *o++ = '\n';
            if (in < end && *in == '\n')
                ++in;
        } else if (c == '\n') {
            *o++ = '\r';
            *o++ = '\n';
        } else {
            *o++ = c;
        }
    }
    out.truncate(static_cast<int>(o - out.constData()));
    return out;
}

QByteArray DotStuffed(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + text.size() / 64 + 16);
    int lineStart = 0;
    while (lineStart < text.size()) {
        int next = text.indexOf("\r\n", lineStart);
        next = next < 0 ? text.size() : next + 2;
        if (text.at(lineStart) == '.')
            out += '.';
        out.append(text.constData() + lineStart, next - lineStart);
        lineStart = next;
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
