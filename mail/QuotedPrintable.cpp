#include "QuotedPrintable.h"

QString QuotedPrintable::encode(const QByteArray& input) {
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(input.size() * 3 / 2);
    for (int i = 0; i < input.size(); ++i) {
        const auto byte = static_cast<unsigned char>(input.at(i));
        // A blank at the very end would stand at the end of the last line, where transports may drop it.
        const bool lastBlank = byte == ' ' && i == input.size() - 1;
        if (byte >= 32 && byte <= 126 && byte != '=' && !lastBlank) {
            out += QLatin1Char(static_cast<char>(byte));
        } else {
            out += QLatin1Char('=');
            out += QLatin1Char(hex[byte >> 4]);
            out += QLatin1Char(hex[byte & 0x0f]);
        }
    }
    return out;
}
