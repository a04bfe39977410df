#include "MimeContentFormatter.h"

MimeContentFormatter::MimeContentFormatter(int maxLineLength, QObject* parent)
    : QObject(parent), m_maxLineLength(maxLineLength) {}

void MimeContentFormatter::setMaxLineLength(int length) {
    m_maxLineLength = length;
}

int MimeContentFormatter::getMaxLineLength() const {
    return m_maxLineLength;
}

QString MimeContentFormatter::format(const QString& text, bool quotedPrintable) const {
    if (!quotedPrintable && m_maxLineLength > 0) {
        // Whole lines at a time: an attachment's Base64 text runs to many megabytes.
        QString out;
        out.reserve(text.size() + (text.size() / m_maxLineLength + 1) * 2);
        for (int start = 0; start < text.size(); start += m_maxLineLength) {
            if (start > 0)
                out += QLatin1String("\r\n");
            out += QStringView(text).mid(start, m_maxLineLength);
        }
        return out;
    }
    QString out;
    out.reserve(text.size() + text.size() / qMax(1, m_maxLineLength) * 3 + 3);
    int chars = 0;
    for (const QChar c : text) {
        ++chars;
        if (!quotedPrintable) {
            if (chars > m_maxLineLength) {
                out += QLatin1String("\r\n");
                chars = 1;
            }
        } else if (c == QLatin1Char('\n')) {
            out += c;
            chars = 0;
            continue;
        } else if (chars > m_maxLineLength - 1 || (c == QLatin1Char('=') && chars > m_maxLineLength - 3)) {
            out += QLatin1String("=\r\n");
            chars = 1;
        }
        out += c;
    }
    return out;
}
