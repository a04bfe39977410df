#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The bounds every XML file the program reads is held to before a parser builds a tree of it or
// anything walks it recursively. A file nested thousands of levels deep would exhaust the stack of a
// recursive parser and crash every later start, so such a file is refused like any unreadable one.
// The check itself is a flat streaming pass and never recurses.
namespace XmlLimits {

// Far deeper than any file the program writes or ships (settings, skin, edition, rules: under ten).
constexpr int MaxDepth = 64;
// Far larger than any such file (the largest ships at a few KiB).
constexpr qint64 MaxBytes = 4 * 1024 * 1024;

// True when bytes is well-formed enough to stream through and stays within both limits; otherwise
// false, with a short English reason for the run log in why.
bool Check(const QByteArray& bytes, QString* why = nullptr, int maxDepth = MaxDepth, qint64 maxBytes = MaxBytes);

// Reads a whole file for parsing, refusing one larger than maxBytes before reading it; false with the
// reason in why when the file cannot be read, is too large or fails Check().
bool ReadFile(const QString& path, QByteArray* bytes, QString* why = nullptr, int maxDepth = MaxDepth,
              qint64 maxBytes = MaxBytes);

// As ReadFile, from a device the caller has opened for reading, from its current position to its end.
// A caller that must tell a file it cannot read from a damaged one asks the device for its error.
bool ReadDevice(QIODevice& device, QByteArray* bytes, QString* why = nullptr, int maxDepth = MaxDepth,
                qint64 maxBytes = MaxBytes);

} // namespace XmlLimits
