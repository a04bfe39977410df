#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Runs a program with administrator rights. A process that already runs as root starts the
// program directly; any other goes through an elevation helper (pkexec), which asks the user.
// Arguments are handed over as a list, never joined into a command line, so blanks and quotes
// inside an argument reach the program unchanged.
class ElevatedRunner {
public:
    // The system's helper and the real user id.
    ElevatedRunner();
    // For tests: another helper program, and whether to behave as root.
    ElevatedRunner(const QString& helper, bool runningAsRoot);

    // Starts the program and returns at once; true when it (or the helper asking for rights) has
    // started. Whether the user then grants the rights is not known to the caller.
    bool start(const QString& program, const QStringList& arguments) const;

    // Runs the program and waits for it; returns its exit code, or -1 when it could not be
    // started or crashed. Through pkexec, 126 means the user refused and 127 that the
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
