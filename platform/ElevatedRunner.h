#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Runs a program with administrator rights. A process that already runs as root starts the
// program directly; any other goes through the system's elevation helper (/usr/bin/pkexec, below
// MENDRA_SYSTEM_ROOT when that is set), which asks the user. The program is named by its path (a
// relative one is made absolute); a bare name is refused, never looked up on the user's PATH.
// Arguments are handed over as a list, never joined into a command line, so blanks and quotes
// inside an argument reach the program unchanged.
class ElevatedRunner {
public:
    // The system's helper and the effective user id.
    ElevatedRunner();
    // The system's elevation helper: its absolute path under the system root.
    static QString systemHelper();
    // For tests: another helper program, and whether to behave as root.
    ElevatedRunner(const QString& helper, bool runningAsRoot);

    // Starts the program and returns at once; true when it (or the helper asking for rights) has
    // started. Whether the user then grants the rights is not known to the caller.
    bool start(const QString& program, const QStringList& arguments) const;

    // Runs the program and waits for it; returns its exit code, or -1 when it could not be
    // started (a bare name included) or crashed. Through pkexec, 126 means the user refused and 127 that the
    // authentication failed. Blocks: call it from a worker thread.
    int runAndWait(const QString& program, const QStringList& arguments) const;

    // The program and arguments actually started for the given request.
    QString launcher(const QString& program) const;
    QStringList launcherArguments(const QString& program, const QStringList& arguments) const;

private:
    QString m_helper;
    bool m_runningAsRoot;
};

} // namespace platform
