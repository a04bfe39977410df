#pragma once

// Runs a command-line tool a test sets up its fixtures with (openssl, dpkg-deb, 7z) to its end.

#include <QProcess>
#include <QString>
#include <QStringList>

// False, with the command and what it printed in why, when the tool does not end well within a minute.
inline bool RunTool(const QString& program, const QStringList& arguments, QString* why) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(program, arguments);
    if (tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return true;
    if (why)
        *why = QStringLiteral("%1 %2 failed: %3 %4")
                   .arg(program, arguments.value(0), tool.errorString(), QString::fromLocal8Bit(tool.readAll()));
    return false;
}
