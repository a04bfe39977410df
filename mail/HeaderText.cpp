#include "HeaderText.h"

#include <QByteArray>

namespace HeaderText {

namespace {

// An encoded word is at most 75 characters (RFC 2047): 12 of them are "=?utf-8?B?" and "?=".
constexpr int MaxEncodedText = 75 - 12;
// 45 octets make 60 Base64 characters, the most that fits.
constexpr int MaxBase64Octets = MaxEncodedText / 4 * 3;
// Longer texts are encoded, which folds them, so that a header line never comes near MaxLineOctets.
constexpr int MaxPlainLength = 500;

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
}

bool IsPhraseSpecial(QChar c) {
    return QStringLiteral("()<>[]:;@\\,\"").contains(c);
}

bool CanStandAsItIs(const QString& text, bool phrase) {
    if (text.size() > MaxPlainLength || text.contains(QLatin1String("=?")))
        return false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || (phrase && IsPhraseSpecial(c)))
            return false;
    }
    return true;
}

// "Q" encoding of RFC 2047 as strict as a phrase needs it, which is also safe in the subject.
QByteArray QEncode(const QByteArray& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '!' || b == '*' ||
            b == '+' || b == '-' || b == '/') {
            out += static_cast<char>(b);
        } else if (b == ' ') {
            out += '_';
        } else {
            out += '=';
            out += hex[b >> 4];
            out += hex[b & 0x0f];
        }
    }
    return out;
}

QByteArray EncodedText(const QByteArray& bytes, bool base64) {
    return base64 ? bytes.toBase64() : QEncode(bytes);
}

// Splits the text at character boundaries into encoded words that each fit MaxEncodedText.
QStringList EncodedWords(const QString& text, bool base64) {
    QStringList words;
    const QString prefix = base64 ? QStringLiteral("=?utf-8?B?") : QStringLiteral("=?utf-8?Q?");
    QByteArray chunk;
    const auto flush = [&] {
        if (!chunk.isEmpty())
            words.append(prefix + QString::fromLatin1(EncodedText(chunk, base64)) + QStringLiteral("?="));
        chunk.clear();
    };
    for (int i = 0; i < text.size();) {
        const int length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QByteArray character = text.mid(i, length).toUtf8();
        i += length;
        const QByteArray longer = chunk + character;
        const bool fits = base64 ? longer.size() <= MaxBase64Octets : QEncode(longer).size() <= MaxEncodedText;
        if (!fits)
            flush();
        chunk += character;
    }
    flush();
    return words;
}

} // namespace

bool HasControlCharacters(const QString& text) {
    for (const QChar c : text) {
        if (IsControl(c.unicode()))
            return true;
    }
    return false;
}

bool IsSafeAddress(const QString& address) {
    if (address.size() < 3 || address.size() > 254)
        return false;
    const int at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || at == address.size() - 1 || address.indexOf(QLatin1Char('@'), at + 1) >= 0)
        return false;
    for (const QChar c : address) {
        if (c.unicode() <= 0x20 || c.unicode() > 0x7e || (c != QLatin1Char('@') && IsPhraseSpecial(c)))
            return false;
    }
    return true;
}

QStringList Words(const QString& text, int encoding, bool phrase) {
    if (text.isEmpty())
        return {};
    if (encoding == 2 || encoding == 3)
        return EncodedWords(text, encoding == 2);
    if (CanStandAsItIs(text, phrase))
        return {text};
    return EncodedWords(text, true);
}

QString RenderableAddress(const QString& address) {
    QString out;
    for (const QChar c : address) {
        if (!IsControl(c.unicode()))
            out += c;
    }
    return out;
}

} // namespace HeaderText
