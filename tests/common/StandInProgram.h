#pragma once

// Stand-ins for the programs the code under test starts (a launcher, an installer, the elevation helper):
// small shell scripts written by the test. A recording stand-in writes its arguments the way the compiled
// stand-in tests/platform/argrecorder.cpp does, each followed by a NUL byte and the whole file at once, so a
// waiting test never reads half of it; RecordedArguments() reads either back.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace StandIn {

// The text in single quotes for the shell.
inline QByteArray ShellQuoted(const QString& text) {
    return "'" + text.toUtf8().replace("'", "'\\''") + "'";
}

// An executable shell script with this body (may be empty); false when it cannot be written.
inline bool Write(const QString& path, const QByteArray& body) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray script = "#!/bin/sh\n" + body;
    if (file.write(script) != script.size())
        return false;
    file.close();
    return file.setPermissions(file.permissions() | QFile::ReadOwner | QFile::ExeOwner | QFile::ExeGroup |
                               QFile::ExeOther);
}

// Records its arguments into record and adds a line to "<record>.starts" for every start; exits with
// MENDRA_ARGS_EXIT, or with exitCode when that is not set.
inline bool WriteRecorder(const QString& path, const QString& record, int exitCode = 0) {
    const QByteArray file = ShellQuoted(record);
    const QByteArray partial = ShellQuoted(record + QStringLiteral(".part"));
    const QByteArray starts = ShellQuoted(record + QStringLiteral(".starts"));
    return Write(path, "echo started >> " + starts + "\n" + "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > " +
                           partial + " && mv " + partial + " " + file + "\n" + "exit ${MENDRA_ARGS_EXIT:-" +
                           QByteArray::number(exitCode) + "}\n");
}

// The elevation helper's stand-in: runs the program it is given, as it is.
inline bool WritePassThrough(const QString& path) {
    return Write(path, "exec \"$@\"\n");
}

// The arguments a recording stand-in wrote. A missing record reads as a list that no test expects.
inline QStringList RecordedArguments(const QString& record) {
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no record>")};
    QList<QByteArray> parts = file.readAll().split('\0');
    parts.removeLast(); // what follows the last terminator
    QStringList arguments;
    for (const QByteArray& part : parts)
        arguments << QString::fromUtf8(part);
    return arguments;
}

} // namespace StandIn
