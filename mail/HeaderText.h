#pragma once

#include <QString>
#include <QStringList>

// Rules for the texts that end up in mail header lines and SMTP commands: what may go there at all, and
// how a text that cannot stand as it is gets encoded (RFC 2047 encoded words).
namespace HeaderText {

// Octets of one header line without its line end that no mail may exceed (RFC 5322).
constexpr int MaxLineOctets = 998;

// True when the text holds a character that could end or bend a header line or a command: C0 and C1
// control characters (CR, LF, tab, NUL ...), DEL and the Unicode line and paragraph separators.
bool HasControlCharacters(const QString& text);

// True for an address that can stand in "<...>" of a header and of MAIL FROM / RCPT TO as it is: printable
// ASCII without blanks or the characters that delimit addresses, one "@" with text on both sides, at
// most 254 characters.
bool IsSafeAddress(const QString& address);

// The text of a display name (phrase) or of the subject as a list of header words to be joined with a
// folding line end ("\r\n "). encoding is the part encoding of MimePart: 2 always gives "=?utf-8?B?"
// words, 3 always "=?utf-8?Q?" words; any other value keeps a short printable ASCII text as it is and
// gives "B" words otherwise (non-ASCII, control characters, "=?", for a phrase any special character,
// or a text too long for one line). Encoded words are at most 75 characters and never split a character.
QStringList Words(const QString& text, int encoding, bool phrase);

// The address with every control character removed: what a rendering writes for an address that the
// sending refuses anyway, so that no rendering can ever carry a line break into a header.
QString RenderableAddress(const QString& address);

} // namespace HeaderText
