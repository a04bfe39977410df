#pragma once

#include <QFile>
#include <QStringList>

// Arguments written by a recording stand-in program, each followed by a NUL byte. A missing
// record reads as a list that no test expects.
inline QStringList readRecordedArguments(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no record>")};
    QList<QByteArray> parts = file.readAll().split('\0');
    parts.removeLast(); // what follows the last terminator
    QStringList arguments;
    for (const QByteArray& part : parts)
        arguments << QString::fromUtf8(part);
    return arguments;
}
