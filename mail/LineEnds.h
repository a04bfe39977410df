#pragma once

#include <QByteArray>

// Line-end rules of mail text on the wire.
namespace LineEnds {

// Every line end as "\r\n": a lone "\r" or "\n" becomes "\r\n", an existing "\r\n" stays.
QByteArray ToCrlf(const QByteArray& text);

// The SMTP transparency rule on text with "\r\n" line ends: a line that starts with "." gets a second one,
// so that no line of the content can read as the end of the data.
QByteArray DotStuffed(const QByteArray& text);

// The octets of the longest line of "\r\n" text as it goes on the wire (a leading "." counts twice, as it
// is stuffed), without its line end.
int LongestWireLine(const QByteArray& text);

} // namespace LineEnds
